#include "glContext.h"

#include "glChecks.h"

#include <cstdlib>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <OpenGL/OpenGL.h>
#else
#include <dlfcn.h>
#endif

namespace glContext {

namespace {

// ---- which context is current ----

// A context as the window system names it. Handles of different window systems may be equal.
struct Handle {
    const void* context = nullptr;
    int system = 0;
};

#if defined(_WIN32)

Handle CurrentHandle() {
    return {wglGetCurrentContext(), 0};
}

#elif defined(__APPLE__)

Handle CurrentHandle() {
    return {CGLGetCurrentContext(), 0};
}

#else

using CurrentContextCall = void* (*)();

// X11 programs make their contexts with GLX; Wayland and headless ones with EGL. The program has loaded
// whichever it uses; asking the dynamic loader, rather than linking both, leaves that choice to it.
struct WindowSystem {
    const char* function;
    const char* libraries[2];
};

constexpr WindowSystem kWindowSystems[] = {
    {"glXGetCurrentContext", {"libGLX.so.0", "libGL.so.1"}},
    {"eglGetCurrentContext", {"libEGL.so.1", nullptr}},
};
constexpr int kSystemCount = sizeof kWindowSystems / sizeof kWindowSystems[0];

CurrentContextCall Find(const WindowSystem& system) {
    if (void* found = dlsym(RTLD_DEFAULT, system.function)) {
        return reinterpret_cast<CurrentContextCall>(found);
    }
    // A library opened without RTLD_GLOBAL is only found by name. RTLD_NOLOAD never loads one; the
    // handle is kept, so the library stays while the pointer is in use.
    for (const char* library : system.libraries) {
        void* handle = library != nullptr ? dlopen(library, RTLD_LAZY | RTLD_NOLOAD) : nullptr;
        if (handle == nullptr) {
            continue;
        }
        if (void* found = dlsym(handle, system.function)) {
            return reinterpret_cast<CurrentContextCall>(found);
        }
        dlclose(handle);
    }
    return nullptr;
}

struct WindowSystems {
    CurrentContextCall currentContext[kSystemCount] = {};
    bool searched = false;
    int lastUsed = 0; // asked first: a thread rarely changes window systems
};

thread_local WindowSystems systems;

// Finds the entry points the process has not loaded yet; those found are kept.
bool FindMissing() {
    bool foundAny = false;
    for (int i = 0; i < kSystemCount; ++i) {
        if (systems.currentContext[i] == nullptr) {
            systems.currentContext[i] = Find(kWindowSystems[i]);
            foundAny = foundAny || systems.currentContext[i] != nullptr;
        }
    }
    systems.searched = true;
    return foundAny;
}

Handle AskWindowSystems() {
    // The usual case first: one call, to the window system that answered last time.
    int last = systems.lastUsed;
    if (systems.currentContext[last] != nullptr) {
        if (const void* context = systems.currentContext[last]()) {
            return {context, last};
        }
    }
    for (int i = 0; i < kSystemCount; ++i) {
        if (i == last || systems.currentContext[i] == nullptr) {
            continue;
        }
        if (const void* context = systems.currentContext[i]()) {
            systems.lastUsed = i;
            return {context, i};
        }
    }
    return {};
}

Handle CurrentHandle() {
    if (!systems.searched) {
        FindMissing();
    }
    Handle handle = AskWindowSystems();
    // The program may have loaded its window system since this thread last looked.
    if (handle.context == nullptr && FindMissing()) {
        handle = AskWindowSystems();
    }
    return handle;
}

#endif

// ---- what is learnt of a context ----

// "<major>.<minor>" starts every desktop version string; anything else reads as 0.0.
void ParseVersion(const char* version, Context& context) {
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
    context.major = static_cast<int>(major);
    context.minor = static_cast<int>(minor);
}

bool Lists(const char* extension) {
    return glewGetExtension(extension) == GL_TRUE;
}

void Clear(Context& context) {
    delete context.geometryLayouts;
    context = Context();
}

void Learn(Context& context) {
    Clear(context);
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr) {
        return;
    }
    ParseVersion(version, context);
    context.debugOutput =
        context.major > 4 || (context.major == 4 && context.minor >= 3) || Lists("GL_KHR_debug");
    // Profiles begin with 3.2; asking an older context for its profile mask is an error. Several
    // drivers name the profile in the version string, which spares the second query.
    bool profiles = context.major > 3 || (context.major == 3 && context.minor >= 2);
    if (profiles && strstr(version, "Core Profile") != nullptr) {
        context.core = true;
    } else if (profiles && strstr(version, "Compatibility Profile") == nullptr) {
        GLint mask = 0;
        glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
        context.core = (mask & GL_CONTEXT_CORE_PROFILE_BIT) != 0;
    }
    if (context.core) {
        return;
    }
    // The loader's own list, which costs no GL call.
    context.extFramebufferObject = Lists("GL_EXT_framebuffer_object");
    context.arbFramebufferObject = Lists("GL_ARB_framebuffer_object");
    context.arbShaderObjects = Lists("GL_ARB_shader_objects");
    context.extGeometryShader4 = Lists("GL_EXT_geometry_shader4");
    context.extDrawBuffers2 = Lists("GL_EXT_draw_buffers2");
    context.arbInstancedArrays = Lists("GL_ARB_instanced_arrays");
    context.extFramebufferBlit = Lists("GL_EXT_framebuffer_blit");
    context.extFramebufferMultisample = Lists("GL_EXT_framebuffer_multisample");
    context.extTextureArray = Lists("GL_EXT_texture_array");
}

// ---- what this thread knows ----

struct Known {
    Handle handle;
    Context context;
};

// A thread rarely has more than a few contexts; when it has more, the oldest is learnt again.
constexpr int kRemembered = 8;

// Trivially destructible, so that it stays usable to the end: objects of the main thread destroyed with
// the program's static objects run after its thread-local storage has been torn down.
struct Knowledge {
    Known known[kRemembered];
    int count = 0;
    int last = 0; // checked first: most calls come in runs on one context
    int next = 0;
    Context none; // for calls made with no context current
};

thread_local Knowledge knowledge;

// Frees what the thread's contexts hold when the thread ends, leaving the knowledge empty but usable.
struct Release {
    bool armed = false;
    ~Release() {
        for (Known& known : knowledge.known) {
            Clear(known.context);
        }
        knowledge.count = 0;
    }
};

thread_local Release release;

bool Same(const Handle& a, const Handle& b) {
    return a.context == b.context && a.system == b.system;
}

// The slot of `handle`, or -1.
int SlotOf(const Handle& handle) {
    if (knowledge.last < knowledge.count && Same(knowledge.known[knowledge.last].handle, handle)) {
        return knowledge.last;
    }
    for (int i = 0; i < knowledge.count; ++i) {
        if (Same(knowledge.known[i].handle, handle)) {
            return i;
        }
    }
    return -1;
}

} // namespace

