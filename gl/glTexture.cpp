#include "glTexture.h"

#include "glContext.h"

#include <cstdio>
#include <limits>

TextureDesc::TextureDesc(GLenum target)
    : target(target), width(0), height(0), depth(0), border(0), mipLevels(1), layers(1),
      internalFormat(GL_RGBA) {}

TextureData::TextureData() : pixels(nullptr), format(0), type(0) {}

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

void glApplyTextureSampler(GLenum target, const TextureSampler* sampler) {
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

} // namespace

GLuint glCreateTexture(const TextureDesc* desc, const TextureData* data, const TextureSampler* sampler) {
    if (desc == nullptr || data == nullptr) {
        return 0xFFFFFFFFu;
    }
    bool generateMipmaps = desc->mipLevels == 0 && desc->target == GL_TEXTURE_2D;
    // A core profile has no GL_GENERATE_MIPMAP: there the chain is generated after the upload instead.
    bool generateAfterUpload = generateMipmaps && glContext::Current().core;

    GLuint texID = 0;
    glGenTextures(1, &texID);
    glBindTexture(desc->target, texID);
    // Rows of any width are tightly packed in the caller's data.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Must be set before the upload: GL generates the chain when level 0 is specified.
    if (generateMipmaps && !generateAfterUpload) {
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, 1);
    }
    glApplyTextureSampler(desc->target, sampler);
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
    if (data == nullptr || data->pixels == nullptr || texture == 0) {
        return false;
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, level, x, y, width, height, data->format, data->type, data->pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return true;
}

void glBindTextureToUnit(int unit, GLenum target, GLuint texture) {
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

ViewportState::ViewportState(GLsizei width, GLsizei height, float zNear, float zFar)
    : x(0), y(0), width(width), height(height), zNear(zNear), zFar(zFar) {}

void glApplyViewportState(const ViewportState* state) {
    if (state == nullptr) {
        return;
    }
    glViewport(state->x, state->y, state->width, state->height);
    glDepthRange(state->zNear, state->zFar);
}

namespace {

// Remembers the first entry point whose call had to be skipped, for the one line a call may print.
class MissingEntryPoint {
  public:
    void Note(const char* name) {
        if (first_ == nullptr) {
            first_ = name;
        }
    }
    void Report(const char* function) const {
        if (first_ != nullptr) {
            fprintf(stderr, "%s() : %s is not available\n", function, first_);
        }
    }

  private:
    const char* first_ = nullptr;
};

// The per-buffer mask call the context offers, or null: EXT_draw_buffers2's on a compatibility context
// that lists it, OpenGL 3.0's on a core profile. `name` is set either way, for the line when it is missing.
PFNGLCOLORMASKIPROC IndexedColorMask(const char*& name) {
    const glContext::Context& context = glContext::Current();
    if (context.core) {
        name = "glColorMaski";
        return glColorMaski;
    }
    name = "glColorMaskIndexedEXT";
    return context.extDrawBuffers2 ? glColorMaskIndexedEXT : nullptr;
}

// Each channel argument is the masked bit itself: non-zero exactly when the channel is written.
void SetColorMasks(const GLubyte (&masks)[8], MissingEntryPoint& missing) {
    const char* name = nullptr;
    if (PFNGLCOLORMASKIPROC colorMaskIndexed = IndexedColorMask(name)) {
        // All eight, whatever the number of draw buffers in use.
        for (GLuint i = 0; i < 8; ++i) {
            GLubyte m = masks[i];
            colorMaskIndexed(i, m & 0x01, m & 0x02, m & 0x04, m & 0x08);
        }
        return;
    }
    // The core call sets one mask for every draw buffer: buffer 0's is the one a single render target
    // needs, and it is exact when the others ask for the same.
    GLubyte m = masks[0];
    glColorMask(m & 0x01, m & 0x02, m & 0x04, m & 0x08);
    for (int i = 1; i < 8; ++i) {
        if ((masks[i] & 0x0F) != (m & 0x0F)) {
            missing.Note(name);
            return;
        }
    }
}

} // namespace

void glApplyBlendState(const BlendState* state, const float* blendColor) {
    if (state == nullptr) {
        return;
    }
    MissingEntryPoint missing;
    if (state->blendEnable) {
        glEnable(GL_BLEND);
        if (glBlendFuncSeparate != nullptr) {
            glBlendFuncSeparate(state->srcRGB, state->dstRGB, state->srcAlpha, state->dstAlpha);
        } else if (state->srcRGB == state->srcAlpha && state->dstRGB == state->dstAlpha) {
            // The same factors for colour and alpha need no separate call.
            glBlendFunc(state->srcRGB, state->dstRGB);
        } else {
            missing.Note("glBlendFuncSeparate");
        }
        if (glBlendEquation != nullptr) {
            glBlendEquation(state->blendEquation);
        } else {
            missing.Note("glBlendEquation");
        }
        // Without a colour the caller keeps the one already set.
        if (blendColor != nullptr) {
            if (glBlendColor != nullptr) {
                glBlendColor(blendColor[0], blendColor[1], blendColor[2], blendColor[3]);
            } else {
                missing.Note("glBlendColor");
            }
        }
    } else {
        glDisable(GL_BLEND);
    }
    SetColorMasks(state->colorWriteMask, missing);
    missing.Report("glApplyBlendState");
}

void glApplyDepthStencilState(const DepthStencilState* state, GLint stencilRef) {
    if (state == nullptr) {
        return;
    }
    if (state->depthEnable) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(state->depthFunc);
        glDepthMask(state->depthWriteMask);
    } else {
        // The write mask goes with the test: a disabled test leaves depth writes as they were.
        glDisable(GL_DEPTH_TEST);
    }
    if (state->stencilEnable) {
        glEnable(GL_STENCIL_TEST);
        glStencilMask(state->stencilWriteMask);
        glStencilFunc(state->stencilFunc, stencilRef, state->stencilReadMask);
        glStencilOp(state->stencilFailOp, state->stencilDepthFailOp, state->stencilPassOp);
    } else {
        glDisable(GL_STENCIL_TEST);
    }
}

bool glCheckError(int line, const char* file) {
    // One error per call: GL keeps any others for the next check.
    GLenum error = glGetError();
    if (error == GL_NO_ERROR) {
        return false;
    }
    if (file == nullptr) {
        file = "(unknown)";
    }
    switch (error) {
    case GL_INVALID_ENUM:
        fprintf(stderr, "GLenum argument out of range @ file %s line %d\n", file, line);
        break;
    case GL_INVALID_VALUE:
        fprintf(stderr, "Numeric argument out of range @ file %s line %d\n", file, line);
        break;
    default:
        fprintf(stderr, "Unknown error @ file %s line %d\n", file, line);
        break;
    }
    return true;
}
