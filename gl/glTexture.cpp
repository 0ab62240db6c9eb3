#include "glTexture.h"

#include "glChecks.h"
#include "glContext.h"
#include "glTextureInternal.h"

#include <cstdio>
#include <limits>

TextureDesc::TextureDesc(GLenum target)
    : target(target), width(0), height(0), depth(0), border(0), mipLevels(1), layers(1),
      internalFormat(GL_RGBA), samples(0) {}

TextureDesc::TextureDesc(GLsizei width, GLsizei height, GLint internalFormat, GLint mipLevels)
    : TextureDesc(GL_TEXTURE_2D) {
    this->width = width;
    this->height = height;
    this->internalFormat = internalFormat;
    this->mipLevels = mipLevels;
}

TextureData::TextureData() : pixels(nullptr), format(0), type(0) {}

TextureData::TextureData(const void* pixels, GLenum format, GLenum type)
    : pixels(static_cast<const GLubyte*>(pixels)), format(format), type(type) {}

TextureFilter::TextureFilter() {
    SetDefaults();
}

void TextureFilter::SetDefaults() {
    minFilter = GL_LINEAR;
    magFilter = GL_LINEAR;
}

TextureSampler::TextureSampler() {
    SetDefaults();
}

void TextureSampler::SetDefaults() {
    wrapR = GL_CLAMP_TO_EDGE;
    wrapS = GL_CLAMP_TO_EDGE;
    wrapT = GL_CLAMP_TO_EDGE;
    maxAnisotropy = 1;
    compareFunc = 0;
    for (float& component : borderColor) {
        component = 0.0f;
    }
    // GL's own defaults are -1000 and 1000; a sampler asks for no limit at all.
    minLod = 0.0f;
    maxLod = std::numeric_limits<float>::max();
    TextureFilter::SetDefaults();
}

TextureSampler::TextureSampler(GLenum wrap, GLenum minFilter) {
    SetDefaults();
    wrapR = wrap;
    wrapS = wrap;
    wrapT = wrap;
    this->minFilter = minFilter;
}

const TextureSampler kglSamplerRepeatLinear(GL_REPEAT, GL_LINEAR);
const TextureSampler kglSamplerRepeatMipmapped(GL_REPEAT, GL_LINEAR_MIPMAP_LINEAR);
const TextureSampler kglSamplerClampLinear(GL_CLAMP_TO_EDGE, GL_LINEAR);
const TextureSampler kglSamplerClampMipmapped(GL_CLAMP_TO_EDGE, GL_LINEAR_MIPMAP_LINEAR);

void glApplyTextureSampler(GLenum target, const TextureSampler* sampler) {
    glChecks::Scope scope("glApplyTextureSampler");
    if (sampler == nullptr) {
        // Without these a new texture would keep GL's mipmapped minifying filter and, having no
        // mipmaps, could not be sampled at all.
        glTexParameterf(target, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
        glTexParameterf(target, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_LINEAR));
        glTexParameterf(target, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
        glTexParameterf(target, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
        return;
    }
    glTexParameteri(target, GL_TEXTURE_WRAP_S, sampler->wrapS);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, sampler->wrapT);
    glTexParameteri(target, GL_TEXTURE_WRAP_R, sampler->wrapR);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, sampler->minFilter);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, sampler->magFilter);
    glTexParameterf(target, GL_TEXTURE_MIN_LOD, sampler->minLod);
    glTexParameterf(target, GL_TEXTURE_MAX_LOD, sampler->maxLod);
    glTexParameteri(target, GL_TEXTURE_MAX_ANISOTROPY_EXT, sampler->maxAnisotropy);
    glTexParameterfv(target, GL_TEXTURE_BORDER_COLOR, sampler->borderColor);
    if (sampler->compareFunc != 0) {
        glTexParameteri(target, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_R_TO_TEXTURE);
        glTexParameteri(target, GL_TEXTURE_COMPARE_FUNC, sampler->compareFunc);
    } else {
        // The function stays as it was: without the mode it is not used.
        glTexParameteri(target, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    }
}

