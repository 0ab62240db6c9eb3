#include "glFramebuffer.h"

#include "glChecks.h"
#include "glContext.h"
#include "glEntryPoints.h"

#include <cstdio>
#include <initializer_list>

namespace {

using glEntryPoints::EntryPoint;
using glEntryPoints::FramebufferCalls;

// Arrays are attached one layer at a time with the layer call; the 2D call would take a single layer
// of its own choosing, or none.
EntryPoint TextureCall(const FramebufferCalls& calls, GLenum target) {
    switch (target) {
    case GL_TEXTURE_1D:
        return calls.FramebufferTexture1D();
    case GL_TEXTURE_3D:
        return calls.FramebufferTexture3D();
    case GL_TEXTURE_1D_ARRAY:
    case GL_TEXTURE_2D_ARRAY:
    case GL_TEXTURE_2D_MULTISAMPLE_ARRAY:
    case GL_TEXTURE_CUBE_MAP_ARRAY:
        return calls.FramebufferTextureLayer();
    default:
        return calls.FramebufferTexture2D();
    }
}

bool Available(const char* operation, std::initializer_list<EntryPoint> needed) {
    return glEntryPoints::Available("CglFrameBuffer", operation, needed);
}

// Deleting 0 needs no entry point, so an object that never made a framebuffer is silent without one.
void DeleteFramebuffer(const char* operation, const FramebufferCalls& calls, const GLuint& fboId) {
    if (calls.deleteFramebuffers != nullptr) {
        calls.deleteFramebuffers(1, &fboId);
    } else if (fboId != 0) {
        Available(operation, {calls.DeleteFramebuffers()});
    }
}

// The status line of an incomplete framebuffer; null when it is complete.
const char* StatusLine(GLenum status) {
    switch (status) {
    case GL_FRAMEBUFFER_COMPLETE_EXT:
        return nullptr;
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT\n";
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT\n";
    case GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT\n";
    case GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT\n";
    case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT\n";
    case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT\n";
    case GL_FRAMEBUFFER_UNSUPPORTED_EXT:
        return "GL_FRAMEBUFFER_UNSUPPORTED_EXT\n";
    default:
        return "Unknown Error\n";
    }
}

// The validation mode's checks of an operation on `framebuffer` (see glChecks::ValidObject).
bool Valid(const glChecks::Scope& scope, const CglFrameBuffer& framebuffer, const char* where) {
    return glChecks::ValidObject(scope, where, framebuffer.fboId != 0, framebuffer.context,
                                 "the object holds no framebuffer, so the window's framebuffer (0) takes the "
                                 "operation: call GenerateId first");
}

} // namespace

CglFrameBuffer::CglFrameBuffer()
    : fboId(0), savedFboId(0), savedReadFboId(0), context(nullptr), learntCalls(nullptr) {}

CglFrameBuffer::~CglFrameBuffer() {
    if (fboId == 0 || OnOwnContext("CglFrameBuffer::~CglFrameBuffer", glContext::CurrentId())) {
        DeleteFramebuffer("~CglFrameBuffer", Calls(), fboId);
    }
}

CglFrameBuffer::CglFrameBuffer(CglFrameBuffer&& other) noexcept
    : fboId(other.fboId), savedFboId(other.savedFboId), savedReadFboId(other.savedReadFboId),
      context(other.context), learntCalls(other.learntCalls) {
    other.fboId = 0;
    other.savedFboId = 0;
    other.savedReadFboId = 0;
    other.context = nullptr;
}

CglFrameBuffer& CglFrameBuffer::operator=(CglFrameBuffer&& other) noexcept {
    if (this != &other) {
        if (fboId == 0 || OnOwnContext("CglFrameBuffer::operator=", glContext::CurrentId())) {
            DeleteFramebuffer("operator=", Calls(), fboId);
        }
        fboId = other.fboId;
        savedFboId = other.savedFboId;
        savedReadFboId = other.savedReadFboId;
        learntCalls = other.learntCalls;
        context = other.context;
        other.fboId = 0;
        other.savedFboId = 0;
        other.savedReadFboId = 0;
        other.context = nullptr;
    }
    return *this;
}

