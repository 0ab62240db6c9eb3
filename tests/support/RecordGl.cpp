// Recording definitions of the core OpenGL 1.1 entry points the code under test calls.
#include "RecordHooks.h"

using namespace rec;

extern "C" {

void GLAPIENTRY glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    static auto real = Next<decltype(&glClearColor)>("glClearColor");
    real(red, green, blue, alpha);
    Record("glClearColor", {Float(red), Float(green), Float(blue), Float(alpha)});
}

void GLAPIENTRY glClear(GLbitfield mask) {
    static auto real = Next<decltype(&glClear)>("glClear");
    real(mask);
    Record("glClear", {Enum(mask)});
}

void GLAPIENTRY glMatrixMode(GLenum mode) {
    static auto real = Next<decltype(&glMatrixMode)>("glMatrixMode");
    real(mode);
    Record("glMatrixMode", {Enum(mode)});
}

void GLAPIENTRY glPushMatrix() {
    static auto real = Next<decltype(&glPushMatrix)>("glPushMatrix");
    real();
    Record("glPushMatrix", {});
}

void GLAPIENTRY glPopMatrix() {
    static auto real = Next<decltype(&glPopMatrix)>("glPopMatrix");
    real();
    Record("glPopMatrix", {});
}

void GLAPIENTRY glLoadIdentity() {
    static auto real = Next<decltype(&glLoadIdentity)>("glLoadIdentity");
    real();
    Record("glLoadIdentity", {});
}

void GLAPIENTRY glColor4fv(const GLfloat* v) {
    static auto real = Next<decltype(&glColor4fv)>("glColor4fv");
    real(v);
    Record("glColor4fv", {Floats(v, 4)});
}

void GLAPIENTRY glRasterPos2f(GLfloat x, GLfloat y) {
    static auto real = Next<decltype(&glRasterPos2f)>("glRasterPos2f");
    real(x, y);
    Record("glRasterPos2f", {Float(x), Float(y)});
}

void GLAPIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    static auto real = Next<decltype(&glViewport)>("glViewport");
    real(x, y, width, height);
    Record("glViewport", {Int(x), Int(y), Int(width), Int(height)});
}

void GLAPIENTRY glDepthRange(GLclampd zNear, GLclampd zFar) {
    static auto real = Next<decltype(&glDepthRange)>("glDepthRange");
    real(zNear, zFar);
    Record("glDepthRange", {Float(zNear), Float(zFar)});
}

void GLAPIENTRY glGenTextures(GLsizei n, GLuint* textures) {
    static auto real = Next<decltype(&glGenTextures)>("glGenTextures");
    real(n, textures);
    Record("glGenTextures", {Int(n)}, Int(n > 0 ? textures[0] : 0));
}

void GLAPIENTRY glDeleteTextures(GLsizei n, const GLuint* textures) {
    static auto real = Next<decltype(&glDeleteTextures)>("glDeleteTextures");
    real(n, textures);
    Record("glDeleteTextures", {Int(n), Int(n > 0 ? textures[0] : 0)});
}

void GLAPIENTRY glBindTexture(GLenum target, GLuint texture) {
    static auto real = Next<decltype(&glBindTexture)>("glBindTexture");
    real(target, texture);
    Record("glBindTexture", {Enum(target), Int(texture)});
}

void GLAPIENTRY glPixelStorei(GLenum pname, GLint param) {
    static auto real = Next<decltype(&glPixelStorei)>("glPixelStorei");
    real(pname, param);
    Record("glPixelStorei", {Enum(pname), Int(param)});
}

void GLAPIENTRY glTexParameteri(GLenum target, GLenum pname, GLint param) {
    static auto real = Next<decltype(&glTexParameteri)>("glTexParameteri");
    real(target, pname, param);
    Record("glTexParameteri", {Enum(target), Enum(pname), Int(param)});
}

