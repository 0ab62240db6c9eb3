#include "OverlayText.h"

#include <GL/glut.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>

int DrawOverlayText(float x, float y, const float* color, void* font, const char* format, ...) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // The raster position takes over the current colour when it is set, and that is the colour the
    // bitmaps are drawn in: the colour has to come first.
    glColor4fv(color);
    glRasterPos2f(x, y);

    int width = 0;
    if (format != nullptr) {
        char Str[kOverlayTextMax + 1];
        va_list args;
        va_start(args, format);
        int written = vsnprintf(Str, sizeof Str, format, args);
        va_end(args);
        if (written < 0) {
            Str[0] = '\0'; // an encoding error leaves the buffer's content undefined
        }
        size_t length = strlen(Str);
        for (size_t i = 0; i < length; ++i) {
            int c = static_cast<signed char>(Str[i]);
            glutBitmapCharacter(font, c);
            width += glutBitmapWidth(font, c);
        }
    }

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    return width;
}
