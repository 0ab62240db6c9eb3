/// @file
/// A framebuffer object: attaching and detaching images, draw and read buffers, blits, attachment queries and
/// the completeness test, each restoring the framebuffer bindings it found; and renderbuffers.
///
/// The calls are those of EXT_framebuffer_object on a compatibility context that lists it, with those of
/// EXT_framebuffer_multisample, EXT_framebuffer_blit and EXT_texture_array where it lists them too (the core
/// calls otherwise). A core profile, and a compatibility context that offers only the core framebuffer
/// objects (OpenGL 3.0 or ARB_framebuffer_object), get the core calls of the same names without the EXT
/// suffix; the enumeration values are the same for both.
#pragma once

#include "glExport.h"
#include <GL/glew.h>

/// @cond internal
namespace glContext {
struct Context;
}
namespace glEntryPoints {
struct FramebufferCalls;
}
/// @endcond

/// Owns one framebuffer name (never the textures or renderbuffers attached to it).
///
/// The configuring operations marked "guarded" bind this framebuffer only for their own duration and then
/// bind again the framebuffers that were current when they were called, also when they call one another:
/// where the context binds a read and a draw framebuffer apart (OpenGL 3.0, ARB_framebuffer_object or
/// EXT_framebuffer_blit), both, each as it was. Bind and Unbind are the only operations that change the
/// bindings for the caller.
///
/// Every operation except the constructor needs a current context with the loader initialised. The first
/// operation learns which calls that context takes, and the object keeps them: like the framebuffer it owns,
/// an object belongs to one context. An operation whose entry point the loader did not provide does nothing
/// and writes one line, "CglFrameBuffer::<operation> ERROR: <entry point> is not available\n". GL errors are
/// never read here; they stay queued for the caller.
///
/// The framebuffer belongs to the context current when GenerateId made it (`context`). Destroying the object
/// on another context (on this thread or another), or with none current, makes no GL call and writes
/// "CglFrameBuffer::~CglFrameBuffer ERROR: belongs to another context\n" (or "... ERROR: no GL context is
/// current\n"): the framebuffer leaks rather than another context's of the same name being deleted.
/// GenerateId with no context current makes nothing and says so the same way. The operations in between ask
/// the window system nothing and are checked so only in the validation mode (glValidation.h).
class VISTREL_API CglFrameBuffer {
  public:
    /// Holds no framebuffer yet; makes no GL call.
    CglFrameBuffer();
    /// Deletes the framebuffer it owns (deleting 0 is harmless); attached images are not deleted.
    virtual ~CglFrameBuffer();

    /// Not copyable: two objects owning one name would delete it twice.
    CglFrameBuffer(const CglFrameBuffer&) = delete;
    /// Not copyable: two objects owning one name would delete it twice.
    CglFrameBuffer& operator=(const CglFrameBuffer&) = delete;
    /// Takes over the name; the source is left holding 0.
    CglFrameBuffer(CglFrameBuffer&& other) noexcept;
    /// Deletes the framebuffer this object owns, then takes over the source's; the source is left holding 0.
    CglFrameBuffer& operator=(CglFrameBuffer&& other) noexcept;

    /// Attaches level `level` of texture `texId` (0 detaches) at `attachment`. Guarded.
    ///
    /// The 1D call for GL_TEXTURE_1D, the 3D call with layer `zSlice` for GL_TEXTURE_3D, the layer call with
    /// layer `zSlice` for an array (GL_TEXTURE_1D_ARRAY, GL_TEXTURE_2D_ARRAY, GL_TEXTURE_2D_MULTISAMPLE_ARRAY
    /// and GL_TEXTURE_CUBE_MAP_ARRAY, where the layer is 6 times the cube plus the face), the 2D call with
    /// `target` as given for anything else (GL_TEXTURE_2D, GL_TEXTURE_2D_MULTISAMPLE, a cube-map face).
    virtual void AttachTexture(GLenum target, GLuint texId, GLenum attachment, GLint level, GLint zSlice);
    /// AttachTexture for entries 0 to count - 1, in order, through virtual dispatch.
    ///
    /// Null `attachments` means GL_COLOR_ATTACHMENT0_EXT + i, null `levels` level 0, null `zSlices` layer 0.
    /// With `count` above 0, a null `targets` or `texIds` attaches nothing and writes
    /// "CglFrameBuffer::AttachTextures ERROR: targets is null\n" (or texIds).
    virtual void AttachTextures(int count, const GLenum* targets, const GLuint* texIds,
                                const GLenum* attachments, const GLint* levels, const GLint* zSlices);
    /// Attaches renderbuffer `renderBufferId` (0 detaches) at `attachment`. Guarded.
    ///
    /// Unless built with NDEBUG, it first asks what is attached there and, when it is this very renderbuffer
    /// (or nothing, for 0), attaches nothing and writes the three-line "CglFrameBuffer::AttachRenderBuffer
    /// PERFORMANCE WARNING:" instead.
    virtual void AttachRenderBuffer(GLuint renderBufferId, GLenum attachment);
    /// AttachRenderBuffer for entries 0 to count - 1, in order, through virtual dispatch.
    ///
    /// Null `attachments` means GL_COLOR_ATTACHMENT0_EXT + i. With `count` above 0, a null `renderBufferIds`
    /// attaches nothing and writes "CglFrameBuffer::AttachRenderBuffers ERROR: renderBufferIds is null\n".
    virtual void AttachRenderBuffers(int count, const GLuint* renderBufferIds, const GLenum* attachments);

