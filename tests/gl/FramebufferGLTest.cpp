#include "FramebufferTestSupport.h"
#include "glFramebuffer.h"

#include <functional>
#include <gmock/gmock.h>
#include <string>
#include <utility>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

const GLenum kColor0 = GL_COLOR_ATTACHMENT0_EXT;
const GLenum kDepth = GL_DEPTH_ATTACHMENT_EXT;

const char kRedundantWarning[] = "CglFrameBuffer::AttachRenderBuffer PERFORMANCE WARNING:\n"
                                 "\tRedundant bind of Renderbuffer (id = %d)\n"
                                 "\tHINT : Compile with -DNDEBUG to remove this warning.\n";

std::string RedundantWarning(int id) {
    char text[256];
    snprintf(text, sizeof text, kRedundantWarning, id);
    return text;
}

class FramebufferTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glBindFramebufferEXT == nullptr) {
            GTEST_SKIP() << "the loader provides no EXT_framebuffer_object";
        }
        fb.GenerateId();
        // A generated name becomes a framebuffer object only when first bound.
        fb.Bind();
        CglFrameBuffer::Unbind();
    }
    void TearDown() override {
        if (glBindFramebufferEXT != nullptr) {
            glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        }
        EXPECT_TRUE(GlNoError());
        GlTest::TearDown();
    }

    GlObjects gl;
    CglFrameBuffer fb;
};

TEST_F(FramebufferTest, NewObjectMakesNoCallUntilDestroyedAndGenerateIdReturnsTheStoredName) {
    rec::Start();
    {
        CglFrameBuffer fresh;
        EXPECT_EQ(fresh.fboId, 0u);
        EXPECT_EQ(fresh.savedFboId, 0);
        EXPECT_THAT(rec::Calls(), IsEmpty());
    }
    EXPECT_THAT(rec::Calls(), ElementsAre(rec::Call("glDeleteFramebuffersEXT", {rec::Int(1), rec::Int(0)})));

    rec::Start();
    CglFrameBuffer made;
    GLuint name = made.GenerateId();
    EXPECT_NE(name, 0u);
    EXPECT_EQ(name, made.fboId);
    EXPECT_THAT(rec::Calls(), ElementsAre(rec::Call("glGenFramebuffersEXT", {rec::Int(1)}, rec::Int(name))));
}

TEST_F(FramebufferTest, EveryImageKindIsAttachedAndReadBack) {
    GLuint tex1d = gl.Texture(GL_TEXTURE_1D, GL_RGBA8, 16);
    GLuint tex2d = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 16, 16, 1, 2);
    GLuint cube = gl.Texture(GL_TEXTURE_CUBE_MAP, GL_RGBA8, 16, 16);
    GLuint tex3d = gl.Texture(GL_TEXTURE_3D, GL_RGBA8, 16, 16, 4);
    GLuint depth = gl.Renderbuffer(GL_DEPTH_COMPONENT24, 16, 16);

    // Each kind needs its own attach call: a wrong one raises an error and attaches nothing.
    fb.AttachTexture(GL_TEXTURE_1D, tex1d, kColor0, 0, 7);
    fb.AttachTexture(GL_TEXTURE_2D, tex2d, kColor0 + 1, 1, 7);
    fb.AttachTexture(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, cube, kColor0 + 2, 0, 7);
    fb.AttachTexture(GL_TEXTURE_3D, tex3d, kColor0 + 3, 0, 2);
    fb.AttachRenderBuffer(depth, kDepth);
    EXPECT_TRUE(GlNoError());

    EXPECT_EQ(fb.QueryAttachedType(kColor0), GL_TEXTURE);
    EXPECT_EQ(fb.QueryAttachedId(kColor0), static_cast<GLint>(tex1d));
    EXPECT_EQ(fb.QueryAttachedId(kColor0 + 1), static_cast<GLint>(tex2d));
    EXPECT_EQ(fb.QueryAttachedLevel(kColor0 + 1), 1);
    EXPECT_EQ(fb.QueryAttachedId(kColor0 + 2), static_cast<GLint>(cube));
    EXPECT_EQ(fb.QueryAttachedFace(kColor0 + 2), GL_TEXTURE_CUBE_MAP_NEGATIVE_Y);
    EXPECT_EQ(fb.QueryAttachedId(kColor0 + 3), static_cast<GLint>(tex3d));
    EXPECT_EQ(fb.QueryAttachedSlice(kColor0 + 3), 2);
    EXPECT_EQ(fb.QueryAttachedType(kDepth), GL_RENDERBUFFER_EXT);
    EXPECT_EQ(fb.QueryAttachedId(kDepth), static_cast<GLint>(depth));
    EXPECT_EQ(fb.QueryAttachedType(kColor0 + 4), GL_NONE);
    EXPECT_TRUE(GlNoError());
    // A query the GL rejects leaves the result at 0: a renderbuffer has no mipmap level.
    EXPECT_EQ(fb.QueryAttachedLevel(kDepth), 0);
    EXPECT_TRUE(GlError(GL_INVALID_ENUM));
}

