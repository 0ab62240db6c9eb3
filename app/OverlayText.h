// Bitmap text drawn over whatever the current matrices are.
#pragma once

// Longest text the overlay draws; longer formatted text is cut to this many characters.
constexpr int kOverlayTextMax = 255;

// Formats `format` and its arguments printf-style and draws the text in a GLUT bitmap font at (x, y)
// in normalized device coordinates (-1 to 1 across the viewport), in `color` (four floats, RGBA).
// Returns the text's width in pixels: the sum of glutBitmapWidth over its characters, 0 for a null
// format or an empty text. Characters of code 128 or more reach GLUT as negative codes.
// Needs a current GL context. Both matrices end as they were; the matrix mode is left at
// GL_MODELVIEW, the current colour at `color`, and the raster position after the text.
int DrawOverlayText(float x, float y, const float* color, void* font, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