    /// Generates a framebuffer name into `fboId` and returns it.
    ///
    /// A name already held is not deleted: call it once per object.
    GLuint GenerateId();
    /// Binds this framebuffer for rendering, even when it is bound already.
    void Bind();
    /// Binds the window-system framebuffer (0). Being static, it asks which context is current.
    static void Unbind();

    /// Detaches whatever is attached at `attachment`. Guarded.
    ///
    /// Goes through AttachTexture or AttachRenderBuffer by the attached type; nothing attached is no error.
    /// An unknown type writes "CglFrameBuffer::unbind_attachment ERROR: Unknown attached resource type\n".
    void unbind_attachment(GLenum attachment);
    /// unbind_attachment on every colour attachment point; depth and stencil keep what they hold.
    void UnbindAllAttachments();

    /// Attaches every layer of level `level` of texture `texId` at `attachment`, for layered rendering.
    /// Guarded.
    ///
    /// All six faces of a cube map, every layer of an array or 3D texture: a geometry shader picks one
    /// per primitive with gl_Layer, and a clear clears them all.
    void AttachLayered(GLuint texId, GLenum attachment, GLint level);
    /// Attaches layer `layer` of level `level` of an array, cube-map array or 3D texture at `attachment`.
    /// Guarded.
    ///
    /// For a cube-map array the layer is 6 times the cube plus the face.
    void AttachTextureLayer(GLuint texId, GLenum attachment, GLint level, GLint layer);

    /// Makes fragment outputs 0 to `count` - 1 write to `attachments[0]` to `attachments[count - 1]`.
    /// Guarded.
    ///
    /// Null `attachments` means GL_COLOR_ATTACHMENT0_EXT + i; `count` 0 writes no colour at all, as a
    /// framebuffer with only a depth attachment needs. A count GL does not accept stays a GL error.
    void SetDrawBuffers(int count, const GLenum* attachments);
    /// Makes `attachment` the one that reads and blits take colour from; GL_NONE for none. Guarded.
    void SetReadBuffer(GLenum attachment);
    /// Copies a rectangle from this framebuffer to `target` (null: the window-system framebuffer).
    ///
    /// The `mask` buffers (GL_COLOR_BUFFER_BIT from the read buffer, GL_DEPTH_BUFFER_BIT,
    /// GL_STENCIL_BUFFER_BIT) of the source rectangle from (`srcX0`, `srcY0`) to (`srcX1`, `srcY1`) are
    /// copied to the destination rectangle, scaled with `filter` (GL_NEAREST or GL_LINEAR); a multisampled
    /// source is resolved. Binds this framebuffer for reading and `target` for drawing for the copy only,
    /// then both bindings the caller had. Needs separate read and draw bindings: without them writes
    /// "CglFrameBuffer::BlitTo ERROR: <blit entry point> is not available\n" and makes no GL call.
    void BlitTo(const CglFrameBuffer* target, GLint srcX0, GLint srcY0, GLint srcX1, GLint srcY1, GLint dstX0,
                GLint dstY0, GLint dstX1, GLint dstY1, GLbitfield mask, GLenum filter);

    /// GL_MAX_COLOR_ATTACHMENTS_EXT, or 0 when the GL does not answer.
    static GLint QueryMaxColorAttachments();

    /// True when the framebuffer is complete. Guarded.
    ///
    /// Otherwise writes the status name as one line (for example
    /// "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT\n", or "Unknown Error\n") and returns false.
    bool CheckStatus();