// Each guarded operation, on a framebuffer holding a texture at colour 0 and a renderbuffer at colour 1.
class GuardedOperationsTest : public FramebufferTest {
  protected:
    void SetUp() override {
        FramebufferTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        texture = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8);
        renderbuffer = gl.Renderbuffer(GL_RGBA8, 8, 8);
        other = gl.Renderbuffer(GL_RGBA8, 8, 8);
    }
    // Attaches afresh what the operations work on and leaves no framebuffer bound.
    void Prepare() {
        fb.UnbindAllAttachments();
        fb.AttachTexture(GL_TEXTURE_2D, texture, kColor0, 0, 0);
        fb.AttachRenderBuffer(renderbuffer, kColor0 + 1);
        CglFrameBuffer::Unbind();
    }
    std::vector<std::pair<std::string, std::function<void()>>> Operations() {
        return {
            {"AttachTexture", [&] { fb.AttachTexture(GL_TEXTURE_2D, texture, kColor0 + 2, 0, 0); }},
            {"AttachRenderBuffer", [&] { fb.AttachRenderBuffer(other, kColor0 + 3); }},
            {"redundant AttachRenderBuffer", [&] { fb.AttachRenderBuffer(renderbuffer, kColor0 + 1); }},
            {"CheckStatus", [&] { fb.CheckStatus(); }},
            {"QueryAttachedId", [&] { fb.QueryAttachedId(kColor0); }},
            {"unbind_attachment of a texture", [&] { fb.unbind_attachment(kColor0); }},
            {"unbind_attachment of a renderbuffer", [&] { fb.unbind_attachment(kColor0 + 1); }},
            {"unbind_attachment of nothing", [&] { fb.unbind_attachment(kColor0 + 5); }},
        };
    }
    GLuint texture = 0, renderbuffer = 0, other = 0;
};

TEST_F(GuardedOperationsTest, BindThisFramebufferOnlyForTheirOwnDurationAndRestoreTheCallers) {
    GLuint f = gl.Framebuffer();
    for (GLuint caller : {f, 0u}) {
        for (auto& [name, operation] : Operations()) {
            Prepare();
            glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, caller);
            StderrCapture quiet;
            rec::Start();
            operation();
            rec::Stop();
            EXPECT_THAT(rec::CallsTo("glBindFramebufferEXT"), ElementsAre(BindOf(fb.fboId), BindOf(caller)))
                << name << " with " << caller << " bound";
            EXPECT_EQ(FramebufferBinding(), static_cast<GLint>(caller)) << name;
            EXPECT_EQ(fb.savedFboId, static_cast<GLint>(caller)) << name;
        }

        Prepare();
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, caller);
        rec::Start();
        fb.UnbindAllAttachments();
        rec::Stop();
        // Each colour point is detached under a guard of its own.
        std::vector<std::string> pairs;
        for (GLint i = 0; i < CglFrameBuffer::QueryMaxColorAttachments(); ++i) {
            pairs.push_back(BindOf(fb.fboId));
            pairs.push_back(BindOf(caller));
        }
        EXPECT_THAT(rec::CallsTo("glBindFramebufferEXT"), ElementsAreArray(pairs));
        EXPECT_EQ(FramebufferBinding(), static_cast<GLint>(caller));
    }
}

