// Finding a top-level window by its title on an X display, reading its geometry, capturing its pixels
// and typing into it. Used by the run script's screenshot and by the end-to-end tests.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <string>
#include <vector>

namespace xwindow {

struct Geometry {
    int x = 0; // position of the window's top-left corner on the root window
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * height * 3 bytes, top row first

    const uint8_t* Pixel(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

// Searches the window tree for a window whose WM_NAME is exactly `title` until one is viewable or
// `timeoutMs` has passed. Returns 0 when none appeared.
Window WaitForWindow(Display* display, const std::string& title, int timeoutMs);

// True when some window on the display carries `title` (viewable or not).
bool WindowExists(Display* display, const std::string& title);

Geometry GetGeometry(Display* display, Window window);
std::string GetTitle(Display* display, Window window);
Image Capture(Display* display, Window window);

// Sends a press and a release of the key `keysym` to the window, as if typed while it had the focus.
// False when the server refused the events.
bool SendKey(Display* display, Window window, KeySym keysym);

// Writes an 8-bit RGB PNG; false when the file can't be written.
bool WritePng(const Image& image, const std::string& path);

} // namespace xwindow
