#include "glError.h"

#include <cstdio>

bool glCheckError(int line, const char* file) {
    // One error per call: GL keeps any others for the next check.
    GLenum error = glGetError();
    if (error == GL_NO_ERROR) {
        return false;
    }
    if (file == nullptr) {
        file = "(unknown)";
    }
    switch (error) {
    case GL_INVALID_ENUM:
        fprintf(stderr, "GLenum argument out of range @ file %s line %d\n", file, line);
        break;
    case GL_INVALID_VALUE:
        fprintf(stderr, "Numeric argument out of range @ file %s line %d\n", file, line);
        break;
    default:
        fprintf(stderr, "Unknown error @ file %s line %d\n", file, line);
        break;
    }
    return true;
}