TEST_F(GuardedOperationsTest, MakeNoBindCallWhenThisFramebufferIsBound) {
    auto operations = Operations();
    operations.push_back({"UnbindAllAttachments", [&] { fb.UnbindAllAttachments(); }});
    for (auto& [name, operation] : operations) {
        Prepare();
        fb.Bind();
        StderrCapture quiet;
        rec::Start();
        operation();
        rec::Stop();
        EXPECT_EQ(rec::CountOf("glBindFramebufferEXT"), 0u) << name;
        EXPECT_EQ(FramebufferBinding(), static_cast<GLint>(fb.fboId)) << name;
    }

    // The cost of the guard itself: one query of the binding.
    rec::Start();
    fb.AttachTexture(GL_TEXTURE_2D, texture, kColor0, 0, 0);
    fb.CheckStatus();
    fb.QueryAttachedType(kColor0);
    rec::Stop();
    EXPECT_EQ(rec::CountOf("glGetIntegerv"), 3u);
    EXPECT_EQ(rec::CountOf("glBindFramebufferEXT"), 0u);
}

TEST_F(FramebufferTest, ArrayFormsAttachInIndexOrderWithTheirDefaults) {
    GLuint t[3] = {gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8), gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8),
                   gl.Texture(GL_TEXTURE_3D, GL_RGBA8, 8, 8, 4)};
    GLenum targets[3] = {GL_TEXTURE_2D, GL_TEXTURE_2D, GL_TEXTURE_3D};

    fb.AttachTextures(3, targets, t, nullptr, nullptr, nullptr);
    for (GLenum i = 0; i < 3; ++i) {
        EXPECT_EQ(fb.QueryAttachedId(kColor0 + i), static_cast<GLint>(t[i]));
        EXPECT_EQ(fb.QueryAttachedLevel(kColor0 + i), 0);
    }
    EXPECT_EQ(fb.QueryAttachedSlice(kColor0 + 2), 0);
    rec::Start();
    fb.AttachTextures(0, targets, t, nullptr, nullptr, nullptr);
    fb.AttachTextures(-1, targets, t, nullptr, nullptr, nullptr);
    fb.AttachRenderBuffers(0, t, nullptr);
    fb.AttachRenderBuffers(-1, t, nullptr);
    rec::Stop();
    EXPECT_THAT(rec::Calls(), IsEmpty());

    GLenum attachments[2] = {kColor0 + 6, kColor0 + 5};
    GLint levels[2] = {0, 0};
    GLint slices[2] = {0, 3};
    fb.AttachTextures(2, targets + 1, t + 1, attachments, levels, slices);
    EXPECT_EQ(fb.QueryAttachedId(kColor0 + 6), static_cast<GLint>(t[1]));
    EXPECT_EQ(fb.QueryAttachedId(kColor0 + 5), static_cast<GLint>(t[2]));
    EXPECT_EQ(fb.QueryAttachedSlice(kColor0 + 5), 3);

    GLuint r[2] = {gl.Renderbuffer(GL_RGBA8, 8, 8), gl.Renderbuffer(GL_RGBA8, 8, 8)};
    fb.AttachRenderBuffers(2, r, nullptr);
    EXPECT_EQ(fb.QueryAttachedId(kColor0), static_cast<GLint>(r[0]));
    EXPECT_EQ(fb.QueryAttachedId(kColor0 + 1), static_cast<GLint>(r[1]));
    GLenum depthPoint = kDepth;
    GLuint depth = gl.Renderbuffer(GL_DEPTH_COMPONENT24, 8, 8);
    fb.AttachRenderBuffers(1, &depth, &depthPoint);
    EXPECT_EQ(fb.QueryAttachedId(kDepth), static_cast<GLint>(depth));
}

// Sees the attach calls that reach the virtual operations.
class SpyFrameBuffer : public CglFrameBuffer {
  public:
    void AttachTexture(GLenum target, GLuint texId, GLenum attachment, GLint level, GLint zSlice) override {
        seen.push_back("texture " + std::to_string(target) + " " + std::to_string(texId) + " " +
                       std::to_string(attachment) + " " + std::to_string(level) + " " +
                       std::to_string(zSlice));
        CglFrameBuffer::AttachTexture(target, texId, attachment, level, zSlice);
    }
    void AttachRenderBuffer(GLuint renderBufferId, GLenum attachment) override {
        seen.push_back("renderbuffer " + std::to_string(renderBufferId) + " " + std::to_string(attachment));
        CglFrameBuffer::AttachRenderBuffer(renderBufferId, attachment);
    }
    std::vector<std::string> seen;
};

