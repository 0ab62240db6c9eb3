#include "GlTest.h"
#include "Painter.h"
#include "glRenderState.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <gmock/gmock.h>
#include <memory>
#include <string>
#include <vector>

using rec::Call;
using rec::Enum;
using rec::Int;
using ::testing::Each;
using ::testing::ElementsAre;

namespace {

using Mask = std::array<GLboolean, 4>;
const Mask kAll = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
const Mask kNone = {GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE};
const Mask kRedBlue = {GL_TRUE, GL_FALSE, GL_TRUE, GL_FALSE};

std::array<GLfloat, 4> BlendColour() {
    std::array<GLfloat, 4> colour{};
    glGetFloatv(GL_BLEND_COLOR, colour.data());
    return colour;
}

// The mask GL uses for every buffer when it is asked without an index.
Mask CommonMask() {
    Mask mask{};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask.data());
    return mask;
}

bool HaveIndexedMaskQuery() {
    return glGetBooleanIndexedvEXT != nullptr || glGetBooleani_v != nullptr;
}

// One draw buffer's mask, through the extension's query or, when it is hidden, the core one.
Mask MaskOf(GLuint buffer) {
    Mask mask{};
    if (glGetBooleanIndexedvEXT != nullptr) {
        glGetBooleanIndexedvEXT(GL_COLOR_WRITEMASK, buffer, mask.data());
    } else {
        glGetBooleani_v(GL_COLOR_WRITEMASK, buffer, mask.data());
    }
    return mask;
}

// Every field set, blending on with one factor for colour and alpha, all channels written.
BlendState Blending() {
    BlendState state;
    state.blendEnable = true;
    state.srcRGB = GL_SRC_ALPHA;
    state.srcAlpha = GL_SRC_ALPHA;
    state.blendEquation = GL_FUNC_ADD;
    state.dstRGB = GL_ONE_MINUS_SRC_ALPHA;
    state.dstAlpha = GL_ONE_MINUS_SRC_ALPHA;
    for (GLubyte& m : state.colorWriteMask) {
        m = 0x0F;
    }
    return state;
}

DepthStencilState DepthAndStencil() {
    DepthStencilState state;
    state.depthEnable = true;
    state.depthWriteMask = false;
    state.depthFunc = GL_GEQUAL;
    state.stencilEnable = true;
    state.stencilReadMask = 0xFF;
    state.stencilWriteMask = 0xFF;
    state.stencilFailOp = GL_INCR;
    state.stencilDepthFailOp = GL_DECR;
    state.stencilPassOp = GL_REPLACE;
    state.stencilFunc = GL_EQUAL;
    return state;
}

class RenderStateTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        glDrawBuffer(GL_BACK);
        glReadBuffer(GL_BACK);
    }
    // Back to GL's initial state, which the other tests of this process expect.
    void TearDown() override {
        glDisable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ZERO);
        if (glBlendEquation != nullptr) {
            glBlendEquation(GL_FUNC_ADD);
        }
        if (glBlendColor != nullptr) {
            glBlendColor(0, 0, 0, 0);
        }
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glDepthMask(GL_TRUE);
        glDisable(GL_STENCIL_TEST);
        glStencilMask(~0u);
        glStencilFunc(GL_ALWAYS, 0, ~0u);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        GlTest::TearDown();
    }

    // Clears the window with every channel written, then with the mask `state` left for buffer 0.
    // Records the calls of the apply alone.
    Rgba ClearThroughMask(const BlendState& state) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        rec::Start();
        glApplyBlendState(&state, nullptr);
        rec::Stop();
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        return ReadPixel(10, 10);
    }
};

bool HaveBlendEntryPoints() {
    return glBlendFuncSeparate != nullptr && glBlendEquation != nullptr && glBlendColor != nullptr;
}

// ---- blending ----

using BlendStateTest = RenderStateTest;

