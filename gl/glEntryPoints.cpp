#include "glEntryPoints.h"

#include "glContext.h"

#include <cstdio>

namespace glEntryPoints {

void ReportMissing(const char* className, const char* operation, const char* entryPoint) {
    fprintf(stderr, "%s::%s ERROR: %s is not available\n", className, operation, entryPoint);
}

namespace {

const FramebufferCalls kExtFramebuffers = {
    glGenFramebuffersEXT,
    glDeleteFramebuffersEXT,
    glBindFramebufferEXT,
    glFramebufferTexture1DEXT,
    glFramebufferTexture2DEXT,
    glFramebufferTexture3DEXT,
    glFramebufferRenderbufferEXT,
    glGetFramebufferAttachmentParameterivEXT,
    glCheckFramebufferStatusEXT,
    {"glGenFramebuffersEXT", "glDeleteFramebuffersEXT", "glBindFramebufferEXT", "glFramebufferTexture1DEXT",
     "glFramebufferTexture2DEXT", "glFramebufferTexture3DEXT", "glFramebufferRenderbufferEXT",
     "glGetFramebufferAttachmentParameterivEXT", "glCheckFramebufferStatusEXT"}};

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
    {"glGenFramebuffers", "glDeleteFramebuffers", "glBindFramebuffer", "glFramebufferTexture1D",
     "glFramebufferTexture2D", "glFramebufferTexture3D", "glFramebufferRenderbuffer",
     "glGetFramebufferAttachmentParameteriv", "glCheckFramebufferStatus"}};

bool OffersCoreFramebuffers(const glContext::Context& context) {
    return (context.major >= 3 || context.arbFramebufferObject) && glGenFramebuffers != nullptr;
}

} // namespace

const FramebufferCalls& Framebuffers(const glContext::Context& context) {
    if (context.core) {
        return kCoreFramebuffers;
    }
    if (context.extFramebufferObject || !OffersCoreFramebuffers(context)) {
        return kExtFramebuffers;
    }
    return kCoreFramebuffers;
}

const FramebufferCalls& Framebuffers() {
    return Framebuffers(glContext::Current());
}

} // namespace glEntryPoints
