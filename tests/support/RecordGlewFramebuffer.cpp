// Recording wrappers for the framebuffer-object entry points the loader provides.
#include "RecordHooks.h"

namespace rec {
namespace {

decltype(__glewGenFramebuffersEXT) realGenFramebuffersEXT;
void GLAPIENTRY GenFramebuffersEXT(GLsizei n, GLuint* framebuffers) {
    realGenFramebuffersEXT(n, framebuffers);
    Record("glGenFramebuffersEXT", {Int(n)}, Int(n > 0 ? framebuffers[0] : 0));
}

decltype(__glewDeleteFramebuffersEXT) realDeleteFramebuffersEXT;
void GLAPIENTRY DeleteFramebuffersEXT(GLsizei n, const GLuint* framebuffers) {
    realDeleteFramebuffersEXT(n, framebuffers);
    Record("glDeleteFramebuffersEXT", {Int(n), Int(n > 0 ? framebuffers[0] : 0)});
}

decltype(__glewBindFramebufferEXT) realBindFramebufferEXT;
void GLAPIENTRY BindFramebufferEXT(GLenum target, GLuint framebuffer) {
    realBindFramebufferEXT(target, framebuffer);
    Record("glBindFramebufferEXT", {Enum(target), Int(framebuffer)});
}

decltype(__glewFramebufferTexture1DEXT) realFramebufferTexture1DEXT;
void GLAPIENTRY FramebufferTexture1DEXT(GLenum target, GLenum attachment, GLenum textarget, GLuint texture,
                                        GLint level) {
    realFramebufferTexture1DEXT(target, attachment, textarget, texture, level);
    Record("glFramebufferTexture1DEXT",
           {Enum(target), Enum(attachment), Enum(textarget), Int(texture), Int(level)});
}

decltype(__glewFramebufferTexture2DEXT) realFramebufferTexture2DEXT;
void GLAPIENTRY FramebufferTexture2DEXT(GLenum target, GLenum attachment, GLenum textarget, GLuint texture,
                                        GLint level) {
    realFramebufferTexture2DEXT(target, attachment, textarget, texture, level);
    Record("glFramebufferTexture2DEXT",
           {Enum(target), Enum(attachment), Enum(textarget), Int(texture), Int(level)});
}

decltype(__glewFramebufferTexture3DEXT) realFramebufferTexture3DEXT;
void GLAPIENTRY FramebufferTexture3DEXT(GLenum target, GLenum attachment, GLenum textarget, GLuint texture,
                                        GLint level, GLint zoffset) {
    realFramebufferTexture3DEXT(target, attachment, textarget, texture, level, zoffset);
    Record("glFramebufferTexture3DEXT",
           {Enum(target), Enum(attachment), Enum(textarget), Int(texture), Int(level), Int(zoffset)});
}

decltype(__glewFramebufferRenderbufferEXT) realFramebufferRenderbufferEXT;
void GLAPIENTRY FramebufferRenderbufferEXT(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                                           GLuint renderbuffer) {
    realFramebufferRenderbufferEXT(target, attachment, renderbufferTarget, renderbuffer);
    Record("glFramebufferRenderbufferEXT",
           {Enum(target), Enum(attachment), Enum(renderbufferTarget), Int(renderbuffer)});
}

decltype(__glewCheckFramebufferStatusEXT) realCheckFramebufferStatusEXT;
GLenum GLAPIENTRY CheckFramebufferStatusEXT(GLenum target) {
    int64_t scripted = 0;
    GLenum status = TakeScripted("glCheckFramebufferStatusEXT", scripted)
                        ? static_cast<GLenum>(scripted)
                        : realCheckFramebufferStatusEXT(target);
    Record("glCheckFramebufferStatusEXT", {Enum(target)}, Enum(status));
    return status;
}

decltype(__glewGetFramebufferAttachmentParameterivEXT) realGetFramebufferAttachmentParameterivEXT;
void GLAPIENTRY GetFramebufferAttachmentParameterivEXT(GLenum target, GLenum attachment, GLenum pname,
                                                       GLint* params) {
    int64_t scripted = 0;
    if (TakeScripted("glGetFramebufferAttachmentParameterivEXT", scripted)) {
        params[0] = static_cast<GLint>(scripted);
    } else {
        realGetFramebufferAttachmentParameterivEXT(target, attachment, pname, params);
    }
    Record("glGetFramebufferAttachmentParameterivEXT", {Enum(target), Enum(attachment), Enum(pname)},
           Int(params[0]));
}

} // namespace

void InstallFramebufferHooks() {
    Hook(__glewGenFramebuffersEXT, realGenFramebuffersEXT, GenFramebuffersEXT);
    Hook(__glewDeleteFramebuffersEXT, realDeleteFramebuffersEXT, DeleteFramebuffersEXT);
    Hook(__glewBindFramebufferEXT, realBindFramebufferEXT, BindFramebufferEXT);
    Hook(__glewFramebufferTexture1DEXT, realFramebufferTexture1DEXT, FramebufferTexture1DEXT);
    Hook(__glewFramebufferTexture2DEXT, realFramebufferTexture2DEXT, FramebufferTexture2DEXT);
    Hook(__glewFramebufferTexture3DEXT, realFramebufferTexture3DEXT, FramebufferTexture3DEXT);
    Hook(__glewFramebufferRenderbufferEXT, realFramebufferRenderbufferEXT, FramebufferRenderbufferEXT);
    Hook(__glewCheckFramebufferStatusEXT, realCheckFramebufferStatusEXT, CheckFramebufferStatusEXT);
    Hook(__glewGetFramebufferAttachmentParameterivEXT, realGetFramebufferAttachmentParameterivEXT,
         GetFramebufferAttachmentParameterivEXT);
}

} // namespace rec
