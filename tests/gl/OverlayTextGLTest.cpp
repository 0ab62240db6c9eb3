#include "GlTest.h"
#include "OverlayText.h"
#include "TextFromCalls.h"

#include <GL/glut.h>
#include <array>
#include <gmock/gmock.h>
#include <string>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

const float kYellow[4] = {1.0f, 1.0f, 0.0f, 1.0f};

std::array<float, 16> Matrix(GLenum which) {
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

class OverlayTextTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        glViewport(0, 0, 320, 240);
        glDrawBuffer(GL_BACK);
        glReadBuffer(GL_BACK);
    }
    void TearDown() override {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        GlTest::TearDown();
    }
};

TEST_F(OverlayTextTest, SetsColourBeforeRasterPositionAndRestoresBothMatrices) {
    rec::Start();
    int width = DrawOverlayText(-1.0f, 0.5f, kYellow, GLUT_BITMAP_9_BY_15, "%s", "Hi");
    rec::Stop();

    EXPECT_EQ(width, 18);
    using rec::Call;
    using rec::Enum;
    using rec::Int;
    EXPECT_THAT(rec::Calls(),
                ElementsAre(Call("glMatrixMode", {Enum(GL_PROJECTION)}), Call("glPushMatrix", {}),
                            Call("glLoadIdentity", {}), Call("glMatrixMode", {Enum(GL_MODELVIEW)}),
                            Call("glPushMatrix", {}), Call("glLoadIdentity", {}),
                            Call("glColor4fv", {rec::Floats(kYellow, 4)}),
                            Call("glRasterPos2f", {rec::Float(-1.0), rec::Float(0.5)}),
                            Call("glutBitmapCharacter", {rec::Font(GLUT_BITMAP_9_BY_15), Int('H')}),
                            Call("glutBitmapWidth", {rec::Font(GLUT_BITMAP_9_BY_15), Int('H')}, Int(9)),
                            Call("glutBitmapCharacter", {rec::Font(GLUT_BITMAP_9_BY_15), Int('i')}),
                            Call("glutBitmapWidth", {rec::Font(GLUT_BITMAP_9_BY_15), Int('i')}, Int(9)),
                            Call("glMatrixMode", {Enum(GL_PROJECTION)}), Call("glPopMatrix", {}),
                            Call("glMatrixMode", {Enum(GL_MODELVIEW)}), Call("glPopMatrix", {})));
    EXPECT_TRUE(GlNoError());
}

TEST_F(OverlayTextTest, LeavesMatricesAsTheyWereAndModelViewCurrent) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 320, 0, 240, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3.0f, 4.0f, 5.0f);
    glMatrixMode(GL_TEXTURE);
    std::array<float, 16> projection = Matrix(GL_PROJECTION_MATRIX);
    std::array<float, 16> modelView = Matrix(GL_MODELVIEW_MATRIX);
    GLint projectionDepth = Integer(GL_PROJECTION_STACK_DEPTH);
    GLint modelViewDepth = Integer(GL_MODELVIEW_STACK_DEPTH);

    DrawOverlayText(-1.0f, 0.0f, kYellow, GLUT_BITMAP_9_BY_15, "text");

    EXPECT_EQ(Matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), modelView);
    EXPECT_EQ(Integer(GL_PROJECTION_STACK_DEPTH), projectionDepth);
    EXPECT_EQ(Integer(GL_MODELVIEW_STACK_DEPTH), modelViewDepth);
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
    std::array<float, 4> colour{};
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    EXPECT_THAT(colour, ElementsAreArray(kYellow));
    EXPECT_TRUE(GlNoError());
}

TEST_F(OverlayTextTest, DrawsInItsOwnColourAtTheGivenPosition) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(0.0f, 0.0f, 1.0f, 1.0f); // a colour the text must not take over
    // Whatever the matrices hold, the position is in normalized device coordinates.
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, 1, 0, 1, -1, 1);

    DrawOverlayText(-1.0f, 0.0f, kYellow, GLUT_BITMAP_9_BY_15, "HHHH");

    int yellow = 0;
    int other = 0;
    for (int y = 100; y < 140; ++y) {
        for (int x = 0; x < 60; ++x) {
            Rgba p = ReadPixel(x, y);
            if (p.r == 255 && p.g == 255 && p.b == 0) {
                ++yellow;
                EXPECT_LT(x, 36) << "four characters of nine pixels";
                EXPECT_GE(y, 120 - 4) << "the raster position is the middle row";
            } else if (p.r != 0 || p.g != 0 || p.b != 0) {
                ++other;
            }
        }
    }
    EXPECT_GT(yellow, 20);
    EXPECT_EQ(other, 0);
}

TEST_F(OverlayTextTest, NullOrEmptyFormatDrawsNothingButStillRestores) {
    rec::Start();
    EXPECT_EQ(DrawOverlayText(-1.0f, 0.0f, kYellow, GLUT_BITMAP_9_BY_15, nullptr), 0);
    EXPECT_EQ(rec::CountOf("glutBitmapCharacter"), 0u);
    EXPECT_EQ(rec::CountOf("glRasterPos2f"), 1u);
    EXPECT_EQ(rec::CountOf("glPopMatrix"), 2u);

    rec::Start();
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-zero-length"
    EXPECT_EQ(DrawOverlayText(-1.0f, 0.0f, kYellow, GLUT_BITMAP_9_BY_15, ""), 0);
#pragma GCC diagnostic pop
    rec::Stop();
    EXPECT_EQ(rec::CountOf("glutBitmapCharacter"), 0u);
    EXPECT_EQ(rec::CountOf("glPopMatrix"), 2u);
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_TRUE(GlNoError());
}

TEST_F(OverlayTextTest, CutsTextLongerThanItsBufferSafely) {
    std::string text(300, 'x');
    text[254] = 'y';
    rec::Start();
    int width = DrawOverlayText(-1.0f, 0.0f, kYellow, GLUT_BITMAP_9_BY_15, "%s", text.c_str());
    rec::Stop();
    EXPECT_EQ(width, kOverlayTextMax * 9);
    std::string drawn = TextFromCalls();
    EXPECT_EQ(drawn.size(), static_cast<size_t>(kOverlayTextMax));
    EXPECT_EQ(drawn, text.substr(0, kOverlayTextMax));
}

TEST_F(OverlayTextTest, HighCharactersReachGlutAsNegativeCodes) {
    rec::Start();
    DrawOverlayText(-1.0f, 0.0f, kYellow, GLUT_BITMAP_9_BY_15, "%c%c", 0xE9, 'A');
    rec::Stop();
    EXPECT_THAT(
        rec::CallsTo("glutBitmapCharacter"),
        ElementsAre(rec::Call("glutBitmapCharacter", {rec::Font(GLUT_BITMAP_9_BY_15), rec::Int(-23)}),
                    rec::Call("glutBitmapCharacter", {rec::Font(GLUT_BITMAP_9_BY_15), rec::Int('A')})));
}

} // namespace
