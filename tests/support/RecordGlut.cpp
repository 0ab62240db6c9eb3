// Recording definitions of the GLUT entry points the code under test calls. GLUT's own GL calls made
// inside them are not ours and are not recorded.
#include "RecordHooks.h"

#include <GL/glut.h>

using namespace rec;

extern "C" {

int FGAPIENTRY glutGet(GLenum query) {
    static auto real = Next<decltype(&glutGet)>("glutGet");
    int64_t scripted = 0;
    int value = 0;
    if (TakeScripted("glutGet", scripted)) {
        value = static_cast<int>(scripted);
    } else {
        ForeignScope glut;
        value = real(query);
    }
    Record("glutGet", {Enum(query)}, Int(value));
    return value;
}

void FGAPIENTRY glutBitmapCharacter(void* font, int character) {
    static auto real = Next<decltype(&glutBitmapCharacter)>("glutBitmapCharacter");
    {
        ForeignScope glut;
        real(font, character);
    }
    Record("glutBitmapCharacter", {Font(font), Int(character)});
}

int FGAPIENTRY glutBitmapWidth(void* font, int character) {
    static auto real = Next<decltype(&glutBitmapWidth)>("glutBitmapWidth");
    int width = 0;
    {
        ForeignScope glut;
        width = real(font, character);
    }
    Record("glutBitmapWidth", {Font(font), Int(character)}, Int(width));
    return width;
}

void FGAPIENTRY glutSwapBuffers() {
    static auto real = Next<decltype(&glutSwapBuffers)>("glutSwapBuffers");
    {
        ForeignScope glut;
        real();
    }
    Record("glutSwapBuffers", {});
}

} // extern "C"
