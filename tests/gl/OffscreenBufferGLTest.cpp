#include "FramebufferTestSupport.h"
#include "glOffscreenBuffer.h"

#include <array>
#include <gmock/gmock.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using rec::Enum;
using rec::Int;

std::string Delete(const char* function, GLuint name) {
    return rec::Call(function, {Int(1), Int(name)});
}

GLint LevelParameter(GLuint texture, GLenum pname) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, pname, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

// The position of the first recorded call that starts with `prefix`, or -1.
long IndexOf(const std::string& prefix) {
    const std::vector<std::string>& calls = rec::Calls();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].rfind(prefix, 0) == 0) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

class OffscreenBufferTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glBindFramebufferEXT == nullptr) {
            GTEST_SKIP() << "the loader provides no EXT_framebuffer_object";
        }
    }
    void TearDown() override {
        if (glBindFramebufferEXT != nullptr) {
            glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        }
        glViewport(0, 0, 320, 240);
        EXPECT_TRUE(GlNoError());
        GlTest::TearDown();
    }
};

class OffscreenDepthFormatTest : public OffscreenBufferTest, public ::testing::WithParamInterface<GLint> {};

TEST_P(OffscreenDepthFormatTest, TriangleDrawnBetweenBeginAndEndLandsInBothTextures) {
    const GLint depthFormat = GetParam();
    GlObjects gl;
    CglOffscreenBuffer target;
    // Create leaves the window-system framebuffer bound, whatever was bound before.
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, gl.Framebuffer());
    {
        StderrCapture err;
        target.Create(512, 256, GL_RGBA8, depthFormat);
        EXPECT_EQ(err.Text(), "");
    }
    EXPECT_EQ(FramebufferBinding(), 0);
    EXPECT_TRUE(GlNoError());
    EXPECT_TRUE(target.CheckStatus());
    for (GLuint texture : {target.colorTexId, target.depthTexId}) {
        EXPECT_EQ(LevelParameter(texture, GL_TEXTURE_WIDTH), 512);
        EXPECT_EQ(LevelParameter(texture, GL_TEXTURE_HEIGHT), 256);
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_WRAP_S), GL_CLAMP);
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_WRAP_T), GL_CLAMP);
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    }
    EXPECT_EQ(LevelParameter(target.colorTexId, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
    EXPECT_EQ(LevelParameter(target.depthTexId, GL_TEXTURE_INTERNAL_FORMAT), depthFormat);

    // A packed depth-stencil texture serves the stencil test too.
    const bool packed = depthFormat == GL_DEPTH24_STENCIL8 || depthFormat == GL_DEPTH32F_STENCIL8;
    EXPECT_EQ(target.QueryAttachedId(GL_STENCIL_ATTACHMENT_EXT),
              packed ? static_cast<GLint>(target.depthTexId) : 0);

    rec::Start();
    target.BeginRender();
    rec::Stop();
    // Bound once, the textures attached again without further bind calls, then the viewport.
    std::vector<std::string> expected{BindOf(target.fboId)};
    std::vector<GLenum> points{GL_COLOR_ATTACHMENT0_EXT, GL_DEPTH_ATTACHMENT_EXT};
    if (packed) {
        points.push_back(GL_STENCIL_ATTACHMENT_EXT);
    }
    for (GLenum point : points) {
        for (const std::string& query : GuardQueries(target.fboId, target.fboId)) {
            expected.push_back(query);
        }
        GLuint texture = point == GL_COLOR_ATTACHMENT0_EXT ? target.colorTexId : target.depthTexId;
        expected.push_back(
            rec::Call("glFramebufferTexture2DEXT",
                      {Enum(GL_FRAMEBUFFER_EXT), Enum(point), Enum(GL_TEXTURE_2D), Int(texture), Int(0)}));
    }
    expected.push_back(rec::Call("glViewport", {Int(0), Int(0), Int(512), Int(256)}));
    expected.push_back(rec::Call("glDepthRange", {rec::Float(0.0), rec::Float(1.0)}));
    EXPECT_THAT(rec::Calls(), ::testing::ElementsAreArray(expected));

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_TRIANGLES); // the lower left half, at depth 0.5, marked 1 in the stencil buffer
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();
    glDisable(GL_DEPTH_TEST);
    // Green wherever the stencil buffer holds no mark: everywhere when there is no stencil buffer.
    glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glColor3f(0.0f, 1.0f, 0.0f);
    glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
    glDisable(GL_STENCIL_TEST);
    std::vector<float> depth(512 * 256);
    EXPECT_TRUE(target.ReadPixels(0, 0, 512, 256, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data()));
    rec::Start();
    target.EndRender();
    rec::Stop();
    EXPECT_THAT(rec::Calls(), ElementsAre(BindOf(0)));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_THAT(viewport, ElementsAre(0, 0, 512, 256));

    std::vector<GLubyte> colour(512 * 256 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, target.colorTexId);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    auto rgba = [&](int x, int y) {
        const GLubyte* p = &colour[(y * 512 + x) * 4];
        return std::vector<int>{p[0], p[1], p[2], p[3]};
    };
    const int marked = packed ? 255 : 0;
    EXPECT_THAT(rgba(10, 10), ElementsAre(marked, 255 - marked, 0, 255));
    EXPECT_THAT(rgba(400, 10), ElementsAre(marked, 255 - marked, 0, 255)); // beyond the window's own width
    EXPECT_THAT(rgba(500, 250), ElementsAre(0, 255, 0, 255));
    EXPECT_NEAR(depth[10 * 512 + 10], 0.5f, 1e-3f);
    EXPECT_EQ(depth[250 * 512 + 500], 1.0f);
}

