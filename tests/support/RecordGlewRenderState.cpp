// Recording wrappers for the blending entry points the loader provides.
#include "RecordHooks.h"

namespace rec {
namespace {

decltype(__glewBlendFuncSeparate) realBlendFuncSeparate;
void GLAPIENTRY BlendFuncSeparate(GLenum srcRGB, GLenum dstRGB, GLenum srcAlpha, GLenum dstAlpha) {
    realBlendFuncSeparate(srcRGB, dstRGB, srcAlpha, dstAlpha);
    Record("glBlendFuncSeparate", {Enum(srcRGB), Enum(dstRGB), Enum(srcAlpha), Enum(dstAlpha)});
}

decltype(__glewBlendEquation) realBlendEquation;
void GLAPIENTRY BlendEquation(GLenum mode) {
    realBlendEquation(mode);
    Record("glBlendEquation", {Enum(mode)});
}

decltype(__glewBlendColor) realBlendColor;
void GLAPIENTRY BlendColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    realBlendColor(red, green, blue, alpha);
    Record("glBlendColor", {Float(red), Float(green), Float(blue), Float(alpha)});
}

decltype(__glewColorMaskIndexedEXT) realColorMaskIndexedEXT;
void GLAPIENTRY ColorMaskIndexedEXT(GLuint buffer, GLboolean red, GLboolean green, GLboolean blue,
                                    GLboolean alpha) {
    realColorMaskIndexedEXT(buffer, red, green, blue, alpha);
    Record("glColorMaskIndexedEXT", {Int(buffer), Int(red), Int(green), Int(blue), Int(alpha)});
}

decltype(__glewColorMaski) realColorMaski;
void GLAPIENTRY ColorMaski(GLuint buffer, GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
    realColorMaski(buffer, red, green, blue, alpha);
    Record("glColorMaski", {Int(buffer), Int(red), Int(green), Int(blue), Int(alpha)});
}

} // namespace

void InstallRenderStateHooks() {
    Hook(__glewBlendFuncSeparate, realBlendFuncSeparate, BlendFuncSeparate);
    Hook(__glewBlendEquation, realBlendEquation, BlendEquation);
    Hook(__glewBlendColor, realBlendColor, BlendColor);
    Hook(__glewColorMaskIndexedEXT, realColorMaskIndexedEXT, ColorMaskIndexedEXT);
    Hook(__glewColorMaski, realColorMaski, ColorMaski);
}

} // namespace rec
