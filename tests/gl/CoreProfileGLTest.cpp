// Each unit's main flow on a 3.3 core profile, the context most modern GL code asks for, with the outcome
// read back from the driver and no GL error left behind.
#include "CoreShaders.h"
#include "FramebufferTestSupport.h"
#include "glBuffer.h"
#include "glFramebuffer.h"
#include "glOffscreenBuffer.h"
#include "glProgram.h"
#include "glTexture.h"
#include "glVertexArray.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <gmock/gmock.h>
#include <string>
#include <vector>

namespace {

class CoreProfileTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_TRUE(CoreProfileContext()) << "runs with VISTREL_TEST_CORE_PROFILE set";
        ASSERT_NE(Integer(GL_CONTEXT_PROFILE_MASK) & GL_CONTEXT_CORE_PROFILE_BIT, 0);
    }
    void TearDown() override {
        EXPECT_TRUE(GlNoError());
        GlTest::TearDown();
    }
};

TEST_F(CoreProfileTest, OffscreenTargetIsCompleteAndRenderedInto) {
    CglOffscreenBuffer target;
    StderrCapture err;
    target.Create(64, 32, GL_RGBA8, GL_DEPTH_COMPONENT24);
    EXPECT_EQ(err.Text(), "");
    EXPECT_TRUE(GlNoError()) << "every sampler value exists in a core profile";
    EXPECT_EQ(target.colorSampler.wrapS, static_cast<GLenum>(GL_CLAMP_TO_EDGE));
    for (GLuint texture : {target.colorTexId, target.depthTexId}) {
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    }
    EXPECT_TRUE(target.CheckStatus());

    target.BeginRender();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_THAT(viewport, ::testing::ElementsAre(0, 0, 64, 32));
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClearDepth(0.25);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    target.EndRender();
    EXPECT_EQ(FramebufferBinding(), 0);
    glViewport(0, 0, 320, 240);

    std::vector<GLubyte> colour(64 * 32 * 4);
    std::vector<GLfloat> depth(64 * 32);
    glBindTexture(GL_TEXTURE_2D, target.colorTexId);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
    glBindTexture(GL_TEXTURE_2D, target.depthTexId);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_THAT(std::vector<GLubyte>(colour.end() - 4, colour.end()), ::testing::ElementsAre(0, 255, 0, 255));
    EXPECT_NEAR(depth.back(), 0.25f, 1e-6f);
}

TEST_F(CoreProfileTest, MipmapChainIsGeneratedAfterTheUpload) {
    std::vector<GLubyte> pixels(4 * 4 * 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = 200, pixels[i + 1] = 100, pixels[i + 2] = 50, pixels[i + 3] = 255;
    }
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = 4;
    desc.height = 4;
    desc.mipLevels = 0;
    desc.internalFormat = GL_RGBA8;
    TextureData data;
    data.pixels = pixels.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    TextureSampler sampler;
    sampler.minFilter = GL_LINEAR_MIPMAP_LINEAR;

    rec::Start();
    GLuint texture = glCreateTexture(&desc, &data, &sampler);
    rec::Stop();
    EXPECT_TRUE(GlNoError());

    GLint width1 = 0, width2 = 0;
    GLubyte smallest[4] = {};
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width1);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &width2);
    glGetTexImage(GL_TEXTURE_2D, 2, GL_RGBA, GL_UNSIGNED_BYTE, smallest);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
    EXPECT_EQ(width1, 2);
    EXPECT_EQ(width2, 1);
    EXPECT_THAT(smallest, ::testing::ElementsAre(200, 100, 50, 255));

    // Generated from level 0 once it holds the pixels, while the texture is still bound.
    const std::vector<std::string> names = rec::Names();
    auto at = [&](const char* name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
    EXPECT_LT(at("glTexImage2D"), at("glGenerateMipmap"));
    EXPECT_EQ(rec::CallsTo("glBindTexture").back(),
              rec::Call("glBindTexture", {rec::Enum(GL_TEXTURE_2D), rec::Int(0)}));
    EXPECT_EQ(names.back(), "glBindTexture");
}

