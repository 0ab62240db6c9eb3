#include "glOffscreenBuffer.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace {

static_assert(!std::is_copy_constructible_v<CglOffscreenBuffer> &&
                  !std::is_copy_assignable_v<CglOffscreenBuffer>,
              "two objects must never own one set of names");
static_assert(std::is_nothrow_move_constructible_v<CglOffscreenBuffer> &&
                  std::is_nothrow_move_assignable_v<CglOffscreenBuffer>,
              "an offscreen buffer moves");

TEST(OffscreenBufferRecordsTest, NewObjectHoldsNoNamesAndTheDefaultRecordsInOrder) {
    CglOffscreenBuffer target;
    EXPECT_EQ(target.fboId, 0u);
    EXPECT_EQ(target.savedFboId, 0);
    EXPECT_EQ(target.colorTexId, 0u);
    EXPECT_EQ(target.depthTexId, 0u);
    EXPECT_EQ(target.viewport.x, 0);
    EXPECT_EQ(target.viewport.y, 0);
    EXPECT_EQ(target.viewport.width, 0);
    EXPECT_EQ(target.viewport.height, 0);
    EXPECT_EQ(target.viewport.zNear, 0.0f);
    EXPECT_EQ(target.viewport.zFar, 1.0f);
    for (const TextureDesc* desc : {&target.colorDesc, &target.depthDesc}) {
        EXPECT_EQ(desc->target, static_cast<GLenum>(GL_TEXTURE_2D));
        EXPECT_EQ(desc->mipLevels, 1);
        EXPECT_EQ(desc->internalFormat, GL_RGBA);
    }
    for (const TextureSampler* sampler : {&target.colorSampler, &target.depthSampler}) {
        EXPECT_EQ(sampler->wrapS, static_cast<GLenum>(GL_CLAMP_TO_EDGE));
        EXPECT_EQ(sampler->minFilter, static_cast<GLenum>(GL_LINEAR));
    }

    // The framebuffer part first, then the fields in the order programs rely on.
    const void* order[] = {&target.fboId,       &target.savedFboId, &target.savedReadFboId,
                           &target.colorTexId,  &target.depthTexId, &target.viewport,
                           &target.colorDesc,   &target.depthDesc,  &target.colorSampler,
                           &target.depthSampler};
    for (size_t i = 1; i < sizeof order / sizeof order[0]; ++i) {
        EXPECT_LT(order[i - 1], order[i]) << i;
    }
}

} // namespace
