// Fuzzes the overlay's text formatting with the shell's own DrawOverlayText. The GLUT font calls are
// replaced here by ones that collect the characters, so no window is needed; the GL calls go to the
// driver's dispatch, which ignores them without a current context.
#include "OverlayText.h"

#include <GL/glut.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
std::string drawn;
}

extern "C" {
void FGAPIENTRY glutBitmapCharacter(void*, int character) {
    drawn += static_cast<char>(character);
}
int FGAPIENTRY glutBitmapWidth(void*, int) {
    return 9;
}
}

namespace {

// Reads fixed-size values off the front of the input.
struct Input {
    const uint8_t* data;
    size_t size;

    template <typename T>
    T Take() {
        T value{};
        size_t n = size < sizeof value ? size : sizeof value;
        memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
    std::string Rest() { return std::string(reinterpret_cast<const char*>(data), size); }
};

// Draws through DrawOverlayText and checks the outcome against snprintf into an ample buffer.
template <typename... Args>
void Check(const char* format, Args... args) {
    char expected[4096];
    int length = snprintf(expected, sizeof expected, format, args...);
    if (length < 0 || length >= static_cast<int>(sizeof expected)) {
        return;
    }
    std::string text(expected, strnlen(expected, sizeof expected));
    if (text.size() > kOverlayTextMax) {
        text.resize(kOverlayTextMax);
    }

    drawn.clear();
    const float color[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    int width = DrawOverlayText(-1.0f, 0.0f, color, GLUT_BITMAP_9_BY_15, format, args...);
    if (drawn != text || width != 9 * static_cast<int>(text.size())) {
        abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input{data, size};
    uint8_t choice = input.Take<uint8_t>();
    switch (choice % 5) {
    case 0:
        Check("FPS = %f", static_cast<double>(input.Take<float>()));
        break;
    case 1:
        Check("%.*f", static_cast<int>(input.Take<uint8_t>()), input.Take<double>());
        break;
    case 2:
        Check("%*d|%s", static_cast<int>(input.Take<uint16_t>() % 400), input.Take<int>(),
              input.Rest().c_str());
        break;
    case 3:
        Check("%s", input.Rest().c_str());
        break;
    default:
        Check("%s%s", input.Rest().c_str(), input.Rest().c_str());
        break;
    }
    return 0;
}
