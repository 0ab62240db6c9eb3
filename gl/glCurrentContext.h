/// @file
/// Telling the library that the current context is about to go.
///
/// The library learns each context the first time it meets it (its version, its profile, the extensions its
/// calls depend on) and keeps that per thread, under the handle the window system gives the context. Window
/// systems hand out the handles of destroyed contexts again, so a context made after another was destroyed
/// may be taken for the old one and get the old one's calls: a core profile taken for a compatibility
/// context gets GL_CLAMP and GL_GENERATE_MIPMAP, which it refuses.
#pragma once

#include "glExport.h"

/// Forgets what this thread learnt of the current context; call it just before destroying that context.
///
/// Drops what was learnt of the context current on the calling thread, and what the library kept for it (the
/// primitive types of its geometry shaders), so that a context given the same handle later is learnt afresh
/// at its first use. Makes no GL call and prints nothing; with no context current it does nothing. Other
/// contexts, and other threads, keep what they learnt.
///
/// Destroy the library's objects made on the context (shaders, programs, vertex arrays, framebuffer objects,
/// offscreen targets) while it is still current, before this call: their GL names go with the context, and a
/// framebuffer object or offscreen target keeps the calls it learnt at its first operation, which are the old
/// context's.
VISTREL_API void glForgetCurrentContext();
