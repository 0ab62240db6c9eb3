// The example programs, run as a user runs them, their windows' pixels checked.
#include "ProgramRun.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

bool OnSoftpipe() {
    const char* driver = getenv("GALLIUM_DRIVER");
    return driver != nullptr && strcmp(driver, "softpipe") == 0;
}

// Runs the example that `variable` names and captures its window once it has drawn.
class ExampleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "no X display";
    }
    void TearDown() override {
        run_.reset();
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }
    xwindow::Image Run(const char* variable, const char* title) {
        run_ =
            std::make_unique<ProgramRun>(display_, ProgramPath(variable), std::vector<std::string>{}, title);
        EXPECT_NE(run_->window(), 0u) << "no window titled \"" << title << "\"";
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        return run_->window() != 0 ? xwindow::Capture(display_, run_->window()) : xwindow::Image();
    }
    // The pixel at (x, y) counted from the bottom-left corner, as GL counts, as "r,g,b".
    static std::string At(const xwindow::Image& image, int x, int y) {
        const uint8_t* p = image.Pixel(x, image.height - 1 - y);
        return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
    }
    // Whether the pixel at (x, y) counted from the top-left corner is within 2 of (r, g, b).
    static bool Near(const xwindow::Image& image, int x, int y, int r, int g, int b) {
        const uint8_t* p = image.Pixel(x, y);
        return std::abs(p[0] - r) <= 2 && std::abs(p[1] - g) <= 2 && std::abs(p[2] - b) <= 2;
    }
    Display* display_ = nullptr;
    std::unique_ptr<ProgramRun> run_;
};

TEST_F(ExampleTest, InstancingDrawsAHundredQuadsEachInItsOwnPlaceAndColour) {
    xwindow::Image image = Run("VISTREL_INSTANCING_BIN", "Vistrel instancing");
    ASSERT_EQ(image.width, 400);
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 10; ++column) {
            std::string expected =
                std::to_string((column * 255 + 4) / 9) + "," + std::to_string((row * 255 + 4) / 9) + ",128";
            EXPECT_EQ(At(image, column * 40 + 20, row * 40 + 20), expected) << column << ", " << row;
        }
    }
    EXPECT_EQ(At(image, 40, 20), "26,26,26") << "the gap between two quads";
    EXPECT_EQ(run_->Stop(), "");
}

TEST_F(ExampleTest, UniformBlocksFeedOnePaletteToTwoPrograms) {
    xwindow::Image image = Run("VISTREL_UNIFORM_BLOCKS_BIN", "Vistrel uniform blocks");
    ASSERT_EQ(image.width, 400);
    const std::string tint = "230,153,26", shade = "51,76,204";
    EXPECT_EQ(At(image, 100, 100), tint);
    // Squares of ten pixels in turn.
    EXPECT_EQ(At(image, 305, 100), tint);
    EXPECT_EQ(At(image, 315, 100), shade);
    EXPECT_EQ(run_->Stop(), "");
}

TEST_F(ExampleTest, ComputeShaderPaintsTheImageThatTheSecondProgramShows) {
    if (OnSoftpipe()) {
        GTEST_SKIP() << "softpipe has no GLSL 4.30 for compute shaders";
    }
    xwindow::Image image = Run("VISTREL_COMPUTE_BIN", "Vistrel compute");
    ASSERT_EQ(image.width, 256);
    EXPECT_EQ(At(image, 10, 10), "10,10,255");
    EXPECT_EQ(At(image, 40, 8), "40,8,0");
    EXPECT_EQ(At(image, 200, 230), "200,230,0");
    EXPECT_EQ(At(image, 255, 255), "255,255,255");
    EXPECT_EQ(run_->Stop(), "");
}

TEST_F(ExampleTest, DeferredShadingLightsTheGBufferAndHidesMarkersBehindItsDepth) {
    xwindow::Image image = Run("VISTREL_DEFERRED_BIN", "Vistrel deferred shading");
    ASSERT_EQ(image.width, 320);
    EXPECT_TRUE(Near(image, 3, 3, 13, 13, 20)) << "no surface: the lighting pass's background";
    // The surfaces' own colours, lit: orange beside the white light, teal on the panel.
    const uint8_t* wall = image.Pixel(80, 100);
    EXPECT_TRUE(wall[0] > 120 && wall[0] > wall[1] && wall[1] > wall[2]);
    const uint8_t* panel = image.Pixel(150, 100);
    EXPECT_TRUE(panel[1] > 60 && panel[1] > panel[0]);
    // Markers in front of the walls show their light's colour; the magenta one, behind the panel, none.
    EXPECT_TRUE(Near(image, 80, 72, 255, 255, 255));
    EXPECT_TRUE(Near(image, 192, 48, 77, 102, 255));
    EXPECT_LT(image.Pixel(240, 144)[0], 100) << "the panel's depth, blitted, hides the marker";
    EXPECT_EQ(run_->Stop(), "");
}

TEST_F(ExampleTest, MultisampleResolvesSmoothEdges) {
    if (OnSoftpipe()) {
        GTEST_SKIP()
            << "softpipe stores one sample a pixel (GL_MAX_SAMPLES 1), and the example asks for four";
    }
    xwindow::Image image = Run("VISTREL_MULTISAMPLE_BIN", "Vistrel multisample");
    ASSERT_EQ(image.width, 320);
    EXPECT_TRUE(Near(image, 3, 3, 26, 26, 51));
    EXPECT_TRUE(Near(image, 140, 130, 255, 217, 77));
    // Without samples every pixel is one colour or the other; the resolve mixes them along the edges.
    int mixed = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            mixed += image.Pixel(x, y)[0] > 40 && image.Pixel(x, y)[0] < 240;
        }
    }
    EXPECT_GT(mixed, 200);
    EXPECT_EQ(run_->Stop(), "");
}

} // namespace
