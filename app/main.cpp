// The shell's entry point: parse the command line, open the window, hand control to GLUT.
#include "Callbacks.h"
#include "CommandLine.h"

#include <GL/glut.h>

int main(int argc, char** argv) {
    // Parsed before GLUT sees the arguments; the size and position set below then replace any window
    // geometry GLUT took from its own options.
    ParseCommandLine(argc, argv);
    glutInit(&argc, argv);
    glutInitWindowSize(static_cast<int>(windowWidth), static_cast<int>(windowHeight));
    glutInitWindowPosition(windowPosX, windowPosY);
    glutInitDisplayMode(displayMode);
    windowId = glutCreateWindow("Vistrel window");

    glutDisplayFunc(OnDisplay);
    glutIdleFunc(OnIdle);
    glutKeyboardFunc(OnKeyboard);
    glutSpecialFunc(OnSpecialKey);
    glutReshapeFunc(OnReshape);
    if (fullScreen) {
        glutFullScreen();
    }
    glutMainLoop();
    return 0;
}