Context& Current() {
    Handle handle = CurrentHandle();
    if (handle.context == nullptr) {
        // No GL call can succeed here anyway; nothing is learnt and nothing kept.
        Clear(knowledge.none);
        return knowledge.none;
    }
    int slot = SlotOf(handle);
    if (slot < 0) {
        slot = knowledge.next;
        knowledge.next = (knowledge.next + 1) % kRemembered;
        if (knowledge.count < kRemembered) {
            ++knowledge.count;
        }
        knowledge.known[slot].handle = handle;
        Learn(knowledge.known[slot].context);
        knowledge.known[slot].context.id = handle.context;
    }
    knowledge.last = slot;
    Context& context = knowledge.known[slot].context;
    if (!context.debugOutputRouted && glChecks::Validating()) {
        glChecks::RouteDebugOutput(context);
    }
    return context;
}

const void* CurrentId() {
    return CurrentHandle().context;
}

std::vector<GeometryLayout>& GeometryLayouts(Context& context) {
    if (context.geometryLayouts == nullptr) {
        // Touched here so that the thread frees it at its end.
        release.armed = true;
        context.geometryLayouts = new std::vector<GeometryLayout>;
    }
    return *context.geometryLayouts;
}

void Forget() {
    int slot = SlotOf(CurrentHandle());
    if (slot >= 0) {
        // No window system hands out a null handle, so the slot matches nothing until it is reused.
        knowledge.known[slot].handle = Handle();
        Clear(knowledge.known[slot].context);
    }
}

} // namespace glContext
