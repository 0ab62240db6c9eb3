// Recording wrappers for the framebuffer-object entry points the loader provides: those of
// EXT_framebuffer_object, EXT_framebuffer_multisample, EXT_framebuffer_blit and EXT_texture_array and
// their core twins, which take the same arguments, and glDrawBuffers. Each family is recorded under its
// own names.
#include "RecordHooks.h"

namespace rec {
namespace {

template <bool Ext>
struct Family {
    // "glBindFramebuffer" or "glBindFramebufferEXT".
    static std::string Name(const char* coreName) { return Ext ? std::string(coreName) + "EXT" : coreName; }

    static inline PFNGLGENFRAMEBUFFERSPROC realGen;
    static void GLAPIENTRY Gen(GLsizei n, GLuint* framebuffers) {
        realGen(n, framebuffers);
        Record(Name("glGenFramebuffers").c_str(), {Int(n)}, Int(n > 0 ? framebuffers[0] : 0));
    }

    static inline PFNGLDELETEFRAMEBUFFERSPROC realDelete;
    static void GLAPIENTRY Delete(GLsizei n, const GLuint* framebuffers) {
        realDelete(n, framebuffers);
        Record(Name("glDeleteFramebuffers").c_str(), {Int(n), Int(n > 0 ? framebuffers[0] : 0)});
    }

    static inline PFNGLBINDFRAMEBUFFERPROC realBind;
    static void GLAPIENTRY Bind(GLenum target, GLuint framebuffer) {
        realBind(target, framebuffer);
        Record(Name("glBindFramebuffer").c_str(), {Enum(target), Int(framebuffer)});
    }

    static inline PFNGLFRAMEBUFFERTEXTURE1DPROC realTexture1D;
    static void GLAPIENTRY Texture1D(GLenum target, GLenum attachment, GLenum textarget, GLuint texture,
                                     GLint level) {
        realTexture1D(target, attachment, textarget, texture, level);
        Record(Name("glFramebufferTexture1D").c_str(),
               {Enum(target), Enum(attachment), Enum(textarget), Int(texture), Int(level)});
    }

    static inline PFNGLFRAMEBUFFERTEXTURE2DPROC realTexture2D;
    static void GLAPIENTRY Texture2D(GLenum target, GLenum attachment, GLenum textarget, GLuint texture,
                                     GLint level) {
        realTexture2D(target, attachment, textarget, texture, level);
        Record(Name("glFramebufferTexture2D").c_str(),
               {Enum(target), Enum(attachment), Enum(textarget), Int(texture), Int(level)});
    }

    static inline PFNGLFRAMEBUFFERTEXTURE3DPROC realTexture3D;
    static void GLAPIENTRY Texture3D(GLenum target, GLenum attachment, GLenum textarget, GLuint texture,
                                     GLint level, GLint zoffset) {
        realTexture3D(target, attachment, textarget, texture, level, zoffset);
        Record(Name("glFramebufferTexture3D").c_str(),
               {Enum(target), Enum(attachment), Enum(textarget), Int(texture), Int(level), Int(zoffset)});
    }

    static inline PFNGLFRAMEBUFFERRENDERBUFFERPROC realRenderbuffer;
    static void GLAPIENTRY Renderbuffer(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                                        GLuint renderbuffer) {
        realRenderbuffer(target, attachment, renderbufferTarget, renderbuffer);
        Record(Name("glFramebufferRenderbuffer").c_str(),
               {Enum(target), Enum(attachment), Enum(renderbufferTarget), Int(renderbuffer)});
    }

    static inline PFNGLCHECKFRAMEBUFFERSTATUSPROC realStatus;
    static GLenum GLAPIENTRY Status(GLenum target) {
        const std::string name = Name("glCheckFramebufferStatus");
        int64_t scripted = 0;
        GLenum status = TakeScripted(name, scripted) ? static_cast<GLenum>(scripted) : realStatus(target);
        Record(name.c_str(), {Enum(target)}, Enum(status));
        return status;
    }

