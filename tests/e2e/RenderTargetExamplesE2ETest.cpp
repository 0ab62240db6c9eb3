// The render-target examples, run as a user runs them, their windows' pixels checked.
#include "ProgramRun.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

bool Near(const uint8_t* p, int r, int g, int b) {
    return std::abs(p[0] - r) <= 2 && std::abs(p[1] - g) <= 2 && std::abs(p[2] - b) <= 2;
}

class RenderTargetExamplesTest : public ::testing::Test {
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
    // Lets the program draw for a while, then captures its window.
    xwindow::Image Capture(const ProgramRun& run) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        return xwindow::Capture(display_, run.window());
    }
    Display* display_ = nullptr;
};

TEST_F(RenderTargetExamplesTest, DeferredShadingLightsTheGBufferAndHidesMarkersBehindItsDepth) {
    ProgramRun run(display_, ProgramPath("VISTREL_DEFERRED_BIN"), {}, "Vistrel deferred shading");
    ASSERT_NE(run.window(), 0u);
    xwindow::Image image = Capture(run);
    ASSERT_EQ(image.width, 320);
    EXPECT_TRUE(Near(image.Pixel(3, 3), 13, 13, 20)) << "no surface: the lighting pass's background";
    // The surfaces' own colours, lit: orange beside the white light, teal on the panel.
    const uint8_t* wall = image.Pixel(80, 100);
    EXPECT_TRUE(wall[0] > 120 && wall[0] > wall[1] && wall[1] > wall[2]);
    const uint8_t* panel = image.Pixel(150, 100);
    EXPECT_TRUE(panel[1] > 60 && panel[1] > panel[0]);
    // Markers in front of the walls show their light's colour; the magenta one, behind the panel, none.
    EXPECT_TRUE(Near(image.Pixel(80, 72), 255, 255, 255));
    EXPECT_TRUE(Near(image.Pixel(192, 48), 77, 102, 255));
    EXPECT_LT(image.Pixel(240, 144)[0], 100) << "the panel's depth, blitted, hides the marker";
    EXPECT_EQ(run.Stop(), "");
}

TEST_F(RenderTargetExamplesTest, MultisampleResolvesSmoothEdges) {
    ProgramRun run(display_, ProgramPath("VISTREL_MULTISAMPLE_BIN"), {}, "Vistrel multisample");
    ASSERT_NE(run.window(), 0u);
    xwindow::Image image = Capture(run);
    ASSERT_EQ(image.width, 320);
    EXPECT_TRUE(Near(image.Pixel(3, 3), 26, 26, 51));
    EXPECT_TRUE(Near(image.Pixel(140, 130), 255, 217, 77));
    // Without samples every pixel is one colour or the other; the resolve mixes them along the edges.
    int mixed = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            mixed += image.Pixel(x, y)[0] > 40 && image.Pixel(x, y)[0] < 240;
        }
    }
    EXPECT_GT(mixed, 200);
    EXPECT_EQ(run.Stop(), "");
}

} // namespace
