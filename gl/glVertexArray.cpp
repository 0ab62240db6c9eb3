#include "glVertexArray.h"

#include "glChecks.h"
#include "glContext.h"
#include "glEntryPoints.h"

#include <initializer_list>

namespace {

using glEntryPoints::EntryPoint;

bool Available(const char* operation, std::initializer_list<EntryPoint> needed) {
    return glEntryPoints::Available("CglVertexArray", operation, needed);
}

EntryPoint BindVertexArrayCall() {
    return {glBindVertexArray != nullptr, "glBindVertexArray"};
}

// GL takes a buffer offset where it once took a client pointer.
const void* BufferOffset(GLintptr offset) {
    return reinterpret_cast<const void*>(offset);
}

// The instanced calls of OpenGL 3.1 and 3.3 where the loader has them; before that, those of
// ARB_instanced_arrays, taken only when the context lists it: a loader told to load everything fills
// them anyway. The context is asked only when the core call is missing, so a draw costs no lookup.
template <typename F>
F InstancedCall(F core, F arb) {
    if (core != nullptr) {
        return core;
    }
    return arb != nullptr && glContext::Current().arbInstancedArrays ? arb : nullptr;
}

// The validation mode's checks of an operation on `vertexArray` (see glChecks::ValidObject).
bool Valid(const glChecks::Scope& scope, const CglVertexArray& vertexArray, const char* where) {
    return glChecks::ValidObject(
        scope, where, vertexArray.id != 0, vertexArray.context,
        "the object holds no vertex array, so the operation does nothing: call Create "
        "first");
}

} // namespace

CglVertexArray::~CglVertexArray() {
    Destroy();
}

CglVertexArray::CglVertexArray(CglVertexArray&& other) noexcept : id(other.id), context(other.context) {
    other.id = 0;
    other.context = nullptr;
}

CglVertexArray& CglVertexArray::operator=(CglVertexArray&& other) noexcept {
    if (this != &other) {
        Destroy();
        id = other.id;
        context = other.context;
        other.id = 0;
        other.context = nullptr;
    }
    return *this;
}

bool CglVertexArray::Create() {
    glChecks::Scope scope("CglVertexArray::Create");
    // Vertex arrays are not shared between contexts: a name is only ever this context's.
    const void* current = glContext::CurrentId();
    if (!glChecks::OnOwnContext("CglVertexArray::Create", context, current)) {
        return false;
    }
    // Both are checked first, so that a missing one leaves the array held in place.
    if (!Available("Create", {{glGenVertexArrays != nullptr, "glGenVertexArrays"},
                              {glDeleteVertexArrays != nullptr, "glDeleteVertexArrays"}})) {
        return false;
    }
    if (id != 0) {
        glDeleteVertexArrays(1, &id);
    }
    glGenVertexArrays(1, &id);
    context = current;
    return true;
}

void CglVertexArray::Destroy() {
    glChecks::Scope scope("CglVertexArray::Destroy");
    if (id == 0 || !glChecks::OnOwnContext("CglVertexArray::Destroy", context, glContext::CurrentId())) {
        return;
    }
    if (Available("Destroy", {{glDeleteVertexArrays != nullptr, "glDeleteVertexArrays"}})) {
        glDeleteVertexArrays(1, &id);
    }
    id = 0;
    context = nullptr;
}

void CglVertexArray::Bind() const {
    glChecks::Scope scope("CglVertexArray::Bind");
    if (!Valid(scope, *this, "CglVertexArray::Bind")) {
        return;
    }
    if (id != 0 && Available("Bind", {BindVertexArrayCall()})) {
        glBindVertexArray(id);
    }
}

void CglVertexArray::Unbind() const {
    glChecks::Scope scope("CglVertexArray::Unbind");
    if (Available("Unbind", {BindVertexArrayCall()})) {
        glBindVertexArray(0);
    }
}

