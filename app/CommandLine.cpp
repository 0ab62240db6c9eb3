#include "CommandLine.h"

#include "Callbacks.h"

#include <GL/glut.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int windowPosX = 0;
int windowPosY = 0;
unsigned int displayMode = GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH;
bool fullScreen = false;
int windowId = 0;

void ParseCommandLine(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        if (strcmp(argv[i], "-resolution") == 0) {
            if (i + 2 >= argc) {
                fprintf(stderr, "Error: Invalid comand line parameters, missing resolution values\n");
                return;
            }
            // A negative size wraps to a large unsigned value, as a plain conversion does.
            windowWidth = static_cast<unsigned int>(atoi(argv[i + 1]));
            windowHeight = static_cast<unsigned int>(atoi(argv[i + 2]));
        }
        if (strcmp(argv[i], "-position") == 0) {
            if (i + 2 >= argc) {
                fprintf(stderr, "Error: Invalid comand line parameters, missing position values\n");
                return;
            }
            windowPosX = atoi(argv[i + 1]);
            windowPosY = atoi(argv[i + 2]);
        }
        if (strcmp(argv[i], "-fullscreen") == 0) {
            fullScreen = true;
        }
    }
}
