// The real GL context the GL tests share, and helpers that keep GL tests short.
//
// One GLUT window on the real driver is created per test process, then the extension loader is
// initialised (unless VISTREL_TEST_WITHOUT_LOADER is set, for runs that check the code without it) and
// the recorder's wrappers are installed. Errors left pending by that set-up are drained.
#pragma once

#include "Recorder.h"

#include <GL/glew.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>

// Title of the shared window, for tests that read its pixels from the X server.
extern const char kGlTestWindowTitle[];

// Each test starts with no pending GL error and a stopped, empty recorder.
class GlTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// EXPECT_TRUE(GlNoError()): takes every pending GL error; fails naming the first one.
::testing::AssertionResult GlNoError();
// EXPECT_TRUE(GlError(GL_INVALID_ENUM)): the next pending error is `expected`; drains the rest.
::testing::AssertionResult GlError(GLenum expected);

// Collects what is written to the standard error stream while it is alive.
class StderrCapture {
  public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Stops capturing and returns the text; later calls return the same text.
    const std::string& Text();

  private:
    bool capturing_ = true;
    std::string text_;
};

// Makes the library learn the current context again, now, outside any recording: for a test that changed
// the extension list the library reads (rec::PretendListed), and for the test after it.
void RelearnContext();

// The shared window; glutSetWindow(GlTestWindow()) makes its context current again.
int GlTestWindow();

// True when the shared context is a core profile (VISTREL_TEST_CORE_PROFILE set), not the usual
// compatibility context.
bool CoreProfileContext();

// True when the driver's own extension list names `extension`. GLEW's flags can disagree with the
// driver, so tests that depend on an extension ask here.
bool DriverHasExtension(const char* extension);

// One value of glGetIntegerv.
GLint Integer(GLenum pname);

// Reads one RGBA pixel of the current read buffer.
struct Rgba {
    int r, g, b, a;
};
Rgba ReadPixel(int x, int y);

// Runs its argument with one of the loader's entry points emptied, as a loader leaves one the driver lacks;
// the entry point is put back after.
template <typename F>
std::function<void(const std::function<void()>&)> Emptying(F& entry) {
    return [&entry](const std::function<void()>& body) {
        F saved = entry;
        entry = nullptr;
        body();
        entry = saved;
    };
}
