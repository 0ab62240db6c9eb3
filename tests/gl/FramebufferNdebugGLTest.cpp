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
    EXPECT_THAT(rec::Calls(),
                ElementsAre(rec::Call("glGetIntegerv", {Enum(GL_FRAMEBUFFER_BINDING_EXT)}, Int(f)),
                            BindOf(fb.fboId),
                            rec::Call("glFramebufferRenderbufferEXT",
                                      {Enum(GL_FRAMEBUFFER_EXT), Enum(GL_DEPTH_ATTACHMENT_EXT),
                                       Enum(GL_RENDERBUFFER_EXT), Int(depth)}),
                            BindOf(f), rec::Call("glGetIntegerv", {Enum(GL_FRAMEBUFFER_BINDING_EXT)}, Int(f)),
                            BindOf(fb.fboId),
                            rec::Call("glFramebufferRenderbufferEXT",
                                      {Enum(GL_FRAMEBUFFER_EXT), Enum(GL_COLOR_ATTACHMENT0_EXT),
                                       Enum(GL_RENDERBUFFER_EXT), Int(0)}),
                            BindOf(f)));
    EXPECT_EQ(FramebufferBinding(), static_cast<GLint>(f));
    EXPECT_EQ(fb.QueryAttachedId(GL_DEPTH_ATTACHMENT_EXT), static_cast<GLint>(depth));
}

} // namespace
