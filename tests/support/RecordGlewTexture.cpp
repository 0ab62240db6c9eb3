// Recording wrappers for the texture entry points the loader provides.
#include "RecordHooks.h"

namespace rec {
namespace {

decltype(__glewTexImage3D) realTexImage3D;
void GLAPIENTRY TexImage3D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                           GLsizei depth, GLint border, GLenum format, GLenum type, const void* pixels) {
    realTexImage3D(target, level, internalFormat, width, height, depth, border, format, type, pixels);
    Record("glTexImage3D", {Enum(target), Int(level), Enum(internalFormat), Int(width), Int(height),
                            Int(depth), Int(border), Enum(format), Enum(type), Ptr(pixels)});
}

decltype(__glewGenerateMipmap) realGenerateMipmap;
void GLAPIENTRY GenerateMipmap(GLenum target) {
    realGenerateMipmap(target);
    Record("glGenerateMipmap", {Enum(target)});
}

decltype(__glewBindImageTexture) realBindImageTexture;
void GLAPIENTRY BindImageTexture(GLuint unit, GLuint texture, GLint level, GLboolean layered, GLint layer,
                                 GLenum access, GLenum format) {
    realBindImageTexture(unit, texture, level, layered, layer, access, format);
    Record("glBindImageTexture",
           {Int(unit), Int(texture), Int(level), Int(layered), Int(layer), Enum(access), Enum(format)});
}

} // namespace

void InstallTextureHooks() {
    Hook(__glewTexImage3D, realTexImage3D, TexImage3D);
    Hook(__glewGenerateMipmap, realGenerateMipmap, GenerateMipmap);
    Hook(__glewBindImageTexture, realBindImageTexture, BindImageTexture);
}

} // namespace rec
