// Recording wrappers for the framebuffer-object entry points the loader provides: those of
// EXT_framebuffer_object and their core twins, which take the same arguments. Each family is recorded
// under its own names.
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

    Hook(__glewGenFramebuffers, Core::realGen, Core::Gen);
    Hook(__glewDeleteFramebuffers, Core::realDelete, Core::Delete);
    Hook(__glewBindFramebuffer, Core::realBind, Core::Bind);
    Hook(__glewFramebufferTexture1D, Core::realTexture1D, Core::Texture1D);
    Hook(__glewFramebufferTexture2D, Core::realTexture2D, Core::Texture2D);
    Hook(__glewFramebufferTexture3D, Core::realTexture3D, Core::Texture3D);
    Hook(__glewFramebufferRenderbuffer, Core::realRenderbuffer, Core::Renderbuffer);
    Hook(__glewCheckFramebufferStatus, Core::realStatus, Core::Status);
    Hook(__glewGetFramebufferAttachmentParameteriv, Core::realQuery, Core::Query);
}

} // namespace rec
