// What the library must know of the current GL context to pick its calls, and the little state it keeps
// for that context. Used inside the library only; not installed.
//
// A core profile has lost the compatibility-era entry points and values (GL_CLAMP, GL_GENERATE_MIPMAP,
// the ARB and EXT object calls); the units take their core equivalents there.
//
// Each thread keeps what it learnt of the contexts it has had current, and no other thread reads or
// writes it: a program whose threads each own a context needs no lock, and takes none.
#pragma once

#include <GL/glew.h>
#include <vector>

namespace glContext {

// A geometry shader's primitive types, waiting for the program that links the shader. Shader names are
// a context's own, so the layouts are kept per context.
struct GeometryLayout {
    GLuint shader;
    GLint inputType;
    GLint outputType;
};

struct Context {
    // The window system's handle of the context; null in the record of "no context current". Library
    // objects keep it to know their own context again.
    const void* id = nullptr;
    // Learnt the first time the library meets the context.
    int major = 0; // OpenGL version; 0.0 when the context could not say
    int minor = 0;
    bool core = false; // a core profile
    // Whether the context lists these extensions. The loader's flags are no guide: told to load
    // everything (glewExperimental), it raises the flag of every extension whose entry points the driver
    // resolves, listed or not. A core profile is not asked: it takes the core calls whatever it lists.
    bool extFramebufferObject = false;
    bool arbFramebufferObject = false;
    bool arbShaderObjects = false;
    bool extGeometryShader4 = false;
    bool extDrawBuffers2 = false;
    bool arbInstancedArrays = false;
    // Each gives the framebuffer calls of a compatibility context one more EXT entry point; the blit's
    // extension also brings the separate read and draw framebuffer bindings.
    bool extFramebufferBlit = false;
    bool extFramebufferMultisample = false;
    bool extTextureArray = false;
    // Whether the context offers debug output (OpenGL 4.3 or KHR_debug), and whether the validation mode
    // has routed it to the standard error stream.
    bool debugOutput = false;
    bool debugOutputRouted = false;

    // The layouts of the context's geometry shaders that the library compiled; null before the first.
    // Owned here (see `GeometryLayouts`).
    std::vector<GeometryLayout>* geometryLayouts = nullptr;
};

// The context current on this thread. The window system is asked once for its current context; a
// context met for the first time is asked for its version string, and on a version of 3.2 or later whose
// string does not name the profile, for its profile mask too; its extension answers come from the list
// the loader read. Later calls on that context make no GL call.
//
// With no context current, an empty record that is learnt anew each time.
Context& Current();

// The window system's handle of the context current on this thread, null when none is: one question to
// the window system and nothing learnt.
const void* CurrentId();

// The layouts kept for `context`, made on first use and freed when the thread ends.
std::vector<GeometryLayout>& GeometryLayouts(Context& context);

// Forgets what this thread learnt of the current context, and what it kept for it, so that the next call
// learns it again: for a context about to be destroyed, whose handle a new context may be given, and for
// one whose extension list the loader has read anew.
void Forget();

} // namespace glContext