namespace {

// glTexImage3D is OpenGL 1.2 and comes only from the loader.
bool HaveTexImage3D() {
    return glTexImage3D != nullptr;
}

bool IsMultisample(GLenum target) {
    return target == GL_TEXTURE_2D_MULTISAMPLE || target == GL_TEXTURE_2D_MULTISAMPLE_ARRAY;
}

bool Have(bool present, const char* entryPoint) {
    if (!present) {
        fprintf(stderr, "glCreateTexture() : %s is not available\n", entryPoint);
    }
    return present;
}

// Uploads level 0 of the texture bound at desc.target. False, with the message printed, when the
// target cannot be uploaded.
bool UploadLevel0(const TextureDesc& desc, const TextureData* data) {
    switch (desc.target) {
    case GL_TEXTURE_1D:
        glTexImage1D(GL_TEXTURE_1D, 0, desc.internalFormat, desc.width, desc.border, data->format, data->type,
                     data->pixels);
        return true;
    case GL_TEXTURE_2D:
        glTexImage2D(GL_TEXTURE_2D, 0, desc.internalFormat, desc.width, desc.height, desc.border,
                     data->format, data->type, data->pixels);
        return true;
    case GL_TEXTURE_3D:
    case GL_TEXTURE_2D_ARRAY_EXT: {
        if (!HaveTexImage3D()) {
            fprintf(stderr, "glCreateTexture() : glTexImage3D is not available\n");
            return false;
        }
        GLsizei depth = desc.target == GL_TEXTURE_3D ? desc.depth : desc.layers;
        glTexImage3D(desc.target, 0, desc.internalFormat, desc.width, desc.height, depth, desc.border,
                     data->format, data->type, data->pixels);
        return true;
    }
    // Fixed sample locations, which a framebuffer needs to hold the texture beside a renderbuffer.
    case GL_TEXTURE_2D_MULTISAMPLE:
        if (!Have(glTexImage2DMultisample != nullptr, "glTexImage2DMultisample")) {
            return false;
        }
        glTexImage2DMultisample(GL_TEXTURE_2D_MULTISAMPLE, desc.samples, desc.internalFormat, desc.width,
                                desc.height, GL_TRUE);
        return true;
    case GL_TEXTURE_2D_MULTISAMPLE_ARRAY:
        if (!Have(glTexImage3DMultisample != nullptr, "glTexImage3DMultisample")) {
            return false;
        }
        glTexImage3DMultisample(GL_TEXTURE_2D_MULTISAMPLE_ARRAY, desc.samples, desc.internalFormat,
                                desc.width, desc.height, desc.layers, GL_TRUE);
        return true;
    case GL_TEXTURE_CUBE_MAP:
        // The face targets follow each other in the order +X, -X, +Y, -Y, +Z, -Z.
        for (GLenum face = 0; face < 6; ++face) {
            glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, desc.internalFormat, desc.width,
                         desc.height, desc.border, data[face].format, data[face].type, data[face].pixels);
        }
        return true;
    default:
        fprintf(stderr, "glCreateTexture() : invalid target value\n");
        return false;
    }
}

// A minifying filter that reads mipmaps samples black from a texture that has level 0 alone.
void CheckMipmapFilter(const TextureDesc& desc, const TextureSampler* sampler) {
    if (sampler == nullptr || IsMultisample(desc.target) ||
        (desc.mipLevels == 0 && desc.target == GL_TEXTURE_2D)) {
        return;
    }
    const char* filter = nullptr;
    switch (sampler->minFilter) {
    case GL_NEAREST_MIPMAP_NEAREST:
        filter = "GL_NEAREST_MIPMAP_NEAREST";
        break;
    case GL_LINEAR_MIPMAP_NEAREST:
        filter = "GL_LINEAR_MIPMAP_NEAREST";
        break;
    case GL_NEAREST_MIPMAP_LINEAR:
        filter = "GL_NEAREST_MIPMAP_LINEAR";
        break;
    case GL_LINEAR_MIPMAP_LINEAR:
        filter = "GL_LINEAR_MIPMAP_LINEAR";
        break;
    default:
        return;
    }
    glChecks::Report("glCreateTexture",
                     "the minifying filter %s reads mipmaps, but the texture gets level 0 alone and samples "
                     "black: set mipLevels 0 (GL_TEXTURE_2D), or take a filter without mipmaps (GL_LINEAR)",
                     filter);
}

} // namespace