TEST_F(BlendStateTest, SetsFactorsByFieldNameWithEquationAndColour) {
    if (!HaveBlendEntryPoints()) {
        GTEST_SKIP() << "the loader did not provide the blend entry points";
    }
    BlendState state = Blending();
    state.srcRGB = GL_SRC_ALPHA;
    state.dstRGB = GL_ONE_MINUS_SRC_ALPHA;
    state.srcAlpha = GL_ONE;
    state.dstAlpha = GL_ZERO;
    state.blendEquation = GL_FUNC_REVERSE_SUBTRACT;
    const float colour[4] = {0.25f, 0.5f, 0.75f, 1.0f};

    rec::Start();
    glApplyBlendState(&state, colour);
    rec::Stop();

    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    EXPECT_EQ(Integer(GL_BLEND_SRC_RGB), GL_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_DST_RGB), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_SRC_ALPHA), GL_ONE);
    EXPECT_EQ(Integer(GL_BLEND_DST_ALPHA), GL_ZERO);
    EXPECT_EQ(Integer(GL_BLEND_EQUATION_RGB), GL_FUNC_REVERSE_SUBTRACT);
    EXPECT_EQ(Integer(GL_BLEND_EQUATION_ALPHA), GL_FUNC_REVERSE_SUBTRACT);
    EXPECT_THAT(BlendColour(), ElementsAre(0.25f, 0.5f, 0.75f, 1.0f));
    EXPECT_THAT(rec::CallsTo("glBlendFuncSeparate"),
                ElementsAre(Call("glBlendFuncSeparate", {Enum(GL_SRC_ALPHA), Enum(GL_ONE_MINUS_SRC_ALPHA),
                                                         Enum(GL_ONE), Enum(GL_ZERO)})));
    EXPECT_TRUE(GlNoError());
}