TEST_F(CoreProfileTest, EachDrawBufferGetsItsOwnColourMask) {
    BlendState state{};
    state.blendEnable = true;
    state.srcRGB = state.srcAlpha = GL_SRC_ALPHA;
    state.dstRGB = state.dstAlpha = GL_ONE_MINUS_SRC_ALPHA;
    state.blendEquation = GL_FUNC_ADD;
    for (int i = 0; i < 8; ++i) {
        state.colorWriteMask[i] = static_cast<GLubyte>(i * 2 + 1); // red always, the rest varying
    }
    StderrCapture err;
    rec::Start();
    glApplyBlendState(&state, nullptr);
    rec::Stop();
    EXPECT_EQ(err.Text(), "");
    EXPECT_EQ(rec::CountOf("glColorMaski"), 8u);
    for (GLuint i = 0; i < 8; ++i) {
        GLboolean mask[4] = {};
        glGetBooleani_v(GL_COLOR_WRITEMASK, i, mask);
        GLubyte m = state.colorWriteMask[i];
        EXPECT_THAT(mask, ::testing::ElementsAre((m & 1) != 0, (m & 2) != 0, (m & 4) != 0, (m & 8) != 0))
            << "draw buffer " << i;
    }
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    glDisable(GL_BLEND);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

TEST_F(CoreProfileTest, ProgramsLinkAndAGeometryShaderDrawsWithAUniformSet) {
    CglShader vertex, fragment, geometry;
    ASSERT_TRUE(vertex.CompileFromSource(kVertex, GL_VERTEX_SHADER, 0, 0)) << vertex.statusMessage;
    ASSERT_TRUE(fragment.CompileFromSource(kFragment, GL_FRAGMENT_SHADER, 0, 0)) << fragment.statusMessage;
    ASSERT_TRUE(geometry.CompileFromSource(kGeometry, GL_GEOMETRY_SHADER_EXT, GL_POINTS, GL_TRIANGLE_STRIP))
        << geometry.statusMessage;

    CglProgram pair, triple;
    rec::Start();
    EXPECT_TRUE(pair.Link(vertex.id, fragment.id)) << pair.statusMessage;
    ASSERT_TRUE(triple.Link(vertex.id, fragment.id, geometry.id)) << triple.statusMessage;
    rec::Stop();
    EXPECT_STREQ(triple.statusMessage, "GLSL program created successfully");
    for (const std::string& name : rec::Names()) {
        EXPECT_EQ(name.find("ARB"), std::string::npos) << name;
        EXPECT_NE(name, "glProgramParameteriEXT");
    }

    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    triple.Bind();
    triple.SetParameter4f("color", 1.0f, 0.0f, 1.0f, 1.0f);
    GLfloat colour[4] = {};
    glGetUniformfv(triple.id, glGetUniformLocation(triple.id, "color"), colour);
    EXPECT_THAT(colour, ::testing::ElementsAre(1.0f, 0.0f, 1.0f, 1.0f));
    glDrawArrays(GL_POINTS, 0, 1);
    triple.Unbind();
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vertexArray);

    Rgba centre = ReadPixel(160, 120);
    Rgba outside = ReadPixel(40, 120);
    EXPECT_EQ(centre.r, 255);
    EXPECT_EQ(centre.g, 0);
    EXPECT_EQ(centre.b, 255);
    EXPECT_EQ(outside.r, 0);
}

