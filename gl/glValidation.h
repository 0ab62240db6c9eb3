/// @file
/// The validation mode: checks that cost time, off unless asked for, that name a mistake and how to fix
/// it.
///
/// Off, the library makes exactly the calls it makes without this unit and pays one flag test per
/// operation. On, it adds the queries it needs and prints one line per mistake on the standard error
/// stream, "<Class>::<Operation> VALIDATION: <what is wrong and how to fix it>" (free functions
/// "<function>() VALIDATION: ..."):
/// - a uniform setter on a program that is not current, and BindTexture making its program current in
///   place of another, naming both programs;
/// - an operation of a framebuffer object that holds no framebuffer (GenerateId was never called);
/// - CglFrameBuffer::AttachTexture with a whole cube map, which the 2D attach call cannot take;
/// - glCreateTexture with a mipmap minifying filter on a texture that gets level 0 alone, which samples
///   black;
/// - an operation of an object on another context than the one it made its names in;
/// - every GL error an operation's own calls left queued, by its name ("GL_INVALID_OPERATION"), and one
///   that was queued before the operation began, as the program's own. Validation takes both from GL's
///   queue, so a later glCheckError no longer sees them;
/// - where the context offers debug output (OpenGL 4.3 or KHR_debug), the driver's own messages, as
///   "GL driver VALIDATION: <message>".
///
/// Validation is a setting of each thread, like the context it has current: VISTREL_VALIDATE=1 in the
/// environment (read once, when a thread first asks) turns it on for every thread, glSetValidation for
/// the calling thread.
#pragma once

#include "glExport.h"

/// Turns validation on or off for the calling thread, whatever VISTREL_VALIDATE says.
///
/// Turned on while a context is current, the context's debug output is routed to the standard error
/// stream too, where the context offers it; a context met later gets the same when the library first
/// meets it. Prints nothing.
VISTREL_API void glSetValidation(bool on);
