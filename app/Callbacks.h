// The GLUT callbacks that form the shell's frame loop, and the window size they keep.
#pragma once

// Window size in pixels: 320 x 240 until the command line or a reshape changes it.
extern unsigned int windowWidth;
extern unsigned int windowHeight;

// Draws one frame: clears to mid grey (colour and depth), measures the frame rate averaged over
// 100 frames, prints "FPS = %f" in yellow 9 x 15 bitmap text 17.5 pixels below the top-left corner,
// and swaps the buffers. Leaves the clear colour grey and the matrix mode at model-view.
void OnDisplay();

// Draws a frame by calling OnDisplay directly, so the window redraws on every idle turn.
void OnIdle();

// Keys have no effect, Escape included.
void OnKeyboard(unsigned char key, int x, int y);
void OnSpecialKey(int key, int x, int y);

// Sets the viewport to the whole window and stores the new size.
void OnReshape(int width, int height);
