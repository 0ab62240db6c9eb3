/// @file
/// Texture creation from description records, sampling parameters and their presets, updates, and binding
/// to a texture unit or an image unit.
///
/// The records are plain values: the functions read them and keep no pointer to them. Every function needs a
/// current GL context; entry points beyond OpenGL 1.1 come from the extension loader, which the program
/// initialises after creating its window. GL errors stay queued for glCheckError.
///
/// The render-state records (glRenderState.h) and the error check (glError.h) have units of their own; this
/// header includes both, so a program that includes it alone has them too.
#pragma once

#include "glError.h"
#include "glExport.h"
#include "glRenderState.h"
#include <GL/glew.h>

/// What to create. Every field is 32 bits wide.
struct VISTREL_API TextureDesc {
    GLenum target;   ///< GL_TEXTURE_1D, _2D, _3D, _CUBE_MAP, GL_TEXTURE_2D_ARRAY_EXT, _2D_MULTISAMPLE(_ARRAY)
    GLsizei width;   ///< in texels
    GLsizei height;  ///< in texels; unused for 1D
    GLsizei depth;   ///< in texels; used by GL_TEXTURE_3D only
    GLint border;    ///< border width handed to every upload
    GLint mipLevels; ///< 0 generates the mipmap chain (GL_TEXTURE_2D only); otherwise level 0 alone
    GLsizei layers;  ///< the layer count of GL_TEXTURE_2D_ARRAY_EXT and GL_TEXTURE_2D_MULTISAMPLE_ARRAY
    GLint internalFormat; ///< internal format of every image
    GLsizei samples;      ///< samples per texel of the multisample targets; unused by the others

    /// A description of `target` with sizes 0, border 0, mipLevels 1, layers 1, internal format GL_RGBA,
    /// samples 0.
    TextureDesc(GLenum target);
    /// A GL_TEXTURE_2D of `width` by `height` texels in `internalFormat`, with `mipLevels` (0: the whole
    /// chain) and the other fields as above.
    TextureDesc(GLsizei width, GLsizei height, GLint internalFormat, GLint mipLevels = 1);
};

/// One image's pixels. For a cube map, six consecutive records: +X, -X, +Y, -Y, +Z, -Z.
struct VISTREL_API TextureData {
    const GLubyte* pixels; ///< level 0; null allocates the image without content
    GLenum format;         ///< handed to GL unchanged, even when pixels is null
    GLenum type;           ///< handed to GL unchanged, even when pixels is null

    /// Every field zero.
    TextureData();
    /// Level 0 from `pixels` (any pixel type, null for none) of `format` and `type`.
    TextureData(const void* pixels, GLenum format, GLenum type);
};

/// The filter pair.
struct VISTREL_API TextureFilter {
    GLenum minFilter; ///< value for GL_TEXTURE_MIN_FILTER
    GLenum magFilter; ///< value for GL_TEXTURE_MAG_FILTER

    /// Both filters GL_LINEAR.
    TextureFilter();
    /// Both filters back to GL_LINEAR.
    void SetDefaults();
};

/// Every sampling parameter of a texture; the filters come first.
struct VISTREL_API TextureSampler : TextureFilter {
    GLenum wrapR;         ///< value for GL_TEXTURE_WRAP_R
    GLenum wrapS;         ///< value for GL_TEXTURE_WRAP_S
    GLenum wrapT;         ///< value for GL_TEXTURE_WRAP_T
    GLint maxAnisotropy;  ///< GL_TEXTURE_MAX_ANISOTROPY_EXT, an integer
    GLenum compareFunc;   ///< depth comparison; 0 turns comparison off
    float borderColor[4]; ///< red, green, blue, alpha
    float minLod;         ///< value for GL_TEXTURE_MIN_LOD
    float maxLod;         ///< value for GL_TEXTURE_MAX_LOD

    /// Wraps GL_CLAMP_TO_EDGE, anisotropy 1, no comparison, border (0, 0, 0, 0), LOD range 0 to the largest
    /// finite float, filters GL_LINEAR.
    TextureSampler();
    /// The defaults above but wraps S, T and R `wrap` and minifying filter `minFilter`: the presets below.
    TextureSampler(GLenum wrap, GLenum minFilter);
    /// Every field back to the defaults above, the filters included.
    void SetDefaults();
};

/// @name Sampler presets
/// Constants of the library, made before main() runs: copy them from main() on, not into another static
/// object's initialiser. Each is a default TextureSampler (magnifying filter GL_LINEAR, anisotropy 1, no
/// comparison, border (0, 0, 0, 0), LOD range 0 to the largest finite float) with these changed. The
/// mipmapped ones sample a texture made with its mipmap chain (TextureDesc's mipLevels 0); without one a
/// texture is not complete and samples as black.
///@{

