#include "CommandLine.h"
#include "Callbacks.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kResolutionMessage[] = "Error: Invalid comand line parameters, missing resolution values\n";
const char kPositionMessage[] = "Error: Invalid comand line parameters, missing position values\n";

class CommandLineTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetSettings(); }

    static void ResetSettings() {
        windowWidth = 320;
        windowHeight = 240;
        windowPosX = 0;
        windowPosY = 0;
        fullScreen = false;
    }

    // Parses "vistrel" followed by `args` and returns what was written to stderr.
    static std::string Parse(std::vector<std::string> args) {
        args.insert(args.begin(), "vistrel");
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ::testing::internal::CaptureStderr();
        ParseCommandLine(static_cast<int>(args.size()), argv.data());
        return ::testing::internal::GetCapturedStderr();
    }

    static void ExpectSettings(unsigned width, unsigned height, int x, int y, bool full) {
        EXPECT_EQ(windowWidth, width);
        EXPECT_EQ(windowHeight, height);
        EXPECT_EQ(windowPosX, x);
        EXPECT_EQ(windowPosY, y);
        EXPECT_EQ(fullScreen, full);
    }
};

TEST_F(CommandLineTest, StartsFromTheDefaultSettings) {
    EXPECT_EQ(Parse({}), "");
    ExpectSettings(320, 240, 0, 0, false);
    EXPECT_EQ(displayMode, 0x12u);
    EXPECT_EQ(windowId, 0);
}

TEST_F(CommandLineTest, ReadsEveryOption) {
    EXPECT_EQ(Parse({"-resolution", "800", "600", "-position", "10", "20", "-fullscreen"}), "");
    ExpectSettings(800, 600, 10, 20, true);
}

TEST_F(CommandLineTest, LastOccurrenceWins) {
    EXPECT_EQ(Parse({"-resolution", "640", "480", "-position", "1", "2", "-resolution", "1024", "768",
                     "-position", "3", "4"}),
              "");
    ExpectSettings(1024, 768, 3, 4, false);
}

TEST_F(CommandLineTest, MatchesOnlyTheExactOptionText) {
    EXPECT_EQ(
        Parse({"-Fullscreen", "--fullscreen", "-fullscreen ", "-RESOLUTION", "1", "2", "-geometry", "9x9"}),
        "");
    ExpectSettings(320, 240, 0, 0, false);
}

TEST_F(CommandLineTest, ExaminesTheProgramNameToo) {
    std::vector<std::string> args = {"-fullscreen"};
    std::vector<char*> argv = {args[0].data(), nullptr};
    ParseCommandLine(1, argv.data());
    EXPECT_TRUE(fullScreen);
}

TEST_F(CommandLineTest, ExaminesOptionValuesAsOptions) {
    // "-fullscreen" is the position's second value (atoi gives 0) and also an option of its own.
    EXPECT_EQ(Parse({"-position", "10", "-fullscreen"}), "");
    ExpectSettings(320, 240, 10, 0, true);
}

TEST_F(CommandLineTest, ConvertsValuesLikeAtoi) {
    EXPECT_EQ(Parse({"-resolution", "abc", "600", "-position", "  42xyz", "+7"}), "");
    ExpectSettings(0, 600, 42, 7, false);

    // No range check: a negative size wraps to the unsigned size, a negative position is kept.
    ResetSettings();
    EXPECT_EQ(Parse({"-resolution", "-5", "0", "-position", "-30", "-40"}), "");
    ExpectSettings(4294967291u, 0, -30, -40, false);
}

TEST_F(CommandLineTest, ResolutionWithoutTwoValuesReportsAndKeepsTheSize) {
    EXPECT_EQ(Parse({"-resolution", "800"}), kResolutionMessage);
    ExpectSettings(320, 240, 0, 0, false);

    ResetSettings();
    EXPECT_EQ(Parse({"-position", "5", "6", "-resolution"}), kResolutionMessage);
    ExpectSettings(320, 240, 5, 6, false);
}

TEST_F(CommandLineTest, PositionWithoutTwoValuesReportsAndKeepsEarlierSettings) {
    EXPECT_EQ(Parse({"-fullscreen", "-position", "5"}), kPositionMessage);
    ExpectSettings(320, 240, 0, 0, true);

    ResetSettings();
    EXPECT_EQ(Parse({"-resolution", "800", "600", "-position", "5"}), kPositionMessage);
    ExpectSettings(800, 600, 0, 0, false);
}

TEST_F(CommandLineTest, StopsScanningAtTheFirstMissingValue) {
    // The missing values end the scan before "-fullscreen" is reached, and only one message is written.
    EXPECT_EQ(Parse({"-position", "-fullscreen"}), kPositionMessage);
    ExpectSettings(320, 240, 0, 0, false);

    ResetSettings();
    EXPECT_EQ(Parse({"-resolution", "-position"}), kResolutionMessage);
    ExpectSettings(320, 240, 0, 0, false);
}

} // namespace
