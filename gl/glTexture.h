// Texture creation from description records, sampling parameters, and the viewport record.
//
// The records are plain values: the functions read them and keep no pointer to them. Every function
// needs a current GL context; entry points beyond OpenGL 1.1 come from the extension loader, which the
// program initialises after creating its window.
#pragma once

#include <GL/glew.h>

// What to create. Every field is 32 bits wide.
struct TextureDesc {
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
struct TextureData {
    const GLubyte* pixels; // level 0; null allocates the image without content
    GLenum format;         // handed to GL unchanged, even when pixels is null
    GLenum type;           // handed to GL unchanged, even when pixels is null

    // Every field zero.
    TextureData();
};

// The filter pair.
struct TextureFilter {
    GLenum minFilter;
    GLenum magFilter;

    // Both filters GL_LINEAR.
    TextureFilter();
    // Both filters back to GL_LINEAR.
    void SetDefaults();
};

// Every sampling parameter of a texture; the filters come first.
struct TextureSampler : TextureFilter {
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
void glApplyTextureSampler(GLenum target, const TextureSampler* sampler);

// Creates a texture from `desc`, level 0 from `data` (six records for a cube map), sampling from
// `sampler` (null: the short default set), and returns its name, which the caller deletes.
// Returns 0xFFFFFFFF without a GL call when `desc` or `data` is null. Returns 0 and prints
// "glCreateTexture() : invalid target value" for a target it does not support, or
// "glCreateTexture() : glTexImage3D is not available" when a 3D or array upload lacks its entry point.
// Leaves the target's binding at 0 and GL_UNPACK_ALIGNMENT at 1; GL errors stay queued.
GLuint glCreateTexture(const TextureDesc* desc, const TextureData* data, const TextureSampler* sampler);

// The viewport rectangle and depth range.
struct ViewportState {
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
void glApplyViewportState(const ViewportState* state);
