#include "glTexture.h"

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <vector>

using ::testing::ElementsAre;

namespace {

uint32_t Bits(float value) {
    uint32_t bits = 0;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(TextureRecordsTest, DescriptionTakesItsTargetAndDefaultsTheRest) {
    TextureDesc desc(GL_TEXTURE_CUBE_MAP);
    EXPECT_EQ(desc.target, static_cast<GLenum>(GL_TEXTURE_CUBE_MAP));
    EXPECT_EQ(desc.width, 0);
    EXPECT_EQ(desc.height, 0);
    EXPECT_EQ(desc.depth, 0);
    EXPECT_EQ(desc.border, 0);
    EXPECT_EQ(desc.mipLevels, 1);
    EXPECT_EQ(desc.layers, 1);
    EXPECT_EQ(desc.internalFormat, GL_RGBA);
    EXPECT_EQ(desc.samples, 0);

    // Nine 32-bit fields in this order: code that fills the record by position relies on it, and the
    // sample count came last.
    EXPECT_EQ(sizeof(TextureDesc), 36u);
    EXPECT_THAT((std::vector<size_t>{offsetof(TextureDesc, target), offsetof(TextureDesc, width),
                                     offsetof(TextureDesc, height), offsetof(TextureDesc, depth),
                                     offsetof(TextureDesc, border), offsetof(TextureDesc, mipLevels),
                                     offsetof(TextureDesc, layers), offsetof(TextureDesc, internalFormat),
                                     offsetof(TextureDesc, samples)}),
                ElementsAre(0u, 4u, 8u, 12u, 16u, 20u, 24u, 28u, 32u));
}

TEST(TextureRecordsTest, DataStartsEmpty) {
    TextureData data;
    EXPECT_EQ(data.pixels, nullptr);
    EXPECT_EQ(data.format, 0u);
    EXPECT_EQ(data.type, 0u);
}

TEST(TextureRecordsTest, SamplerDefaultsAskForNoLodLimitAndNoComparison) {
    TextureSampler sampler;
    EXPECT_EQ(sampler.minFilter, static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(sampler.magFilter, static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(sampler.wrapR, static_cast<GLenum>(GL_CLAMP_TO_EDGE));
    EXPECT_EQ(sampler.wrapS, static_cast<GLenum>(GL_CLAMP_TO_EDGE));
    EXPECT_EQ(sampler.wrapT, static_cast<GLenum>(GL_CLAMP_TO_EDGE));
    EXPECT_EQ(sampler.maxAnisotropy, 1);
    EXPECT_EQ(sampler.compareFunc, 0u);
    EXPECT_THAT(sampler.borderColor, ElementsAre(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(Bits(sampler.minLod), 0u) << "positive zero, not GL's -1000";
    EXPECT_EQ(Bits(sampler.maxLod), 0x7F7FFFFFu) << "the largest finite float, not GL's 1000";
    EXPECT_EQ(sampler.maxLod, FLT_MAX);
}

TEST(TextureRecordsTest, SamplerResetRestoresEveryFieldFiltersIncluded) {
    TextureSampler sampler;
    sampler.minFilter = GL_NEAREST_MIPMAP_NEAREST;
    sampler.magFilter = GL_NEAREST;
    sampler.wrapR = GL_REPEAT;
    sampler.wrapS = GL_MIRRORED_REPEAT;
    sampler.wrapT = GL_CLAMP_TO_BORDER;
    sampler.maxAnisotropy = 16;
    sampler.compareFunc = GL_LEQUAL;
    for (float& c : sampler.borderColor) {
        c = 0.5f;
    }
    sampler.minLod = -3.0f;
    sampler.maxLod = 2.0f;

    sampler.SetDefaults();

    TextureSampler fresh;
    EXPECT_EQ(memcmp(&sampler, &fresh, sizeof sampler), 0) << "every byte as a new sampler's";
    EXPECT_EQ(sampler.minFilter, static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(sampler.magFilter, static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(sampler.compareFunc, 0u);
    EXPECT_EQ(sampler.maxLod, FLT_MAX);
}

TEST(TextureRecordsTest, FilterResetTouchesOnlyTheFilters) {
    TextureSampler sampler;
    sampler.minFilter = GL_NEAREST;
    sampler.magFilter = GL_NEAREST;
    sampler.wrapS = GL_REPEAT;
    sampler.maxAnisotropy = 8;

    sampler.TextureFilter::SetDefaults();

    EXPECT_EQ(sampler.minFilter, static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(sampler.magFilter, static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(sampler.wrapS, static_cast<GLenum>(GL_REPEAT));
    EXPECT_EQ(sampler.maxAnisotropy, 8);
}

TEST(TextureRecordsTest, ShortConstructorsAndSamplerPresetsKeepTheOtherDefaults) {
    TextureDesc desc(64, 32, GL_RGBA8, 0);
    TextureDesc expected(GL_TEXTURE_2D);
    expected.width = 64;
    expected.height = 32;
    expected.internalFormat = GL_RGBA8;
    expected.mipLevels = 0;
    EXPECT_EQ(memcmp(&desc, &expected, sizeof desc), 0);
    EXPECT_EQ(TextureDesc(4, 4, GL_R8).mipLevels, 1);

    const float pixels[4] = {};
    TextureData data(pixels, GL_RED, GL_FLOAT);
    EXPECT_EQ(data.pixels, reinterpret_cast<const GLubyte*>(pixels));
    EXPECT_EQ(data.format, static_cast<GLenum>(GL_RED));
    EXPECT_EQ(data.type, static_cast<GLenum>(GL_FLOAT));

    const struct {
        const TextureSampler& preset;
        GLenum wrap, minFilter;
    } presets[] = {{kglSamplerRepeatLinear, GL_REPEAT, GL_LINEAR},
                   {kglSamplerRepeatMipmapped, GL_REPEAT, GL_LINEAR_MIPMAP_LINEAR},
                   {kglSamplerClampLinear, GL_CLAMP_TO_EDGE, GL_LINEAR},
                   {kglSamplerClampMipmapped, GL_CLAMP_TO_EDGE, GL_LINEAR_MIPMAP_LINEAR}};
    for (const auto& [preset, wrap, minFilter] : presets) {
        TextureSampler sampler;
        sampler.wrapR = sampler.wrapS = sampler.wrapT = wrap;
        sampler.minFilter = minFilter;
        EXPECT_EQ(memcmp(&preset, &sampler, sizeof sampler), 0) << wrap << " " << minFilter;
    }
}

// Each record's fields in their order, as numbers.
std::vector<double> Fields(const BlendState& s) {
    std::vector<double> f = {double(s.blendEnable),   double(s.srcRGB), double(s.srcAlpha),
                             double(s.blendEquation), double(s.dstRGB), double(s.dstAlpha)};
    f.insert(f.end(), s.colorWriteMask, s.colorWriteMask + 8);
    return f;
}
std::vector<double> Fields(const DepthStencilState& s) {
    return {double(s.depthEnable),   double(s.depthWriteMask),     double(s.depthFunc),
            double(s.stencilEnable), double(s.stencilReadMask),    double(s.stencilWriteMask),
            double(s.stencilFailOp), double(s.stencilDepthFailOp), double(s.stencilPassOp),
            double(s.stencilFunc)};
}
std::vector<double> Fields(const RasterState& s) {
    return {double(s.cullEnable),          double(s.cullFace),
            double(s.frontFace),           double(s.polygonMode),
            double(s.polygonOffsetEnable), double(s.polygonOffsetFactor),
            double(s.polygonOffsetUnits)};
}

TEST(RenderStateRecordsTest, PresetsHoldTheFieldsTheirHeaderNames) {
    using F = std::vector<double>;
    const double m = 0x0F;
    EXPECT_EQ(Fields(kglBlendOff),
              (F{0, GL_ONE, GL_ONE, GL_FUNC_ADD, GL_ZERO, GL_ZERO, m, m, m, m, m, m, m, m}));
    EXPECT_EQ(Fields(kglBlendAlpha), (F{1, GL_SRC_ALPHA, GL_SRC_ALPHA, GL_FUNC_ADD, GL_ONE_MINUS_SRC_ALPHA,
                                        GL_ONE_MINUS_SRC_ALPHA, m, m, m, m, m, m, m, m}));
    EXPECT_EQ(Fields(kglBlendAdditive),
              (F{1, GL_ONE, GL_ONE, GL_FUNC_ADD, GL_ONE, GL_ONE, m, m, m, m, m, m, m, m}));
    const double keep = GL_KEEP;
    EXPECT_EQ(Fields(kglDepthOff), (F{0, 0, GL_LESS, 0, 0xFF, 0xFF, keep, keep, keep, GL_ALWAYS}));
    EXPECT_EQ(Fields(kglDepthLess), (F{1, 1, GL_LESS, 0, 0xFF, 0xFF, keep, keep, keep, GL_ALWAYS}));
    EXPECT_EQ(Fields(kglDepthLessEqual), (F{1, 1, GL_LEQUAL, 0, 0xFF, 0xFF, keep, keep, keep, GL_ALWAYS}));
    EXPECT_EQ(Fields(kglStencilWrite), (F{1, 1, GL_LESS, 1, 0xFF, 0xFF, keep, keep, GL_REPLACE, GL_ALWAYS}));
    EXPECT_EQ(Fields(kglStencilEqual), (F{1, 1, GL_LESS, 1, 0xFF, 0x00, keep, keep, keep, GL_EQUAL}));
    EXPECT_EQ(Fields(kglRasterDefault), (F{0, GL_BACK, GL_CCW, GL_FILL, 0, 0, 0}));
    EXPECT_EQ(Fields(kglRasterCullBack), (F{1, GL_BACK, GL_CCW, GL_FILL, 0, 0, 0}));
}

TEST(TextureRecordsTest, ViewportStartsAtTheOrigin) {
    ViewportState viewport(640, 480, 0.25f, 0.75f);
    EXPECT_EQ(viewport.x, 0);
    EXPECT_EQ(viewport.y, 0);
    EXPECT_EQ(viewport.width, 640);
    EXPECT_EQ(viewport.height, 480);
    EXPECT_EQ(viewport.zNear, 0.25f);
    EXPECT_EQ(viewport.zFar, 0.75f);
}

} // namespace