TEST_F(FramebufferTest, AttachCallsGoThroughVirtualDispatch) {
    SpyFrameBuffer spy;
    spy.GenerateId();
    GLuint tex3d = gl.Texture(GL_TEXTURE_3D, GL_RGBA8, 8, 8, 4);
    GLuint rb = gl.Renderbuffer(GL_RGBA8, 8, 8);
    GLenum target = GL_TEXTURE_3D;
    GLint slice = 2;
    spy.AttachTextures(1, &target, &tex3d, nullptr, nullptr, &slice);
    EXPECT_THAT(spy.seen, ElementsAre("texture 32879 " + std::to_string(tex3d) + " 36064 0 2"));
    spy.seen.clear();

    spy.unbind_attachment(kColor0);
    spy.unbind_attachment(kColor0);
    EXPECT_THAT(spy.seen, ElementsAre("texture 3553 0 36064 0 0"));
    spy.seen.clear();
    GLuint pair[2] = {rb, rb};
    GLenum points[2] = {kColor0, kColor0 + 1};
    spy.AttachRenderBuffers(2, pair, points);
    spy.UnbindAllAttachments();
    EXPECT_THAT(spy.seen, ElementsAre("renderbuffer " + std::to_string(rb) + " 36064",
                                      "renderbuffer " + std::to_string(rb) + " 36065", "renderbuffer 0 36064",
                                      "renderbuffer 0 36065"));
    EXPECT_EQ(spy.QueryAttachedType(kColor0 + 1), GL_NONE);
}

TEST_F(FramebufferTest, RedundantRenderbufferWarnsInThreeLinesAndAttachesNothing) {
#ifdef NDEBUG
    GTEST_SKIP() << "built with NDEBUG: the redundancy test is left out";
#endif
    GLuint depth = gl.Renderbuffer(GL_DEPTH_COMPONENT24, 8, 8, 9876);
    fb.AttachRenderBuffer(depth, kDepth);
    {
        StderrCapture err;
        rec::Start();
        fb.AttachRenderBuffer(depth, kDepth);
        rec::Stop();
        EXPECT_EQ(err.Text(), RedundantWarning(9876));
        EXPECT_EQ(rec::CountOf("glFramebufferRenderbufferEXT"), 0u);
    }
    {
        // Nothing at the point reads as name 0, so detaching nothing counts as redundant too.
        StderrCapture err;
        rec::Start();
        fb.AttachRenderBuffer(0, kColor0);
        rec::Stop();
        EXPECT_EQ(err.Text(), RedundantWarning(0));
        EXPECT_EQ(rec::CountOf("glFramebufferRenderbufferEXT"), 0u);
    }
    EXPECT_EQ(fb.QueryAttachedId(kDepth), static_cast<GLint>(depth));
}

TEST_F(FramebufferTest, RenderbufferNamedLikeTheAttachedTextureReplacesIt) {
    // Texture and renderbuffer names are counted apart; equal numbers are different objects.
    GLuint texture = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8, 1, 1, 4242);
    GLuint renderbuffer = gl.Renderbuffer(GL_RGBA8, 8, 8, 4242);
    fb.AttachTexture(GL_TEXTURE_2D, texture, kColor0, 0, 0);

    StderrCapture err;
    fb.AttachRenderBuffer(renderbuffer, kColor0);
    EXPECT_EQ(err.Text(), "");
    EXPECT_EQ(fb.QueryAttachedType(kColor0), GL_RENDERBUFFER_EXT);
    EXPECT_EQ(fb.QueryAttachedId(kColor0), 4242);
}

