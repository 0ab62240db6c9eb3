// Plumbing shared by the recording wrappers.
#pragma once

#include "Recorder.h"

#include <GL/glew.h>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace rec {

// The driver's own definition of an entry point that the test binary defines itself.
template <typename F>
F Next(const char* name) {
    void* entry = dlsym(RTLD_NEXT, name);
    if (entry == nullptr) {
        fprintf(stderr, "recorder: the driver has no %s\n", name);
        abort();
    }
    return reinterpret_cast<F>(entry);
}

// Puts `wrapper` in GLEW's entry point and keeps the driver's in `real`; an entry point GLEW left null
// stays null, so the code under test sees exactly what the loader provided.
template <typename F>
void Hook(F& entry, F& real, F wrapper) {
    real = entry;
    if (entry != nullptr) {
        entry = wrapper;
    }
}

inline void Record(const char* name, const std::vector<Arg>& args) {
    if (ShouldRecord()) {
        Append(Call(name, args));
    }
}

inline void Record(const char* name, const std::vector<Arg>& args, const Arg& result) {
    if (ShouldRecord()) {
        Append(Call(name, args, result));
    }
}

// Each unit's GLEW entry points, installed by InstallGlewHooks.
void InstallProgramHooks();
void InstallTextureHooks();
void InstallRenderStateHooks();
void InstallFramebufferHooks();
void InstallBufferHooks();
void InstallVertexArrayHooks();
void InstallValidationHooks();

} // namespace rec
