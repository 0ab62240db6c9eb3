// GL objects and expected calls shared by the framebuffer and offscreen-buffer tests.
#pragma once

#include "GlTest.h"
#include "Painter.h"

#include <string>
#include <vector>

// The framebuffer binding the driver reports now.
inline GLint FramebufferBinding() {
    GLint binding = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &binding);
    return binding;
}

// One parameter of a 2D texture; the binding ends at 0.
inline GLint TextureParameter(GLuint texture, GLenum pname) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, pname, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

// One parameter of a renderbuffer; the binding ends at 0.
inline GLint RenderbufferParameter(GLuint renderbuffer, GLenum pname) {
    GLint value = 0;
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, pname, &value);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return value;
}

// The recorded bind call of `framebuffer`.
inline std::string BindOf(GLint framebuffer, GLenum target = GL_FRAMEBUFFER_EXT) {
    return rec::Call("glBindFramebufferEXT", {rec::Enum(target), rec::Int(framebuffer)});
}

// Whether the library takes EXT_framebuffer_object's calls here.
inline bool ExtFamily() {
    return !CoreProfileContext() && DriverHasExtension("GL_EXT_framebuffer_object");
}

// The name of the family's entry point: "glBlitFramebufferEXT" for "glBlitFramebuffer" where the
// library takes the EXT calls (every EXT extension the library uses is listed wherever that family is).
inline std::string Named(const std::string& coreName) {
    return ExtFamily() ? coreName + "EXT" : coreName;
}

// The line an operation of the class prints when `entryPoint` is missing.
inline std::string NotAvailable(const std::string& operation, const std::string& entryPoint) {
    return "CglFrameBuffer::" + operation + " ERROR: " + entryPoint + " is not available\n";
}

// Whether the context binds a read and a draw framebuffer apart.
inline bool SeparateBindings() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return CoreProfileContext() || version[0] >= '3' || DriverHasExtension("GL_ARB_framebuffer_object") ||
           DriverHasExtension("GL_EXT_framebuffer_blit");
}

// The recorded queries of a guarded operation that finds `draw` bound for drawing and `read` for reading.
inline std::vector<std::string> GuardQueries(GLint draw, GLint read) {
    std::vector<std::string> queries{
        rec::Call("glGetIntegerv", {rec::Enum(GL_FRAMEBUFFER_BINDING_EXT)}, rec::Int(draw))};
    if (SeparateBindings()) {
        queries.push_back(
            rec::Call("glGetIntegerv", {rec::Enum(GL_READ_FRAMEBUFFER_BINDING)}, rec::Int(read)));
    }
    return queries;
}

// Textures, renderbuffers and framebuffers made by a test, deleted when it ends. They are made with the
// core entry points, which every context the tests run on offers, EXT_framebuffer_object listed or not.
class GlObjects {
  public:
    GlObjects() = default;
    GlObjects(const GlObjects&) = delete;
    GlObjects& operator=(const GlObjects&) = delete;
    ~GlObjects() {
        glBindTexture(GL_TEXTURE_2D, 0);
        for (GLuint texture : textures_) {
            glDeleteTextures(1, &texture);
        }
        if (glDeleteRenderbuffers != nullptr) {
            for (GLuint renderbuffer : renderbuffers_) {
                glDeleteRenderbuffers(1, &renderbuffer);
            }
        }
        if (glDeleteFramebuffers != nullptr) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            for (GLuint framebuffer : framebuffers_) {
                glDeleteFramebuffers(1, &framebuffer);
            }
        }
    }

    // A texture of `target` whose level 0 (and the levels below `levels`) are allocated; 1D textures
    // ignore `height`, 1D and 2D ones (1D arrays included: `height` layers) `depth`. Cube maps get all six
    // faces; 2D and cube-map arrays have `depth` layers.
    GLuint Texture(GLenum target, GLint internalFormat, int width, int height = 1, int depth = 1,
                   int levels = 1, GLuint name = 0) {
        if (name == 0) {
            glGenTextures(1, &name);
        }
        textures_.push_back(name);
        glBindTexture(target, name);
        GLenum format = internalFormat == GL_DEPTH_COMPONENT24 ? GL_DEPTH_COMPONENT : GL_RGBA;
        for (int level = 0; level < levels; ++level) {
            int w = width >> level, h = height >> level, d = depth >> level;
            if (target == GL_TEXTURE_1D) {
                glTexImage1D(target, level, internalFormat, w, 0, format, GL_UNSIGNED_BYTE, nullptr);
            } else if (target == GL_TEXTURE_3D || target == GL_TEXTURE_2D_ARRAY ||
                       target == GL_TEXTURE_CUBE_MAP_ARRAY) {
                glTexImage3D(target, level, internalFormat, w, h, d, 0, format, GL_UNSIGNED_BYTE, nullptr);
            } else if (target == GL_TEXTURE_CUBE_MAP) {
                for (GLenum face = 0; face < 6; ++face) {
                    glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, level, internalFormat, w, h, 0,
                                 format, GL_UNSIGNED_BYTE, nullptr);
                }
            } else {
                glTexImage2D(target, level, internalFormat, w, h, 0, format, GL_UNSIGNED_BYTE, nullptr);
            }
        }
        glTexParameteri(target, GL_TEXTURE_MAX_LEVEL, levels - 1);
        glBindTexture(target, 0);
        return name;
    }

    // A texture name that holds no image at all.
    GLuint EmptyTexture(GLenum target) {
        GLuint name = 0;
        glGenTextures(1, &name);
        textures_.push_back(name);
        glBindTexture(target, name);
        glBindTexture(target, 0);
        return name;
    }

    // The texels of level 0 of `texture`, as RGBA bytes; every layer or face of it, in GL's order.
    static std::vector<GLubyte> Texels(GLenum target, GLuint texture, int texels) {
        std::vector<GLubyte> rgba(texels * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glBindTexture(target, texture);
        if (target == GL_TEXTURE_CUBE_MAP) {
            for (GLenum face = 0; face < 6; ++face) {
                glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                              &rgba[face * rgba.size() / 6]);
            }
        } else {
            glGetTexImage(target, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        }
        glBindTexture(target, 0);
        return rgba;
    }

    GLuint Renderbuffer(GLenum internalFormat, int width, int height, GLuint name = 0) {
        if (name == 0) {
            glGenRenderbuffers(1, &name);
        }
        renderbuffers_.push_back(name);
        glBindRenderbuffer(GL_RENDERBUFFER, name);
        glRenderbufferStorage(GL_RENDERBUFFER, internalFormat, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        return name;
    }

    // A framebuffer made outside the class under test, left unbound.
    GLuint Framebuffer() {
        GLuint name = 0;
        glGenFramebuffers(1, &name);
        framebuffers_.push_back(name);
        GLint was = FramebufferBinding();
        glBindFramebuffer(GL_FRAMEBUFFER, name);
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(was));
        return name;
    }

  private:
    std::vector<GLuint> textures_;
    std::vector<GLuint> renderbuffers_;
    std::vector<GLuint> framebuffers_;
};