TEST_F(FramebufferTest, UnbindAttachmentDetachesByTheAttachedType) {
    GLuint tex3d = gl.Texture(GL_TEXTURE_3D, GL_RGBA8, 8, 8, 4);
    GLuint cube = gl.Texture(GL_TEXTURE_CUBE_MAP, GL_RGBA8, 8, 8);
    GLuint rb = gl.Renderbuffer(GL_RGBA8, 8, 8);
    fb.AttachTexture(GL_TEXTURE_3D, tex3d, kColor0, 0, 3);
    fb.AttachTexture(GL_TEXTURE_CUBE_MAP_POSITIVE_Z, cube, kColor0 + 1, 0, 0);
    fb.AttachRenderBuffer(rb, kColor0 + 2);

    StderrCapture err;
    rec::Start();
    fb.unbind_attachment(kColor0);
    fb.unbind_attachment(kColor0 + 1);
    fb.unbind_attachment(kColor0 + 2);
    fb.unbind_attachment(kColor0 + 3);
    rec::Stop();
    EXPECT_EQ(err.Text(), "");
    using rec::Enum;
    using rec::Int;
    auto detach2d = [](GLenum point) {
        return rec::Call("glFramebufferTexture2DEXT",
                         {Enum(GL_FRAMEBUFFER_EXT), Enum(point), Enum(GL_TEXTURE_2D), Int(0), Int(0)});
    };
    EXPECT_THAT(rec::CallsTo("glFramebufferTexture2DEXT"),
                ElementsAre(detach2d(kColor0), detach2d(kColor0 + 1)));
    EXPECT_THAT(
        rec::CallsTo("glFramebufferRenderbufferEXT"),
        ElementsAre(rec::Call("glFramebufferRenderbufferEXT", {Enum(GL_FRAMEBUFFER_EXT), Enum(kColor0 + 2),
                                                               Enum(GL_RENDERBUFFER_EXT), Int(0)})));
    EXPECT_EQ(rec::CountOf("glFramebufferTexture3DEXT"), 0u);
    for (GLenum i = 0; i < 4; ++i) {
        EXPECT_EQ(fb.QueryAttachedType(kColor0 + i), GL_NONE) << i;
    }
}

TEST_F(FramebufferTest, UnknownAttachedTypeIsReportedAndNothingDetached) {
    // An object that never generated a name works on the window-system framebuffer, whose buffers have
    // a type of their own.
    CglFrameBuffer windowSystem;
    StderrCapture err;
    rec::Start();
    windowSystem.unbind_attachment(GL_BACK_LEFT);
    rec::Stop();
    EXPECT_EQ(err.Text(), "CglFrameBuffer::unbind_attachment ERROR: Unknown attached resource type\n");
    EXPECT_THAT(rec::Calls(),
                ElementsAre(rec::Call("glGetIntegerv", {rec::Enum(GL_FRAMEBUFFER_BINDING_EXT)}, rec::Int(0)),
                            rec::Call("glGetIntegerv", {rec::Enum(GL_FRAMEBUFFER_BINDING_EXT)}, rec::Int(0)),
                            rec::Call("glGetFramebufferAttachmentParameterivEXT",
                                      {rec::Enum(GL_FRAMEBUFFER_EXT), rec::Enum(GL_BACK_LEFT),
                                       rec::Enum(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT)},
                                      rec::Int(GL_FRAMEBUFFER_DEFAULT))));
}

TEST_F(FramebufferTest, UnbindAllAttachmentsClearsEveryColourPointAndKeepsDepth) {
    GLint count = CglFrameBuffer::QueryMaxColorAttachments();
    ASSERT_GE(count, 4);
    GLuint last = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8);
    GLuint first = gl.Renderbuffer(GL_RGBA8, 8, 8);
    GLuint depth = gl.Renderbuffer(GL_DEPTH_COMPONENT24, 8, 8);
    fb.AttachRenderBuffer(first, kColor0);
    fb.AttachTexture(GL_TEXTURE_2D, last, kColor0 + count - 1, 0, 0);
    fb.AttachRenderBuffer(depth, kDepth);

    fb.UnbindAllAttachments();
    for (GLint i = 0; i < count; ++i) {
        EXPECT_EQ(fb.QueryAttachedType(kColor0 + i), GL_NONE) << i;
    }
    EXPECT_EQ(fb.QueryAttachedType(kDepth), GL_RENDERBUFFER_EXT);
    EXPECT_EQ(fb.QueryAttachedId(kDepth), static_cast<GLint>(depth));
}

