// Texture creation from description records and sampling parameters, the render-state records
// (blend, depth-stencil, viewport) with their apply functions, and the GL error check.
//
// The records are plain values: the functions read them and keep no pointer to them. Every function
// needs a current GL context; entry points beyond OpenGL 1.1 come from the extension loader, which the
// program initialises after creating its window.
#pragma once

#include "glExport.h"
#include <GL/glew.h>

// What to create. Every field is 32 bits wide.
struct VISTREL_API TextureDesc {
    GLenum target;        // GL_TEXTURE_1D, _2D, _3D, _CUBE_MAP or GL_TEXTURE_2D_ARRAY_EXT
    GLsizei width;        // in texels
    GLsizei height;       // in texels; unused for 1D
    GLsizei depth;        // in texels; used by GL_TEXTURE_3D only
    GLint border;         // border width handed to every upload
    GLint mipLevels;      // 0 generates the mipmap chain (GL_TEXTURE_2D only); otherwise level 0 alone
    GLsizei layers;       // used by GL_TEXTURE_2D_ARRAY_EXT only, as the upload's depth
    GLint internalFormat; // internal format of every image

    // Sizes 0, border 0, mipLevels 1, layers 1, internal format GL_RGBA.
    TextureDesc(GLenum target);
};

// One image's pixels. For a cube map, six consecutive records: +X, -X, +Y, -Y, +Z, -Z.
struct VISTREL_API TextureData {
    const GLubyte* pixels; // level 0; null allocates the image without content
    GLenum format;         // handed to GL unchanged, even when pixels is null
    GLenum type;           // handed to GL unchanged, even when pixels is null

    // Every field zero.
    TextureData();
};

// The filter pair.
struct VISTREL_API TextureFilter {
    GLenum minFilter;
    GLenum magFilter;

    // Both filters GL_LINEAR.
    TextureFilter();
    // Both filters back to GL_LINEAR.
    void SetDefaults();
};

// Every sampling parameter of a texture; the filters come first.
struct VISTREL_API TextureSampler : TextureFilter {
    GLenum wrapR;
    GLenum wrapS;
    GLenum wrapT;
    GLint maxAnisotropy;  // GL_TEXTURE_MAX_ANISOTROPY_EXT, an integer
    GLenum compareFunc;   // depth comparison; 0 turns comparison off
    float borderColor[4]; // red, green, blue, alpha
    float minLod;
    float maxLod;

    // Wraps GL_CLAMP_TO_EDGE, anisotropy 1, no comparison, border (0, 0, 0, 0), LOD range 0 to the
    // largest finite float, filters GL_LINEAR.
    TextureSampler();
    // Every field back to the defaults above, the filters included.
    void SetDefaults();
};

// Sets the parameters of the texture bound at `target`. A null sampler sets only filters GL_LINEAR and
// wraps S and T GL_CLAMP_TO_EDGE. GL errors (an unknown parameter value, say) stay queued; prints nothing.
VISTREL_API void glApplyTextureSampler(GLenum target, const TextureSampler* sampler);

// Creates a texture from `desc`, level 0 from `data` (six records for a cube map), sampling from
// `sampler` (null: the short default set), and returns its name, which the caller deletes.
// Returns 0xFFFFFFFF without a GL call when `desc` or `data` is null. Returns 0 and prints
// "glCreateTexture() : invalid target value" for a target it does not support, or
// "glCreateTexture() : glTexImage3D is not available" when a 3D or array upload lacks its entry point.
// Leaves the target's binding at 0 and GL_UNPACK_ALIGNMENT at 1; GL errors stay queued.
// The mipmap chain comes from GL_GENERATE_MIPMAP, set before the upload, or on a core profile, which
// lacks it, from glGenerateMipmap after the upload ("glCreateTexture() : glGenerateMipmap is not
// available" when the loader lacks it: level 0 alone is made).
VISTREL_API GLuint glCreateTexture(const TextureDesc* desc, const TextureData* data,
                                   const TextureSampler* sampler);

