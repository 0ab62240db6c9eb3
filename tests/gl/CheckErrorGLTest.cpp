#include "GlTest.h"
#include "glError.h"

#include <GL/glut.h>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

using CheckErrorTest = GlTest;

TEST_F(CheckErrorTest, NothingPendingPrintsNothing) {
    StderrCapture err;
    EXPECT_FALSE(glCheckError(42, "Scene.cpp"));
    EXPECT_EQ(err.Text(), "");
}

TEST_F(CheckErrorTest, ReportsWhatTheDriverRaisedWithFileAndLine) {
    {
        glEnable(0x1234);
        StderrCapture err;
        EXPECT_TRUE(glCheckError(42, "Scene.cpp"));
        EXPECT_EQ(err.Text(), "GLenum argument out of range @ file Scene.cpp line 42\n");
    }
    {
        glViewport(0, 0, -1, 10);
        StderrCapture err;
        EXPECT_TRUE(glCheckError(7, "a.cpp"));
        EXPECT_EQ(err.Text(), "Numeric argument out of range @ file a.cpp line 7\n");
    }
    {
        // Ending a display list that was never begun.
        glEndList();
        StderrCapture err;
        EXPECT_TRUE(glCheckError(-1, "b.cpp"));
        EXPECT_EQ(err.Text(), "Unknown error @ file b.cpp line -1\n");
    }
    {
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix(); // the stack holds only the current matrix
        StderrCapture err;
        EXPECT_TRUE(glCheckError(0, "c.cpp"));
        EXPECT_EQ(err.Text(), "Unknown error @ file c.cpp line 0\n");
    }
    EXPECT_TRUE(GlNoError()) << "each check took its error";
}

TEST_F(CheckErrorTest, TakesOnePendingErrorPerCall) {
    // The driver keeps one error at a time, so the second one is scripted.
    rec::Script("glGetError", GL_INVALID_VALUE);
    rec::Script("glGetError", GL_INVALID_ENUM);
    StderrCapture err;
    rec::Start();
    EXPECT_TRUE(glCheckError(10, "x.cpp"));
    EXPECT_TRUE(glCheckError(11, "x.cpp"));
    EXPECT_FALSE(glCheckError(12, "x.cpp"));
    rec::Stop();
    EXPECT_EQ(err.Text(), "Numeric argument out of range @ file x.cpp line 10\n"
                          "GLenum argument out of range @ file x.cpp line 11\n");
    EXPECT_EQ(rec::CountOf("glGetError"), 3u);
}

TEST_F(CheckErrorTest, CodesWithoutTextOfTheirOwnAreUnknown) {
    for (GLenum code : {GL_OUT_OF_MEMORY, GL_STACK_OVERFLOW, GL_INVALID_FRAMEBUFFER_OPERATION}) {
        rec::Script("glGetError", code);
        StderrCapture err;
        EXPECT_TRUE(glCheckError(99, "y.cpp"));
        EXPECT_EQ(err.Text(), "Unknown error @ file y.cpp line 99\n") << code;
    }
}

TEST_F(CheckErrorTest, MissingFileNameIsSaidPlainly) {
    rec::Script("glGetError", GL_INVALID_ENUM);
    StderrCapture err;
    EXPECT_TRUE(glCheckError(5, nullptr));
    EXPECT_EQ(err.Text(), "GLenum argument out of range @ file (unknown) line 5\n");
}

} // namespace
