// The built shell, run as a user runs it, on the test's X display.
#include "ProgramRun.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

const char kTitle[] = "Vistrel window";

// One run of the built shell with `args`.
class Shell : public ProgramRun {
  public:
    Shell(Display* display, std::vector<std::string> args)
        : ProgramRun(display, ProgramPath("VISTREL_BIN"), std::move(args), kTitle) {}
};

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "no X display";
    }
    void TearDown() override {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }

    // Waits until the window has the expected size: the server may still be applying a resize.
    xwindow::Geometry SettledGeometry(Window window, int width, int height) {
        xwindow::Geometry geometry;
        for (int i = 0; i < 100; ++i) {
            geometry = xwindow::GetGeometry(display_, window);
            if (geometry.width == width && geometry.height == height) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return geometry;
    }

    void ExpectGeometry(Window window, int x, int y, int width, int height) {
        xwindow::Geometry geometry = SettledGeometry(window, width, height);
        EXPECT_EQ(geometry.x, x);
        EXPECT_EQ(geometry.y, y);
        EXPECT_EQ(geometry.width, width);
        EXPECT_EQ(geometry.height, height);
    }

    struct TextBand {
        int yellow = 0;
        int firstRow = 1 << 30;
        int lastRow = -1;
        int firstColumn = 1 << 30;
        int lastColumn = -1;
        int stray = 0; // pixels neither background grey nor text yellow
    };

    // Lets the shell render for a while, then sorts the window's pixels into grey and yellow.
    TextBand Screenshot(Window window) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        xwindow::Image image = xwindow::Capture(display_, window);
        TextBand band;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = image.Pixel(x, y);
                if (p[0] == 255 && p[1] == 255 && p[2] == 0) {
                    ++band.yellow;
                    band.firstRow = std::min(band.firstRow, y);
                    band.lastRow = std::max(band.lastRow, y);
                    band.firstColumn = std::min(band.firstColumn, x);
                    band.lastColumn = std::max(band.lastColumn, x);
                } else if (std::abs(p[0] - 128) > 1 || std::abs(p[1] - 128) > 1 || std::abs(p[2] - 128) > 1) {
                    ++band.stray;
                }
            }
        }
        return band;
    }

    // The text starts at the left edge 17.5 pixels below the top: glyphs rise above that line and
    // descend a few pixels below it; nothing else is yellow and nothing is neither grey nor yellow.
    static void ExpectFpsText(const TextBand& band) {
        EXPECT_GT(band.yellow, 100);
        EXPECT_EQ(band.stray, 0);
        EXPECT_LE(band.firstColumn, 2);
        EXPECT_LT(band.lastColumn, 30 * 9);
        EXPECT_GE(band.firstRow, 3);
        EXPECT_GE(band.lastRow, 15);
        EXPECT_LE(band.lastRow, 22);
    }

    Display* display_ = nullptr;
};

TEST_F(ShellTest, OpensItsWindowAtTheDefaultGeometry) {
    Shell shell(display_, {});
    ASSERT_NE(shell.window(), 0u) << "no window titled \"Vistrel window\"";
    EXPECT_EQ(xwindow::GetTitle(display_, shell.window()), kTitle);
    ExpectGeometry(shell.window(), 0, 0, 320, 240);
    EXPECT_EQ(shell.Stop(), "");
}

TEST_F(ShellTest, OpensItsWindowAtTheGivenSizeAndPosition) {
    Shell shell(display_, {"-resolution", "400", "300", "-position", "30", "40"});
    ASSERT_NE(shell.window(), 0u);
    ExpectGeometry(shell.window(), 30, 40, 400, 300);
}

TEST_F(ShellTest, FullScreenCoversTheScreen) {
    int screen = DefaultScreen(display_);
    int width = DisplayWidth(display_, screen);
    int height = DisplayHeight(display_, screen);
    {
        Shell shell(display_, {"-fullscreen"});
        ASSERT_NE(shell.window(), 0u);
        ExpectGeometry(shell.window(), 0, 0, width, height);
    }
    {
        // Without a window manager GLUT's full-screen placement keeps the requested position's offset,
        // so only the size is the shell's to check here.
        Shell shell(display_, {"-resolution", "800", "600", "-position", "10", "20", "-fullscreen"});
        ASSERT_NE(shell.window(), 0u);
        xwindow::Geometry geometry = SettledGeometry(shell.window(), width, height);
        EXPECT_EQ(geometry.width, width);
        EXPECT_EQ(geometry.height, height);
    }
}

TEST_F(ShellTest, ShowsTheFrameRateInYellowAtTheTopLeftOfAGreyWindow) {
    Shell shell(display_, {});
    ASSERT_NE(shell.window(), 0u);
    ExpectFpsText(Screenshot(shell.window()));
}

TEST_F(ShellTest, KeepsTheTextBelowTheTopEdgeOfATallerWindow) {
    Shell shell(display_, {"-resolution", "300", "500"});
    ASSERT_NE(shell.window(), 0u);
    SettledGeometry(shell.window(), 300, 500);
    ExpectFpsText(Screenshot(shell.window()));
}

TEST_F(ShellTest, ReportsMissingValuesAndStillOpensTheWindow) {
    {
        Shell shell(display_, {"-resolution", "800"});
        ASSERT_NE(shell.window(), 0u);
        ExpectGeometry(shell.window(), 0, 0, 320, 240);
        EXPECT_EQ(shell.Stop(), "Error: Invalid comand line parameters, missing resolution values\n");
    }
    {
        Shell shell(display_, {"-resolution", "400", "300", "-position", "5"});
        ASSERT_NE(shell.window(), 0u);
        ExpectGeometry(shell.window(), 0, 0, 400, 300);
        EXPECT_EQ(shell.Stop(), "Error: Invalid comand line parameters, missing position values\n");
    }
}

} // namespace