TEST_F(CoreProfileTest, FramebufferHoldsATextureAndARenderbufferAndIsComplete) {
    GlObjects gl;
    GLuint colour = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 16, 16);
    GLuint depth = gl.Renderbuffer(GL_DEPTH_COMPONENT24, 16, 16);
    CglFrameBuffer fb;
    ASSERT_NE(fb.GenerateId(), 0u);
    // The caller reads from one framebuffer and draws into the window's.
    GLuint read = gl.Framebuffer();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, read);
    StderrCapture err;
    rec::Start();
    fb.AttachTexture(GL_TEXTURE_2D, colour, GL_COLOR_ATTACHMENT0, 0, 0);
    fb.AttachRenderBuffer(depth, GL_DEPTH_ATTACHMENT);
    EXPECT_EQ(fb.QueryAttachedType(GL_COLOR_ATTACHMENT0), GL_TEXTURE);
    EXPECT_EQ(fb.QueryAttachedId(GL_COLOR_ATTACHMENT0), static_cast<GLint>(colour));
    EXPECT_EQ(fb.QueryAttachedType(GL_DEPTH_ATTACHMENT), GL_RENDERBUFFER);
    EXPECT_EQ(fb.QueryAttachedId(GL_DEPTH_ATTACHMENT), static_cast<GLint>(depth));
    EXPECT_TRUE(fb.CheckStatus());
    rec::Stop();
    EXPECT_EQ(err.Text(), "");
    EXPECT_EQ(FramebufferBinding(), 0) << "every configuring operation put the bindings back";
    EXPECT_EQ(Integer(GL_READ_FRAMEBUFFER_BINDING), static_cast<GLint>(read));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    EXPECT_GT(rec::CountOf("glBindFramebuffer"), 0u);
    for (const std::string& name : rec::Names()) {
        EXPECT_EQ(name.find("EXT"), std::string::npos) << name;
    }
}

TEST_F(CoreProfileTest, VertexBufferIsCreatedWithItsDataAndDeleted) {
    const GLubyte bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    BufferDesc desc{sizeof bytes, GL_STATIC_DRAW};
    BufferData data{bytes};
    GLuint buffer = 0;
    StderrCapture err;
    EXPECT_FALSE(glCreateVertexBuffer(&desc, &data, &buffer));
    ASSERT_TRUE(glIsBuffer(buffer));
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);
    GLubyte stored[8] = {};
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof stored, stored);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_THAT(stored, ::testing::ElementsAreArray(bytes));
    EXPECT_FALSE(glDeleteVertexBuffer(&buffer));
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_EQ(err.Text(), "");
}

// A core profile draws only through a vertex array: the whole path without raw GL set-up calls.
const char kDrawVertex[] =
    "#version 330 core\nlayout(location = 0) in vec2 p;\nlayout(location = 1) in uint t;\n"
    "flat out uint v;\nvoid main() { v = t; gl_Position = vec4(p, 0, 1); }\n";
const char kDrawFragment[] =
    "#version 330 core\nuniform sampler2D tex;\nuniform uint add;\nuniform mat2 turn;\n"
    "flat in uint v;\nout vec4 c;\nvoid main() { c = vec4(float(v + add) / 255.0, "
    "texture(tex, vec2(0.5)).g, (turn * vec2(1, 0)).y, 1); }\n";