TEST_F(FramebufferTest, CheckStatusReportsTheDriversRealVerdict) {
    {
        StderrCapture err;
        EXPECT_FALSE(fb.CheckStatus());
        EXPECT_EQ(err.Text(), "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT\n");
    }
    // A texture without an image is an attachment that cannot be rendered into.
    fb.AttachTexture(GL_TEXTURE_2D, gl.EmptyTexture(GL_TEXTURE_2D), kColor0, 0, 0);
    {
        StderrCapture err;
        EXPECT_FALSE(fb.CheckStatus());
        EXPECT_EQ(err.Text(), "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT\n");
    }
    fb.AttachTexture(GL_TEXTURE_2D, gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8), kColor0, 0, 0);
    fb.AttachRenderBuffer(gl.Renderbuffer(GL_DEPTH_COMPONENT24, 8, 8), kDepth);
    {
        StderrCapture err;
        EXPECT_TRUE(fb.CheckStatus());
        EXPECT_EQ(err.Text(), "");
    }
}

TEST_F(FramebufferTest, CheckStatusNamesEveryOtherStatus) {
    const std::pair<GLenum, const char*> statuses[] = {
        {GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT, "GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT\n"},
        {GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT, "GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT\n"},
        {GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT, "GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT\n"},
        {GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT, "GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT\n"},
        {GL_FRAMEBUFFER_UNSUPPORTED_EXT, "GL_FRAMEBUFFER_UNSUPPORTED_EXT\n"},
        {0x8CD8, "Unknown Error\n"},
        {0, "Unknown Error\n"},
        {GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT, "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT\n"},
        {GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT,
         "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT\n"},
    };
    for (const auto& [status, line] : statuses) {
        rec::Script("glCheckFramebufferStatusEXT", status);
        StderrCapture err;
        EXPECT_FALSE(fb.CheckStatus()) << line;
        EXPECT_EQ(err.Text(), line);
    }
    rec::Script("glCheckFramebufferStatusEXT", GL_FRAMEBUFFER_COMPLETE_EXT);
    StderrCapture err;
    EXPECT_TRUE(fb.CheckStatus());
    EXPECT_EQ(err.Text(), "");
}

TEST_F(FramebufferTest, MovingTransfersTheNameAndLeavesTheSourceEmpty) {
    GLuint name = fb.fboId;
    CglFrameBuffer moved(std::move(fb));
    EXPECT_EQ(moved.fboId, name);
    EXPECT_EQ(fb.fboId, 0u);
    EXPECT_TRUE(glIsFramebufferEXT(name));

    CglFrameBuffer target;
    GLuint old = target.GenerateId();
    target.Bind();
    CglFrameBuffer::Unbind();
    rec::Start();
    target = std::move(moved);
    rec::Stop();
    EXPECT_THAT(rec::Calls(),
                ElementsAre(rec::Call("glDeleteFramebuffersEXT", {rec::Int(1), rec::Int(old)})));
    EXPECT_EQ(target.fboId, name);
    EXPECT_EQ(moved.fboId, 0u);
    EXPECT_FALSE(glIsFramebufferEXT(old));
    EXPECT_TRUE(glIsFramebufferEXT(name));
    target.AttachRenderBuffer(gl.Renderbuffer(GL_RGBA8, 8, 8), kColor0);
    EXPECT_EQ(target.QueryAttachedType(kColor0), GL_RENDERBUFFER_EXT);
}

// Runs with EXT_framebuffer_object hidden from a context that offers the core framebuffer objects: the
// class takes the core entry points, and the outcome is the one the EXT ones give.
class WithoutExtFramebufferObject : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (DriverHasExtension("GL_EXT_framebuffer_object") || glBindFramebuffer == nullptr) {
            GTEST_SKIP() << "the context lists EXT_framebuffer_object, or offers no framebuffer objects";
        }
    }
};

