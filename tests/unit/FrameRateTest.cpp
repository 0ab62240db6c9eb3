#include "FrameRate.h"
#include "Recorder.h"

#include <GL/glut.h>
#include <climits>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

class FrameRateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rec::Reset();
        currentTime = 0;
        previousTime = 0;
        frameCount = 0;
        framesPerSecond = 0.0f;
    }
    void TearDown() override { rec::Reset(); }

    // One call of the counter with GLUT's clock reading `ms`.
    static float At(int ms, bool averaged, int frames = 100) {
        rec::Script("glutGet", ms);
        return MeasureFrameRate(averaged, frames);
    }
};

TEST_F(FrameRateTest, AveragesOverWindowsOfFrames) {
    // The first window starts at the clock's origin and closes on the 100th call.
    for (int call = 1; call <= 99; ++call) {
        EXPECT_EQ(At(call * 10, true), 0.0f) << "call " << call;
    }
    EXPECT_FLOAT_EQ(At(1000, true), 100.0f);
    for (int call = 101; call <= 199; ++call) {
        EXPECT_FLOAT_EQ(At(1000 + (call - 100) * 5, true), 100.0f) << "call " << call;
    }
    // The second window runs from call 100 to call 200: 100 frames in 500 ms.
    EXPECT_FLOAT_EQ(At(1500, true), 200.0f);
    EXPECT_EQ(frameCount, 0);
    EXPECT_EQ(previousTime, 1500);
}

TEST_F(FrameRateTest, QueriesTheElapsedTimeClockOncePerCall) {
    rec::Start();
    At(1234, true);
    At(1240, false);
    rec::Stop();
    EXPECT_THAT(rec::Calls(), ::testing::ElementsAre(rec::Call("glutGet", {rec::Enum(700)}, rec::Int(1234)),
                                                     rec::Call("glutGet", {rec::Enum(700)}, rec::Int(1240))));
    EXPECT_EQ(currentTime, 1240);
}

TEST_F(FrameRateTest, PerFrameModeUsesTheTimeSinceThePreviousCall) {
    EXPECT_FLOAT_EQ(At(40, false, 7), 25.0f); // measured from the clock's origin
    EXPECT_FLOAT_EQ(At(50, false, 7), 100.0f);
    EXPECT_EQ(frameCount, 0);
}

TEST_F(FrameRateTest, PerFrameCallRestartsTheAveragedWindowButKeepsItsCount) {
    EXPECT_EQ(At(100, true, 3), 0.0f);
    EXPECT_FLOAT_EQ(At(200, false), 5.0f);
    EXPECT_EQ(frameCount, 1);
    EXPECT_FLOAT_EQ(At(300, true, 3), 5.0f);  // the window is still open: the last rate comes back
    EXPECT_FLOAT_EQ(At(400, true, 3), 15.0f); // 3 frames over the 200 ms since the per-frame call
}

TEST_F(FrameRateTest, ZeroElapsedTimeGivesInfinity) {
    At(500, false);
    float rate = At(500, false);
    EXPECT_TRUE(std::isinf(rate) && rate > 0);
}

TEST_F(FrameRateTest, ElapsedTimeSurvivesTheClockWrapping) {
    At(INT_MAX - 9, false);
    EXPECT_FLOAT_EQ(At(INT_MIN + 10, false), 50.0f); // 20 ms across the wrap
}

} // namespace