bool CglFrameBuffer::OnOwnContext(const char* where, const void* current) {
    return glChecks::OnOwnContext(where, fboId != 0 ? context : nullptr, current);
}

const FramebufferCalls& CglFrameBuffer::LearnCalls() {
    learntCalls = &glEntryPoints::Framebuffers();
    return *learntCalls;
}

const FramebufferCalls& CglFrameBuffer::Calls(const glContext::Context& current) {
    if (learntCalls == nullptr) {
        learntCalls = &glEntryPoints::Framebuffers(current);
    }
    return *learntCalls;
}

GLuint CglFrameBuffer::GenerateId() {
    glChecks::Scope scope("CglFrameBuffer::GenerateId");
    return GenerateId(glContext::Current());
}

GLuint CglFrameBuffer::GenerateId(const glContext::Context& current) {
    // The name held is not deleted, so it may be another context's.
    if (!glChecks::OnOwnContext("CglFrameBuffer::GenerateId", nullptr, current.id)) {
        return fboId;
    }
    const FramebufferCalls& calls = Calls(current);
    if (Available("GenerateId", {calls.GenFramebuffers()})) {
        calls.genFramebuffers(1, &fboId);
        context = current.id;
    }
    return fboId;
}

void CglFrameBuffer::Bind() {
    glChecks::Scope scope("CglFrameBuffer::Bind");
    if (!Valid(scope, *this, "CglFrameBuffer::Bind")) {
        return;
    }
    const FramebufferCalls& calls = Calls();
    if (Available("Bind", {calls.BindFramebuffer()})) {
        calls.bindFramebuffer(GL_FRAMEBUFFER_EXT, fboId);
    }
}

void CglFrameBuffer::Unbind() {
    glChecks::Scope scope("CglFrameBuffer::Unbind");
    const FramebufferCalls& calls = glEntryPoints::Framebuffers();
    if (Available("Unbind", {calls.BindFramebuffer()})) {
        calls.bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
    }
}

inline void CglFrameBuffer::SaveAndBind(const FramebufferCalls& calls) {
    // With separate bindings this is the draw binding, which has the same value.
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &savedFboId);
    savedReadFboId = savedFboId;
    if (calls.separateBindings) {
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &savedReadFboId);
    }
    // Bound for both, so that the read buffer and the attachments concern the same framebuffer.
    const GLint self = static_cast<GLint>(fboId);
    if (self != savedFboId || self != savedReadFboId) {
        calls.bindFramebuffer(GL_FRAMEBUFFER_EXT, fboId);
    }
}

inline void CglFrameBuffer::RestoreBinding(const FramebufferCalls& calls) {
    const GLint self = static_cast<GLint>(fboId);
    if (savedFboId == savedReadFboId) {
        if (self != savedFboId) {
            calls.bindFramebuffer(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(savedFboId));
        }
        return;
    }
    if (self != savedFboId) {
        calls.bindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(savedFboId));
    }
    if (self != savedReadFboId) {
        calls.bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(savedReadFboId));
    }
}

inline void CglFrameBuffer::FramebufferTextureByTarget(GLenum attachment, GLenum target, GLuint texId,
                                                       GLint level, GLint zSlice) {
    const FramebufferCalls& calls = Calls();
    switch (target) {
    case GL_TEXTURE_1D:
        calls.framebufferTexture1D(GL_FRAMEBUFFER_EXT, attachment, GL_TEXTURE_1D, texId, level);
        break;
    case GL_TEXTURE_3D:
        calls.framebufferTexture3D(GL_FRAMEBUFFER_EXT, attachment, GL_TEXTURE_3D, texId, level, zSlice);
        break;
    case GL_TEXTURE_1D_ARRAY:
    case GL_TEXTURE_2D_ARRAY:
    case GL_TEXTURE_2D_MULTISAMPLE_ARRAY:
    case GL_TEXTURE_CUBE_MAP_ARRAY:
        calls.framebufferTextureLayer(GL_FRAMEBUFFER_EXT, attachment, texId, level, zSlice);
        break;
    default:
        calls.framebufferTexture2D(GL_FRAMEBUFFER_EXT, attachment, target, texId, level);
        break;
    }
}

