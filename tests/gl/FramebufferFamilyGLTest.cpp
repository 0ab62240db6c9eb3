// The framebuffer calls' family (EXT_framebuffer_object's, or the core ones) that each context takes,
// seen through the "not available" lines: each entry point of the family, missing alone, is named exactly
// by the operation that needs it, which then makes no GL call. Runs on compatibility contexts (with and
// without EXT_framebuffer_object) and on a core profile, with and without the loader.
#include "FramebufferTestSupport.h"
#include "glFramebuffer.h"

#include <functional>
#include <gmock/gmock.h>
#include <memory>
#include <string>
#include <vector>

using ::testing::IsEmpty;

namespace {

class FramebufferFamilyTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glBindFramebuffer == nullptr && glBindFramebufferEXT == nullptr) {
            GTEST_SKIP() << "the loader provides no framebuffer objects";
        }
        fb.GenerateId();
    }
    GlObjects gl;
    CglFrameBuffer fb;
};

// The loader's entry point `name` of the family the context takes.
#define OF_FAMILY(name) (ExtFamily() ? __glew##name##EXT : __glew##name)

TEST_F(FramebufferFamilyTest, EachMissingEntryPointIsNamedExactlyAndNothingIsCalled) {
    const GLuint tex1d = gl.Texture(GL_TEXTURE_1D, GL_RGBA8, 8),
                 tex2d = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8),
                 tex3d = gl.Texture(GL_TEXTURE_3D, GL_RGBA8, 8, 8, 2),
                 renderbuffer = gl.Renderbuffer(GL_RGBA8, 8, 8);
    // Its calls learnt already, as at any first operation, so that the entry point goes missing from them.
    CglFrameBuffer fresh;
    fresh.Bind();
    // Made before its entry point goes, so that its destruction has a name to delete.
    auto holding = std::make_unique<CglFrameBuffer>();
    GLuint held = holding->GenerateId();
    struct Row {
        const char* entryPoint; // the core name
        const char* operation;
        std::function<void(const std::function<void()>&)> without;
        std::function<void()> run;
    };
    const Row rows[] = {
        {"glGenFramebuffers", "GenerateId", Emptying(OF_FAMILY(GenFramebuffers)),
         [&] { EXPECT_EQ(fresh.GenerateId(), 0u); }},
        {"glDeleteFramebuffers", "~CglFrameBuffer", Emptying(OF_FAMILY(DeleteFramebuffers)),
         [&] { holding.reset(); }},
        {"glBindFramebuffer", "Bind", Emptying(OF_FAMILY(BindFramebuffer)), [&] { fb.Bind(); }},
        {"glFramebufferTexture1D", "AttachTexture", Emptying(OF_FAMILY(FramebufferTexture1D)),
         [&] { fb.AttachTexture(GL_TEXTURE_1D, tex1d, GL_COLOR_ATTACHMENT0, 0, 0); }},
        {"glFramebufferTexture2D", "AttachTexture", Emptying(OF_FAMILY(FramebufferTexture2D)),
         [&] { fb.AttachTexture(GL_TEXTURE_2D, tex2d, GL_COLOR_ATTACHMENT0, 0, 0); }},
        {"glFramebufferTexture3D", "AttachTexture", Emptying(OF_FAMILY(FramebufferTexture3D)),
         [&] { fb.AttachTexture(GL_TEXTURE_3D, tex3d, GL_COLOR_ATTACHMENT0, 0, 1); }},
        {"glFramebufferRenderbuffer", "AttachRenderBuffer", Emptying(OF_FAMILY(FramebufferRenderbuffer)),
         [&] { fb.AttachRenderBuffer(renderbuffer, GL_COLOR_ATTACHMENT0); }},
        {"glGetFramebufferAttachmentParameteriv", "QueryAttachedType",
         Emptying(OF_FAMILY(GetFramebufferAttachmentParameteriv)),
         [&] { EXPECT_EQ(fb.QueryAttachedType(GL_COLOR_ATTACHMENT0), 0); }},
        {"glCheckFramebufferStatus", "CheckStatus", Emptying(OF_FAMILY(CheckFramebufferStatus)),
         [&] { EXPECT_FALSE(fb.CheckStatus()); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entryPoint);
        StderrCapture err;
        row.without([&] {
            rec::Start();
            row.run();
            rec::Stop();
        });
        EXPECT_EQ(err.Text(), NotAvailable(row.operation, Named(row.entryPoint)));
        EXPECT_THAT(rec::Calls(), IsEmpty());
        EXPECT_EQ(fb.QueryAttachedType(GL_COLOR_ATTACHMENT0), GL_NONE) << "nothing was attached";
    }
    EXPECT_EQ(FramebufferBinding(), 0);
    glDeleteFramebuffers(1, &held);
    EXPECT_TRUE(GlNoError());
}

using WithoutLoaderFramebufferFamilyTest = GlTest;

// No entry point at all: each operation names the first it needs, in the family of its context.
TEST_F(WithoutLoaderFramebufferFamilyTest, OperationsNameTheFirstEntryPointTheyNeed) {
    if (glBindFramebuffer != nullptr || glBindFramebufferEXT != nullptr) {
        GTEST_SKIP() << "the loader provides framebuffer objects";
    }
    StderrCapture err;
    rec::Start();
    {
        CglFrameBuffer fb;
        EXPECT_EQ(fb.GenerateId(), 0u);
        fb.Bind();
        fb.AttachTexture(GL_TEXTURE_3D, 1, GL_COLOR_ATTACHMENT0, 0, 1);
        fb.fboId = 5; // adopted from elsewhere, so that its destruction has a name to delete
    }
    rec::Stop();
    EXPECT_EQ(err.Text(), NotAvailable("GenerateId", Named("glGenFramebuffers")) +
                              NotAvailable("Bind", Named("glBindFramebuffer")) +
                              NotAvailable("AttachTexture", Named("glBindFramebuffer")) +
                              NotAvailable("~CglFrameBuffer", Named("glDeleteFramebuffers")));
    EXPECT_THAT(rec::Calls(), IsEmpty());
    EXPECT_TRUE(GlNoError());
}

} // namespace
