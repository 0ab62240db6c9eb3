#include "glEntryPoints.h"

#include "glContext.h"

#include <cstdio>

namespace glEntryPoints {

void ReportMissing(const char* className, const char* operation, const char* entryPoint) {
    fprintf(stderr, "%s::%s ERROR: %s is not available\n", className, operation, entryPoint);
}

namespace {

// What a compatibility context adds to EXT_framebuffer_object, one bit each: which EXT entry points
// it lists, and whether it binds a read and a draw framebuffer apart.
constexpr int kBlit = 1;
constexpr int kMultisample = 2;
constexpr int kTextureArray = 4;
constexpr int kSeparate = 8;

FramebufferCalls ExtFramebuffers(int listed) {
    bool blit = (listed & kBlit) != 0;
    bool multisample = (listed & kMultisample) != 0;
    bool textureArray = (listed & kTextureArray) != 0;
    return {glGenFramebuffersEXT,
            glDeleteFramebuffersEXT,
            glBindFramebufferEXT,
            glFramebufferTexture1DEXT,
            glFramebufferTexture2DEXT,
            glFramebufferTexture3DEXT,
            glFramebufferRenderbufferEXT,
            glGetFramebufferAttachmentParameterivEXT,
            glCheckFramebufferStatusEXT,
            glGenRenderbuffersEXT,
            glDeleteRenderbuffersEXT,
            glBindRenderbufferEXT,
            glRenderbufferStorageEXT,
            multisample ? glRenderbufferStorageMultisampleEXT : glRenderbufferStorageMultisample,
            blit ? glBlitFramebufferEXT : glBlitFramebuffer,
            textureArray ? glFramebufferTextureLayerEXT : glFramebufferTextureLayer,
            glFramebufferTexture,
            {"glGenFramebuffersEXT", "glDeleteFramebuffersEXT", "glBindFramebufferEXT",
             "glFramebufferTexture1DEXT", "glFramebufferTexture2DEXT", "glFramebufferTexture3DEXT",
             "glFramebufferRenderbufferEXT", "glGetFramebufferAttachmentParameterivEXT",
             "glCheckFramebufferStatusEXT", "glGenRenderbuffersEXT", "glDeleteRenderbuffersEXT",
             "glBindRenderbufferEXT", "glRenderbufferStorageEXT",
             multisample ? "glRenderbufferStorageMultisampleEXT" : "glRenderbufferStorageMultisample",
             blit ? "glBlitFramebufferEXT" : "glBlitFramebuffer",
             textureArray ? "glFramebufferTextureLayerEXT" : "glFramebufferTextureLayer",
             "glFramebufferTexture"},
            (listed & kSeparate) != 0,
            false};
}

// Every combination, made once: a family is chosen per context and kept by reference.
const FramebufferCalls kExtFramebuffers[] = {
    ExtFramebuffers(0),  ExtFramebuffers(1),  ExtFramebuffers(2),  ExtFramebuffers(3),
    ExtFramebuffers(4),  ExtFramebuffers(5),  ExtFramebuffers(6),  ExtFramebuffers(7),
    ExtFramebuffers(8),  ExtFramebuffers(9),  ExtFramebuffers(10), ExtFramebuffers(11),
    ExtFramebuffers(12), ExtFramebuffers(13), ExtFramebuffers(14), ExtFramebuffers(15)};

const FramebufferCalls kCoreFramebuffers = {
    glGenFramebuffers,
    glDeleteFramebuffers,
    glBindFramebuffer,
    glFramebufferTexture1D,
    glFramebufferTexture2D,
    glFramebufferTexture3D,
    glFramebufferRenderbuffer,
    glGetFramebufferAttachmentParameteriv,
    glCheckFramebufferStatus,
    glGenRenderbuffers,
    glDeleteRenderbuffers,
    glBindRenderbuffer,
    glRenderbufferStorage,
    glRenderbufferStorageMultisample,
    glBlitFramebuffer,
    glFramebufferTextureLayer,
    glFramebufferTexture,
    {"glGenFramebuffers", "glDeleteFramebuffers", "glBindFramebuffer", "glFramebufferTexture1D",
     "glFramebufferTexture2D", "glFramebufferTexture3D", "glFramebufferRenderbuffer",
     "glGetFramebufferAttachmentParameteriv", "glCheckFramebufferStatus", "glGenRenderbuffers",
     "glDeleteRenderbuffers", "glBindRenderbuffer", "glRenderbufferStorage",
     "glRenderbufferStorageMultisample", "glBlitFramebuffer", "glFramebufferTextureLayer",
     "glFramebufferTexture"},
    true,
    true};

bool OffersCoreFramebuffers(const glContext::Context& context) {
    return (context.major >= 3 || context.arbFramebufferObject) && glGenFramebuffers != nullptr;
}

} // namespace

const FramebufferCalls& Framebuffers(const glContext::Context& context) {
    if (context.core) {
        return kCoreFramebuffers;
    }
    if (!context.extFramebufferObject && OffersCoreFramebuffers(context)) {
        return kCoreFramebuffers;
    }
    bool separate = context.major >= 3 || context.arbFramebufferObject || context.extFramebufferBlit;
    return kExtFramebuffers[(context.extFramebufferBlit ? kBlit : 0) |
                            (context.extFramebufferMultisample ? kMultisample : 0) |
                            (context.extTextureArray ? kTextureArray : 0) | (separate ? kSeparate : 0)];
}

const FramebufferCalls& Framebuffers() {
    return Framebuffers(glContext::Current());
}

} // namespace glEntryPoints
