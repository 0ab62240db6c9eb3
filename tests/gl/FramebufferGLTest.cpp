#include "FramebufferTestSupport.h"
#include "glFramebuffer.h"
#include "glOffscreenBuffer.h"

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
        layers = gl.Texture(GL_TEXTURE_2D_ARRAY, GL_RGBA8, 8, 8, 2);
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
            {"AttachLayered", [&] { fb.AttachLayered(layers, kColor0 + 4, 0); }},
            {"AttachTextureLayer", [&] { fb.AttachTextureLayer(layers, kColor0 + 5, 0, 1); }},
            {"SetDrawBuffers", [&] { fb.SetDrawBuffers(2, nullptr); }},
            {"SetReadBuffer", [&] { fb.SetReadBuffer(kColor0 + 1); }},
        };
    }
    GLuint texture = 0, layers = 0, renderbuffer = 0, other = 0;
};

// The caller's draw and read bindings: one framebuffer for both, or where the context has them, two.
std::vector<std::pair<GLuint, GLuint>> CallerBindings(GLuint f) {
    std::vector<std::pair<GLuint, GLuint>> pairs{{f, f}, {0, 0}};
    if (SeparateBindings()) {
        pairs.insert(pairs.end(), {{0, f}, {f, 0}});
    }
    return pairs;
}

void BindCaller(GLuint draw, GLuint read) {
    glBindFramebufferEXT(GL_DRAW_FRAMEBUFFER, draw);
    glBindFramebufferEXT(GL_READ_FRAMEBUFFER, read);
}

// The recorded binds that put the caller's bindings back.
std::vector<std::string> Restored(GLuint draw, GLuint read) {
    if (draw == read) {
        return {BindOf(draw)};
    }
    return {BindOf(draw, GL_DRAW_FRAMEBUFFER), BindOf(read, GL_READ_FRAMEBUFFER)};
}

TEST_F(GuardedOperationsTest, BindThisFramebufferOnlyForTheirOwnDurationAndRestoreTheCallers) {
    GLuint f = gl.Framebuffer();
    for (auto [draw, read] : CallerBindings(f)) {
        const std::string callers =
            " with " + std::to_string(draw) + " drawn, " + std::to_string(read) + " read";
        std::vector<std::string> guard{BindOf(fb.fboId)};
        for (const std::string& restore : Restored(draw, read)) {
            guard.push_back(restore);
        }
        for (auto& [name, operation] : Operations()) {
            Prepare();
            BindCaller(draw, read);
            StderrCapture quiet;
            rec::Start();
            operation();
            rec::Stop();
            EXPECT_THAT(rec::CallsTo("glBindFramebufferEXT"), ElementsAreArray(guard)) << name << callers;
            EXPECT_EQ(Integer(GL_DRAW_FRAMEBUFFER_BINDING), static_cast<GLint>(draw)) << name << callers;
            EXPECT_EQ(Integer(GL_READ_FRAMEBUFFER_BINDING), static_cast<GLint>(read)) << name << callers;
            EXPECT_EQ(fb.savedFboId, static_cast<GLint>(draw)) << name << callers;
            EXPECT_EQ(fb.savedReadFboId, static_cast<GLint>(read)) << name << callers;
        }

        Prepare();
        BindCaller(draw, read);
        rec::Start();
        fb.UnbindAllAttachments();
        rec::Stop();
        // Each colour point is detached under a guard of its own.
        std::vector<std::string> guards;
        for (GLint i = 0; i < CglFrameBuffer::QueryMaxColorAttachments(); ++i) {
            guards.insert(guards.end(), guard.begin(), guard.end());
        }
        EXPECT_THAT(rec::CallsTo("glBindFramebufferEXT"), ElementsAreArray(guards)) << callers;
        EXPECT_EQ(Integer(GL_DRAW_FRAMEBUFFER_BINDING), static_cast<GLint>(draw)) << callers;
        EXPECT_EQ(Integer(GL_READ_FRAMEBUFFER_BINDING), static_cast<GLint>(read)) << callers;
    }
}