TEST_F(BlendStateTest, OffLeavesFactorsEquationAndColourWithoutReadingTheColour) {
    if (!HaveBlendEntryPoints()) {
        GTEST_SKIP() << "the loader did not provide the blend entry points";
    }
    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_DST_COLOR, GL_SRC_COLOR, GL_ONE, GL_ONE);
    glBlendEquation(GL_MAX);
    glBlendColor(0.1f, 0.2f, 0.3f, 0.4f);
    BlendState state = Blending();
    state.blendEnable = false;

    StderrCapture err;
    rec::Start();
    glApplyBlendState(&state, nullptr);
    rec::Stop();

    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
    EXPECT_EQ(Integer(GL_BLEND_SRC_RGB), GL_DST_COLOR);
    EXPECT_EQ(Integer(GL_BLEND_DST_RGB), GL_SRC_COLOR);
    EXPECT_EQ(Integer(GL_BLEND_SRC_ALPHA), GL_ONE);
    EXPECT_EQ(Integer(GL_BLEND_EQUATION_RGB), GL_MAX);
    EXPECT_THAT(BlendColour(), ElementsAre(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(rec::Calls().front(), Call("glDisable", {Enum(GL_BLEND)}));
    EXPECT_EQ(rec::CountOf("glBlendFuncSeparate") + rec::CountOf("glBlendEquation") +
                  rec::CountOf("glBlendColor") + rec::CountOf("glBlendFunc"),
              0u);
    EXPECT_EQ(err.Text(), "");
    EXPECT_TRUE(GlNoError());
}

TEST_F(BlendStateTest, OnWithoutColourKeepsTheColourAlreadySet) {
    if (!HaveBlendEntryPoints()) {
        GTEST_SKIP() << "the loader did not provide the blend entry points";
    }
    glBlendColor(0.1f, 0.2f, 0.3f, 0.4f);
    BlendState state = Blending();
    state.dstRGB = GL_ONE;

    StderrCapture err;
    glApplyBlendState(&state, nullptr);

    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    EXPECT_EQ(Integer(GL_BLEND_DST_RGB), GL_ONE);
    EXPECT_THAT(BlendColour(), ElementsAre(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(err.Text(), "");
    EXPECT_TRUE(GlNoError());
}

TEST_F(BlendStateTest, EachDrawBufferTakesItsOwnMaskFromTheLowFourBits) {
    if (glColorMaskIndexedEXT == nullptr || !HaveIndexedMaskQuery()) {
        GTEST_SKIP() << "no per-buffer colour masks here (EXT_draw_buffers2 hidden or no loader)";
    }
    if (Integer(GL_MAX_DRAW_BUFFERS) < 8) {
        GTEST_SKIP() << "the driver has fewer than eight draw buffers";
    }
    BlendState state = Blending();
    state.blendEnable = false;
    const GLubyte masks[8] = {0x0F, 0x00, 0x05, 0xF0, 0x0A, 0x01, 0x08, 0xFF};
    std::copy(masks, masks + 8, state.colorWriteMask);

    rec::Start();
    glApplyBlendState(&state, nullptr);
    rec::Stop();

    const Mask expected[8] = {kAll,
                              kNone,
                              kRedBlue,
                              kNone, // only bits above the four channels
                              {GL_FALSE, GL_TRUE, GL_FALSE, GL_TRUE},
                              {GL_TRUE, GL_FALSE, GL_FALSE, GL_FALSE},
                              {GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE},
                              kAll};
    for (GLuint i = 0; i < 8; ++i) {
        EXPECT_EQ(MaskOf(i), expected[i]) << "draw buffer " << i;
    }
    EXPECT_EQ(rec::CountOf("glColorMaskIndexedEXT"), 8u);
    EXPECT_EQ(rec::CountOf("glColorMask"), 0u);
    EXPECT_TRUE(GlNoError());
}

TEST_F(BlendStateTest, MaskOfBufferZeroDecidesWhichChannelsAClearWrites) {
    BlendState state = Blending();
    state.blendEnable = false;
    state.colorWriteMask[0] = 0x05;
    for (int i = 1; i < 8; ++i) {
        state.colorWriteMask[i] = 0x05;
    }
    Rgba pixel = ClearThroughMask(state);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.g, 0);
    EXPECT_EQ(pixel.b, 255);
    EXPECT_TRUE(GlNoError());
}

TEST_F(BlendStateTest, NullStateMakesNoGlCall) {
    glEnable(GL_BLEND);
    glColorMask(GL_FALSE, GL_TRUE, GL_FALSE, GL_TRUE);
    const float colour[4] = {1, 1, 1, 1};
    rec::Start();
    glApplyBlendState(nullptr, colour);
    glApplyDepthStencilState(nullptr, 7);
    rec::Stop();
    EXPECT_THAT(rec::Calls(), ElementsAre());
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    EXPECT_EQ(CommonMask(), (Mask{GL_FALSE, GL_TRUE, GL_FALSE, GL_TRUE}));
}

// ---- depth and stencil ----

using DepthStencilStateTest = RenderStateTest;

TEST_F(DepthStencilStateTest, EnabledTestsTakeEverySetting) {
    DepthStencilState state = DepthAndStencil();

    glApplyDepthStencilState(&state, 3);

    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
    EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_GEQUAL);
    GLboolean depthWrites = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(depthWrites, GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_STENCIL_TEST), GL_TRUE);
    // GL starts with every mask bit set: these prove the high bits are cleared, not kept.
    EXPECT_EQ(Integer(GL_STENCIL_WRITEMASK), 0xFF);
    EXPECT_EQ(Integer(GL_STENCIL_VALUE_MASK), 0xFF);
    EXPECT_EQ(Integer(GL_STENCIL_REF), 3);
    EXPECT_EQ(Integer(GL_STENCIL_FUNC), GL_EQUAL);
    EXPECT_EQ(Integer(GL_STENCIL_FAIL), GL_INCR);
    EXPECT_EQ(Integer(GL_STENCIL_PASS_DEPTH_FAIL), GL_DECR);
    EXPECT_EQ(Integer(GL_STENCIL_PASS_DEPTH_PASS), GL_REPLACE);
    // One set of actions for both faces.
    EXPECT_EQ(Integer(GL_STENCIL_BACK_WRITEMASK), 0xFF);
    EXPECT_EQ(Integer(GL_STENCIL_BACK_FUNC), GL_EQUAL);
    EXPECT_EQ(Integer(GL_STENCIL_BACK_FAIL), GL_INCR);
    EXPECT_EQ(Integer(GL_STENCIL_BACK_PASS_DEPTH_PASS), GL_REPLACE);
    EXPECT_TRUE(GlNoError());

    state.stencilReadMask = 0x0F;
    state.stencilWriteMask = 0x81;
    glApplyDepthStencilState(&state, 200);
    EXPECT_EQ(Integer(GL_STENCIL_WRITEMASK), 0x81);
    EXPECT_EQ(Integer(GL_STENCIL_VALUE_MASK), 0x0F);
    EXPECT_EQ(Integer(GL_STENCIL_REF), 200);
}