    static inline PFNGLGENRENDERBUFFERSPROC realGenRenderbuffers;
    static void GLAPIENTRY GenRenderbuffers(GLsizei n, GLuint* renderbuffers) {
        realGenRenderbuffers(n, renderbuffers);
        Record(Name("glGenRenderbuffers").c_str(), {Int(n)}, Int(n > 0 ? renderbuffers[0] : 0));
    }

    static inline PFNGLDELETERENDERBUFFERSPROC realDeleteRenderbuffers;
    static void GLAPIENTRY DeleteRenderbuffers(GLsizei n, const GLuint* renderbuffers) {
        realDeleteRenderbuffers(n, renderbuffers);
        Record(Name("glDeleteRenderbuffers").c_str(), {Int(n), Int(n > 0 ? renderbuffers[0] : 0)});
    }

    static inline PFNGLBINDRENDERBUFFERPROC realBindRenderbuffer;
    static void GLAPIENTRY BindRenderbuffer(GLenum target, GLuint renderbuffer) {
        realBindRenderbuffer(target, renderbuffer);
        Record(Name("glBindRenderbuffer").c_str(), {Enum(target), Int(renderbuffer)});
    }

    static inline PFNGLRENDERBUFFERSTORAGEPROC realStorage;
    static void GLAPIENTRY Storage(GLenum target, GLenum internalFormat, GLsizei width, GLsizei height) {
        realStorage(target, internalFormat, width, height);
        Record(Name("glRenderbufferStorage").c_str(),
               {Enum(target), Enum(internalFormat), Int(width), Int(height)});
    }

    static inline PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC realStorageMultisample;
    static void GLAPIENTRY StorageMultisample(GLenum target, GLsizei samples, GLenum internalFormat,
                                              GLsizei width, GLsizei height) {
        realStorageMultisample(target, samples, internalFormat, width, height);
        Record(Name("glRenderbufferStorageMultisample").c_str(),
               {Enum(target), Int(samples), Enum(internalFormat), Int(width), Int(height)});
    }

    static inline PFNGLBLITFRAMEBUFFERPROC realBlit;
    static void GLAPIENTRY Blit(GLint srcX0, GLint srcY0, GLint srcX1, GLint srcY1, GLint dstX0, GLint dstY0,
                                GLint dstX1, GLint dstY1, GLbitfield mask, GLenum filter) {
        realBlit(srcX0, srcY0, srcX1, srcY1, dstX0, dstY0, dstX1, dstY1, mask, filter);
        Record(Name("glBlitFramebuffer").c_str(),
               {Int(srcX0), Int(srcY0), Int(srcX1), Int(srcY1), Int(dstX0), Int(dstY0), Int(dstX1),
                Int(dstY1), Enum(mask), Enum(filter)});
    }

    static inline PFNGLFRAMEBUFFERTEXTURELAYERPROC realTextureLayer;
    static void GLAPIENTRY TextureLayer(GLenum target, GLenum attachment, GLuint texture, GLint level,
                                        GLint layer) {
        realTextureLayer(target, attachment, texture, level, layer);
        Record(Name("glFramebufferTextureLayer").c_str(),
               {Enum(target), Enum(attachment), Int(texture), Int(level), Int(layer)});
    }

    static inline PFNGLFRAMEBUFFERTEXTUREPROC realTexture;
    static void GLAPIENTRY Texture(GLenum target, GLenum attachment, GLuint texture, GLint level) {
        realTexture(target, attachment, texture, level);
        Record(Name("glFramebufferTexture").c_str(),
               {Enum(target), Enum(attachment), Int(texture), Int(level)});
    }

