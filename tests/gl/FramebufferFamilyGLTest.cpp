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

// Empties one of the loader's entry points for the duration of `run`.
template <typename F>
void WithoutEntryPoint(F& entry, const std::function<void()>& run) {
    F saved = entry;
    entry = nullptr;
    run();
    entry = saved;
}

// Whether this context takes EXT_framebuffer_object's calls, as the class's header promises: a
// compatibility context that lists the extension does; a core profile, and a compatibility context that
// does not list it, take the core calls.
bool TakesExtCalls() {
    return !CoreProfileContext() && DriverHasExtension("GL_EXT_framebuffer_object");
}

std::string NotAvailable(const std::string& operation, const std::string& coreEntryPoint) {
    return "CglFrameBuffer::" + operation + " ERROR: " + coreEntryPoint + (TakesExtCalls() ? "EXT" : "") +
           " is not available\n";
}

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

TEST_F(FramebufferFamilyTest, EachMissingEntryPointIsNamedExactlyAndNothingIsCalled) {
    const bool ext = TakesExtCalls();
    const GLuint tex1d = gl.Texture(GL_TEXTURE_1D, GL_RGBA8, 8),
                 tex2d = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8),
                 tex3d = gl.Texture(GL_TEXTURE_3D, GL_RGBA8, 8, 8, 2),
                 renderbuffer = gl.Renderbuffer(GL_RGBA8, 8, 8);
    // Its calls learnt already, as at any first operation, so that the entry point goes missing from them.
    CglFrameBuffer fresh;
    fresh.Bind();
    std::unique_ptr<CglFrameBuffer> holding;
    GLuint held = 0;
    struct Row {
        const char* entryPoint; // the core name
        const char* operation;
        std::function<void(const std::function<void()>&)> without;
        std::function<void()> run;
    };
    const Row rows[] = {
        {"glGenFramebuffers", "GenerateId",
         [&](const std::function<void()>& run) {
             WithoutEntryPoint(ext ? __glewGenFramebuffersEXT : __glewGenFramebuffers, run);
         },
         [&] { EXPECT_EQ(fresh.GenerateId(), 0u); }},
        {"glDeleteFramebuffers", "~CglFrameBuffer",
         [&](const std::function<void()>& run) {
             // Made before the entry point goes, so that its destruction has a name to delete.
             holding = std::make_unique<CglFrameBuffer>();
             held = holding->GenerateId();
             WithoutEntryPoint(ext ? __glewDeleteFramebuffersEXT : __glewDeleteFramebuffers, run);
         },
         [&] { holding.reset(); }},
        {"glBindFramebuffer", "Bind",
         [&](const std::function<void()>& run) {
             WithoutEntryPoint(ext ? __glewBindFramebufferEXT : __glewBindFramebuffer, run);
         },
         [&] { fb.Bind(); }},
        {"glFramebufferTexture1D", "AttachTexture",
         [&](const std::function<void()>& run) {
             WithoutEntryPoint(ext ? __glewFramebufferTexture1DEXT : __glewFramebufferTexture1D, run);
         },
         [&] { fb.AttachTexture(GL_TEXTURE_1D, tex1d, GL_COLOR_ATTACHMENT0, 0, 0); }},
        {"glFramebufferTexture2D", "AttachTexture",
         [&](const std::function<void()>& run) {
             WithoutEntryPoint(ext ? __glewFramebufferTexture2DEXT : __glewFramebufferTexture2D, run);
         },
         [&] { fb.AttachTexture(GL_TEXTURE_2D, tex2d, GL_COLOR_ATTACHMENT0, 0, 0); }},
        {"glFramebufferTexture3D", "AttachTexture",
         [&](const std::function<void()>& run) {
             WithoutEntryPoint(ext ? __glewFramebufferTexture3DEXT : __glewFramebufferTexture3D, run);
         },
         [&] { fb.AttachTexture(GL_TEXTURE_3D, tex3d, GL_COLOR_ATTACHMENT0, 0, 1); }},
        {"glFramebufferRenderbuffer", "AttachRenderBuffer",
         [&](const std::function<void()>& run) {
             WithoutEntryPoint(ext ? __glewFramebufferRenderbufferEXT : __glewFramebufferRenderbuffer, run);
         },
         [&] { fb.AttachRenderBuffer(renderbuffer, GL_COLOR_ATTACHMENT0); }},
        {"glGetFramebufferAttachmentParameteriv", "QueryAttachedType",
         [&](const std::function<void()>& run) {
             WithoutEntryPoint(ext ? __glewGetFramebufferAttachmentParameterivEXT
                                   : __glewGetFramebufferAttachmentParameteriv,
                               run);
         },
         [&] { EXPECT_EQ(fb.QueryAttachedType(GL_COLOR_ATTACHMENT0), 0); }},
        {"glCheckFramebufferStatus", "CheckStatus",
         [&](const std::function<void()>& run) {
             WithoutEntryPoint(ext ? __glewCheckFramebufferStatusEXT : __glewCheckFramebufferStatus, run);
         },
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
        EXPECT_EQ(err.Text(), NotAvailable(row.operation, row.entryPoint));
        EXPECT_THAT(rec::Calls(), IsEmpty());
        EXPECT_EQ(fb.QueryAttachedType(GL_COLOR_ATTACHMENT0), GL_NONE) << "nothing was attached";
    }
    EXPECT_EQ(FramebufferBinding(), 0);
    if (held != 0) {
        glDeleteFramebuffers(1, &held);
    }
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
    EXPECT_EQ(err.Text(), NotAvailable("GenerateId", "glGenFramebuffers") +
                              NotAvailable("Bind", "glBindFramebuffer") +
                              NotAvailable("AttachTexture", "glBindFramebuffer") +
                              NotAvailable("~CglFrameBuffer", "glDeleteFramebuffers"));
    EXPECT_THAT(rec::Calls(), IsEmpty());
    EXPECT_TRUE(GlNoError());
}

} // namespace