INSTANTIATE_TEST_SUITE_P(Depth, OffscreenDepthFormatTest,
                         ::testing::Values(GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT32F, GL_DEPTH24_STENCIL8,
                                           GL_DEPTH32F_STENCIL8));

TEST_F(OffscreenBufferTest, ReadColorReadsTightRowsAndPutsTheCallersReadTargetBack) {
    GlObjects gl;
    CglOffscreenBuffer target;
    std::vector<GLubyte> rgba(4 * 3 * 2 + 8, 7);
    target.Create(16, 8, GL_RGBA8, GL_DEPTH_COMPONENT24);
    target.BeginRender();
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST); // the left half, x 0 to 7, blue
    glScissor(0, 0, 8, 8);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    target.EndRender();

    // The caller reads from one framebuffer and draws into another. Rows of three texels are twelve
    // bytes, which an alignment of 8 would pad to sixteen.
    GLuint callerRead = gl.Framebuffer(), callerDraw = gl.Framebuffer();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, callerRead);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, callerDraw);
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    rec::Start();
    EXPECT_TRUE(target.ReadColor(7, 3, 3, 2, rgba.data()));
    rec::Stop();
    EXPECT_EQ(Integer(GL_READ_FRAMEBUFFER_BINDING), static_cast<GLint>(callerRead));
    EXPECT_EQ(Integer(GL_DRAW_FRAMEBUFFER_BINDING), static_cast<GLint>(callerDraw));
    EXPECT_EQ(Integer(GL_PACK_ALIGNMENT), 1);
    EXPECT_THAT(rgba, ElementsAre(0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0, 255, //
                                  0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0, 255, 7, 7, 7, 7, 7, 7, 7, 7));
    // Only the read binding moves: the caller's drawing target is never switched.
    int binds = 0;
    for (const std::string& call : rec::Calls()) {
        if (call.rfind("glBindFramebuffer", 0) == 0 && ++binds) {
            EXPECT_NE(call.find("(" + Enum(GL_READ_FRAMEBUFFER).text + ", "), std::string::npos) << call;
        }
    }
    EXPECT_EQ(binds, 2);

    // Not created, nothing to read into, an empty or partly outside rectangle: no GL call.
    CglOffscreenBuffer none;
    rec::Start();
    EXPECT_FALSE(none.ReadColor(0, 0, 1, 1, rgba.data()));
    EXPECT_FALSE(target.ReadColor(0, 0, 1, 1, nullptr));
    for (auto [x, y, w, h] : {std::array<int, 4>{0, 0, 0, 1},
                              {0, 0, 1, -1},
                              {14, 0, 3, 1},
                              {0, 7, 1, 2},
                              {-1, 0, 1, 1},
                              {0, 0, 0x7FFFFFFF, 1}}) {
        EXPECT_FALSE(target.ReadColor(x, y, w, h, rgba.data())) << x << " " << y << " " << w << " " << h;
    }
    rec::Stop();
    EXPECT_THAT(rec::Calls(), IsEmpty());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

