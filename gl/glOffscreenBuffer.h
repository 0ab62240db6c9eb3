/// @file
/// An offscreen render target: a framebuffer object with a 2D colour texture and a 2D depth texture of one
/// size, and the viewport that covers them.
#pragma once

#include "glFramebuffer.h"
#include "glTexture.h"

/// An offscreen render target that owns its framebuffer and both textures.
///
/// Every operation of CglFrameBuffer works on it unchanged. Operations need a current context with the loader
/// initialised; one whose framebuffer entry points the loader did not provide does nothing and writes one
/// line, "CglOffscreenBuffer::<operation> ERROR: <entry point> is not available\n".
///
/// Its framebuffer and textures belong to the context current when Create made them: Create again, or
/// destruction, on another context or with none current makes no GL call and writes
/// "CglOffscreenBuffer::<operation> ERROR: belongs to another context\n" (or "... ERROR: no GL context is
/// current\n"), leaking them rather than deleting another context's of the same names.
class VISTREL_API CglOffscreenBuffer : public CglFrameBuffer {
  public:
    /// Holds no GL object, with a 0 by 0 viewport; makes no GL call.
    CglOffscreenBuffer();
    /// Deletes the framebuffer, the depth texture and the colour texture.
    ~CglOffscreenBuffer() override;

    /// Not copyable: two objects owning one set of names would delete them twice.
    CglOffscreenBuffer(const CglOffscreenBuffer&) = delete;
    /// Not copyable: two objects owning one set of names would delete them twice.
    CglOffscreenBuffer& operator=(const CglOffscreenBuffer&) = delete;
    /// Takes over the names and records; the source is left holding no names.
    CglOffscreenBuffer(CglOffscreenBuffer&& other) noexcept;
    /// Deletes what this object owns, then takes over the source's names and records.
    CglOffscreenBuffer& operator=(CglOffscreenBuffer&& other) noexcept;

    /// Creates the target's textures and framebuffer, replacing those of an earlier Create.
    ///
    /// Deletes what an earlier Create made, then creates a `width` by `height` depth texture of internal
    /// format `depthFormat` (one of GL's depth formats) and a colour texture of `colorFormat`, both with
    /// GL_CLAMP wrapping (GL_CLAMP_TO_EDGE on a core profile, which has no GL_CLAMP) and linear filters, and
    /// a framebuffer with them at colour point 0 and the depth point. A packed depth-stencil format
    /// (GL_DEPTH24_STENCIL8, GL_DEPTH32F_STENCIL8, GL_DEPTH_STENCIL) is attached at the stencil point too
    /// (GL_DEPTH_STENCIL_ATTACHMENT with the core calls), so the stencil test works on the target. When the
    /// framebuffer is incomplete it writes the status line and then "Error creating offscreen buffer\n";
    /// nothing is undone. Leaves framebuffer 0 bound, the GL_TEXTURE_2D binding 0 and GL_UNPACK_ALIGNMENT 1.
    void Create(GLsizei width, GLsizei height, GLint colorFormat, GLint depthFormat);
    /// Binds this framebuffer, attaches both textures again (at the points Create chose) and sets the
    /// viewport to the whole target with depth range 0 to 1.
    void BeginRender();
    /// Binds the window-system framebuffer; the viewport stays as BeginRender set it.
    void EndRender();
    /// Reads a rectangle of the colour texture back as RGBA bytes: ReadPixels with GL_RGBA and
    /// GL_UNSIGNED_BYTE into `rgba`.
    bool ReadColor(GLint x, GLint y, GLsizei width, GLsizei height, GLubyte* rgba);
    /// Reads a rectangle of the target back in any pixel format and type.
    ///
    /// Reads the `width` by `height` rectangle at (`x`, `y`) into `pixels` as tightly packed rows of `format`
    /// and `type`, bottom row first, and returns true: colour from the read buffer (the colour texture
    /// unless SetReadBuffer chose otherwise) for a colour format, unclamped for a float type on a float
    /// target; GL_DEPTH_COMPONENT, GL_STENCIL_INDEX or GL_DEPTH_STENCIL from the depth texture. The read
    /// framebuffer binding is this target's only for the read and then the caller's again; the draw
    /// framebuffer binding is not touched. Leaves GL_PACK_ALIGNMENT at 1. Returns false without a GL call for
    /// a width or height below 1, a rectangle not wholly inside the target, or a target not created; for a
    /// null `pixels`, which also writes "CglOffscreenBuffer::ReadPixels ERROR: pixels is null\n" (ReadColor:
    /// rgba); and false, reading nothing, when the framebuffer is not complete. Needs the separate read
    /// binding of OpenGL 3.0, ARB_framebuffer_object or EXT_framebuffer_blit ("CglOffscreenBuffer::ReadPixels
    /// ERROR: <blit entry point> is not available\n" without it), and no pixel-pack buffer bound (GL would
    /// write the pixels there instead). A format and type GL refuses stay a GL error.
    bool ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                    void* pixels);

    GLuint colorTexId;           ///< the colour texture; 0 for none
    GLuint depthTexId;           ///< the depth texture; 0 for none
    ViewportState viewport;      ///< what BeginRender applies
    TextureDesc colorDesc;       ///< how Create made the colour texture
    TextureDesc depthDesc;       ///< how Create made the depth texture
    TextureSampler colorSampler; ///< the colour texture's sampling parameters
    TextureSampler depthSampler; ///< the depth texture's sampling parameters

  private:
    // Deletes the framebuffer, then the depth texture, then the colour texture; the names stay. On another
    // context than the one that made them (`current`), or with none, deletes nothing and says so as
    // `where` ("CglOffscreenBuffer::<Operation>").
    void Release(const char* where, const void* current);
    // ReadPixels, its messages naming `where` ("CglOffscreenBuffer::<Operation>") and `argument`, the name of
    // the caller's pixel pointer.
    bool Read(const char* where, const char* argument, GLint x, GLint y, GLsizei width, GLsizei height,
              GLenum format, GLenum type, void* pixels);
};