TEST_F(CoreProfileTest, IndexedDrawThroughAVertexArrayIsReadBackFromTheTarget) {
    CglShader vertex, fragment;
    CglProgram program;
    ASSERT_TRUE(vertex.CompileFromSource(kDrawVertex, GL_VERTEX_SHADER, 0, 0)) << vertex.statusMessage;
    ASSERT_TRUE(fragment.CompileFromSource(kDrawFragment, GL_FRAGMENT_SHADER, 0, 0))
        << fragment.statusMessage;
    ASSERT_TRUE(program.Link(vertex.id, fragment.id)) << program.statusMessage;

    // Texture and positions are made black and degenerate: only the updates can give the expected pixels.
    const GLubyte black[4] = {0, 0, 0, 255}, green[4] = {0, 200, 0, 255};
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = desc.height = 1;
    TextureData data;
    data.pixels = black;
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    GLuint texture = glCreateTexture(&desc, &data, nullptr);
    data.pixels = green;
    EXPECT_TRUE(glUpdateTexture2D(texture, 0, 0, 0, 1, 1, &data));
    const float nowhere[8] = {}, leftHalf[8] = {-1, -1, 0, -1, 0, 1, -1, 1};
    const GLuint tints[4] = {40, 40, 40, 40};
    const GLubyte indices[6] = {0, 1, 2, 0, 2, 3};
    GLuint buffers[3] = {};
    const void* contents[3] = {nowhere, tints, indices};
    for (GLsizeiptr i = 0, sizes[3] = {sizeof nowhere, sizeof tints, sizeof indices}; i < 3; ++i) {
        BufferDesc bufferDesc{sizes[i], GL_STATIC_DRAW};
        BufferData bufferData{static_cast<const GLubyte*>(contents[i])};
        EXPECT_FALSE(glCreateVertexBuffer(&bufferDesc, &bufferData, &buffers[i]));
    }
    EXPECT_FALSE(
        glUpdateVertexBuffer(buffers[0], 0, sizeof leftHalf, reinterpret_cast<const GLubyte*>(leftHalf)));
    CglVertexArray array;
    ASSERT_TRUE(array.Create());
    array.SetAttribute(0, buffers[0], 2, GL_FLOAT, false, 0, 0);
    array.SetIntegerAttribute(1, buffers[1], 1, GL_UNSIGNED_INT, 0, 0);
    array.SetIndexBuffer(buffers[2]);

    CglOffscreenBuffer target;
    target.Create(32, 32, GL_RGBA8, GL_DEPTH_COMPONENT24);
    target.BeginRender();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    program.Bind();
    glBindTextureToUnit(2, GL_TEXTURE_2D, texture);
    program.SetParameter1i("tex", 2);
    program.SetParameter1ui("add", 60);
    const float turn[4] = {0.0f, 0.5f, 0.0f, 0.0f};
    program.SetParameterMatrix2("turn", turn, false);
    array.Bind();
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_BYTE, nullptr);
    array.Unbind();
    program.Unbind();
    target.EndRender();
    glViewport(0, 0, 320, 240);

    std::vector<GLubyte> rgba(32 * 32 * 4, 7);
    rec::Start();
    EXPECT_TRUE(target.ReadColor(0, 0, 32, 32, rgba.data()));
    rec::Stop();
    const GLubyte* drawn = &rgba[(16 * 32 + 4) * 4];
    EXPECT_EQ(drawn[0], 100) << "the integer attribute plus the unsigned uniform";
    EXPECT_EQ(drawn[1], 200) << "the updated texture, sampled on unit 2";
    EXPECT_NEAR(drawn[2], 128, 1) << "the 2x2 matrix's first column";
    EXPECT_EQ(std::vector<GLubyte>(&rgba[(16 * 32 + 28) * 4], &rgba[(16 * 32 + 29) * 4]),
              std::vector<GLubyte>({0, 0, 0, 255}));
    for (const std::string& name : rec::Names()) {
        EXPECT_EQ(name.find("EXT"), std::string::npos) << name;
    }
    glDeleteTextures(1, &texture);
    glDeleteBuffers(3, buffers);
}

// A second window with a compatibility context beside the core one: each context is asked once and each
// gets the calls of its own profile.
TEST_F(CoreProfileTest, EachContextIsAskedOnceAndKeepsItsOwnProfile) {
    glutInitContextVersion(1, 0);
    glutInitContextProfile(0);
    int compatibility = glutCreateWindow("Vistrel GL tests, compatibility");
    glutInitContextVersion(3, 2);
    glutInitContextProfile(GLUT_CORE_PROFILE);

    auto create = [](GLenum expectedWrap) {
        CglOffscreenBuffer target;
        target.Create(8, 8, GL_RGBA8, GL_DEPTH_COMPONENT24);
        EXPECT_EQ(TextureParameter(target.colorTexId, GL_TEXTURE_WRAP_S), static_cast<GLint>(expectedWrap));
        EXPECT_TRUE(GlNoError());
    };
    rec::Start();
    create(GL_CLAMP);
    rec::Stop();
    EXPECT_EQ(rec::Names().front(), "glGetString") << "the new context is asked first";
    EXPECT_EQ(rec::CountOf("glGetString"), 1u);
    // This driver names the profile in its version string, so the profile mask is not asked for.
    for (const std::string& query : rec::CallsTo("glGetIntegerv")) {
        EXPECT_NE(query.rfind(rec::Call("glGetIntegerv", {rec::Enum(GL_CONTEXT_PROFILE_MASK)}), 0), 0u);
    }
    rec::Start();
    create(GL_CLAMP);
    rec::Stop();
    EXPECT_EQ(rec::CountOf("glGetString"), 0u);

    glutDestroyWindow(compatibility);
    glutSetWindow(GlTestWindow());
    rec::Start();
    create(GL_CLAMP_TO_EDGE);
    rec::Stop();
    EXPECT_EQ(rec::CountOf("glGetString"), 0u) << "met already, at set-up";
}

} // namespace