TEST_F(GuardedOperationsTest, ContextsOfOpenGL3KeepBothBindingsWhateverTheyList) {
    rec::PretendUnlisted("GL_EXT_framebuffer_blit");
    rec::PretendUnlisted("GL_ARB_framebuffer_object");
    RelearnContext();
    CglFrameBuffer fresh;
    fresh.GenerateId();
    GLuint f = gl.Framebuffer();
    BindCaller(0, f);
    fresh.QueryAttachedType(kColor0);
    EXPECT_EQ(Integer(GL_DRAW_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(Integer(GL_READ_FRAMEBUFFER_BINDING), static_cast<GLint>(f));
    rec::Reset();
    RelearnContext();
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

    // The cost of the guard itself: one query of each binding.
    rec::Start();
    fb.AttachTexture(GL_TEXTURE_2D, texture, kColor0, 0, 0);
    fb.CheckStatus();
    fb.QueryAttachedType(kColor0);
    rec::Stop();
    EXPECT_EQ(rec::CountOf("glGetIntegerv"), 3 * GuardQueries(0, 0).size());
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
    std::vector<std::string> expected = GuardQueries(0, 0);
    for (const std::string& query : GuardQueries(0, 0)) {
        expected.push_back(query);
    }
    expected.push_back(rec::Call("glGetFramebufferAttachmentParameterivEXT",
                                 {rec::Enum(GL_FRAMEBUFFER_EXT), rec::Enum(GL_BACK_LEFT),
                                  rec::Enum(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT)},
                                 rec::Int(GL_FRAMEBUFFER_DEFAULT)));
    EXPECT_THAT(rec::Calls(), ElementsAreArray(expected));
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

// Renderbuffers, draw and read buffers, layers and blits on whichever family the context takes: these
// run on compatibility contexts (EXT calls, or core ones with the EXT extension hidden) and core profiles.
class RenderTargetTest : public GlTest {
  protected:
    void TearDown() override {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, 320, 240);
        EXPECT_TRUE(GlNoError());
        GlTest::TearDown();
    }
    // Binds `fb` and clears its draw buffers to `rgba`, then binds the window's framebuffer again.
    static void Clear(CglFrameBuffer& fb, float r, float g, float b, float a = 1.0f) {
        fb.Bind();
        glClearColor(r, g, b, a);
        glClear(GL_COLOR_BUFFER_BIT);
        CglFrameBuffer::Unbind();
    }
    static std::vector<int> Texel(const std::vector<GLubyte>& texels, size_t index) {
        return {texels[index * 4], texels[index * 4 + 1], texels[index * 4 + 2], texels[index * 4 + 3]};
    }
    GlObjects gl;
};

TEST_F(RenderTargetTest, RenderbuffersAreMadeWithTheirStorageAndDeleted) {
    glBindRenderbuffer(GL_RENDERBUFFER, gl.Renderbuffer(GL_RGBA8, 4, 4));
    rec::Start();
    GLuint made = glCreateRenderBuffer(GL_DEPTH24_STENCIL8, 16, 8, 0);
    rec::Stop();
    ASSERT_NE(made, 0u);
    EXPECT_EQ(Integer(GL_RENDERBUFFER_BINDING), 0);
    // The calls of the context's family.
    EXPECT_THAT(rec::Names(), ElementsAre(Named("glGenRenderbuffers"), Named("glBindRenderbuffer"),
                                          Named("glRenderbufferStorage"), Named("glBindRenderbuffer")));
    EXPECT_THAT((std::vector<GLint>{RenderbufferParameter(made, GL_RENDERBUFFER_WIDTH),
                                    RenderbufferParameter(made, GL_RENDERBUFFER_HEIGHT),
                                    RenderbufferParameter(made, GL_RENDERBUFFER_INTERNAL_FORMAT),
                                    RenderbufferParameter(made, GL_RENDERBUFFER_SAMPLES)}),
                ElementsAre(16, 8, GL_DEPTH24_STENCIL8, 0));

    GLuint name = made;
    glDeleteRenderBuffer(&made);
    EXPECT_EQ(made, 0u);
    EXPECT_FALSE(glIsRenderbuffer(name));
    rec::Start();
    glDeleteRenderBuffer(&made);
    glDeleteRenderBuffer(nullptr);
    rec::Stop();
    EXPECT_THAT(rec::Calls(), IsEmpty());
}

TEST_F(RenderTargetTest, FragmentOutputsReachTheDrawBuffersChosenAndBlitsReadTheOneChosen) {
    GLuint textures[3] = {gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8),
                          gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8),
                          gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8)};
    const GLenum targets[3] = {GL_TEXTURE_2D, GL_TEXTURE_2D, GL_TEXTURE_2D};
    CglFrameBuffer fb;
    fb.GenerateId();
    fb.AttachTextures(3, targets, textures, nullptr, nullptr, nullptr);
    const GLenum order[3] = {kColor0 + 2, kColor0, kColor0 + 1};
    fb.SetDrawBuffers(3, order);
    Painter painter;
    fb.Bind();
    glViewport(0, 0, 8, 8);
    painter.Fill(-1, -1, 1, 1, 0, {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}});
    CglFrameBuffer::Unbind();
    // Output 0 (red) reaches colour point 2, output 1 (green) point 0, output 2 (blue) point 1.
    EXPECT_THAT(Texel(GlObjects::Texels(GL_TEXTURE_2D, textures[2], 64), 9), ElementsAre(255, 0, 0, 255));
    EXPECT_THAT(Texel(GlObjects::Texels(GL_TEXTURE_2D, textures[0], 64), 9), ElementsAre(0, 255, 0, 255));
    EXPECT_THAT(Texel(GlObjects::Texels(GL_TEXTURE_2D, textures[1], 64), 9), ElementsAre(0, 0, 255, 255));

    // The read buffer chosen is the one a blit copies.
    GLuint copied = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8);
    CglFrameBuffer copy;
    copy.GenerateId();
    copy.AttachTexture(GL_TEXTURE_2D, copied, kColor0, 0, 0);
    fb.SetReadBuffer(kColor0 + 1);
    fb.BlitTo(&copy, 0, 0, 8, 8, 0, 0, 8, 8, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    EXPECT_THAT(Texel(GlObjects::Texels(GL_TEXTURE_2D, copied, 64), 63), ElementsAre(0, 0, 255, 255));

    // None: a draw writes no colour. Null: the first points, in order.
    fb.SetDrawBuffers(0, nullptr);
    fb.Bind();
    EXPECT_EQ(Integer(GL_DRAW_BUFFER0), GL_NONE);
    EXPECT_EQ(Integer(GL_READ_BUFFER), static_cast<GLint>(kColor0 + 1));
    painter.Fill(-1, -1, 1, 1, 0, {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}});
    fb.SetDrawBuffers(2, nullptr);
    EXPECT_THAT(
        (std::vector<GLint>{Integer(GL_DRAW_BUFFER0), Integer(GL_DRAW_BUFFER1), Integer(GL_DRAW_BUFFER2)}),
        ElementsAre(kColor0, kColor0 + 1, GL_NONE));
    CglFrameBuffer::Unbind();
    EXPECT_THAT(Texel(GlObjects::Texels(GL_TEXTURE_2D, textures[0], 64), 9), ElementsAre(0, 255, 0, 255));
}

