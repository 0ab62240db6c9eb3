#include "Callbacks.h"

#include "FrameRate.h"
#include "OverlayText.h"

#include <GL/glut.h>

unsigned int windowWidth = 320;
unsigned int windowHeight = 240;

void OnDisplay() {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    float fontColor[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    float rate = MeasureFrameRate(true, 100);
    // The overlay works in normalized device coordinates, so 35 / height is 17.5 pixels below the top
    // edge at any window height. A height of 0 is not guarded: y becomes negative infinity.
    float y = static_cast<float>(1.0 - 35.0 / windowHeight);
    DrawOverlayText(-1.0f, y, fontColor, GLUT_BITMAP_9_BY_15, "FPS = %f", rate);

    glutSwapBuffers();
}

void OnIdle() {
    OnDisplay();
}

void OnKeyboard(unsigned char /*key*/, int /*x*/, int /*y*/) {}

void OnSpecialKey(int /*key*/, int /*x*/, int /*y*/) {}

void OnReshape(int width, int height) {
    glViewport(0, 0, width, height);
    windowWidth = static_cast<unsigned int>(width);
    windowHeight = static_cast<unsigned int>(height);
}
