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

} // namespace

void InstallTextureHooks() {
    Hook(__glewTexImage3D, realTexImage3D, TexImage3D);
    Hook(__glewGenerateMipmap, realGenerateMipmap, GenerateMipmap);
}

} // namespace rec
