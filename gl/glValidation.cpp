#include "glValidation.h"

#include "glChecks.h"
#include "glContext.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace glChecks {

// ---- null arguments and contexts ----

namespace {

// A class's operations are named "<Class>::<Operation>"; free functions have no "::".
bool OfClass(const char* where) {
    return strstr(where, "::") != nullptr;
}

// "<Class>::<Operation> ERROR: <text>" or "<function>() : <text>", one line.
void ReportError(const char* where, const char* text) {
    fprintf(stderr, OfClass(where) ? "%s ERROR: %s\n" : "%s() : %s\n", where, text);
}

} // namespace

void ReportNull(const char* where, const char* argument) {
    char text[128];
    snprintf(text, sizeof text, "%s is null", argument);
    ReportError(where, text);
}

bool OnOwnContext(const char* where, Owner owner, Owner current) {
    if (current == nullptr) {
        ReportError(where, "no GL context is current");
        return false;
    }
    if (owner != nullptr && owner != current) {
        ReportError(where, "belongs to another context");
        return false;
    }
    return true;
}

bool CheckObject(const char* where, bool holds, Owner owner, const char* emptyText) {
    if (!holds) {
        Report(where, "%s", emptyText);
    }
    return OnOwnContext(where, holds ? owner : nullptr, glContext::CurrentId());
}

// ---- the validation setting, one per thread ----

#if defined(__GNUC__) && defined(__ELF__)
__thread unsigned char setting __attribute__((tls_model("initial-exec"))) = kUnknown;
#elif defined(__GNUC__)
__thread unsigned char setting = kUnknown;
#else
thread_local unsigned char setting = kUnknown;
#endif

namespace {

// How many operations of the library are running on this thread, while validating.
thread_local int depth = 0;

// Read once for the whole process; afterwards only read.
bool EnvironmentAsks() {
    static const bool asks = [] {
        const char* value = getenv("VISTREL_VALIDATE");
        return value != nullptr && strcmp(value, "1") == 0;
    }();
    return asks;
}

// Each error GL reports is a flag it clears when read, so a context holds a handful at most; the bound
// only guards against a driver that keeps answering.
constexpr int kMostErrors = 16;

// Takes every queued GL error and reports each with `text`, in which %s is its name.
void ReportQueued(const char* where, const char* text) {
    for (int i = 0; i < kMostErrors; ++i) {
        GLenum error = glGetError();
        if (error == GL_NO_ERROR) {
            return;
        }
        char unnamed[32];
        const char* name = ErrorName(error);
        if (name == nullptr) {
            snprintf(unnamed, sizeof unnamed, "GL error 0x%04X", error);
            name = unnamed;
        }
        Report(where, text, name);
    }
}

void GLAPIENTRY DebugMessage(GLenum, GLenum, GLuint, GLenum severity, GLsizei length, const GLchar* message,
                             const void*) {
    // Notifications are the driver's chatter (a shader compiled, a buffer placed), not mistakes.
    if (severity == GL_DEBUG_SEVERITY_NOTIFICATION || !Validating() || message == nullptr) {
        return;
    }
    // Drivers end some messages with a newline of their own.
    int shown = length >= 0 ? length : static_cast<int>(strlen(message));
    while (shown > 0 && message[shown - 1] == '\n') {
        --shown;
    }
    fprintf(stderr, "GL driver VALIDATION: %.*s\n", shown, message);
}

} // namespace

bool FirstAsk() {
    setting = EnvironmentAsks() ? kOn : kOff;
    return setting == kOn;
}

void Report(const char* where, const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    fprintf(stderr, OfClass(where) ? "%s VALIDATION: %s\n" : "%s() VALIDATION: %s\n", where, text);
}

bool Scope::Begin(const char* where) {
    bool outermost = depth++ == 0;
    if (outermost) {
        ReportQueued(where,
                     "%s was queued before the operation began: a GL call of the program raised it (check "
                     "for errors after your own calls to find which)");
    }
    return outermost;
}

void Scope::End(const char* where, bool outermost) {
    --depth;
    if (outermost) {
        ReportQueued(where,
                     "its GL calls left %s queued: an argument or the object's state is not what GL accepts "
                     "there");
    }
}

const char* ErrorName(GLenum error) {
    switch (error) {
    case GL_INVALID_ENUM:
        return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW:
        return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW:
        return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY:
        return "GL_OUT_OF_MEMORY";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "GL_INVALID_FRAMEBUFFER_OPERATION";
    case GL_CONTEXT_LOST:
        return "GL_CONTEXT_LOST";
    default:
        return nullptr;
    }
}

void RouteDebugOutput(glContext::Context& context) {
    if (context.debugOutputRouted || !context.debugOutput || glDebugMessageCallback == nullptr) {
        return;
    }
    context.debugOutputRouted = true;
    // A program that reads the debug output itself keeps it.
    void* installed = nullptr;
    glGetPointerv(GL_DEBUG_CALLBACK_FUNCTION, &installed);
    if (installed != nullptr) {
        return;
    }
    glEnable(GL_DEBUG_OUTPUT);
    // Synchronous, so that a message arrives on the thread, and during the call, that caused it.
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(DebugMessage, nullptr);
}

void UnrouteDebugOutput(glContext::Context& context) {
    context.debugOutputRouted = false;
    void* installed = nullptr;
    glGetPointerv(GL_DEBUG_CALLBACK_FUNCTION, &installed);
    if (installed != reinterpret_cast<void*>(&DebugMessage)) {
        return;
    }
    glDebugMessageCallback(nullptr, nullptr);
    glDisable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDisable(GL_DEBUG_OUTPUT);
}

} // namespace glChecks

void glSetValidation(bool on) {
    glChecks::setting = on ? glChecks::kOn : glChecks::kOff;
    glContext::Context& context = glContext::Current();
    if (context.id == nullptr) {
        return;
    }
    if (on) {
        glChecks::RouteDebugOutput(context);
    } else if (context.debugOutputRouted) {
        // The driver stops producing the messages, rather than producing them for no one.
        glChecks::UnrouteDebugOutput(context);
    }
}