TEST_F(OffscreenBufferTest, CreateReplacesTheOldObjectsDeletingThemFirstAndDepthBeforeColour) {
    CglOffscreenBuffer target;
    rec::Start();
    target.Create(64, 32, GL_RGBA8, GL_DEPTH_COMPONENT24);
    rec::Stop();
    EXPECT_THAT(std::vector<std::string>(rec::Calls().begin(), rec::Calls().begin() + 3),
                ElementsAre(Delete("glDeleteFramebuffersEXT", 0), Delete("glDeleteTextures", 0),
                            Delete("glDeleteTextures", 0)));
    auto made = rec::CallsTo("glGenTextures");
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0], rec::Call("glGenTextures", {Int(1)}, Int(target.depthTexId)));
    EXPECT_EQ(made[1], rec::Call("glGenTextures", {Int(1)}, Int(target.colorTexId)));
    EXPECT_LT(IndexOf("glGenTextures(1) -> " + std::to_string(target.colorTexId)),
              IndexOf("glGenFramebuffersEXT"));

    const GLuint first[3] = {target.fboId, target.depthTexId, target.colorTexId};
    rec::Start();
    target.Create(128, 64, GL_RGBA8, GL_DEPTH_COMPONENT32F);
    rec::Stop();
    EXPECT_THAT(std::vector<std::string>(rec::Calls().begin(), rec::Calls().begin() + 3),
                ElementsAre(Delete("glDeleteFramebuffersEXT", first[0]), Delete("glDeleteTextures", first[1]),
                            Delete("glDeleteTextures", first[2])));
    EXPECT_EQ(LevelParameter(target.colorTexId, GL_TEXTURE_WIDTH), 128);
    EXPECT_EQ(target.viewport.width, 128);
    EXPECT_EQ(target.viewport.height, 64);
    EXPECT_TRUE(target.CheckStatus());
    // The records keep the rest of their defaults.
    for (const TextureSampler* sampler : {&target.colorSampler, &target.depthSampler}) {
        EXPECT_EQ(sampler->wrapS, static_cast<GLenum>(GL_CLAMP));
        EXPECT_EQ(sampler->wrapR, static_cast<GLenum>(GL_CLAMP_TO_EDGE));
        EXPECT_EQ(sampler->compareFunc, 0u);
    }
    EXPECT_EQ(target.depthDesc.mipLevels, 1);
    EXPECT_EQ(target.depthDesc.internalFormat, GL_DEPTH_COMPONENT32F);
}

TEST_F(OffscreenBufferTest, IncompleteTargetWritesItsStatusThenTheCreateError) {
    CglOffscreenBuffer target;
    StderrCapture err;
    // A colour format is no depth format: the GL refuses the depth image and the attachment is empty.
    target.Create(64, 64, GL_RGBA8, GL_RGBA8);
    EXPECT_EQ(err.Text(), "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT\nError creating offscreen buffer\n");
    EXPECT_TRUE(GlError(GL_INVALID_OPERATION));
    EXPECT_EQ(FramebufferBinding(), 0);
    EXPECT_NE(target.depthTexId, 0u);
    EXPECT_TRUE(glIsTexture(target.depthTexId));
}

