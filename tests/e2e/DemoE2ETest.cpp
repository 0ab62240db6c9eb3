// The built demo, run as a user runs it, on the test's X display.
#include "ProgramRun.h"

#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char kTitle[] = "Vistrel demo";
constexpr int kWidth = 640;
constexpr int kHeight = 480;
// The offscreen target's clear colour, (0.25, 0.32, 0.45) in bytes.
constexpr int kBackground[3] = {64, 82, 115};
const char* const kShaders[] = {"scene.vert", "scene.frag", "present.vert", "present.frag"};

std::string DemoPath() {
    return ProgramPath("VISTREL_DEMO_BIN");
}

// One run of the demo at `program`, started from the root directory.
class Demo : public ProgramRun {
  public:
    Demo(Display* display, const std::string& program, std::vector<std::string> args = {})
        : ProgramRun(display, program, std::move(args), kTitle) {}
};

// The failure paths' messages are checked by parts; a sanitizer's report must not hide among them.
bool NoSanitizerReport(const std::string& errors) {
    return errors.find("Sanitizer") == std::string::npos && errors.find("runtime error") == std::string::npos;
}

bool IsBackground(const uint8_t* p) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(p[i] - kBackground[i]) > 2) {
            return false;
        }
    }
    return true;
}

bool IsYellow(const uint8_t* p) {
    return p[0] == 255 && p[1] == 255 && p[2] == 0;
}

// Average of one channel over the pixels of a row from column `first` up to `last`, inclusive.
double RowAverage(const xwindow::Image& image, int y, int first, int last, int channel) {
    double sum = 0;
    for (int x = first; x <= last; ++x) {
        sum += image.Pixel(x, y)[channel];
    }
    return sum / (last - first + 1);
}

class DemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "no X display";
        ASSERT_FALSE(DemoPath().empty()) << "VISTREL_DEMO_BIN names no program";
    }
    void TearDown() override {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }

    // Lets the demo render for a while, then captures its window.
    xwindow::Image Capture(Window window, int afterMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
        return xwindow::Capture(display_, window);
    }

    Display* display_ = nullptr;
};

// Also on a core profile (-core), which has no fixed pipeline for the frame-rate text but draws the same
// cube.
class DemoRunTest : public DemoTest, public ::testing::WithParamInterface<std::vector<std::string>> {};
INSTANTIATE_TEST_SUITE_P(Profiles, DemoRunTest,
                         ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"-core"}));

TEST_P(DemoRunTest, ShowsTheCubeFromTheOffscreenTargetThroughAVignetteWithoutErrors) {
    Demo demo(display_, DemoPath(), GetParam());
    ASSERT_NE(demo.window(), 0u) << "no window titled \"Vistrel demo\"";
    EXPECT_EQ(xwindow::GetTitle(display_, demo.window()), kTitle);
    xwindow::Geometry geometry = xwindow::GetGeometry(display_, demo.window());
    EXPECT_EQ(geometry.width, kWidth);
    EXPECT_EQ(geometry.height, kHeight);

    xwindow::Image image = Capture(demo.window(), 1500);
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);

    // Left and right of the cube the window shows the offscreen clear colour, which nothing but the
    // copy of the target can put there.
    EXPECT_TRUE(IsBackground(image.Pixel(64, kHeight / 2)));
    EXPECT_TRUE(IsBackground(image.Pixel(kWidth - 64, kHeight / 2)));

    // The cube always covers the middle: lit, textured and mirroring, it has many colours, none of
    // them the background.
    EXPECT_FALSE(IsBackground(image.Pixel(kWidth / 2, kHeight / 2)));
    std::set<int> colours;
    for (int y = kHeight / 2 - 40; y < kHeight / 2 + 40; ++y) {
        for (int x = kWidth / 2 - 40; x < kWidth / 2 + 40; ++x) {
            const uint8_t* p = image.Pixel(x, y);
            colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
        }
    }
    EXPECT_GE(colours.size(), 50u);

    // The copy darkens the corners to about half, never to black.
    for (int x : {0, kWidth - 1}) {
        const uint8_t* corner = image.Pixel(x, kHeight - 1);
        for (int i = 0; i < 3; ++i) {
            EXPECT_GT(corner[i], kBackground[i] * 0.3) << "corner at column " << x;
            EXPECT_LT(corner[i], kBackground[i] * 0.75) << "corner at column " << x;
        }
    }

    // No GL error reported, no shader, link or framebuffer message.
    EXPECT_EQ(demo.Stop(), "");
}

TEST_F(DemoTest, TheCubeTurns) {
    Demo demo(display_, DemoPath());
    ASSERT_NE(demo.window(), 0u);
    xwindow::Image first = Capture(demo.window(), 1000);
    // Some hundreds of milliseconds turn the cube by a fair angle: a good share of its pixels change.
    // A loaded machine may draw no frame in that time, so a few more looks are allowed.
    int changed = 0;
    for (int look = 0; look < 5 && changed <= kWidth * kHeight / 4 / 20; ++look) {
        xwindow::Image second = Capture(demo.window(), 400);
        ASSERT_EQ(first.rgb.size(), second.rgb.size());
        changed = 0;
        for (int y = kHeight / 4; y < kHeight * 3 / 4; ++y) {
            for (int x = kWidth / 4; x < kWidth * 3 / 4; ++x) {
                changed += !std::equal(first.Pixel(x, y), first.Pixel(x, y) + 3, second.Pixel(x, y));
            }
        }
    }
    EXPECT_GT(changed, kWidth * kHeight / 4 / 20);
}

