#include "Callbacks.h"
#include "FrameRate.h"
#include "GlTest.h"
#include "TextFromCalls.h"

// After GoogleTest: Xlib's macros would break it.
#include "XWindow.h"

#include <GL/glut.h>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class CallbacksTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        currentTime = 0;
        previousTime = 0;
        frameCount = 0;
        framesPerSecond = 0.0f;
        windowWidth = 320;
        windowHeight = 240;
        glViewport(0, 0, 320, 240);
    }
    void TearDown() override {
        windowWidth = 320;
        windowHeight = 240;
        glViewport(0, 0, 320, 240);
        GlTest::TearDown();
    }

    // One frame drawn by `callback` with GLUT's clock reading `ms`.
    static void Frame(void (*callback)(), int ms) {
        rec::Script("glutGet", ms);
        callback();
    }
};

TEST_F(CallbacksTest, DisplayDrawsOneFrameInOrder) {
    windowHeight = 100; // the text sits 35 / 100 below the top in device coordinates
    rec::Start();
    Frame(OnDisplay, 5);
    rec::Stop();

    std::vector<std::string> names = rec::Names();
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(rec::Calls()[0], rec::Call("glClearColor", {rec::Float(0.5), rec::Float(0.5), rec::Float(0.5),
                                                          rec::Float(1.0)}));
    EXPECT_EQ(rec::Calls()[1], rec::Call("glClear", {rec::Enum(0x4100)}));
    EXPECT_EQ(rec::Calls()[2], rec::Call("glutGet", {rec::Enum(GLUT_ELAPSED_TIME)}, rec::Int(5)));
    EXPECT_EQ(names.back(), "glutSwapBuffers");
    EXPECT_EQ(rec::CountOf("glutSwapBuffers"), 1u);

    const float yellow[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    EXPECT_THAT(rec::CallsTo("glColor4fv"), ElementsAre(rec::Call("glColor4fv", {rec::Floats(yellow, 4)})));
    EXPECT_THAT(rec::CallsTo("glRasterPos2f"),
                ElementsAre(rec::Call("glRasterPos2f", {rec::Float(-1.0), rec::Float(0.65f)})));
    EXPECT_EQ(TextFromCalls(), "FPS = 0.000000");
    for (const std::string& call : rec::CallsTo("glutBitmapCharacter")) {
        EXPECT_THAT(call, ::testing::StartsWith("glutBitmapCharacter(9x15, "));
    }
    EXPECT_TRUE(GlNoError());
}

TEST_F(CallbacksTest, TextShowsTheRateOfTheLastHundredFrames) {
    for (int frame = 1; frame <= 99; ++frame) {
        Frame(OnDisplay, frame * 10);
    }
    rec::Start();
    Frame(OnDisplay, 1000);
    EXPECT_EQ(TextFromCalls(), "FPS = 100.000000");
    rec::Start();
    Frame(OnIdle, 1001);
    EXPECT_EQ(TextFromCalls(), "FPS = 100.000000");
    rec::Stop();
    EXPECT_EQ(frameCount, 1);
}

TEST_F(CallbacksTest, IdleDrawsExactlyTheFrameDisplayDraws) {
    rec::Start();
    Frame(OnDisplay, 7);
    std::vector<std::string> display = rec::Calls();
    rec::Start();
    Frame(OnIdle, 7);
    rec::Stop();
    EXPECT_EQ(rec::Calls(), display);
}

TEST_F(CallbacksTest, FrameShowsGreyWithYellowTextAtTheTopLeft) {
    Frame(OnDisplay, 3);
    glFinish();

    // What the window shows after the swap, read back from the X server.
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    Window window = xwindow::WaitForWindow(display, kGlTestWindowTitle, 5000);
    ASSERT_NE(window, 0u);
    xwindow::Image image = xwindow::Capture(display, window);
    XCloseDisplay(display);
    ASSERT_EQ(image.width, 320);
    ASSERT_EQ(image.height, 240);

    int yellow = 0;
    int firstRow = 240;
    int lastRow = -1;
    int stray = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.Pixel(x, y);
            if (p[0] == 255 && p[1] == 255 && p[2] == 0) {
                ++yellow;
                firstRow = std::min(firstRow, y);
                lastRow = std::max(lastRow, y);
                EXPECT_LT(x, 14 * 9) << "\"FPS = 0.000000\" is 14 characters of 9 pixels";
            } else if (std::abs(p[0] - 128) > 1 || std::abs(p[1] - 128) > 1 || std::abs(p[2] - 128) > 1) {
                ++stray;
            }
        }
    }
    EXPECT_GT(yellow, 50);
    EXPECT_EQ(stray, 0) << "every other pixel is the mid-grey background";
    // The raster position is 17.5 pixels below the top edge; glyphs rise above it and descend a little.
    EXPECT_GE(firstRow, 3);
    EXPECT_GE(lastRow, 15);
    EXPECT_LE(lastRow, 22);
}

TEST_F(CallbacksTest, ReshapeSetsTheViewportAndStoresTheSize) {
    OnReshape(200, 100);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_THAT(viewport, ElementsAre(0, 0, 200, 100));
    EXPECT_EQ(windowWidth, 200u);
    EXPECT_EQ(windowHeight, 100u);
}

TEST_F(CallbacksTest, KeysChangeNothing) {
    rec::Start();
    for (int key = 0; key < 256; ++key) {
        OnKeyboard(static_cast<unsigned char>(key), 10, 10);
    }
    for (int key : {GLUT_KEY_F1, GLUT_KEY_F12, GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_HOME, GLUT_KEY_INSERT}) {
        OnSpecialKey(key, 10, 10);
    }
    rec::Stop();
    EXPECT_TRUE(rec::Calls().empty());
    EXPECT_EQ(windowWidth, 320u);
    EXPECT_EQ(windowHeight, 240u);
    EXPECT_EQ(frameCount, 0);
    EXPECT_TRUE(GlNoError());
}

} // namespace