void CglFrameBuffer::AttachTexture(GLenum target, GLuint texId, GLenum attachment, GLint level,
                                   GLint zSlice) {
    glChecks::Scope scope("CglFrameBuffer::AttachTexture");
    if (!Valid(scope, *this, "CglFrameBuffer::AttachTexture")) {
        return;
    }
    if (scope.Checking() && target == GL_TEXTURE_CUBE_MAP) {
        glChecks::Report(
            "CglFrameBuffer::AttachTexture",
            "GL_TEXTURE_CUBE_MAP is a whole cube map, which the 2D attach call cannot take: attach "
            "one face (GL_TEXTURE_CUBE_MAP_POSITIVE_X + i), or all six with AttachLayered");
    }
    const FramebufferCalls& calls = Calls();
    if (!Available("AttachTexture", {calls.BindFramebuffer(), TextureCall(calls, target)})) {
        return;
    }
    SaveAndBind(calls);
    FramebufferTextureByTarget(attachment, target, texId, level, zSlice);
    RestoreBinding(calls);
}

void CglFrameBuffer::AttachTextures(int count, const GLenum* targets, const GLuint* texIds,
                                    const GLenum* attachments, const GLint* levels, const GLint* zSlices) {
    glChecks::Scope scope("CglFrameBuffer::AttachTextures");
    if (!Valid(scope, *this, "CglFrameBuffer::AttachTextures")) {
        return;
    }
    // Nothing is read for a count below 1, so nothing is missing then.
    if (count > 0 && (!glChecks::Given(targets, "CglFrameBuffer::AttachTextures", "targets") ||
                      !glChecks::Given(texIds, "CglFrameBuffer::AttachTextures", "texIds"))) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        GLenum attachment = attachments ? attachments[i] : GL_COLOR_ATTACHMENT0_EXT + i;
        AttachTexture(targets[i], texIds[i], attachment, levels ? levels[i] : 0, zSlices ? zSlices[i] : 0);
    }
}

void CglFrameBuffer::AttachRenderBuffer(GLuint renderBufferId, GLenum attachment) {
    glChecks::Scope scope("CglFrameBuffer::AttachRenderBuffer");
    if (!Valid(scope, *this, "CglFrameBuffer::AttachRenderBuffer")) {
        return;
    }
    const FramebufferCalls& calls = Calls();
#ifdef NDEBUG
    if (!Available("AttachRenderBuffer", {calls.BindFramebuffer(), calls.FramebufferRenderbuffer()})) {
        return;
    }
    SaveAndBind(calls);
    calls.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, attachment, GL_RENDERBUFFER_EXT, renderBufferId);
    RestoreBinding(calls);
#else
    if (!Available("AttachRenderBuffer",
                   {calls.BindFramebuffer(), calls.GetFramebufferAttachmentParameteriv(),
                    calls.FramebufferRenderbuffer()})) {
        return;
    }
    SaveAndBind(calls);
    // The queries are guarded too: they find this framebuffer bound and overwrite the saved bindings
    // with it.
    const GLint callerBinding = savedFboId;
    const GLint callerRead = savedReadFboId;
    // Texture and renderbuffer names are counted separately, so an equal name alone may be a texture;
    // the type is asked only then, keeping the usual cost at one query.
    bool redundant = QueryAttachedId(attachment) == static_cast<GLint>(renderBufferId) &&
                     QueryAttachedType(attachment) != GL_TEXTURE;
    if (redundant) {
        fprintf(stderr, "CglFrameBuffer::AttachRenderBuffer PERFORMANCE WARNING:\n");
        fprintf(stderr, "\tRedundant bind of Renderbuffer (id = %d)\n", static_cast<int>(renderBufferId));
        fprintf(stderr, "\tHINT : Compile with -DNDEBUG to remove this warning.\n");
    } else {
        calls.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, attachment, GL_RENDERBUFFER_EXT, renderBufferId);
    }
    savedFboId = callerBinding;
    savedReadFboId = callerRead;
    RestoreBinding(calls);
#endif
}