    static inline PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVPROC realQuery;
    static void GLAPIENTRY Query(GLenum target, GLenum attachment, GLenum pname, GLint* params) {
        const std::string name = Name("glGetFramebufferAttachmentParameteriv");
        int64_t scripted = 0;
        if (TakeScripted(name, scripted)) {
            params[0] = static_cast<GLint>(scripted);
        } else {
            realQuery(target, attachment, pname, params);
        }
        Record(name.c_str(), {Enum(target), Enum(attachment), Enum(pname)}, Int(params[0]));
    }
};

using Ext = Family<true>;
using Core = Family<false>;

// OpenGL 2.0's, for every family.
PFNGLDRAWBUFFERSPROC realDrawBuffers;
void GLAPIENTRY DrawBuffers(GLsizei n, const GLenum* buffers) {
    realDrawBuffers(n, buffers);
    std::vector<Arg> args{Int(n)};
    for (GLsizei i = 0; i < n; ++i) {
        args.push_back(Enum(buffers[i]));
    }
    Record("glDrawBuffers", args);
}

} // namespace

void InstallFramebufferHooks() {
    Hook(__glewGenFramebuffersEXT, Ext::realGen, Ext::Gen);
    Hook(__glewDeleteFramebuffersEXT, Ext::realDelete, Ext::Delete);
    Hook(__glewBindFramebufferEXT, Ext::realBind, Ext::Bind);
    Hook(__glewFramebufferTexture1DEXT, Ext::realTexture1D, Ext::Texture1D);
    Hook(__glewFramebufferTexture2DEXT, Ext::realTexture2D, Ext::Texture2D);
    Hook(__glewFramebufferTexture3DEXT, Ext::realTexture3D, Ext::Texture3D);
    Hook(__glewFramebufferRenderbufferEXT, Ext::realRenderbuffer, Ext::Renderbuffer);
    Hook(__glewCheckFramebufferStatusEXT, Ext::realStatus, Ext::Status);
    Hook(__glewGetFramebufferAttachmentParameterivEXT, Ext::realQuery, Ext::Query);
    Hook(__glewGenRenderbuffersEXT, Ext::realGenRenderbuffers, Ext::GenRenderbuffers);
    Hook(__glewDeleteRenderbuffersEXT, Ext::realDeleteRenderbuffers, Ext::DeleteRenderbuffers);
    Hook(__glewBindRenderbufferEXT, Ext::realBindRenderbuffer, Ext::BindRenderbuffer);
    Hook(__glewRenderbufferStorageEXT, Ext::realStorage, Ext::Storage);
    Hook(__glewRenderbufferStorageMultisampleEXT, Ext::realStorageMultisample, Ext::StorageMultisample);
    Hook(__glewBlitFramebufferEXT, Ext::realBlit, Ext::Blit);
    Hook(__glewFramebufferTextureLayerEXT, Ext::realTextureLayer, Ext::TextureLayer);

    Hook(__glewGenFramebuffers, Core::realGen, Core::Gen);
    Hook(__glewDeleteFramebuffers, Core::realDelete, Core::Delete);
    Hook(__glewBindFramebuffer, Core::realBind, Core::Bind);
    Hook(__glewFramebufferTexture1D, Core::realTexture1D, Core::Texture1D);
    Hook(__glewFramebufferTexture2D, Core::realTexture2D, Core::Texture2D);
    Hook(__glewFramebufferTexture3D, Core::realTexture3D, Core::Texture3D);
    Hook(__glewFramebufferRenderbuffer, Core::realRenderbuffer, Core::Renderbuffer);
    Hook(__glewCheckFramebufferStatus, Core::realStatus, Core::Status);
    Hook(__glewGetFramebufferAttachmentParameteriv, Core::realQuery, Core::Query);
    Hook(__glewGenRenderbuffers, Core::realGenRenderbuffers, Core::GenRenderbuffers);
    Hook(__glewDeleteRenderbuffers, Core::realDeleteRenderbuffers, Core::DeleteRenderbuffers);
    Hook(__glewBindRenderbuffer, Core::realBindRenderbuffer, Core::BindRenderbuffer);
    Hook(__glewRenderbufferStorage, Core::realStorage, Core::Storage);
    Hook(__glewRenderbufferStorageMultisample, Core::realStorageMultisample, Core::StorageMultisample);
    Hook(__glewBlitFramebuffer, Core::realBlit, Core::Blit);
    Hook(__glewFramebufferTextureLayer, Core::realTextureLayer, Core::TextureLayer);
    Hook(__glewFramebufferTexture, Core::realTexture, Core::Texture);
    Hook(__glewDrawBuffers, realDrawBuffers, DrawBuffers);
}

} // namespace rec
