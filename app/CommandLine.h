// Start-up settings of the shell and the command line that sets them.
//
// The settings are final before the window is created; apart from the window size, which the
// callbacks keep up to date (Callbacks.h), only main() reads them.
#pragma once

// Screen position of the window's top-left corner, always passed to GLUT: (0, 0) by default.
extern int windowPosX;
extern int windowPosY;
// GLUT display mode: a double-buffered RGBA window with a depth buffer (0x12).
extern unsigned int displayMode;
// Switch the window to full screen once it exists.
extern bool fullScreen;
// The identifier glutCreateWindow returned; 0 until main() has created the window.
extern int windowId;

// Scans every argument, argv[0] included, for "-resolution" W H, "-position" X Y and "-fullscreen".
// An option matches only its exact text. Its values are converted with atoi and are not skipped: each
// value is examined as a possible option too. The last occurrence of an option wins.
// When fewer than two values follow "-resolution" or "-position", writes
//   "Error: Invalid comand line parameters, missing resolution values\n" or
//   "Error: Invalid comand line parameters, missing position values\n"
// to stderr and stops scanning; settings read before that point stay in force.
void ParseCommandLine(int argc, char** argv);