TEST_F(WithoutExtFramebufferObject, CoreEntryPointsCarryEveryOperation) {
    GlObjects gl;
    GLuint colour = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 16, 16);
    GLuint depth = gl.Renderbuffer(GL_DEPTH_COMPONENT24, 16, 16);
    GLuint caller = gl.Framebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, caller);
    StderrCapture err;
    rec::Start();
    {
        CglFrameBuffer fb;
        ASSERT_NE(fb.GenerateId(), 0u);
        fb.AttachTexture(GL_TEXTURE_2D, colour, kColor0, 0, 0);
        fb.AttachRenderBuffer(depth, kDepth);
        EXPECT_TRUE(fb.CheckStatus());
        EXPECT_EQ(fb.QueryAttachedId(kColor0), static_cast<GLint>(colour));
        EXPECT_EQ(fb.QueryAttachedType(kDepth), GL_RENDERBUFFER);
        fb.unbind_attachment(kDepth);
        EXPECT_EQ(fb.QueryAttachedType(kDepth), GL_NONE);
        EXPECT_EQ(FramebufferBinding(), static_cast<GLint>(caller));
    }
    rec::Stop();
    EXPECT_EQ(err.Text(), "");
    EXPECT_EQ(rec::CountOf("glDeleteFramebuffers"), 1u);
    EXPECT_EQ(rec::CountOf("glFramebufferRenderbuffer"), 2u) << "attached, then detached";
    for (const std::string& name : rec::Names()) {
        EXPECT_EQ(name.find("EXT"), std::string::npos) << name;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_TRUE(GlNoError());
}

// Runs without the loader: no framebuffer entry point of either kind is there.
class WithoutFramebufferObject : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glBindFramebufferEXT != nullptr || glBindFramebuffer != nullptr) {
            GTEST_SKIP() << "the loader provides framebuffer objects";
        }
    }
};

std::string NotAvailable(const std::string& operation, const std::string& entryPoint) {
    return "CglFrameBuffer::" + operation + " ERROR: " + entryPoint + " is not available\n";
}

TEST_F(WithoutFramebufferObject, EveryOperationWritesOneClearLine) {
    StderrCapture err;
    {
        CglFrameBuffer fb;
        EXPECT_EQ(fb.GenerateId(), 0u);
        fb.Bind();
        CglFrameBuffer::Unbind();
        GLenum targets[2] = {GL_TEXTURE_1D, GL_TEXTURE_3D};
        GLuint names[2] = {1, 2};
        fb.AttachTexture(GL_TEXTURE_2D, 1, kColor0, 0, 0);
        fb.AttachTextures(2, targets, names, nullptr, nullptr, nullptr);
        fb.AttachRenderBuffer(1, kColor0);
        fb.AttachRenderBuffers(1, names, nullptr);
        fb.unbind_attachment(kColor0);
        fb.UnbindAllAttachments();
        EXPECT_FALSE(fb.CheckStatus());
        EXPECT_EQ(fb.QueryAttachedType(kColor0), 0);
        EXPECT_EQ(fb.QueryAttachedId(kColor0), 0);
        EXPECT_EQ(fb.QueryAttachedLevel(kColor0), 0);
        EXPECT_EQ(fb.QueryAttachedFace(kColor0), 0);
        EXPECT_EQ(fb.QueryAttachedSlice(kColor0), 0);
        // Holding no framebuffer, it has nothing to delete and nothing to say.
    }
    {
        // A name from elsewhere that cannot be deleted is worth a line.
        CglFrameBuffer adopted;
        adopted.fboId = 5;
    }
    const std::string bind = "glBindFramebufferEXT";
    EXPECT_EQ(err.Text(),
              NotAvailable("GenerateId", "glGenFramebuffersEXT") + NotAvailable("Bind", bind) +
                  NotAvailable("Unbind", bind) + NotAvailable("AttachTexture", bind) +
                  NotAvailable("AttachTexture", bind) + NotAvailable("AttachTexture", bind) +
                  NotAvailable("AttachRenderBuffer", bind) + NotAvailable("AttachRenderBuffer", bind) +
                  NotAvailable("unbind_attachment", bind) + NotAvailable("UnbindAllAttachments", bind) +
                  NotAvailable("CheckStatus", bind) + NotAvailable("QueryAttachedType", bind) +
                  NotAvailable("QueryAttachedId", bind) + NotAvailable("QueryAttachedLevel", bind) +
                  NotAvailable("QueryAttachedFace", bind) + NotAvailable("QueryAttachedSlice", bind) +
                  NotAvailable("~CglFrameBuffer", "glDeleteFramebuffersEXT"));
    EXPECT_TRUE(GlNoError());
}

} // namespace