    /// @name Attachment queries
    /// What is attached at `attachment`, each 0 when the GL does not answer. Guarded.
    ///@{

    /// GL_NONE, GL_TEXTURE or GL_RENDERBUFFER_EXT.
    GLint QueryAttachedType(GLenum attachment);
    /// The attached texture's or renderbuffer's name.
    GLint QueryAttachedId(GLenum attachment);
    /// The attached texture's mipmap level.
    GLint QueryAttachedLevel(GLenum attachment);
    /// The attached cube-map face target.
    GLint QueryAttachedFace(GLenum attachment);
    /// The attached layer of a 3D texture.
    GLint QueryAttachedSlice(GLenum attachment);
    ///@}

    GLuint fboId;         ///< the framebuffer this object owns; 0 for none
    GLint savedFboId;     ///< the (draw) binding the last guarded operation found and restored
    GLint savedReadFboId; ///< the read binding it found; the same as savedFboId without separate bindings
    /// The context that made `fboId`, as its window system names it (its GLX or EGL context handle); read
    /// only while the object holds a framebuffer. Set by the library: destroying the object on another
    /// context is refused, since there the same name may be another framebuffer.
    const void* context;

  protected:
    /// @cond internal
    // The calls of this object's context, learnt by the first operation that needs them.
    const glEntryPoints::FramebufferCalls& Calls() {
        return learntCalls != nullptr ? *learntCalls : LearnCalls();
    }
    // The same, learnt from `current` (the current context) when not learnt yet.
    VISTREL_INTERNAL const glEntryPoints::FramebufferCalls& Calls(const glContext::Context& current);
    // GenerateId on `current`, the current context.
    VISTREL_INTERNAL GLuint GenerateId(const glContext::Context& current);
    // True when `current` (a window system's handle, null for none) may take GL calls for this object:
    // a context is current and, while the object holds a framebuffer, it is the one that made it.
    // Otherwise writes the "no GL context is current" or "belongs to another context" line as `where`
    // ("<Class>::<Operation>").
    VISTREL_INTERNAL bool OnOwnContext(const char* where, const void* current);
    /// @endcond

  private:
    const glEntryPoints::FramebufferCalls* learntCalls;

    VISTREL_INTERNAL const glEntryPoints::FramebufferCalls& LearnCalls();

    // Saves the current bindings in `savedFboId` and `savedReadFboId` and binds this framebuffer for
    // drawing and reading unless it is bound for both. `calls` are this object's.
    void SaveAndBind(const glEntryPoints::FramebufferCalls& calls);
    // Binds the saved framebuffers again, each unless it is this one.
    void RestoreBinding(const glEntryPoints::FramebufferCalls& calls);
    // One attachment parameter of `attachment`, 0 when the GL does not answer. Guarded.
    GLint QueryAttachment(const char* where, const char* operation, GLenum attachment, GLenum pname);
    // Makes the one attach call that `target` selects on the bound framebuffer.
    void FramebufferTextureByTarget(GLenum attachment, GLenum target, GLuint texId, GLint level,
                                    GLint zSlice);
};

/// Creates a renderbuffer of `internalFormat` and `width` by `height` pixels and returns its name, which the
/// caller deletes with glDeleteRenderBuffer.
///
/// `samples` 0 gives single-sampled storage, more multisampled storage with at least that many samples.
/// Takes the calls of the current context as CglFrameBuffer does, and leaves the renderbuffer binding at 0.
/// Returns 0 and writes "glCreateRenderBuffer() : <entry point> is not available\n" where the loader lacks
/// one, and "glCreateRenderBuffer() : no GL context is current\n", with no GL call, without a context. GL
/// errors (a format or size GL refuses) stay queued.
VISTREL_API GLuint glCreateRenderBuffer(GLenum internalFormat, GLsizei width, GLsizei height,
                                        GLsizei samples);

/// Deletes the renderbuffer `*renderBuffer` names and sets it to 0.
///
/// A name of 0 makes no GL call; so does a null pointer, which writes "glDeleteRenderBuffer() : renderBuffer
/// is null\n". Writes "glDeleteRenderBuffer() : <entry point> is not available\n" where the loader lacks
/// it, and "glDeleteRenderBuffer() : no GL context is current\n" without a context, and then keeps the name.
VISTREL_API void glDeleteRenderBuffer(GLuint* renderBuffer);
