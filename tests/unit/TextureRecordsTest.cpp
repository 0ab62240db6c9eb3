#include "glTexture.h"

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
