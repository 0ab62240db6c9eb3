#include "glOffscreenBuffer.h"

#include "glChecks.h"
#include "glContext.h"
#include "glEntryPoints.h"
#include "glTextureInternal.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace {

using glEntryPoints::EntryPoint;

bool Available(const char* operation, std::initializer_list<EntryPoint> needed) {
    return glEntryPoints::Available("CglOffscreenBuffer", operation, needed);
}

bool PackedDepthStencil(GLint format) {
    return format == GL_DEPTH_STENCIL || format == GL_DEPTH24_STENCIL8 || format == GL_DEPTH32F_STENCIL8;
}

// Attaches the colour texture and the depth texture: a packed depth-stencil texture serves the stencil
// test too, at the combined point where the family has one and at both points otherwise.
void AttachImages(CglOffscreenBuffer& target, const glEntryPoints::FramebufferCalls& calls) {
    target.AttachTexture(GL_TEXTURE_2D, target.colorTexId, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    if (!PackedDepthStencil(target.depthDesc.internalFormat)) {
        target.AttachTexture(GL_TEXTURE_2D, target.depthTexId, GL_DEPTH_ATTACHMENT_EXT, 0, 0);
    } else if (calls.depthStencilAttachment) {
        target.AttachTexture(GL_TEXTURE_2D, target.depthTexId, GL_DEPTH_STENCIL_ATTACHMENT, 0, 0);
    } else {
        target.AttachTexture(GL_TEXTURE_2D, target.depthTexId, GL_DEPTH_ATTACHMENT_EXT, 0, 0);
        target.AttachTexture(GL_TEXTURE_2D, target.depthTexId, GL_STENCIL_ATTACHMENT_EXT, 0, 0);
    }
}

// Messages of this class begin with its name; Available adds it itself.
constexpr size_t kClassPrefix = sizeof "CglOffscreenBuffer::" - 1;

// The validation mode's checks of an operation on `target` (see glChecks::ValidObject).
bool Valid(const glChecks::Scope& scope, const CglOffscreenBuffer& target, const char* where) {
    return glChecks::ValidObject(scope, where, target.fboId != 0, target.context,
                                 "the target holds no framebuffer, so the window's framebuffer (0) takes the "
                                 "operation: call Create first");
}

} // namespace

CglOffscreenBuffer::CglOffscreenBuffer()
    : viewport(0, 0, 0.0f, 1.0f), colorDesc(GL_TEXTURE_2D), depthDesc(GL_TEXTURE_2D) {
    depthTexId = 0;
    colorTexId = 0;
}

CglOffscreenBuffer::~CglOffscreenBuffer() {
    Release("CglOffscreenBuffer::~CglOffscreenBuffer", glContext::CurrentId());
}

CglOffscreenBuffer::CglOffscreenBuffer(CglOffscreenBuffer&& other) noexcept
    : CglFrameBuffer(std::move(other)), colorTexId(other.colorTexId), depthTexId(other.depthTexId),
      viewport(other.viewport), colorDesc(other.colorDesc), depthDesc(other.depthDesc),
      colorSampler(other.colorSampler), depthSampler(other.depthSampler) {
    other.colorTexId = 0;
    other.depthTexId = 0;
}

CglOffscreenBuffer& CglOffscreenBuffer::operator=(CglOffscreenBuffer&& other) noexcept {
    if (this != &other) {
        Release("CglOffscreenBuffer::operator=", glContext::CurrentId());
        // Release keeps the deleted name (or, on another context, leaves it): the base part must not
        // delete it a second time.
        fboId = 0;
        CglFrameBuffer::operator=(std::move(other));
        colorTexId = other.colorTexId;
        depthTexId = other.depthTexId;
        viewport = other.viewport;
        colorDesc = other.colorDesc;
        depthDesc = other.depthDesc;
        colorSampler = other.colorSampler;
        depthSampler = other.depthSampler;
        other.colorTexId = 0;
        other.depthTexId = 0;
    }
    return *this;
}

void CglOffscreenBuffer::Release(const char* where, const void* current) {
    if (fboId != 0 && !OnOwnContext(where, current)) {
        return;
    }
    // Without the entry point no framebuffer was made here (Create checks for it first), and the base
    // destructor reports a name it cannot delete.
    const glEntryPoints::FramebufferCalls& calls = Calls();
    if (calls.deleteFramebuffers != nullptr) {
        calls.deleteFramebuffers(1, &fboId);
    }
    glDeleteTextures(1, &depthTexId);
    glDeleteTextures(1, &colorTexId);
}

