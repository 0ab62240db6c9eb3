// vistrel-xshot TITLE OUT.png [DELAY_MS] [TIMEOUT_MS]
// Waits for the window titled TITLE on $DISPLAY, lets it run for DELAY_MS, then saves its pixels.
#include "XWindow.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s TITLE OUT.png [DELAY_MS] [TIMEOUT_MS]\n", argv[0]);
        return 2;
    }
    int delayMs = argc > 3 ? atoi(argv[3]) : 2000;
    int timeoutMs = argc > 4 ? atoi(argv[4]) : 20000;

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fprintf(stderr, "%s: cannot open the X display\n", argv[0]);
        return 1;
    }
    Window window = xwindow::WaitForWindow(display, argv[1], timeoutMs);
    if (window == 0) {
        fprintf(stderr, "%s: no window titled \"%s\" appeared\n", argv[0], argv[1]);
        XCloseDisplay(display);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    bool written = xwindow::WritePng(xwindow::Capture(display, window), argv[2]);
    XCloseDisplay(display);
    if (!written) {
        fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