void CglFrameBuffer::AttachRenderBuffers(int count, const GLuint* renderBufferIds,
                                         const GLenum* attachments) {
    glChecks::Scope scope("CglFrameBuffer::AttachRenderBuffers");
    if (!Valid(scope, *this, "CglFrameBuffer::AttachRenderBuffers")) {
        return;
    }
    if (count > 0 &&
        !glChecks::Given(renderBufferIds, "CglFrameBuffer::AttachRenderBuffers", "renderBufferIds")) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        AttachRenderBuffer(renderBufferIds[i], attachments ? attachments[i] : GL_COLOR_ATTACHMENT0_EXT + i);
    }
}

void CglFrameBuffer::unbind_attachment(GLenum attachment) {
    glChecks::Scope scope("CglFrameBuffer::unbind_attachment");
    if (!Valid(scope, *this, "CglFrameBuffer::unbind_attachment")) {
        return;
    }
    const FramebufferCalls& calls = Calls();
    if (!Available("unbind_attachment",
                   {calls.BindFramebuffer(), calls.GetFramebufferAttachmentParameteriv()})) {
        return;
    }
    SaveAndBind(calls);
    // The inner operations are guarded too and overwrite the saved bindings with this framebuffer's name.
    const GLint callerBinding = savedFboId;
    const GLint callerRead = savedReadFboId;
    switch (QueryAttachedType(attachment)) {
    case GL_NONE:
        break;
    case GL_TEXTURE:
        // Name 0 detaches whatever the target of the attached texture was.
        AttachTexture(GL_TEXTURE_2D, 0, attachment, 0, 0);
        break;
    case GL_RENDERBUFFER_EXT:
        AttachRenderBuffer(0, attachment);
        break;
    default:
        fprintf(stderr, "CglFrameBuffer::unbind_attachment ERROR: Unknown attached resource type\n");
        break;
    }
    savedFboId = callerBinding;
    savedReadFboId = callerRead;
    RestoreBinding(calls);
}

void CglFrameBuffer::UnbindAllAttachments() {
    glChecks::Scope scope("CglFrameBuffer::UnbindAllAttachments");
    if (!Valid(scope, *this, "CglFrameBuffer::UnbindAllAttachments")) {
        return;
    }
    // One line for the whole sweep rather than one per attachment point.
    const FramebufferCalls& calls = Calls();
    if (!Available("UnbindAllAttachments",
                   {calls.BindFramebuffer(), calls.GetFramebufferAttachmentParameteriv()})) {
        return;
    }
    GLint n = QueryMaxColorAttachments();
    for (GLint i = 0; i < n; ++i) {
        unbind_attachment(GL_COLOR_ATTACHMENT0_EXT + i);
    }
}

void CglFrameBuffer::AttachLayered(GLuint texId, GLenum attachment, GLint level) {
    glChecks::Scope scope("CglFrameBuffer::AttachLayered");
    if (!Valid(scope, *this, "CglFrameBuffer::AttachLayered")) {
        return;
    }
    const FramebufferCalls& calls = Calls();
    if (!Available("AttachLayered", {calls.BindFramebuffer(), calls.FramebufferTexture()})) {
        return;
    }
    SaveAndBind(calls);
    calls.framebufferTexture(GL_FRAMEBUFFER_EXT, attachment, texId, level);
    RestoreBinding(calls);
}

void CglFrameBuffer::AttachTextureLayer(GLuint texId, GLenum attachment, GLint level, GLint layer) {
    glChecks::Scope scope("CglFrameBuffer::AttachTextureLayer");
    if (!Valid(scope, *this, "CglFrameBuffer::AttachTextureLayer")) {
        return;
    }
    const FramebufferCalls& calls = Calls();
    if (!Available("AttachTextureLayer", {calls.BindFramebuffer(), calls.FramebufferTextureLayer()})) {
        return;
    }
    SaveAndBind(calls);
    calls.framebufferTextureLayer(GL_FRAMEBUFFER_EXT, attachment, texId, level, layer);
    RestoreBinding(calls);
}