TEST_F(OffscreenBufferTest, NewObjectMakesNoCallAndDestructionDeletesInOrder) {
    rec::Start();
    auto target = std::make_unique<CglOffscreenBuffer>();
    EXPECT_THAT(rec::Calls(), IsEmpty());
    target->Create(16, 16, GL_RGBA8, GL_DEPTH_COMPONENT24);
    GLuint fbo = target->fboId, depth = target->depthTexId, colour = target->colorTexId;
    rec::Start();
    target.reset();
    rec::Stop();
    // The framebuffer part deletes its name again, which the GL ignores.
    EXPECT_THAT(rec::Calls(),
                ElementsAre(Delete("glDeleteFramebuffersEXT", fbo), Delete("glDeleteTextures", depth),
                            Delete("glDeleteTextures", colour), Delete("glDeleteFramebuffersEXT", fbo)));
    EXPECT_FALSE(glIsFramebufferEXT(fbo));
    EXPECT_FALSE(glIsTexture(depth));
    EXPECT_FALSE(glIsTexture(colour));
}

TEST_F(OffscreenBufferTest, MovingTransfersEveryNameAndLeavesTheSourceEmpty) {
    CglOffscreenBuffer source;
    source.Create(32, 16, GL_RGBA8, GL_DEPTH_COMPONENT24);
    GLuint fbo = source.fboId, depth = source.depthTexId, colour = source.colorTexId;

    CglOffscreenBuffer moved(std::move(source));
    EXPECT_EQ(moved.fboId, fbo);
    EXPECT_EQ(moved.depthTexId, depth);
    EXPECT_EQ(moved.colorTexId, colour);
    EXPECT_EQ(moved.viewport.width, 32);
    EXPECT_EQ(source.fboId, 0u);
    EXPECT_EQ(source.depthTexId, 0u);
    EXPECT_EQ(source.colorTexId, 0u);

    CglOffscreenBuffer assigned;
    assigned.Create(8, 8, GL_RGBA8, GL_DEPTH_COMPONENT24);
    GLuint oldFbo = assigned.fboId, oldDepth = assigned.depthTexId, oldColour = assigned.colorTexId;
    rec::Start();
    assigned = std::move(moved);
    rec::Stop();
    EXPECT_THAT(rec::Calls(),
                ElementsAre(Delete("glDeleteFramebuffersEXT", oldFbo), Delete("glDeleteTextures", oldDepth),
                            Delete("glDeleteTextures", oldColour), Delete("glDeleteFramebuffersEXT", 0)));
    EXPECT_EQ(assigned.fboId, fbo);
    EXPECT_EQ(assigned.colorTexId, colour);
    EXPECT_EQ(moved.fboId, 0u);
    EXPECT_EQ(moved.colorTexId, 0u);
    EXPECT_TRUE(glIsTexture(colour));
    EXPECT_TRUE(assigned.CheckStatus());
}

// Sees the attach calls that reach the virtual operation.
class SpyOffscreenBuffer : public CglOffscreenBuffer {
  public:
    void AttachTexture(GLenum target, GLuint texId, GLenum attachment, GLint level, GLint zSlice) override {
        seen.push_back({texId, attachment});
        CglOffscreenBuffer::AttachTexture(target, texId, attachment, level, zSlice);
    }
    std::vector<std::pair<GLuint, GLenum>> seen;
};

