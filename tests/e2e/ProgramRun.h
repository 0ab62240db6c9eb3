// One run of a built program on the test's X display, as a user runs it.
#pragma once

// GoogleTest comes before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include "XWindow.h"

#include <string>
#include <sys/types.h>
#include <vector>

// Starts `program` with `args` from the root directory (far from its own), its standard error stream
// in a file, and waits for its window titled `title` unless it ends first. Stopped with SIGTERM, by its
// pid, when the object goes.
class ProgramRun {
  public:
    ProgramRun(Display* display, const std::string& program, std::vector<std::string> args,
               const std::string& title);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // The program's window; 0 when none appeared.
    Window window() const { return window_; }

    // Waits up to `timeoutMs` for the program to end by itself. Its exit code, or -1 when it is still
    // running or was ended by a signal.
    int WaitForExit(int timeoutMs);

    // Stops the program if it still runs, waits until its window is gone, and returns what it wrote to
    // stderr.
    std::string Stop();

  private:
    // False once the program has ended, its status then kept.
    bool Running();

    Display* display_;
    std::string title_;
    pid_t pid_ = 0;
    int status_ = 0;
    bool ended_ = false;
    Window window_ = 0;
    std::string stderrPath_;
};

// The path an environment variable of the test names, or an empty one.
std::string ProgramPath(const char* variable);