TEST_F(RenderTargetTest, LayersAreAttachedOneAtATimeOrAllAtOnce) {
    // Every layer is cleared grey through the layered attachment, then the last one red through
    // AttachTexture and layer 1 green through AttachTextureLayer. A cube-map array has six layers a cube.
    struct Kind {
        GLenum target;
        int width, height, depth, layers;
    };
    for (Kind kind : {Kind{GL_TEXTURE_1D_ARRAY, 2, 3, 1, 3}, Kind{GL_TEXTURE_2D_ARRAY, 2, 2, 3, 3},
                      Kind{GL_TEXTURE_CUBE_MAP_ARRAY, 2, 2, 12, 12}, Kind{GL_TEXTURE_3D, 2, 2, 3, 3}}) {
        GLuint texture = gl.Texture(kind.target, GL_RGBA8, kind.width, kind.height, kind.depth);
        CglFrameBuffer fb;
        fb.GenerateId();
        fb.AttachLayered(texture, kColor0, 0);
        Clear(fb, 0.5f, 0.5f, 0.5f);
        fb.AttachTexture(kind.target, texture, kColor0, 0, kind.layers - 1);
        Clear(fb, 1, 0, 0);
        fb.AttachTextureLayer(texture, kColor0, 0, 1);
        Clear(fb, 0, 1, 0);
        const int texels = kind.width * kind.height * kind.depth;
        std::vector<GLubyte> layers = GlObjects::Texels(kind.target, texture, texels);
        for (int layer = 0; layer < kind.layers; ++layer) {
            std::vector<int> expected = layer == 1                 ? std::vector<int>{0, 255, 0, 255}
                                        : layer == kind.layers - 1 ? std::vector<int>{255, 0, 0, 255}
                                                                   : std::vector<int>{128, 128, 128, 255};
            EXPECT_EQ(Texel(layers, layer * (texels / kind.layers)), expected)
                << kind.target << " layer " << layer;
        }
    }

    GLuint cube = gl.Texture(GL_TEXTURE_CUBE_MAP, GL_RGBA8, 2, 2);
    CglFrameBuffer fb;
    fb.GenerateId();
    fb.AttachLayered(cube, kColor0, 0);
    Clear(fb, 0, 0, 1);
    std::vector<GLubyte> faces = GlObjects::Texels(GL_TEXTURE_CUBE_MAP, cube, 24);
    for (size_t face = 0; face < 6; ++face) {
        EXPECT_THAT(Texel(faces, face * 4), ElementsAre(0, 0, 255, 255)) << face;
    }
}