void CglFrameBuffer::SetDrawBuffers(int count, const GLenum* attachments) {
    glChecks::Scope scope("CglFrameBuffer::SetDrawBuffers");
    if (!Valid(scope, *this, "CglFrameBuffer::SetDrawBuffers")) {
        return;
    }
    const FramebufferCalls& calls = Calls();
    // Tested plainly first: the list that names the missing one is built only when one is.
    if ((calls.bindFramebuffer == nullptr || glDrawBuffers == nullptr) &&
        !Available("SetDrawBuffers",
                   {calls.BindFramebuffer(), {glDrawBuffers != nullptr, "glDrawBuffers"}})) {
        return;
    }
    // GL's enumeration leaves room for 32 colour attachments; no GL draws to more at once, so a larger
    // count is refused as it would have been.
    GLenum defaults[32];
    if (attachments == nullptr) {
        count = count < 32 ? count : 32;
        for (int i = 0; i < count; ++i) {
            defaults[i] = GL_COLOR_ATTACHMENT0_EXT + i;
        }
        attachments = defaults;
    }
    SaveAndBind(calls);
    glDrawBuffers(count, attachments);
    RestoreBinding(calls);
}

void CglFrameBuffer::SetReadBuffer(GLenum attachment) {
    glChecks::Scope scope("CglFrameBuffer::SetReadBuffer");
    if (!Valid(scope, *this, "CglFrameBuffer::SetReadBuffer")) {
        return;
    }
    const FramebufferCalls& calls = Calls();
    if (!Available("SetReadBuffer", {calls.BindFramebuffer()})) {
        return;
    }
    SaveAndBind(calls);
    glReadBuffer(attachment);
    RestoreBinding(calls);
}

void CglFrameBuffer::BlitTo(const CglFrameBuffer* target, GLint srcX0, GLint srcY0, GLint srcX1, GLint srcY1,
                            GLint dstX0, GLint dstY0, GLint dstX1, GLint dstY1, GLbitfield mask,
                            GLenum filter) {
    glChecks::Scope scope("CglFrameBuffer::BlitTo");
    if (!Valid(scope, *this, "CglFrameBuffer::BlitTo")) {
        return;
    }
    const FramebufferCalls& calls = Calls();
    if (!Available("BlitTo", {calls.BindFramebuffer(), calls.SeparateBindings(), calls.BlitFramebuffer()})) {
        return;
    }
    if (scope.Checking() && target != nullptr && target->fboId == 0) {
        glChecks::Report("CglFrameBuffer::BlitTo",
                         "the target holds no framebuffer, so the window's framebuffer "
                         "(0) receives the copy: call its GenerateId first, or pass null "
                         "for the window");
    }
    const GLint read = static_cast<GLint>(fboId);
    const GLint draw = target != nullptr ? static_cast<GLint>(target->fboId) : 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &savedFboId);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &savedReadFboId);
    if (read != savedReadFboId) {
        calls.bindFramebuffer(GL_READ_FRAMEBUFFER, fboId);
    }
    if (draw != savedFboId) {
        calls.bindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(draw));
    }
    calls.blitFramebuffer(srcX0, srcY0, srcX1, srcY1, dstX0, dstY0, dstX1, dstY1, mask, filter);
    if (draw != savedFboId) {
        calls.bindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(savedFboId));
    }
    if (read != savedReadFboId) {
        calls.bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(savedReadFboId));
    }
}

GLint CglFrameBuffer::QueryMaxColorAttachments() {
    glChecks::Scope scope("CglFrameBuffer::QueryMaxColorAttachments");
    GLint maxAttach = 0;
    glGetIntegerv(GL_MAX_COLOR_ATTACHMENTS_EXT, &maxAttach);
    return maxAttach;
}

bool CglFrameBuffer::CheckStatus() {
    glChecks::Scope scope("CglFrameBuffer::CheckStatus");
    if (!Valid(scope, *this, "CglFrameBuffer::CheckStatus")) {
        return false;
    }
    const FramebufferCalls& calls = Calls();
    if (!Available("CheckStatus", {calls.BindFramebuffer(), calls.CheckFramebufferStatus()})) {
        return false;
    }
    SaveAndBind(calls);
    GLenum status = calls.checkFramebufferStatus(GL_FRAMEBUFFER_EXT);
    const char* line = StatusLine(status);
    if (line != nullptr) {
        fprintf(stderr, "%s", line);
    }
    RestoreBinding(calls);
    return line == nullptr;
}