GLuint glCreateTexture(const TextureDesc* desc, const TextureData* data, const TextureSampler* sampler) {
    glChecks::Scope scope("glCreateTexture");
    if (desc == nullptr || data == nullptr) {
        return 0xFFFFFFFFu;
    }
    const glContext::Context& context = glContext::Current();
    if (!glChecks::OnOwnContext("glCreateTexture", nullptr, context.id)) {
        return 0;
    }
    if (scope.Checking()) {
        CheckMipmapFilter(*desc, sampler);
    }
    return glTextureInternal::CreateTexture(context, desc, data, sampler);
}

GLuint glTextureInternal::CreateTexture(const glContext::Context& context, const TextureDesc* desc,
                                        const TextureData* data, const TextureSampler* sampler) {
    bool generateMipmaps = desc->mipLevels == 0 && desc->target == GL_TEXTURE_2D;
    // A core profile has no GL_GENERATE_MIPMAP: there the chain is generated after the upload instead.
    bool generateAfterUpload = generateMipmaps && context.core;

    GLuint texID = 0;
    glGenTextures(1, &texID);
    glBindTexture(desc->target, texID);
    // Rows of any width are tightly packed in the caller's data.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Must be set before the upload: GL generates the chain when level 0 is specified.
    if (generateMipmaps && !generateAfterUpload) {
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, 1);
    }
    // GL has no sampling parameters for multisample textures and refuses every one.
    if (!IsMultisample(desc->target)) {
        glApplyTextureSampler(desc->target, sampler);
    }
    if (!UploadLevel0(*desc, data)) {
        glDeleteTextures(1, &texID);
        texID = 0;
    } else if (generateAfterUpload) {
        if (glGenerateMipmap != nullptr) {
            glGenerateMipmap(GL_TEXTURE_2D);
        } else {
            // Level 0 is there and samples without a mipmap filter; the rest of the chain is not.
            fprintf(stderr, "glCreateTexture() : glGenerateMipmap is not available\n");
        }
    }
    glBindTexture(desc->target, 0);
    return texID;
}

bool glUpdateTexture2D(GLuint texture, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                       const TextureData* data) {
    glChecks::Scope scope("glUpdateTexture2D");
    if (!glChecks::Given(data, "glUpdateTexture2D", "data") ||
        !glChecks::Given(data->pixels, "glUpdateTexture2D", "data->pixels") || texture == 0) {
        return false;
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, level, x, y, width, height, data->format, data->type, data->pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return true;
}

void glBindTextureToUnit(int unit, GLenum target, GLuint texture) {
    glChecks::Scope scope("glBindTextureToUnit");
    if (glActiveTexture == nullptr) {
        fprintf(stderr, "glBindTextureToUnit() : glActiveTexture is not available\n");
        return;
    }
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(target, texture);
    // Unit 0 is where the library's own texture work expects to find itself.
    if (unit != 0) {
        glActiveTexture(GL_TEXTURE0);
    }
}

void glBindImageToUnit(GLuint unit, GLuint texture, GLint level, bool layered, GLint layer, GLenum access,
                       GLenum format) {
    glChecks::Scope scope("glBindImageToUnit");
    if (glBindImageTexture == nullptr) {
        fprintf(stderr, "glBindImageToUnit() : glBindImageTexture is not available\n");
        return;
    }
    glBindImageTexture(unit, texture, level, layered ? GL_TRUE : GL_FALSE, layer, access, format);
}