void GLAPIENTRY glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
    static auto real = Next<decltype(&glTexParameterf)>("glTexParameterf");
    real(target, pname, param);
    Record("glTexParameterf", {Enum(target), Enum(pname), Float(param)});
}

void GLAPIENTRY glTexParameterfv(GLenum target, GLenum pname, const GLfloat* params) {
    static auto real = Next<decltype(&glTexParameterfv)>("glTexParameterfv");
    real(target, pname, params);
    Record("glTexParameterfv", {Enum(target), Enum(pname), Floats(params, 4)});
}

void GLAPIENTRY glTexImage1D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLint border,
                             GLenum format, GLenum type, const void* pixels) {
    static auto real = Next<decltype(&glTexImage1D)>("glTexImage1D");
    real(target, level, internalFormat, width, border, format, type, pixels);
    Record("glTexImage1D", {Enum(target), Int(level), Enum(internalFormat), Int(width), Int(border),
                            Enum(format), Enum(type), Ptr(pixels)});
}

void GLAPIENTRY glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                             GLint border, GLenum format, GLenum type, const void* pixels) {
    static auto real = Next<decltype(&glTexImage2D)>("glTexImage2D");
    real(target, level, internalFormat, width, height, border, format, type, pixels);
    Record("glTexImage2D", {Enum(target), Int(level), Enum(internalFormat), Int(width), Int(height),
                            Int(border), Enum(format), Enum(type), Ptr(pixels)});
}

void GLAPIENTRY glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                                GLenum format, GLenum type, const void* pixels) {
    static auto real = Next<decltype(&glTexSubImage2D)>("glTexSubImage2D");
    real(target, level, x, y, width, height, format, type, pixels);
    Record("glTexSubImage2D", {Enum(target), Int(level), Int(x), Int(y), Int(width), Int(height),
                               Enum(format), Enum(type), Ptr(pixels)});
}

void GLAPIENTRY glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                             void* pixels) {
    static auto real = Next<decltype(&glReadPixels)>("glReadPixels");
    real(x, y, width, height, format, type, pixels);
    Record("glReadPixels", {Int(x), Int(y), Int(width), Int(height), Enum(format), Enum(type), Ptr(pixels)});
}

void GLAPIENTRY glReadBuffer(GLenum mode) {
    static auto real = Next<decltype(&glReadBuffer)>("glReadBuffer");
    real(mode);
    Record("glReadBuffer", {Enum(mode)});
}

void GLAPIENTRY glEnable(GLenum cap) {
    static auto real = Next<decltype(&glEnable)>("glEnable");
    real(cap);
    Record("glEnable", {Enum(cap)});
}

void GLAPIENTRY glDisable(GLenum cap) {
    static auto real = Next<decltype(&glDisable)>("glDisable");
    real(cap);
    Record("glDisable", {Enum(cap)});
}

void GLAPIENTRY glDepthFunc(GLenum func) {
    static auto real = Next<decltype(&glDepthFunc)>("glDepthFunc");
    real(func);
    Record("glDepthFunc", {Enum(func)});
}

void GLAPIENTRY glDepthMask(GLboolean flag) {
    static auto real = Next<decltype(&glDepthMask)>("glDepthMask");
    real(flag);
    Record("glDepthMask", {Int(flag)});
}

void GLAPIENTRY glStencilMask(GLuint mask) {
    static auto real = Next<decltype(&glStencilMask)>("glStencilMask");
    real(mask);
    Record("glStencilMask", {Int(mask)});
}

void GLAPIENTRY glStencilFunc(GLenum func, GLint ref, GLuint mask) {
    static auto real = Next<decltype(&glStencilFunc)>("glStencilFunc");
    real(func, ref, mask);
    Record("glStencilFunc", {Enum(func), Int(ref), Int(mask)});
}

void GLAPIENTRY glStencilOp(GLenum fail, GLenum zfail, GLenum zpass) {
    static auto real = Next<decltype(&glStencilOp)>("glStencilOp");
    real(fail, zfail, zpass);
    Record("glStencilOp", {Enum(fail), Enum(zfail), Enum(zpass)});
}

