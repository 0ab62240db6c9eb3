// Frame-rate counter on GLUT's millisecond clock (GLUT_ELAPSED_TIME).
#pragma once

// The counter's state, shared by both modes and zero at process start. Only MeasureFrameRate
// writes it; it is visible so that a program can inspect it.
extern int currentTime;       // latest clock sample, ms
extern int previousTime;      // clock value at the last rate computation, ms (0 = the clock's origin)
extern int frameCount;        // frames counted in the current averaging window
extern float framesPerSecond; // the last computed rate

// Call once per frame; makes one glutGet(GLUT_ELAPSED_TIME) query.
// averaged: counts the frame and, when `frames` frames have been counted, sets the rate to
//   frames * 1000 / (ms since the last computation) and starts a new window; in between it returns
//   the last rate unchanged (0.0 before the first window closes).
// not averaged: the rate is 1000 / (ms since the last computation), and `frames` is ignored.
// An elapsed time of 0 gives positive infinity. Returns framesPerSecond.
float MeasureFrameRate(bool averaged, int frames);
