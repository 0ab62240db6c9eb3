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

decltype(__glewTexImage2DMultisample) realTexImage2DMultisample;
void GLAPIENTRY TexImage2DMultisample(GLenum target, GLsizei samples, GLenum internalFormat, GLsizei width,
                                      GLsizei height, GLboolean fixedLocations) {
    realTexImage2DMultisample(target, samples, internalFormat, width, height, fixedLocations);
    Record("glTexImage2DMultisample",
           {Enum(target), Int(samples), Enum(internalFormat), Int(width), Int(height), Int(fixedLocations)});
}

decltype(__glewTexImage3DMultisample) realTexImage3DMultisample;
void GLAPIENTRY TexImage3DMultisample(GLenum target, GLsizei samples, GLenum internalFormat, GLsizei width,
                                      GLsizei height, GLsizei depth, GLboolean fixedLocations) {
    realTexImage3DMultisample(target, samples, internalFormat, width, height, depth, fixedLocations);
    Record("glTexImage3DMultisample", {Enum(target), Int(samples), Enum(internalFormat), Int(width),
                                       Int(height), Int(depth), Int(fixedLocations)});
}

} // namespace

void InstallTextureHooks() {
    Hook(__glewTexImage3D, realTexImage3D, TexImage3D);
    Hook(__glewGenerateMipmap, realGenerateMipmap, GenerateMipmap);
    Hook(__glewBindImageTexture, realBindImageTexture, BindImageTexture);
    Hook(__glewTexImage2DMultisample, realTexImage2DMultisample, TexImage2DMultisample);
    Hook(__glewTexImage3DMultisample, realTexImage3DMultisample, TexImage3DMultisample);
}

} // namespace rec