void GLAPIENTRY glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
    static auto real = Next<decltype(&glColorMask)>("glColorMask");
    real(red, green, blue, alpha);
    Record("glColorMask", {Int(red), Int(green), Int(blue), Int(alpha)});
}

void GLAPIENTRY glGetIntegerv(GLenum pname, GLint* params) {
    static auto real = Next<decltype(&glGetIntegerv)>("glGetIntegerv");
    real(pname, params);
    Record("glGetIntegerv", {Enum(pname)}, Int(params[0]));
}

GLenum GLAPIENTRY glGetError() {
    static auto real = Next<decltype(&glGetError)>("glGetError");
    int64_t scripted = 0;
    GLenum error = TakeScripted("glGetError", scripted) ? static_cast<GLenum>(scripted) : real();
    Record("glGetError", {}, Enum(error));
    return error;
}

void GLAPIENTRY glBlendFunc(GLenum sfactor, GLenum dfactor) {
    static auto real = Next<decltype(&glBlendFunc)>("glBlendFunc");
    real(sfactor, dfactor);
    Record("glBlendFunc", {Enum(sfactor), Enum(dfactor)});
}

void GLAPIENTRY glCullFace(GLenum mode) {
    static auto real = Next<decltype(&glCullFace)>("glCullFace");
    real(mode);
    Record("glCullFace", {Enum(mode)});
}

void GLAPIENTRY glFrontFace(GLenum mode) {
    static auto real = Next<decltype(&glFrontFace)>("glFrontFace");
    real(mode);
    Record("glFrontFace", {Enum(mode)});
}

void GLAPIENTRY glPolygonMode(GLenum face, GLenum mode) {
    static auto real = Next<decltype(&glPolygonMode)>("glPolygonMode");
    real(face, mode);
    Record("glPolygonMode", {Enum(face), Enum(mode)});
}

void GLAPIENTRY glPolygonOffset(GLfloat factor, GLfloat units) {
    static auto real = Next<decltype(&glPolygonOffset)>("glPolygonOffset");
    real(factor, units);
    Record("glPolygonOffset", {Float(factor), Float(units)});
}

void GLAPIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    static auto real = Next<decltype(&glDrawArrays)>("glDrawArrays");
    real(mode, first, count);
    Record("glDrawArrays", {Enum(mode), Int(first), Int(count)});
}

// The index offset is recorded as the number it stands for.
void GLAPIENTRY glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    static auto real = Next<decltype(&glDrawElements)>("glDrawElements");
    real(mode, count, type, indices);
    Record("glDrawElements", {Enum(mode), Int(count), Enum(type),
                              Int(static_cast<int64_t>(reinterpret_cast<intptr_t>(indices)))});
}

const GLubyte* GLAPIENTRY glGetString(GLenum name) {
    static auto real = Next<decltype(&glGetString)>("glGetString");
    const char* scripted = nullptr;
    const GLubyte* text =
        TakeScriptedText("glGetString", scripted) ? reinterpret_cast<const GLubyte*>(scripted) : real(name);
    Record("glGetString", {Enum(name)}, Text(reinterpret_cast<const char*>(text)));
    return text;
}

// The loader's answer from the context's extension list, or a test's pretended one.
GLboolean GLEWAPIENTRY glewGetExtension(const char* name) {
    static auto real = Next<decltype(&glewGetExtension)>("glewGetExtension");
    if (PretendedUnlisted(name)) {
        return GL_FALSE;
    }
    return Pretended(name) ? GL_TRUE : real(name);
}

void GLAPIENTRY glGetPointerv(GLenum pname, void** params) {
    static auto real = Next<decltype(&glGetPointerv)>("glGetPointerv");
    real(pname, params);
    Record("glGetPointerv", {Enum(pname)}, Ptr(params[0]));
}

} // extern "C"
