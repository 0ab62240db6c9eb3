// What the library must know of the current GL context to pick its calls: the context's version and
// profile, learnt once per context, and which extensions it lists. Used inside the library only; not
// installed.
//
// A core profile has lost the compatibility-era entry points and values (GL_CLAMP, GL_GENERATE_MIPMAP,
// the ARB and EXT object calls); the units take their core equivalents there.
//
// The extension loader's flags are no guide: told to load everything (glewExperimental), it raises the
// flag of every extension whose entry points the driver resolves, listed or not. The list the context
// itself gave the loader is the truth, so that is what `Lists` reads.
#pragma once

namespace glContext {

struct Facts {
    int major = 0; // OpenGL version; 0.0 when the context could not say
    int minor = 0;
    bool core = false; // a core profile
};

// The facts of the current context. The first call on a context asks it for its version string, and
// on a version of 3.2 or later whose string does not name the profile, for its profile mask too; later
// calls on that context make no GL call. A context is told apart from others by its GLX context and
// drawable, so a new window is a new context even where the old one's memory is reused.
const Facts& Current();

// True when the current context is a core profile.
bool CoreProfile();

// True when `extension` (for example "GL_EXT_framebuffer_object") is in the extension list the loader
// read from the context it was initialised on. Makes no GL call; false without the loader.
bool Lists(const char* extension);

} // namespace glContext