void CglOffscreenBuffer::Create(GLsizei width, GLsizei height, GLint colorFormat, GLint depthFormat) {
    glChecks::Scope scope("CglOffscreenBuffer::Create");
    // Checked before anything is deleted or made, so that a missing one leaves no half-built target.
    const glContext::Context& current = glContext::Current();
    if (!OnOwnContext("CglOffscreenBuffer::Create", current.id)) {
        return;
    }
    const glEntryPoints::FramebufferCalls& calls = Calls(current);
    if (!Available("Create", {calls.DeleteFramebuffers(), calls.GenFramebuffers(), calls.BindFramebuffer(),
                              calls.FramebufferTexture2D(), calls.CheckFramebufferStatus()})) {
        return;
    }
    Release("CglOffscreenBuffer::Create", current.id);

    colorDesc.width = width;
    colorDesc.height = height;
    colorDesc.internalFormat = colorFormat;
    // GL_CLAMP is gone from core profiles; on a texture without border, clamping to the edge samples
    // the same texels.
    GLenum wrap = current.core ? GL_CLAMP_TO_EDGE : GL_CLAMP;
    colorSampler.wrapS = wrap;
    colorSampler.wrapT = wrap;
    colorSampler.minFilter = GL_LINEAR;
    colorSampler.magFilter = GL_LINEAR;
    depthDesc.width = width;
    depthDesc.height = height;
    depthDesc.internalFormat = depthFormat;
    depthSampler.wrapS = wrap;
    depthSampler.wrapT = wrap;
    depthSampler.minFilter = GL_LINEAR;
    depthSampler.magFilter = GL_LINEAR;

    TextureData colorRes;
    TextureData depthRes;
    bool packed = PackedDepthStencil(depthFormat);
    colorRes.format = GL_RGBA;
    depthRes.format = packed ? GL_DEPTH_STENCIL : GL_DEPTH_COMPONENT;
    // GL allocates no image for a type that is not one of its own, even without pixels. Bytes suit
    // every colour format; floats cover every depth format without a narrowing conversion; a packed
    // depth-stencil format takes a packed type, and GL accepts this one for each of them.
    colorRes.type = GL_UNSIGNED_BYTE;
    depthRes.type = packed ? GL_UNSIGNED_INT_24_8 : GL_FLOAT;

    depthTexId = glTextureInternal::CreateTexture(current, &depthDesc, &depthRes, &depthSampler);
    colorTexId = glTextureInternal::CreateTexture(current, &colorDesc, &colorRes, &colorSampler);

    GenerateId(current);
    // Bound now, the guarded calls below make no bind calls of their own.
    Bind();
    AttachImages(*this, calls);
    viewport.height = height;
    viewport.width = width;
    if (!CheckStatus()) {
        fprintf(stderr, "Error creating offscreen buffer\n");
    }
    calls.bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
}

void CglOffscreenBuffer::BeginRender() {
    glChecks::Scope scope("CglOffscreenBuffer::BeginRender");
    if (!Valid(scope, *this, "CglOffscreenBuffer::BeginRender")) {
        return;
    }
    const glEntryPoints::FramebufferCalls& calls = Calls();
    if (!Available("BeginRender", {calls.BindFramebuffer()})) {
        return;
    }
    Bind();
    AttachImages(*this, calls);
    glApplyViewportState(&viewport);
}

void CglOffscreenBuffer::EndRender() {
    glChecks::Scope scope("CglOffscreenBuffer::EndRender");
    if (!Valid(scope, *this, "CglOffscreenBuffer::EndRender")) {
        return;
    }
    // The object's own calls, where the static Unbind would ask which context is current.
    const glEntryPoints::FramebufferCalls& calls = Calls();
    if (Available("EndRender", {calls.BindFramebuffer()})) {
        calls.bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
    }
}

bool CglOffscreenBuffer::ReadColor(GLint x, GLint y, GLsizei width, GLsizei height, GLubyte* rgba) {
    return Read("CglOffscreenBuffer::ReadColor", "rgba", x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                rgba);
}

bool CglOffscreenBuffer::ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                                    GLenum type, void* pixels) {
    return Read("CglOffscreenBuffer::ReadPixels", "pixels", x, y, width, height, format, type, pixels);
}

bool CglOffscreenBuffer::Read(const char* where, const char* argument, GLint x, GLint y, GLsizei width,
                              GLsizei height, GLenum format, GLenum type, void* pixels) {
    glChecks::Scope scope(where);
    if (!glChecks::Given(pixels, where, argument) || !Valid(scope, *this, where)) {
        return false;
    }
    // Compared without sums, which a large request could overflow.
    bool inside = x >= 0 && y >= 0 && width >= 1 && height >= 1 && x < colorDesc.width &&
                  y < colorDesc.height && width <= colorDesc.width - x && height <= colorDesc.height - y;
    if (fboId == 0 || colorTexId == 0 || !inside) {
        return false;
    }
    const glEntryPoints::FramebufferCalls& calls = Calls();
    if (!Available(where + kClassPrefix,
                   {calls.BindFramebuffer(), calls.SeparateBindings(), calls.CheckFramebufferStatus()})) {
        return false;
    }
    // Only the read binding is switched, so the caller's drawing target stays as it was throughout.
    GLint callerRead = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &callerRead);
    bool switchRead = static_cast<GLint>(fboId) != callerRead;
    if (switchRead) {
        calls.bindFramebuffer(GL_READ_FRAMEBUFFER, fboId);
    }
    // An incomplete framebuffer reads nothing; GL would say so only with an error.
    bool complete = calls.checkFramebufferStatus(GL_READ_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE_EXT;
    if (complete) {
        // A framebuffer object reads colour from its first colour attachment unless told otherwise.
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, width, height, format, type, pixels);
    }
    if (switchRead) {
        calls.bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(callerRead));
    }
    return complete;
}