TEST_F(OffscreenBufferTest, CreateAndBeginRenderAttachThroughVirtualDispatch) {
    SpyOffscreenBuffer spy;
    spy.Create(16, 16, GL_RGBA8, GL_DEPTH_COMPONENT24);
    spy.BeginRender();
    spy.EndRender();
    std::pair<GLuint, GLenum> colour{spy.colorTexId, GL_COLOR_ATTACHMENT0_EXT};
    std::pair<GLuint, GLenum> depth{spy.depthTexId, GL_DEPTH_ATTACHMENT_EXT};
    EXPECT_THAT(spy.seen, ElementsAre(colour, depth, colour, depth));
}

// Read-back on whichever family the context takes: these run on compatibility contexts and core profiles.
class OffscreenReadTest : public GlTest, public ::testing::WithParamInterface<GLint> {
  protected:
    void TearDown() override {
        glViewport(0, 0, 320, 240);
        EXPECT_TRUE(GlNoError());
        GlTest::TearDown();
    }
};

TEST_P(OffscreenReadTest, FloatColourComesBackUnclampedAndPackedDepthStencilServesTheStencilTest) {
    CglOffscreenBuffer target;
    target.Create(8, 4, GetParam(), GL_DEPTH32F_STENCIL8);
    rec::Start();
    target.BeginRender();
    rec::Stop();
    const std::string attach = Named("glFramebufferTexture2D");
    std::vector<std::string> points;
    for (const std::string& call : rec::CallsTo(attach)) {
        points.push_back(call.substr(call.find(", ") + 2, 6));
    }
    // The depth texture at the combined point where the family has one, else at both points.
    if (ExtFamily()) {
        EXPECT_THAT(points, ElementsAre(Enum(GL_COLOR_ATTACHMENT0).text, Enum(GL_DEPTH_ATTACHMENT).text,
                                        Enum(GL_STENCIL_ATTACHMENT).text));
    } else {
        EXPECT_THAT(points,
                    ElementsAre(Enum(GL_COLOR_ATTACHMENT0).text, Enum(GL_DEPTH_STENCIL_ATTACHMENT).text));
    }
    glClearColor(0.25f, 2.5f, -1.0f, 1024.0f);
    glClearDepth(0.375);
    glClearStencil(5);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    // Nothing passes a test for 6 where the stencil buffer holds 5; without one, everything would.
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, 6, 0xFF);
    Painter().Fill(-1, -1, 1, 1, 0, {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    glDisable(GL_STENCIL_TEST);
    target.EndRender();

    std::vector<float> rgba(8 * 4 * 4);
    float depth = 0.0f;
    GLubyte stencil = 0;
    EXPECT_TRUE(target.ReadPixels(0, 0, 8, 4, GL_RGBA, GL_FLOAT, rgba.data()));
    EXPECT_TRUE(target.ReadPixels(7, 3, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth));
    EXPECT_TRUE(target.ReadPixels(7, 3, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &stencil));
    EXPECT_THAT(std::vector<float>(rgba.end() - 4, rgba.end()), ElementsAre(0.25f, 2.5f, -1.0f, 1024.0f));
    EXPECT_EQ(depth, 0.375f);
    EXPECT_EQ(stencil, 5);
}

INSTANTIATE_TEST_SUITE_P(Colour, OffscreenReadTest, ::testing::Values(GL_RGBA16F, GL_RGBA32F));

TEST_F(OffscreenReadTest, IncompleteTargetReadsNothingAndSaysFalse) {
    CglOffscreenBuffer target;
    {
        StderrCapture quiet;
        target.Create(4, 4, GL_RGBA8, GL_RGBA8);
    }
    EXPECT_TRUE(GlError(GL_INVALID_OPERATION)) << "the depth image GL refused";
    GlObjects gl;
    GLuint caller = gl.Framebuffer();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, caller);
    GLubyte rgba[4] = {7, 7, 7, 7};
    rec::Start();
    EXPECT_FALSE(target.ReadColor(0, 0, 1, 1, rgba));
    rec::Stop();
    EXPECT_THAT(rgba, ::testing::Each(7));
    EXPECT_EQ(rec::CountOf("glReadPixels"), 0u);
    EXPECT_EQ(Integer(GL_READ_FRAMEBUFFER_BINDING), static_cast<GLint>(caller));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

// Runs with EXT_framebuffer_object hidden from a context that offers the core framebuffer objects.
class WithoutExtFramebufferObjectOffscreen : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (DriverHasExtension("GL_EXT_framebuffer_object") || glBindFramebuffer == nullptr) {
            GTEST_SKIP() << "the context lists EXT_framebuffer_object, or offers no framebuffer objects";
        }
    }
};

