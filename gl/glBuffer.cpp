#include "glBuffer.h"

#include "glChecks.h"
#include "glContext.h"
#include "glEntryPoints.h"
#include "glError.h"

#include <cstdio>

namespace {

// Messages name this file without its directory, whatever path the build gave the compiler. Found when
// compiling, so that a call pays nothing for it.
constexpr const char* FileName(const char* path) {
    const char* name = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (*at == '/' || *at == '\\') {
            name = at + 1;
        }
    }
    return name;
}

constexpr const char* kThisFile = FileName(__FILE__);

// Buffer objects are OpenGL 1.5 and come only from the loader. The first entry point creation needs
// that the loader did not provide, or null.
const char* MissingForCreate() {
    return glEntryPoints::FirstMissing({{glGenBuffers != nullptr, "glGenBuffers"},
                                        {glBindBuffer != nullptr, "glBindBuffer"},
                                        {glBufferData != nullptr, "glBufferData"}});
}

} // namespace

bool glCreateVertexBuffer(const BufferDesc* desc, const BufferData* data, GLuint* bufferID) {
    glChecks::Scope scope("glCreateVertexBuffer");
    if (desc == nullptr || data == nullptr || bufferID == nullptr) {
        return false;
    }
    // Without a context GL would make no buffer and report no error: a name 0 that reads as success.
    if (!glChecks::OnOwnContext("glCreateVertexBuffer", nullptr, glContext::CurrentId())) {
        *bufferID = 0;
        return true;
    }
    if (const char* missing = MissingForCreate()) {
        fprintf(stderr, "glCreateVertexBuffer() : %s is not available\n", missing);
        *bufferID = 0;
        return true;
    }
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, desc->size, data->data, desc->usage);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    // Written even when GL refused the data: the object exists and the caller decides its fate.
    *bufferID = buffer;
    return glCheckError(__LINE__, kThisFile);
}

bool glDeleteVertexBuffer(const GLuint* bufferID) {
    glChecks::Scope scope("glDeleteVertexBuffer");
    if (bufferID == nullptr) {
        return false;
    }
    if (glDeleteBuffers == nullptr) {
        fprintf(stderr, "glDeleteVertexBuffer() : glDeleteBuffers is not available\n");
        return true;
    }
    glDeleteBuffers(1, bufferID);
    return glCheckError(__LINE__, kThisFile);
}

bool glUpdateVertexBuffer(GLuint bufferID, GLintptr offset, GLsizeiptr size, const GLubyte* data) {
    glChecks::Scope scope("glUpdateVertexBuffer");
    if (!glChecks::Given(data, "glUpdateVertexBuffer", "data")) {
        return false;
    }
    if (const char* missing = glEntryPoints::FirstMissing(
            {{glBindBuffer != nullptr, "glBindBuffer"}, {glBufferSubData != nullptr, "glBufferSubData"}})) {
        fprintf(stderr, "glUpdateVertexBuffer() : %s is not available\n", missing);
        return true;
    }
    // The array-buffer binding is the context's, not the bound vertex array's, so drawing state is safe.
    glBindBuffer(GL_ARRAY_BUFFER, bufferID);
    glBufferSubData(GL_ARRAY_BUFFER, offset, size, data);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return glCheckError(__LINE__, kThisFile);
}

void glBindBufferToIndex(GLenum target, GLuint index, GLuint buffer, GLintptr offset, GLsizeiptr size) {
    glChecks::Scope scope("glBindBufferToIndex");
    if (size == 0) {
        if (glBindBufferBase == nullptr) {
            fprintf(stderr, "glBindBufferToIndex() : glBindBufferBase is not available\n");
            return;
        }
        glBindBufferBase(target, index, buffer);
        return;
    }
    if (glBindBufferRange == nullptr) {
        fprintf(stderr, "glBindBufferToIndex() : glBindBufferRange is not available\n");
        return;
    }
    glBindBufferRange(target, index, buffer, offset, size);
}
