#include "glFramebuffer.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <type_traits>

namespace {

static_assert(!std::is_copy_constructible_v<CglFrameBuffer> && !std::is_copy_assignable_v<CglFrameBuffer>,
              "two objects must never own one framebuffer");
static_assert(std::is_nothrow_move_constructible_v<CglFrameBuffer> &&
                  std::is_nothrow_move_assignable_v<CglFrameBuffer>,
              "a framebuffer object moves");

// The vtable slot a pointer to a virtual member names, by the Itanium C++ ABI our compilers follow: the
// pointer holds 1 plus the byte offset of the slot.
template <typename Member>
long SlotOf(Member member) {
    struct {
        uintptr_t ptr;
        ptrdiff_t adj;
    } repr;
    static_assert(sizeof repr == sizeof member);
    memcpy(&repr, &member, sizeof repr);
    if ((repr.ptr & 1) == 0) {
        return -1; // not virtual
    }
    return static_cast<long>((repr.ptr - 1) / sizeof(void*));
}

TEST(FramebufferLayoutTest, VirtualOperationsFollowTheDestructorInTheirOrder) {
    EXPECT_TRUE(std::has_virtual_destructor_v<CglFrameBuffer>);
    // The destructor takes the first two slots: the complete-object and the deleting destructor.
    EXPECT_EQ(SlotOf(&CglFrameBuffer::AttachTexture), 2);
    EXPECT_EQ(SlotOf(&CglFrameBuffer::AttachTextures), 3);
    EXPECT_EQ(SlotOf(&CglFrameBuffer::AttachRenderBuffer), 4);
    EXPECT_EQ(SlotOf(&CglFrameBuffer::AttachRenderBuffers), 5);
    EXPECT_EQ(SlotOf(&CglFrameBuffer::unbind_attachment), -1);
    EXPECT_EQ(SlotOf(&CglFrameBuffer::CheckStatus), -1);
}

TEST(FramebufferLayoutTest, NewObjectHoldsNothingWithFieldsInOrder) {
    CglFrameBuffer fb;
    EXPECT_EQ(fb.fboId, 0u);
    EXPECT_EQ(fb.savedFboId, 0);
    EXPECT_EQ(fb.savedReadFboId, 0);
    EXPECT_LT(reinterpret_cast<char*>(&fb.fboId), reinterpret_cast<char*>(&fb.savedFboId));
    EXPECT_LT(reinterpret_cast<char*>(&fb.savedFboId), reinterpret_cast<char*>(&fb.savedReadFboId));
    // Without a context the loader has no entry points; destroying an empty object needs none.
}

} // namespace