TEST_F(DepthStencilStateTest, DisabledTestsKeepTheirSettings) {
    glDepthFunc(GL_GREATER);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0x3C);
    glStencilFunc(GL_NOTEQUAL, 5, 0x33);
    glStencilOp(GL_ZERO, GL_INVERT, GL_INCR_WRAP);
    DepthStencilState state = DepthAndStencil();
    state.depthEnable = false;
    state.depthWriteMask = false;
    state.stencilEnable = false;

    rec::Start();
    glApplyDepthStencilState(&state, 9);
    rec::Stop();

    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_STENCIL_TEST), GL_FALSE);
    EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_GREATER);
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(depthWrites, GL_TRUE) << "the write mask goes only with the test";
    EXPECT_EQ(Integer(GL_STENCIL_WRITEMASK), 0x3C);
    EXPECT_EQ(Integer(GL_STENCIL_VALUE_MASK), 0x33);
    EXPECT_EQ(Integer(GL_STENCIL_REF), 5);
    EXPECT_EQ(Integer(GL_STENCIL_FUNC), GL_NOTEQUAL);
    EXPECT_EQ(Integer(GL_STENCIL_FAIL), GL_ZERO);
    EXPECT_EQ(Integer(GL_STENCIL_PASS_DEPTH_PASS), GL_INCR_WRAP);
    EXPECT_THAT(rec::Calls(), ElementsAre(Call("glDisable", {Enum(GL_DEPTH_TEST)}),
                                          Call("glDisable", {Enum(GL_STENCIL_TEST)})));
    EXPECT_TRUE(GlNoError());
}

TEST_F(DepthStencilStateTest, RefusedFunctionStillSetsTheRest) {
    DepthStencilState state = DepthAndStencil();
    state.depthFunc = GL_ONE; // not a comparison
    glApplyDepthStencilState(&state, 1);
    EXPECT_TRUE(GlError(GL_INVALID_ENUM));
    EXPECT_EQ(Integer(GL_STENCIL_FUNC), GL_EQUAL);
    EXPECT_EQ(Integer(GL_STENCIL_PASS_DEPTH_PASS), GL_REPLACE);
}

// ---- rasterizer and presets, also run on a core profile ----

using RasterStateTest = RenderStateTest;

TEST_F(RasterStateTest, SetsTheWholeGroupAndOffLeavesTheCulledFacesAndOffsetValues) {
    RasterState state = {true, GL_FRONT, GL_CW, GL_LINE, true, 2.0f, 3.0f};
    glApplyRasterState(&state);
    GLint mode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    GLfloat offset[2] = {};
    glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &offset[0]);
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &offset[1]);
    EXPECT_THAT((std::vector<GLint>{glIsEnabled(GL_CULL_FACE), Integer(GL_CULL_FACE_MODE),
                                    Integer(GL_FRONT_FACE), mode[0], glIsEnabled(GL_POLYGON_OFFSET_LINE),
                                    glIsEnabled(GL_POLYGON_OFFSET_FILL)}),
                ElementsAre(GL_TRUE, GL_FRONT, GL_CW, GL_LINE, GL_TRUE, GL_FALSE))
        << "the offset switch of the mode drawn in";
    EXPECT_THAT(offset, ElementsAre(2.0f, 3.0f));

    state = {false, GL_BACK, GL_CW, GL_LINE, false, 0.0f, 0.0f};
    rec::Start();
    glApplyRasterState(&state);
    glApplyRasterState(nullptr);
    rec::Stop();
    EXPECT_EQ(Integer(GL_CULL_FACE_MODE), GL_FRONT) << "kept while culling is off";
    glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &offset[0]);
    EXPECT_EQ(offset[0], 2.0f) << "kept while the offset is off";
    EXPECT_THAT(rec::Calls(),
                ElementsAre(Call("glDisable", {Enum(GL_CULL_FACE)}), Call("glFrontFace", {Enum(GL_CW)}),
                            Call("glPolygonMode", {Enum(GL_FRONT_AND_BACK), Enum(GL_LINE)}),
                            Call("glDisable", {Enum(GL_POLYGON_OFFSET_LINE)})));
    glApplyRasterState(&kglRasterDefault);
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    EXPECT_TRUE(GlNoError());
}

