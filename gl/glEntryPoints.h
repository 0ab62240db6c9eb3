// Whether the loader provided the entry points an operation goes through, so that none is ever called
// through a null pointer. Used inside the library only; not installed.
#pragma once

#include "glContext.h"

#include <GL/glew.h>
#include <initializer_list>

namespace glEntryPoints {

struct EntryPoint {
    bool present; // the loader's pointer is set (and, for an extension it may fill anyway, listed)
    const char* name;
};

// The name of the first entry point of `needed` that is missing; null when every one is there. Inline,
// like `Available`: on the usual path, where every one is there, the check is a few compares.
inline const char* FirstMissing(std::initializer_list<EntryPoint> needed) {
    for (const EntryPoint& entry : needed) {
        if (!entry.present) {
            return entry.name;
        }
    }
    return nullptr;
}

// Writes "<className>::<operation> ERROR: <entryPoint> is not available\n".
void ReportMissing(const char* className, const char* operation, const char* entryPoint);

// True when every entry point of `needed` is there. Otherwise writes
// "<className>::<operation> ERROR: <first missing> is not available\n" and returns false.
inline bool Available(const char* className, const char* operation,
                      std::initializer_list<EntryPoint> needed) {
    const char* missing = FirstMissing(needed);
    if (missing != nullptr) {
        ReportMissing(className, operation, missing);
    }
    return missing == nullptr;
}

// The framebuffer-object entry points of one family. Those of EXT_framebuffer_object and those of
// OpenGL 3.0 take the same arguments and the same enumeration values, so one set of calls serves both.
// Each member refers to the loader's pointer itself, so it is read when called.
//
// The EXT family takes the entry points of EXT_framebuffer_multisample, EXT_framebuffer_blit and
// EXT_texture_array where the context lists them and the core ones of the same name otherwise; layered
// attachment is OpenGL 3.2's in both families.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC& genFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC& deleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC& bindFramebuffer;
    PFNGLFRAMEBUFFERTEXTURE1DPROC& framebufferTexture1D;
    PFNGLFRAMEBUFFERTEXTURE2DPROC& framebufferTexture2D;
    PFNGLFRAMEBUFFERTEXTURE3DPROC& framebufferTexture3D;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC& framebufferRenderbuffer;
    PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVPROC& getFramebufferAttachmentParameteriv;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC& checkFramebufferStatus;
    PFNGLGENRENDERBUFFERSPROC& genRenderbuffers;
    PFNGLDELETERENDERBUFFERSPROC& deleteRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC& bindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC& renderbufferStorage;
    PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC& renderbufferStorageMultisample;
    PFNGLBLITFRAMEBUFFERPROC& blitFramebuffer;
    PFNGLFRAMEBUFFERTEXTURELAYERPROC& framebufferTextureLayer;
    PFNGLFRAMEBUFFERTEXTUREPROC& framebufferTexture;
    // The family's names of the entry points above, in the same order, for "not available" lines.
    const char* names[17];
    // The context binds a read and a draw framebuffer apart (OpenGL 3.0, ARB_framebuffer_object or
    // EXT_framebuffer_blit); otherwise one binding serves both.
    bool separateBindings;
    // GL_DEPTH_STENCIL_ATTACHMENT is an attachment point; EXT_framebuffer_object has none.
    bool depthStencilAttachment;

    EntryPoint GenFramebuffers() const { return {genFramebuffers != nullptr, names[0]}; }
    EntryPoint DeleteFramebuffers() const { return {deleteFramebuffers != nullptr, names[1]}; }
    EntryPoint BindFramebuffer() const { return {bindFramebuffer != nullptr, names[2]}; }
    EntryPoint FramebufferTexture1D() const { return {framebufferTexture1D != nullptr, names[3]}; }
    EntryPoint FramebufferTexture2D() const { return {framebufferTexture2D != nullptr, names[4]}; }
    EntryPoint FramebufferTexture3D() const { return {framebufferTexture3D != nullptr, names[5]}; }
    EntryPoint FramebufferRenderbuffer() const { return {framebufferRenderbuffer != nullptr, names[6]}; }
    EntryPoint GetFramebufferAttachmentParameteriv() const {
        return {getFramebufferAttachmentParameteriv != nullptr, names[7]};
    }
    EntryPoint CheckFramebufferStatus() const { return {checkFramebufferStatus != nullptr, names[8]}; }
    EntryPoint GenRenderbuffers() const { return {genRenderbuffers != nullptr, names[9]}; }
    EntryPoint DeleteRenderbuffers() const { return {deleteRenderbuffers != nullptr, names[10]}; }
    EntryPoint BindRenderbuffer() const { return {bindRenderbuffer != nullptr, names[11]}; }
    EntryPoint RenderbufferStorage() const { return {renderbufferStorage != nullptr, names[12]}; }
    EntryPoint RenderbufferStorageMultisample() const {
        return {renderbufferStorageMultisample != nullptr, names[13]};
    }
    EntryPoint BlitFramebuffer() const { return {blitFramebuffer != nullptr, names[14]}; }
    EntryPoint FramebufferTextureLayer() const { return {framebufferTextureLayer != nullptr, names[15]}; }
    EntryPoint FramebufferTexture() const { return {framebufferTexture != nullptr, names[16]}; }
    // Without separate bindings the blit's entry point is what the context lacks, and is named.
    EntryPoint SeparateBindings() const { return {separateBindings, names[14]}; }
};

// The family `context` offers: EXT_framebuffer_object on a compatibility context that lists it, as
// always; the core entry points on a core profile, and on a compatibility context that offers them
// (OpenGL 3.0 or ARB_framebuffer_object) without the EXT ones. With neither, the EXT family, whose
// missing entry points then name themselves.
// The EXT family is the one that matches the context's other EXT answers and its bindings.
const FramebufferCalls& Framebuffers(const glContext::Context& context);

// The family of the current context.
const FramebufferCalls& Framebuffers();

} // namespace glEntryPoints