void CglVertexArray::SetAttribute(GLuint index, GLuint buffer, GLint components, GLenum type, bool normalized,
                                  GLsizei stride, GLintptr offset) {
    glChecks::Scope scope("CglVertexArray::SetAttribute");
    if (!Valid(scope, *this, "CglVertexArray::SetAttribute")) {
        return;
    }
    if (id == 0 ||
        !Available("SetAttribute", {BindVertexArrayCall(),
                                    {glBindBuffer != nullptr, "glBindBuffer"},
                                    {glVertexAttribPointer != nullptr, "glVertexAttribPointer"},
                                    {glEnableVertexAttribArray != nullptr, "glEnableVertexAttribArray"}})) {
        return;
    }
    glBindVertexArray(id);
    // The pointer call records the buffer bound here, so the binding can go straight after.
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(index, components, type, normalized ? GL_TRUE : GL_FALSE, stride,
                          BufferOffset(offset));
    glEnableVertexAttribArray(index);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void CglVertexArray::SetIntegerAttribute(GLuint index, GLuint buffer, GLint components, GLenum type,
                                         GLsizei stride, GLintptr offset) {
    glChecks::Scope scope("CglVertexArray::SetIntegerAttribute");
    if (!Valid(scope, *this, "CglVertexArray::SetIntegerAttribute")) {
        return;
    }
    if (id == 0 || !Available("SetIntegerAttribute",
                              {BindVertexArrayCall(),
                               {glBindBuffer != nullptr, "glBindBuffer"},
                               {glVertexAttribIPointer != nullptr, "glVertexAttribIPointer"},
                               {glEnableVertexAttribArray != nullptr, "glEnableVertexAttribArray"}})) {
        return;
    }
    glBindVertexArray(id);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribIPointer(index, components, type, stride, BufferOffset(offset));
    glEnableVertexAttribArray(index);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void CglVertexArray::SetIndexBuffer(GLuint buffer) {
    glChecks::Scope scope("CglVertexArray::SetIndexBuffer");
    if (!Valid(scope, *this, "CglVertexArray::SetIndexBuffer")) {
        return;
    }
    if (id == 0 ||
        !Available("SetIndexBuffer", {BindVertexArrayCall(), {glBindBuffer != nullptr, "glBindBuffer"}})) {
        return;
    }
    glBindVertexArray(id);
    // Not unbound before the vertex array is: that would take the index buffer away from it again.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    glBindVertexArray(0);
    // Every Set... call ends with both bindings at 0, so callers need not know which one it touched.
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void CglVertexArray::SetAttributeDivisor(GLuint index, GLuint divisor) {
    glChecks::Scope scope("CglVertexArray::SetAttributeDivisor");
    if (!Valid(scope, *this, "CglVertexArray::SetAttributeDivisor")) {
        return;
    }
    if (id == 0) {
        return;
    }
    PFNGLVERTEXATTRIBDIVISORPROC setDivisor = InstancedCall(glVertexAttribDivisor, glVertexAttribDivisorARB);
    if (!Available("SetAttributeDivisor", {BindVertexArrayCall(),
                                           {glBindBuffer != nullptr, "glBindBuffer"},
                                           {setDivisor != nullptr, "glVertexAttribDivisor"}})) {
        return;
    }
    glBindVertexArray(id);
    setDivisor(index, divisor);
    glBindVertexArray(0);
    // As after every Set... call, so that callers need not know which binding it touched.
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void CglVertexArray::Draw(GLenum mode, GLint first, GLsizei count, GLsizei instances) const {
    glChecks::Scope scope("CglVertexArray::Draw");
    if (!Valid(scope, *this, "CglVertexArray::Draw")) {
        return;
    }
    if (id == 0) {
        return;
    }
    PFNGLDRAWARRAYSINSTANCEDPROC drawInstanced =
        instances != 1 ? InstancedCall(glDrawArraysInstanced, glDrawArraysInstancedARB) : nullptr;
    if (!Available("Draw", {BindVertexArrayCall(),
                            {instances == 1 || drawInstanced != nullptr, "glDrawArraysInstanced"}})) {
        return;
    }
    glBindVertexArray(id);
    if (instances == 1) {
        glDrawArrays(mode, first, count);
    } else {
        drawInstanced(mode, first, count, instances);
    }
    glBindVertexArray(0);
}

void CglVertexArray::DrawIndexed(GLenum mode, GLsizei count, GLenum indexType, GLintptr indexOffset,
                                 GLsizei instances) const {
    glChecks::Scope scope("CglVertexArray::DrawIndexed");
    if (!Valid(scope, *this, "CglVertexArray::DrawIndexed")) {
        return;
    }
    if (id == 0) {
        return;
    }
    PFNGLDRAWELEMENTSINSTANCEDPROC drawInstanced =
        instances != 1 ? InstancedCall(glDrawElementsInstanced, glDrawElementsInstancedARB) : nullptr;
    if (!Available("DrawIndexed",
                   {BindVertexArrayCall(),
                    {instances == 1 || drawInstanced != nullptr, "glDrawElementsInstanced"}})) {
        return;
    }
    glBindVertexArray(id);
    if (instances == 1) {
        glDrawElements(mode, count, indexType, BufferOffset(indexOffset));
    } else {
        drawInstanced(mode, count, indexType, BufferOffset(indexOffset), instances);
    }
    glBindVertexArray(0);
}
