// The framebuffer unit as a build with NDEBUG compiles it: this binary builds glFramebuffer.cpp itself
// with NDEBUG defined.
#include "FramebufferTestSupport.h"
#include "glFramebuffer.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

#ifndef NDEBUG
#error "this test is meant to be compiled with NDEBUG defined"
#endif

class FramebufferNdebugTest : public GlTest {
  protected:
    void TearDown() override {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        EXPECT_TRUE(GlNoError());
        GlTest::TearDown();
    }
    GlObjects gl;
};

TEST_F(FramebufferNdebugTest, AttachRenderBufferAttachesWithoutAskingOrWarning) {
    CglFrameBuffer fb;
    fb.GenerateId();
    GLuint depth = gl.Renderbuffer(GL_DEPTH_COMPONENT24, 8, 8);
    GLuint f = gl.Framebuffer();
    fb.AttachRenderBuffer(depth, GL_DEPTH_ATTACHMENT_EXT);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, f);

    StderrCapture err;
    rec::Start();
    fb.AttachRenderBuffer(depth, GL_DEPTH_ATTACHMENT_EXT);
    fb.AttachRenderBuffer(0, GL_COLOR_ATTACHMENT0_EXT);
    rec::Stop();
    EXPECT_EQ(err.Text(), "");
    using rec::Enum;
    using rec::Int;
    std::vector<std::string> expected;
    for (GLuint renderbuffer : {depth, 0u}) {
        for (const std::string& query : GuardQueries(f, f)) {
            expected.push_back(query);
        }
        expected.push_back(BindOf(fb.fboId));
        expected.push_back(
            rec::Call("glFramebufferRenderbufferEXT",
                      {Enum(GL_FRAMEBUFFER_EXT),
                       Enum(renderbuffer != 0 ? GL_DEPTH_ATTACHMENT_EXT : GL_COLOR_ATTACHMENT0_EXT),
                       Enum(GL_RENDERBUFFER_EXT), Int(renderbuffer)}));
        expected.push_back(BindOf(f));
    }
    EXPECT_THAT(rec::Calls(), ::testing::ElementsAreArray(expected));
    EXPECT_EQ(FramebufferBinding(), static_cast<GLint>(f));
    EXPECT_EQ(fb.QueryAttachedId(GL_DEPTH_ATTACHMENT_EXT), static_cast<GLint>(depth));
}

} // namespace