TEST_F(RenderTargetTest, BlitToTheWindowCopiesColourAndDepth) {
    // The window has a packed 24-bit depth and stencil buffer, and depth is copied only between equal
    // formats.
    GLuint depth = gl.Renderbuffer(GL_DEPTH24_STENCIL8, 16, 16);
    CglFrameBuffer fb;
    fb.GenerateId();
    fb.AttachTexture(GL_TEXTURE_2D, gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 16, 16), kColor0, 0, 0);
    fb.AttachRenderBuffer(depth, kDepth);
    fb.Bind();
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClearDepth(0.25);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    CglFrameBuffer::Unbind();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    fb.BlitTo(nullptr, 0, 0, 16, 16, 100, 50, 116, 66, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    EXPECT_EQ(ReadPixel(108, 58).b, 255);
    EXPECT_EQ(ReadPixel(117, 58).b, 0);
    float copiedDepth = 0.0f;
    glReadPixels(115, 65, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &copiedDepth);
    EXPECT_NEAR(copiedDepth, 0.25f, 1e-6f);
}

TEST_F(RenderTargetTest, BlitResolvesMultisamplingAndPutsBothCallerBindingsBack) {
    if (Integer(GL_MAX_SAMPLES) < 4) {
        GTEST_SKIP() << "the driver offers no multisampling (GL_MAX_SAMPLES below 4)";
    }
    GLuint samples = glCreateRenderBuffer(GL_RGBA8, 16, 16, 4);
    EXPECT_GE(RenderbufferParameter(samples, GL_RENDERBUFFER_SAMPLES), 4);
    CglFrameBuffer multisampled, resolved;
    multisampled.GenerateId();
    multisampled.AttachRenderBuffer(samples, kColor0);
    resolved.GenerateId();
    GLuint texture = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 16, 16);
    resolved.AttachTexture(GL_TEXTURE_2D, texture, kColor0, 0, 0);
    // A white left part whose edge crosses column 8 at 8.8: three of its four samples are covered.
    Painter painter;
    multisampled.Bind();
    glViewport(0, 0, 16, 16);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    painter.Fill(-1, -1, 0.1f, 1, 0, {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}});

    GLuint read = gl.Framebuffer(), draw = gl.Framebuffer();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, read);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, draw);
    multisampled.BlitTo(&resolved, 0, 0, 16, 16, 0, 0, 16, 16, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    EXPECT_EQ(Integer(GL_READ_FRAMEBUFFER_BINDING), static_cast<GLint>(read));
    EXPECT_EQ(Integer(GL_DRAW_FRAMEBUFFER_BINDING), static_cast<GLint>(draw));
    std::vector<GLubyte> texels = GlObjects::Texels(GL_TEXTURE_2D, texture, 256);
    EXPECT_THAT(Texel(texels, 5 * 16 + 2), ElementsAre(255, 255, 255, 255));
    EXPECT_GT(texels[(5 * 16 + 8) * 4], 0);
    EXPECT_LT(texels[(5 * 16 + 8) * 4], 255) << "the edge's samples are averaged";
    EXPECT_THAT(Texel(texels, 5 * 16 + 12), ElementsAre(0, 0, 0, 255));
    glDeleteRenderBuffer(&samples);
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
        fb.AttachLayered(1, kColor0, 0);
        fb.AttachTextureLayer(1, kColor0, 0, 1);
        fb.SetDrawBuffers(1, nullptr);
        fb.SetReadBuffer(kColor0);
        fb.BlitTo(nullptr, 0, 0, 1, 1, 0, 0, 1, 1, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        EXPECT_EQ(glCreateRenderBuffer(GL_RGBA8, 1, 1, 0), 0u);
        EXPECT_EQ(glCreateRenderBuffer(GL_RGBA8, 1, 1, 4), 0u);
        GLuint renderBuffer = 7;
        glDeleteRenderBuffer(&renderBuffer);
        EXPECT_EQ(renderBuffer, 7u);
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
                  NotAvailable("AttachLayered", bind) + NotAvailable("AttachTextureLayer", bind) +
                  NotAvailable("SetDrawBuffers", bind) + NotAvailable("SetReadBuffer", bind) +
                  NotAvailable("BlitTo", bind) +
                  "glCreateRenderBuffer() : glGenRenderbuffersEXT is not available\n" +
                  "glCreateRenderBuffer() : glGenRenderbuffersEXT is not available\n" +
                  "glDeleteRenderBuffer() : glDeleteRenderbuffersEXT is not available\n" +
                  NotAvailable("~CglFrameBuffer", "glDeleteFramebuffersEXT"));
    EXPECT_TRUE(GlNoError());
}