TEST_F(DemoTest, ShowsTheFrameRateInYellowOnATranslucentPanelAtTheTopLeft) {
    Demo demo(display_, DemoPath());
    ASSERT_NE(demo.window(), 0u);
    xwindow::Image image = Capture(demo.window(), 1500);
    ASSERT_EQ(image.height, kHeight);

    int yellow = 0;
    int firstRow = kHeight;
    int lastRow = -1;
    int firstColumn = kWidth;
    int lastColumn = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (IsYellow(image.Pixel(x, y))) {
                ++yellow;
                firstRow = std::min(firstRow, y);
                lastRow = std::max(lastRow, y);
                firstColumn = std::min(firstColumn, x);
                lastColumn = std::max(lastColumn, x);
            }
        }
    }
    // "FPS = " and a number, from the left edge, its baseline 17.5 pixels below the top.
    EXPECT_GT(yellow, 100);
    EXPECT_LE(firstColumn, 2);
    EXPECT_LT(lastColumn, 20 * 9);
    EXPECT_GE(firstRow, 3);
    EXPECT_GE(lastRow, 15);
    EXPECT_LE(lastRow, 22);

    // Above the glyphs the panel lets half of the picture through; the row below it, under almost the
    // same vignette, is not covered.
    double covered = RowAverage(image, 1, 60, 160, 2);
    double uncovered = RowAverage(image, 30, 60, 160, 2);
    EXPECT_GT(covered, uncovered * 0.3);
    EXPECT_LT(covered, uncovered * 0.7);
    EXPECT_EQ(demo.Stop(), "");
}

TEST_F(DemoTest, EscapeEndsItCleanly) {
    Demo demo(display_, DemoPath());
    ASSERT_NE(demo.window(), 0u);
    Capture(demo.window(), 500);
    ASSERT_TRUE(xwindow::SendKey(display_, demo.window(), XK_Escape));
    EXPECT_EQ(demo.WaitForExit(20000), 0);
    // Deleting the vertex buffer and everything else reported no GL error.
    EXPECT_EQ(demo.Stop(), "");
}

// A copy of the demo in a directory of its own, with the shaders the test puts beside it.
class DemoCopy {
  public:
    DemoCopy() {
        char path[] = "/tmp/vistrel-demo-copy-XXXXXX";
        directory_ = mkdtemp(path);
        fs::copy_file(DemoPath(), directory_ / "vistrel-demo");
    }
    ~DemoCopy() {
        std::error_code ignored;
        fs::remove_all(directory_, ignored);
    }

    std::string program() const { return (directory_ / "vistrel-demo").string(); }
    std::string path(const std::string& name) const { return (directory_ / name).string(); }

    // The shipped shader of this name, copied.
    void Ship(const std::string& name) {
        fs::copy_file(fs::path(DemoPath()).parent_path() / name, directory_ / name);
    }
    void Write(const std::string& name, const std::string& source) {
        std::ofstream(directory_ / name) << source;
    }

  private:
    fs::path directory_;
};

TEST_F(DemoTest, ReadsItsShadersBesideItselfAndStopsWhenOneFails) {
    {
        // Nothing beside the copy: the originals next to the build are not used.
        DemoCopy copy;
        Demo demo(display_, copy.program());
        EXPECT_EQ(demo.WaitForExit(20000), EXIT_FAILURE);
        EXPECT_EQ(demo.Stop(), "vistrel-demo: cannot read " + copy.path("scene.vert") + "\n");
    }
    {
        // A fragment shader that does not compile: its log comes from the library.
        DemoCopy copy;
        for (const char* name : kShaders) {
            copy.Ship(name);
        }
        copy.Write("present.frag", "#version 330\nout vec4 fragColor;\nvoid main() { fragColor = 1; }\n");
        Demo demo(display_, copy.program());
        EXPECT_EQ(demo.WaitForExit(20000), EXIT_FAILURE);
        std::string errors = demo.Stop();
        // GL's compile log, as the library prints it, and nothing else.
        EXPECT_NE(errors.find("error"), std::string::npos) << errors;
        EXPECT_TRUE(errors.size() > 2 && errors.compare(errors.size() - 2, 2, " \n") == 0) << errors;
        EXPECT_EQ(errors.find("does not link"), std::string::npos) << errors;
        EXPECT_TRUE(NoSanitizerReport(errors)) << errors;
    }
    {
        // Shaders that compile but do not link: a function declared and never defined.
        DemoCopy copy;
        for (const char* name : kShaders) {
            copy.Ship(name);
        }
        copy.Write("scene.frag", "#version 330\nout vec4 fragColor;\nvec4 shade();\n"
                                 "void main() { fragColor = shade(); }\n");
        Demo demo(display_, copy.program());
        EXPECT_EQ(demo.WaitForExit(20000), EXIT_FAILURE);
        std::string errors = demo.Stop();
        EXPECT_EQ(errors.rfind("vistrel-demo: the scene program does not link: ", 0), 0u) << errors;
        EXPECT_NE(errors.find("shade"), std::string::npos) << errors;
        EXPECT_TRUE(NoSanitizerReport(errors)) << errors;
    }
}

} // namespace
