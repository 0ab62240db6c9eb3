#include "glContext.h"

#include <GL/glew.h>
#include <GL/glxew.h>
#include <cstdlib>
#include <cstring>

namespace glContext {

namespace {

struct Known {
    GLXContext context;
    GLXDrawable drawable;
    Facts facts;
};

// A program rarely has more than a few contexts; when it has more, the oldest is asked again.
constexpr int kRemembered = 8;
Known known[kRemembered];
int knownCount = 0;
int lastFound = 0;
int nextSlot = 0;

// "<major>.<minor>" starts every desktop version string; anything else reads as 0.0.
void ParseVersion(const char* version, Facts& facts) {
    char* end = nullptr;
    long major = strtol(version, &end, 10);
    if (end == version || *end != '.') {
        return;
    }
    const char* minorText = end + 1;
    long minor = strtol(minorText, &end, 10);
    if (end == minorText) {
        return;
    }
    facts.major = static_cast<int>(major);
    facts.minor = static_cast<int>(minor);
}

Facts Ask() {
    Facts facts;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr) {
        return facts;
    }
    ParseVersion(version, facts);
    // Profiles begin with 3.2; asking an older context for its profile mask is an error.
    if (facts.major < 3 || (facts.major == 3 && facts.minor < 2)) {
        return facts;
    }
    // Several drivers name the profile in the version string, which spares the second query.
    if (strstr(version, "Core Profile") != nullptr) {
        facts.core = true;
    } else if (strstr(version, "Compatibility Profile") == nullptr) {
        GLint mask = 0;
        glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
        facts.core = (mask & GL_CONTEXT_CORE_PROFILE_BIT) != 0;
    }
    return facts;
}

} // namespace

const Facts& Current() {
    GLXContext context = glXGetCurrentContext();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (context == nullptr) {
        // No GL call can succeed here anyway; nothing is learnt and nothing remembered.
        static const Facts none;
        return none;
    }
    if (lastFound < knownCount && known[lastFound].context == context &&
        known[lastFound].drawable == drawable) {
        return known[lastFound].facts;
    }
    for (int i = 0; i < knownCount; ++i) {
        if (known[i].context == context && known[i].drawable == drawable) {
            lastFound = i;
            return known[i].facts;
        }
    }
    int slot = nextSlot;
    nextSlot = (nextSlot + 1) % kRemembered;
    if (knownCount < kRemembered) {
        ++knownCount;
    }
    known[slot] = Known{context, drawable, Ask()};
    lastFound = slot;
    return known[slot].facts;
}

bool CoreProfile() {
    return Current().core;
}

bool Lists(const char* extension) {
    return glewGetExtension(extension) == GL_TRUE;
}

} // namespace glContext