// Runs on an OpenGL 2.1 context that lists EXT_framebuffer_object and no core framebuffer objects (the
// version overridden, ARB_framebuffer_object hidden): the additions take the EXT entry points, and the
// separate bindings come from EXT_framebuffer_blit alone.
class WithoutCoreFramebuffers : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glBindFramebufferEXT == nullptr || glBindFramebuffer != nullptr) {
            GTEST_SKIP()
                << "runs where the loader offers EXT_framebuffer_object and no core framebuffer objects";
        }
    }
    void TearDown() override {
        if (glBindFramebufferEXT != nullptr) {
            glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
            EXPECT_TRUE(GlNoError());
        }
        GlTest::TearDown();
        // What a test pretended the context lists is forgotten with the recorder's state.
        RelearnContext();
    }
};

TEST_F(WithoutCoreFramebuffers, TheAdditionsTakeTheExtensionsEntryPoints) {
    GlObjects gl;
    GLuint array = gl.Texture(GL_TEXTURE_2D_ARRAY, GL_RGBA8, 4, 4, 2);
    StderrCapture err;
    rec::Start();
    GLuint colour = glCreateRenderBuffer(GL_RGBA8, 4, 4, 0);
    GLuint samples = glCreateRenderBuffer(GL_RGBA8, 4, 4, Integer(GL_MAX_SAMPLES));
    {
        CglFrameBuffer source, layer;
        source.GenerateId();
        source.AttachRenderBuffer(colour, kColor0);
        source.SetDrawBuffers(1, nullptr);
        layer.GenerateId();
        layer.AttachTextureLayer(array, kColor0, 0, 1);
        layer.AttachLayered(array, kColor0, 0);
        source.Bind();
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        source.BlitTo(&layer, 0, 0, 4, 4, 0, 0, 4, 4, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        EXPECT_EQ(Integer(GL_READ_FRAMEBUFFER_BINDING), static_cast<GLint>(source.fboId));
        EXPECT_EQ(Integer(GL_DRAW_FRAMEBUFFER_BINDING), static_cast<GLint>(source.fboId));
    }
    rec::Stop();
    EXPECT_EQ(err.Text(), NotAvailable("AttachLayered", "glFramebufferTexture"));
    for (const char* name :
         {"glGenRenderbuffersEXT", "glRenderbufferStorageEXT", "glRenderbufferStorageMultisampleEXT",
          "glFramebufferTextureLayerEXT", "glBlitFramebufferEXT", "glDrawBuffers"}) {
        EXPECT_EQ(rec::CountOf(name), std::string(name) == "glGenRenderbuffersEXT" ? 2u : 1u) << name;
    }
    std::vector<GLubyte> layers = GlObjects::Texels(GL_TEXTURE_2D_ARRAY, array, 4 * 4 * 2);
    EXPECT_THAT(std::vector<GLubyte>(layers.end() - 4, layers.end()), ElementsAre(255, 0, 0, 255));
    glDeleteRenderBuffer(&colour);
    glDeleteRenderBuffer(&samples);
}

TEST_F(WithoutCoreFramebuffers, WithoutTheExtensionsGuardsMakeTheirOldCallsAndTheRestSayWhatIsMissing) {
    // Mesa lists these on every context; an older driver need not.
    for (const char* extension :
         {"GL_EXT_framebuffer_blit", "GL_EXT_framebuffer_multisample", "GL_EXT_texture_array"}) {
        rec::PretendUnlisted(extension);
    }
    RelearnContext();
    GLuint caller = 0;
    glGenFramebuffersEXT(1, &caller);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, caller);
    CglFrameBuffer fb;
    fb.GenerateId();
    CglOffscreenBuffer target;
    target.Create(4, 4, GL_RGBA8, GL_DEPTH_COMPONENT24);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, caller);
    GLubyte rgba[4] = {};
    StderrCapture err;
    rec::Start();
    EXPECT_EQ(fb.QueryAttachedType(kColor0), GL_NONE);
    fb.BlitTo(nullptr, 0, 0, 1, 1, 0, 0, 1, 1, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    EXPECT_FALSE(target.ReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba));
    fb.AttachTextureLayer(1, kColor0, 0, 1);
    EXPECT_EQ(glCreateRenderBuffer(GL_RGBA8, 1, 1, 4), 0u);
    rec::Stop();
    EXPECT_EQ(err.Text(), NotAvailable("BlitTo", "glBlitFramebuffer") +
                              "CglOffscreenBuffer::ReadPixels ERROR: glBlitFramebuffer is not available\n" +
                              NotAvailable("AttachTextureLayer", "glFramebufferTextureLayer") +
                              "glCreateRenderBuffer() : glRenderbufferStorageMultisample is not available\n");
    using rec::Enum;
    using rec::Int;
    EXPECT_THAT(rec::Calls(),
                ElementsAre(rec::Call("glGetIntegerv", {Enum(GL_FRAMEBUFFER_BINDING_EXT)}, Int(caller)),
                            BindOf(fb.fboId),
                            rec::Call("glGetFramebufferAttachmentParameterivEXT",
                                      {Enum(GL_FRAMEBUFFER_EXT), Enum(kColor0),
                                       Enum(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT)},
                                      Int(GL_NONE)),
                            BindOf(caller)));
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glDeleteFramebuffersEXT(1, &caller);
}

} // namespace