GLint CglFrameBuffer::QueryAttachment(const char* where, const char* operation, GLenum attachment,
                                      GLenum pname) {
    glChecks::Scope scope(where);
    if (!Valid(scope, *this, where)) {
        return 0;
    }
    const FramebufferCalls& calls = Calls();
    if (!Available(operation, {calls.BindFramebuffer(), calls.GetFramebufferAttachmentParameteriv()})) {
        return 0;
    }
    SaveAndBind(calls);
    GLint value = 0;
    calls.getFramebufferAttachmentParameteriv(GL_FRAMEBUFFER_EXT, attachment, pname, &value);
    RestoreBinding(calls);
    return value;
}

GLint CglFrameBuffer::QueryAttachedType(GLenum attachment) {
    return QueryAttachment("CglFrameBuffer::QueryAttachedType", "QueryAttachedType", attachment,
                           GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT);
}

GLint CglFrameBuffer::QueryAttachedId(GLenum attachment) {
    return QueryAttachment("CglFrameBuffer::QueryAttachedId", "QueryAttachedId", attachment,
                           GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT);
}

GLint CglFrameBuffer::QueryAttachedLevel(GLenum attachment) {
    return QueryAttachment("CglFrameBuffer::QueryAttachedLevel", "QueryAttachedLevel", attachment,
                           GL_FRAMEBUFFER_ATTACHMENT_TEXTURE_LEVEL_EXT);
}

GLint CglFrameBuffer::QueryAttachedFace(GLenum attachment) {
    return QueryAttachment("CglFrameBuffer::QueryAttachedFace", "QueryAttachedFace", attachment,
                           GL_FRAMEBUFFER_ATTACHMENT_TEXTURE_CUBE_MAP_FACE_EXT);
}

GLint CglFrameBuffer::QueryAttachedSlice(GLenum attachment) {
    return QueryAttachment("CglFrameBuffer::QueryAttachedSlice", "QueryAttachedSlice", attachment,
                           GL_FRAMEBUFFER_ATTACHMENT_TEXTURE_3D_ZOFFSET_EXT);
}

GLuint glCreateRenderBuffer(GLenum internalFormat, GLsizei width, GLsizei height, GLsizei samples) {
    glChecks::Scope scope("glCreateRenderBuffer");
    const glContext::Context& context = glContext::Current();
    if (!glChecks::OnOwnContext("glCreateRenderBuffer", nullptr, context.id)) {
        return 0;
    }
    const FramebufferCalls& calls = glEntryPoints::Framebuffers(context);
    // Any other count than 0 goes to the multisample call, which refuses a negative one itself.
    EntryPoint storage = samples != 0 ? calls.RenderbufferStorageMultisample() : calls.RenderbufferStorage();
    const char* missing =
        glEntryPoints::FirstMissing({calls.GenRenderbuffers(), calls.BindRenderbuffer(), storage});
    if (missing != nullptr) {
        fprintf(stderr, "glCreateRenderBuffer() : %s is not available\n", missing);
        return 0;
    }
    GLuint renderBuffer = 0;
    calls.genRenderbuffers(1, &renderBuffer);
    calls.bindRenderbuffer(GL_RENDERBUFFER_EXT, renderBuffer);
    if (samples != 0) {
        calls.renderbufferStorageMultisample(GL_RENDERBUFFER_EXT, samples, internalFormat, width, height);
    } else {
        calls.renderbufferStorage(GL_RENDERBUFFER_EXT, internalFormat, width, height);
    }
    calls.bindRenderbuffer(GL_RENDERBUFFER_EXT, 0);
    return renderBuffer;
}

void glDeleteRenderBuffer(GLuint* renderBuffer) {
    glChecks::Scope scope("glDeleteRenderBuffer");
    if (!glChecks::Given(renderBuffer, "glDeleteRenderBuffer", "renderBuffer") || *renderBuffer == 0) {
        return;
    }
    const glContext::Context& context = glContext::Current();
    if (!glChecks::OnOwnContext("glDeleteRenderBuffer", nullptr, context.id)) {
        return;
    }
    const FramebufferCalls& calls = glEntryPoints::Framebuffers(context);
    if (calls.deleteRenderbuffers == nullptr) {
        fprintf(stderr, "glDeleteRenderBuffer() : %s is not available\n", calls.DeleteRenderbuffers().name);
        return;
    }
    calls.deleteRenderbuffers(1, renderBuffer);
    *renderBuffer = 0;
}