// Replaces the `width` by `height` rectangle at (`x`, `y`) of level `level` of the 2D texture `texture`
// with data->pixels (tightly packed rows of data->format and data->type). Returns true when it made the
// upload, false without a GL call for a null record, null pixels or texture 0: unlike the buffer
// functions, whose true means that GL reported an error. GL errors (a rectangle outside the level, a
// texture that is not 2D) stay queued. Leaves the GL_TEXTURE_2D binding at 0 and GL_UNPACK_ALIGNMENT at
// 1. Prints nothing.
VISTREL_API bool glUpdateTexture2D(GLuint texture, GLint level, GLint x, GLint y, GLsizei width,
                                   GLsizei height, const TextureData* data);

// Binds `texture` (0 unbinds) at `target` on texture unit `unit`, counted from 0, for programs that
// sample it there; leaves unit 0 active. A unit GL does not have leaves GL_INVALID_ENUM queued, and the
// bind is then made on the unit that was active. When the loader lacks glActiveTexture, makes no GL call and
// prints "glBindTextureToUnit() : glActiveTexture is not available".
VISTREL_API void glBindTextureToUnit(int unit, GLenum target, GLuint texture);

// The viewport rectangle and depth range.
struct VISTREL_API ViewportState {
    GLint x;
    GLint y;
    GLsizei width;
    GLsizei height;
    float zNear;
    float zFar;

    // x and y 0.
    ViewportState(GLsizei width, GLsizei height, float zNear, float zFar);
};

// Sets the viewport and the depth range from `state`; a null state makes no GL call. Prints nothing.
VISTREL_API void glApplyViewportState(const ViewportState* state);

// Blending and the colour write masks of draw buffers 0 to 7. The caller sets every field.
struct BlendState {
    bool blendEnable;
    GLenum srcRGB;
    GLenum srcAlpha;
    GLenum blendEquation; // for colour and alpha together
    GLenum dstRGB;
    GLenum dstAlpha;
    // Per draw buffer: 0x01 red, 0x02 green, 0x04 blue, 0x08 alpha; higher bits are ignored.
    GLubyte colorWriteMask[8];
};

// Turns blending on with the factors, equation and `blendColor` (four floats) of `state`, or off leaving
// them as they were, then sets the colour write mask of each draw buffer. A null `blendColor` keeps the
// blend colour; a null state makes no GL call. The per-buffer masks are set with glColorMaskIndexedEXT
// where a compatibility context lists EXT_draw_buffers2, with glColorMaski on a core profile; without
// them buffer 0's mask goes to every buffer. Entry points the loader lacks are skipped or replaced by
// their core equivalent, and when something asked for could not be set, prints
// "glApplyBlendState() : <first missing entry point> is not available".
VISTREL_API void glApplyBlendState(const BlendState* state, const float* blendColor);

// The depth and stencil tests. The caller sets every field.
struct DepthStencilState {
    bool depthEnable;
    bool depthWriteMask;
    GLenum depthFunc;
    bool stencilEnable;
    GLubyte stencilReadMask;  // widened with zero high bits
    GLubyte stencilWriteMask; // widened with zero high bits
    GLenum stencilFailOp;
    GLenum stencilDepthFailOp;
    GLenum stencilPassOp;
    GLenum stencilFunc;
};

// Turns each test on with its settings (one set of stencil actions for both faces, reference
// `stencilRef`), or off leaving its function and masks as they were. A null state makes no GL call.
// Prints nothing.
VISTREL_API void glApplyDepthStencilState(const DepthStencilState* state, GLint stencilRef);

// Takes one pending GL error. When there is one, prints "GLenum argument out of range", "Numeric
// argument out of range" or "Unknown error", followed by " @ file <file> line <line>", and returns true;
// otherwise prints nothing and returns false. `file` is the call site's file name without directory;
// a null one is printed as "(unknown)".
VISTREL_API bool glCheckError(int line, const char* file);