TEST_F(WithoutExtFramebufferObjectOffscreen, CoreEntryPointsMakeACompleteTargetThatIsDrawnInto) {
    StderrCapture err;
    rec::Start();
    {
        CglOffscreenBuffer target;
        target.Create(32, 32, GL_RGBA8, GL_DEPTH_COMPONENT24);
        EXPECT_TRUE(target.CheckStatus());
        target.BeginRender();
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        Rgba pixel = ReadPixel(31, 31);
        EXPECT_EQ(pixel.g, 255);
        EXPECT_EQ(pixel.r, 0);
        target.EndRender();
        EXPECT_EQ(FramebufferBinding(), 0);
    }
    rec::Stop();
    EXPECT_EQ(err.Text(), "");
    EXPECT_EQ(rec::CountOf("glGenFramebuffers"), 1u);
    for (const std::string& name : rec::Names()) {
        EXPECT_EQ(name.find("EXT"), std::string::npos) << name;
    }
    glViewport(0, 0, 320, 240);
    EXPECT_TRUE(GlNoError());
}

// Runs without the loader: no framebuffer entry point of either kind is there.
class WithoutFramebufferObjectOffscreen : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glBindFramebufferEXT != nullptr || glBindFramebuffer != nullptr) {
            GTEST_SKIP() << "the loader provides framebuffer objects";
        }
    }
};

TEST_F(WithoutFramebufferObjectOffscreen, EveryOperationWritesOneClearLineAndMakesNothing) {
    StderrCapture err;
    rec::Start();
    {
        CglOffscreenBuffer target;
        target.Create(64, 64, GL_RGBA8, GL_DEPTH_COMPONENT24);
        EXPECT_EQ(target.colorTexId, 0u);
        EXPECT_EQ(target.depthTexId, 0u);
        target.BeginRender();
        target.EndRender();
        EXPECT_FALSE(target.CheckStatus());
    }
    rec::Stop();
    EXPECT_EQ(err.Text(), "CglOffscreenBuffer::Create ERROR: glDeleteFramebuffersEXT is not available\n"
                          "CglOffscreenBuffer::BeginRender ERROR: glBindFramebufferEXT is not available\n"
                          "CglOffscreenBuffer::EndRender ERROR: glBindFramebufferEXT is not available\n"
                          "CglFrameBuffer::CheckStatus ERROR: glBindFramebufferEXT is not available\n");
    // Only the destructor's deletion of the two texture names it never made.
    EXPECT_THAT(rec::Calls(), ElementsAre(Delete("glDeleteTextures", 0), Delete("glDeleteTextures", 0)));

    // A target that looks created gets as far as the entry point.
    CglOffscreenBuffer made;
    made.fboId = made.colorTexId = 1;
    made.colorDesc.width = made.colorDesc.height = 4;
    GLubyte rgba[4] = {};
    StderrCapture readErr;
    rec::Start();
    EXPECT_FALSE(made.ReadColor(0, 0, 1, 1, rgba));
    rec::Stop();
    EXPECT_EQ(readErr.Text(), "CglOffscreenBuffer::ReadColor ERROR: glBindFramebufferEXT is not available\n");
    EXPECT_THAT(rec::Calls(), IsEmpty());
    made.fboId = made.colorTexId = 0;
    EXPECT_TRUE(GlNoError());
}

} // namespace