class PresetDrawTest : public RenderStateTest {
  protected:
    void SetUp() override {
        RenderStateTest::SetUp();
        // Hiding EXT_draw_buffers2 takes Mesa back to OpenGL 2.1.
        const char* glsl = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION));
        if (glCreateShader == nullptr || strtod(glsl, nullptr) < 3.3) {
            GTEST_SKIP() << "no loader or no GLSL 3.30 in this run (GLSL " << glsl << ")";
        }
        painter_ = std::make_unique<Painter>();
        glViewport(0, 0, 320, 240);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    void TearDown() override {
        glApplyRasterState(&kglRasterDefault);
        RenderStateTest::TearDown();
    }
    // Draws the left or right half of the window, or a square in its middle, wound clockwise when
    // `mirrored`; returns the colour of (40, 120), (280, 120) or (160, 120), inside it, as "r,g,b".
    std::string Draw(int where, float r, float g, float b, float a, float depth = 0.0f,
                     bool mirrored = false) {
        const float rects[3][4] = {{-1, -1, 0, 1}, {0, -1, 1, 1}, {-0.25f, -0.25f, 0.25f, 0.25f}};
        const float* rect = rects[where];
        painter_->Fill(rect[mirrored ? 2 : 0], rect[1], rect[mirrored ? 0 : 2], rect[3], depth,
                       {{r, g, b, a}, {r, g, b, a}, {r, g, b, a}});
        Rgba p = ReadPixel(where == 0 ? 40 : where == 1 ? 280 : 160, 120);
        return std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b);
    }
    enum { kLeft, kRight, kSquare };
    std::unique_ptr<Painter> painter_;
};

TEST_F(PresetDrawTest, CullingBlendingDepthAndStencilPresetsDrawAsTheirHeaderSays) {
    glApplyRasterState(&kglRasterCullBack);
    glApplyBlendState(&kglBlendOff, nullptr);
    glApplyDepthStencilState(&kglDepthOff, 0);
    EXPECT_EQ(Draw(kLeft, 1, 0, 0, 1), "255,0,0");
    EXPECT_EQ(Draw(kRight, 1, 0, 0, 1, 0.0f, true), "0,0,0") << "wound clockwise: a back face, culled";
    glApplyRasterState(&kglRasterDefault);
    EXPECT_EQ(Draw(kRight, 0, 0, 1, 1, 0.0f, true), "0,0,255");

    glApplyBlendState(&kglBlendAlpha, nullptr);
    EXPECT_EQ(Draw(kRight, 1, 1, 1, 0.5f), "128,128,255") << "half over blue";

    glApplyBlendState(&kglBlendOff, nullptr);
    glApplyDepthStencilState(&kglDepthLess, 0);
    EXPECT_EQ(Draw(kLeft, 0, 1, 0, 1, -0.5f), "0,255,0");
    EXPECT_EQ(Draw(kLeft, 1, 0, 1, 1, 0.5f), "0,255,0") << "farther: hidden";

    // A square marked with 3, then only the marked pixels take a nearer colour.
    glApplyDepthStencilState(&kglStencilWrite, 3);
    EXPECT_EQ(Draw(kSquare, 1, 1, 0, 1, -0.75f), "255,255,0");
    glApplyDepthStencilState(&kglStencilEqual, 3);
    EXPECT_EQ(Draw(kLeft, 1, 0, 0, 1, -0.9f), "0,255,0") << "unmarked: unchanged";
    EXPECT_EQ(Draw(kSquare, 1, 0, 0, 1, -0.9f), "255,0,0") << "marked";
    GLint stencil = -1;
    glReadPixels(160, 120, 1, 1, GL_STENCIL_INDEX, GL_INT, &stencil);
    EXPECT_EQ(stencil, 3) << "the second pass kept the mark";
    EXPECT_TRUE(GlNoError());
}

// ---- with a part of the driver hidden ----

using WithoutDrawBuffers2Test = RenderStateTest;

TEST_F(WithoutDrawBuffers2Test, BufferZerosMaskGoesToEveryBufferThroughTheCoreCall) {
    if (glColorMaskIndexedEXT != nullptr || DriverHasExtension("GL_EXT_draw_buffers2")) {
        GTEST_SKIP() << "EXT_draw_buffers2 is present";
    }
    BlendState state = Blending();
    // Red and blue for every buffer; the ignored high bits differ, which is no difference at all.
    for (int i = 0; i < 8; ++i) {
        state.colorWriteMask[i] = static_cast<GLubyte>(0x05 | (i << 4));
    }

    StderrCapture err;
    Rgba pixel = ClearThroughMask(state);

    EXPECT_EQ(err.Text(), "") << "every buffer got what it asked for";
    EXPECT_EQ(CommonMask(), kRedBlue);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.g, 0);
    EXPECT_EQ(pixel.b, 255);
    if (glGetBooleani_v != nullptr) {
        for (GLuint i = 0; i < 8; ++i) {
            EXPECT_EQ(MaskOf(i), kRedBlue) << "draw buffer " << i;
        }
    }
    EXPECT_THAT(rec::CallsTo("glColorMask"),
                ElementsAre(Call("glColorMask", {Int(0x01), Int(0), Int(0x04), Int(0)})));
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE) << "blending itself needs nothing hidden";
    EXPECT_TRUE(GlNoError());
}

