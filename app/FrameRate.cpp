#include "FrameRate.h"

#include <GL/glut.h>
#include <cstdint>

int currentTime = 0;
int previousTime = 0;
int frameCount = 0;
float framesPerSecond = 0.0f;

// The difference of two 32-bit clock samples, wrapping instead of overflowing when GLUT's clock
// passes the 32-bit range (after about 24.8 days).
static int ElapsedMilliseconds() {
    return static_cast<int>(static_cast<uint32_t>(currentTime) - static_cast<uint32_t>(previousTime));
}

float MeasureFrameRate(bool averaged, int frames) {
    currentTime = glutGet(GLUT_ELAPSED_TIME);
    if (averaged) {
        ++frameCount;
        if (frameCount >= frames) {
            framesPerSecond = static_cast<float>(frames * 1000.0 / ElapsedMilliseconds());
            previousTime = currentTime;
            frameCount = 0;
        }
    } else {
        framesPerSecond = static_cast<float>(1000.0 / ElapsedMilliseconds());
        previousTime = currentTime;
    }
    return framesPerSecond;
}
