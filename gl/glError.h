/// @file
/// The GL error check: one pending GL error reported with the file and line of its call site.
///
/// The library's other functions never read GL errors; they leave them queued for this check, which a program
/// calls after its own GL work or the library's. The buffer functions (glBuffer.h) end with it.
#pragma once

#include "glExport.h"
#include <GL/glew.h>

/// Takes one pending GL error and reports it with the call site.
///
/// When there is one, prints "GLenum argument out of range", "Numeric argument out of range" or "Unknown
/// error", followed by " @ file <file> line <line>", and returns true; otherwise prints nothing and returns
/// false. `file` is the call site's file name without directory; a null one is printed as "(unknown)". GL
/// keeps any further errors for the next check.
VISTREL_API bool glCheckError(int line, const char* file);
