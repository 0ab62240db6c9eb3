// The window lookup of the end-to-end tests and the screenshot tool, while another client keeps creating
// and destroying windows.
#include <gtest/gtest.h>

#include "XWindow.h"

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

TEST(WindowLookupTest, SearchesWhileOtherWindowsVanish) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "no X display";
    pid_t parent = getpid();
    pid_t churn = fork();
    if (churn == 0) {
        // A client of its own, until it is ended or its parent is gone.
        Display* other = XOpenDisplay(nullptr);
        Window windows[20];
        while (other != nullptr && getppid() == parent) {
            for (Window& window : windows) {
                window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 8, 8, 0, 0, 0);
            }
            XSync(other, False);
            for (Window window : windows) {
                XDestroyWindow(other, window);
            }
            XSync(other, False);
        }
        _exit(0);
    }
    ASSERT_GT(churn, 0);
    // Each search for a title that no window has visits every window. Without a guard against vanished
    // windows, Xlib's default error handler ends this process within a few dozen searches.
    int found = 0;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() < end) {
        found += xwindow::WaitForWindow(display, "no window has this title", 0) != 0;
        found += xwindow::WindowExists(display, "no window has this title");
    }
    kill(churn, SIGKILL);
    waitpid(churn, nullptr, 0);
    EXPECT_EQ(found, 0);
    XCloseDisplay(display);
}