/// Wraps S, T and R GL_REPEAT, minifying filter GL_LINEAR: tiling surfaces.
extern VISTREL_API const TextureSampler kglSamplerRepeatLinear;
/// Wraps S, T and R GL_REPEAT, minifying filter GL_LINEAR_MIPMAP_LINEAR: tiling surfaces seen from afar.
extern VISTREL_API const TextureSampler kglSamplerRepeatMipmapped;
/// Wraps S, T and R GL_CLAMP_TO_EDGE, minifying filter GL_LINEAR: images, render targets; the default.
extern VISTREL_API const TextureSampler kglSamplerClampLinear;
/// Wraps S, T and R GL_CLAMP_TO_EDGE, minifying filter GL_LINEAR_MIPMAP_LINEAR: images drawn small.
extern VISTREL_API const TextureSampler kglSamplerClampMipmapped;
///@}

/// Sets the parameters of the texture bound at `target`.
///
/// A null sampler sets only filters GL_LINEAR and wraps S and T GL_CLAMP_TO_EDGE. GL errors (an unknown
/// parameter value, say) stay queued; prints nothing.
VISTREL_API void glApplyTextureSampler(GLenum target, const TextureSampler* sampler);

/// Creates a texture and returns its name, which the caller deletes.
///
/// Level 0 comes from `data` (six records for a cube map), sampling from `sampler` (null: the short default
/// set). A multisample target (GL_TEXTURE_2D_MULTISAMPLE, GL_TEXTURE_2D_MULTISAMPLE_ARRAY) gets storage of
/// desc->samples samples with fixed sample locations, and neither pixels nor sampler, which GL forbids
/// there. Returns 0xFFFFFFFF without a GL call when `desc` or `data` is null. Returns 0 and prints
/// "glCreateTexture() : invalid target value" for a target it does not support, or "glCreateTexture() :
/// <entry point> is not available" when the upload's entry point (glTexImage3D for 3D and array textures,
/// glTexImage2DMultisample, glTexImage3DMultisample) is missing. Leaves the target's binding at 0 and
/// GL_UNPACK_ALIGNMENT at 1; GL errors stay queued. The mipmap chain comes from GL_GENERATE_MIPMAP, set
/// before the upload, or on a core profile, which lacks it, from glGenerateMipmap after the upload
/// ("glCreateTexture() : glGenerateMipmap is not available" when the loader lacks it: level 0 alone is
/// made). With no context current it makes nothing, prints "glCreateTexture() : no GL context is current"
/// and returns 0.
VISTREL_API GLuint glCreateTexture(const TextureDesc* desc, const TextureData* data,
                                   const TextureSampler* sampler);

/// Replaces a rectangle of one level of a 2D texture.
///
/// The `width` by `height` rectangle at (`x`, `y`) of level `level` of `texture` receives data->pixels
/// (tightly packed rows of data->format and data->type). Returns true when it made the upload, false without
/// a GL call for texture 0, and for a null record or null pixels, which print "glUpdateTexture2D() : data
/// is null" (or data->pixels): unlike the buffer functions, whose true means that GL reported an error. GL
/// errors (a rectangle outside the level, a texture that is not 2D) stay queued. Leaves the GL_TEXTURE_2D
/// binding at 0 and GL_UNPACK_ALIGNMENT at 1.
VISTREL_API bool glUpdateTexture2D(GLuint texture, GLint level, GLint x, GLint y, GLsizei width,
                                   GLsizei height, const TextureData* data);

/// Binds `texture` (0 unbinds) at `target` on texture unit `unit`, counted from 0.
///
/// For programs that sample it there; leaves unit 0 active. A unit GL does not have leaves GL_INVALID_ENUM
/// queued, and the bind is then made on the unit that was active. When the loader lacks glActiveTexture,
/// makes no GL call and prints "glBindTextureToUnit() : glActiveTexture is not available".
VISTREL_API void glBindTextureToUnit(int unit, GLenum target, GLuint texture);

/// Binds level `level` of `texture` (0 unbinds) to image unit `unit`, for shaders' image loads and stores.
///
/// `layered` binds every layer of an array, cube or 3D texture, otherwise layer `layer` alone; `access` is
/// GL_READ_ONLY, GL_WRITE_ONLY or GL_READ_WRITE; `format` the format the shader reads and writes it as
/// (GL_RGBA8, GL_R32F, ...), which must suit the texture's. Changes no texture binding. GL errors stay
/// queued. When the loader lacks glBindImageTexture (before OpenGL 4.2), makes no GL call and prints
/// "glBindImageToUnit() : glBindImageTexture is not available".
VISTREL_API void glBindImageToUnit(GLuint unit, GLuint texture, GLint level, bool layered, GLint layer,
                                   GLenum access, GLenum format);
