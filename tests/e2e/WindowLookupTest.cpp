// The window lookup of the end-to-end tests and the screenshot tool, on a display where another client
// keeps creating and destroying windows while it searches.
#include <gtest/gtest.h>

#include "XWindow.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A child process with a connection of its own that creates and destroys windows until it is ended
// (or its parent is gone). Returns once the first windows have come and gone.
pid_t StartWindowChurn() {
    int started[2];
    if (pipe(started) != 0) {
        return -1;
    }
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid != 0) {
        char byte = 0;
        close(started[1]);
        bool running = pid > 0 && read(started[0], &byte, 1) == 1;
        close(started[0]);
        return running ? pid : -1;
    }
    Display* display = XOpenDisplay(nullptr);
    for (bool first = true; display != nullptr && getppid() == parent; first = false) {
        Window windows[20];
        for (Window& window : windows) {
            window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 8, 8, 0, 0, 0);
        }
        XSync(display, False);
        for (Window window : windows) {
            XDestroyWindow(display, window);
        }
        XSync(display, False);
        if (first && write(started[1], "", 1) != 1) {
            break;
        }
    }
    _exit(0);
}

TEST(WindowLookupTest, SearchesWhileOtherWindowsVanish) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "no X display";
    pid_t churn = StartWindowChurn();
    ASSERT_GT(churn, 0);
    // Each search for a title that no window has visits every window. Without a guard against vanished
    // windows, Xlib's default error handler ends this process within a few dozen searches.
    int found = 0;
    for (int i = 0; i < 100; ++i) {
        found += xwindow::WaitForWindow(display, "no window has this title", 0) != 0;
        found += xwindow::WindowExists(display, "no window has this title");
    }
    kill(churn, SIGKILL);
    waitpid(churn, nullptr, 0);
    EXPECT_EQ(found, 0);
    XCloseDisplay(display);
}

} // namespace