// A loader told to load everything fills the hidden extension's entry point all the same; the context's
// list, which lacks it, keeps it uncalled.
TEST_F(WithoutDrawBuffers2Test, MasksThatDifferPerBufferSaySoOnceAndCallNoEntryPointTheListLacks) {
    if (CoreProfileContext() || DriverHasExtension("GL_EXT_draw_buffers2")) {
        GTEST_SKIP() << "the context takes per-buffer masks";
    }
    BlendState state = Blending();
    state.blendEnable = false;
    state.colorWriteMask[0] = 0x0F;
    for (int i = 1; i < 8; ++i) {
        state.colorWriteMask[i] = 0x00;
    }
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);

    StderrCapture err;
    rec::Start();
    glApplyBlendState(&state, nullptr);
    rec::Stop();

    EXPECT_EQ(err.Text(), "glApplyBlendState() : glColorMaskIndexedEXT is not available\n");
    EXPECT_EQ(rec::CountOf("glColorMaskIndexedEXT"), 0u);
    EXPECT_EQ(CommonMask(), kAll) << "buffer 0 still gets its mask";
    EXPECT_TRUE(GlNoError());
}

using WithoutLoaderRenderStateTest = RenderStateTest;

TEST_F(WithoutLoaderRenderStateTest, SharedFactorsUseTheCoreCallAndTheRestIsNamed) {
    if (glBlendFuncSeparate != nullptr) {
        GTEST_SKIP() << "the loader provided glBlendFuncSeparate";
    }
    const float colour[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    BlendState state = Blending(); // one factor pair for colour and alpha
    state.blendEquation = GL_FUNC_SUBTRACT;

    StderrCapture err;
    rec::Start();
    glApplyBlendState(&state, colour);
    rec::Stop();

    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    EXPECT_EQ(Integer(GL_BLEND_SRC_RGB), GL_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_SRC_ALPHA), GL_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_DST_RGB), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_DST_ALPHA), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_EQUATION_RGB), GL_FUNC_ADD) << "skipped, not called through null";
    EXPECT_THAT(BlendColour(), Each(0.0f));
    EXPECT_EQ(CommonMask(), kAll);
    EXPECT_EQ(err.Text(), "glApplyBlendState() : glBlendEquation is not available\n");
    std::vector<std::string> names = rec::Names();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], "glEnable");
    EXPECT_EQ(names[1], "glBlendFunc");
    EXPECT_EQ(rec::CountOf("glColorMask") + rec::CountOf("glColorMaskIndexedEXT"), names.size() - 2)
        << "nothing but the masks after the factors";
    EXPECT_TRUE(GlNoError());
}

TEST_F(WithoutLoaderRenderStateTest, SeparateFactorsAreNamedFirst) {
    if (glBlendFuncSeparate != nullptr) {
        GTEST_SKIP() << "the loader provided glBlendFuncSeparate";
    }
    BlendState state = Blending();
    state.dstAlpha = GL_ZERO;

    StderrCapture err;
    glApplyBlendState(&state, nullptr);

    EXPECT_EQ(err.Text(), "glApplyBlendState() : glBlendFuncSeparate is not available\n");
    EXPECT_EQ(Integer(GL_BLEND_SRC_RGB), GL_ONE) << "the factors were left as they were";
    EXPECT_EQ(Integer(GL_BLEND_DST_ALPHA), GL_ZERO);
    EXPECT_TRUE(GlNoError());
}

TEST_F(WithoutLoaderRenderStateTest, BlendingOffNeedsNothingFromTheLoader) {
    if (glBlendFuncSeparate != nullptr) {
        GTEST_SKIP() << "the loader provided glBlendFuncSeparate";
    }
    glEnable(GL_BLEND);
    BlendState state = Blending();
    state.blendEnable = false;
    for (GLubyte& m : state.colorWriteMask) {
        m = 0x05;
    }

    StderrCapture err;
    Rgba pixel = ClearThroughMask(state);

    EXPECT_EQ(err.Text(), "");
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
    EXPECT_EQ(pixel.g, 0);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_TRUE(GlNoError());
}

} // namespace
