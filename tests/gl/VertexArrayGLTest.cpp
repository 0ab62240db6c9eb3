// Vertex array objects on the real driver: the attribute and index state each array keeps, the bindings
// each operation leaves, and ownership.
#include "GlTest.h"
#include "glBuffer.h"
#include "glVertexArray.h"

#include <functional>
#include <gmock/gmock.h>
#include <string>
#include <vector>

namespace {

class VertexArrayTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glGenVertexArrays == nullptr) {
            GTEST_SKIP() << "the loader provides no vertex array objects";
        }
    }
    void TearDown() override {
        if (!buffers_.empty()) {
            glDeleteBuffers(static_cast<GLsizei>(buffers_.size()), buffers_.data());
        }
        GlTest::TearDown();
    }
    GLuint Buffer() {
        BufferDesc desc{16, GL_STATIC_DRAW};
        BufferData data{nullptr};
        EXPECT_FALSE(glCreateVertexBuffer(&desc, &data, &buffers_.emplace_back()));
        return buffers_.back();
    }
    std::vector<GLuint> buffers_;
};

// What each attribute reads is the driver's state of the array; the core profile's run draws with it.
TEST_F(VertexArrayTest, AttributesAndIndicesLandInTheArrayAndInNoOther) {
    GLuint positions = Buffer(), shades = Buffer(), indices = Buffer();
    // Another array is bound when the set-up starts, with an index buffer of its own.
    GLuint other = 0, otherIndices = Buffer();
    glGenVertexArrays(1, &other);
    glBindVertexArray(other);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, otherIndices);
    glBindBuffer(GL_ARRAY_BUFFER, positions);

    CglVertexArray array;
    ASSERT_TRUE(array.Create());
    array.SetAttribute(0, positions, 2, GL_FLOAT, true, 0, 0);
    array.SetIntegerAttribute(1, shades, 1, GL_INT, sizeof(GLint), 2 * sizeof(GLint));
    array.SetIndexBuffer(indices);
    EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);
    for (GLuint bound : {other, array.id}) {
        glBindVertexArray(bound);
        bool mine = bound == array.id;
        // Kept by the array: an unbind of the index buffer before the array's would have taken it away.
        EXPECT_EQ(Integer(GL_ELEMENT_ARRAY_BUFFER_BINDING),
                  static_cast<GLint>(mine ? indices : otherIndices));
        const struct {
            GLuint index;
            GLenum pname;
            GLint want;
        } expected[] = {{0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, mine},
                        {1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, mine},
                        {0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, static_cast<GLint>(positions)},
                        {0, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, 1},
                        {1, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, static_cast<GLint>(shades)},
                        {1, GL_VERTEX_ATTRIB_ARRAY_INTEGER, 1},
                        {1, GL_VERTEX_ATTRIB_ARRAY_STRIDE, sizeof(GLint)}};
        for (const auto& [index, pname, want] : expected) {
            GLint value = -1;
            glGetVertexAttribiv(index, pname, &value);
            EXPECT_EQ(value, mine ? want : 0) << index << " " << pname;
        }
    }
    void* offset = nullptr;
    glGetVertexAttribPointerv(1, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
    EXPECT_EQ(offset, reinterpret_cast<void*>(2 * sizeof(GLint)));
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &other);
    EXPECT_TRUE(GlNoError());
}

// Each Set... call on its own, with another array and a buffer bound before it: both bindings end at 0,
// whichever call touched which.
TEST_F(VertexArrayTest, EachSetCallLeavesBothBindingsAtZeroAndDestroyLeavesNone) {
    GLuint buffer = Buffer(), other = 0;
    glGenVertexArrays(1, &other);
    CglVertexArray array;
    ASSERT_TRUE(array.Create());
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"SetAttribute", [&] { array.SetAttribute(0, buffer, 4, GL_FLOAT, false, 0, 0); }},
        {"SetIntegerAttribute", [&] { array.SetIntegerAttribute(1, buffer, 1, GL_INT, 0, 0); }},
        {"SetIndexBuffer", [&] { array.SetIndexBuffer(buffer); }},
    };
    for (const auto& [name, call] : calls) {
        glBindVertexArray(other);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        call();
        EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), 0) << name;
        EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0) << name;
    }
    GLuint made = array.id;
    array.Destroy();
    EXPECT_EQ(array.id, 0u);
    EXPECT_FALSE(glIsVertexArray(made));
    glDeleteVertexArrays(1, &other);
    EXPECT_TRUE(GlNoError());
}

TEST_F(VertexArrayTest, EmptyArrayMakesNoCallAndEachNameIsDeletedOnceByItsOwner) {
    GLuint buffer = Buffer();
    CglVertexArray empty;
    rec::Start();
    empty.Bind();
    empty.SetAttribute(0, buffer, 4, GL_FLOAT, false, 0, 0);
    empty.SetIntegerAttribute(1, buffer, 1, GL_INT, 0, 0);
    empty.SetIndexBuffer(buffer);
    empty.Destroy();
    rec::Stop();
    EXPECT_TRUE(rec::Calls().empty());

    // GL makes an object at its first bind, which SetIndexBuffer does.
    auto made = [&](CglVertexArray& array) {
        EXPECT_TRUE(array.Create());
        array.SetIndexBuffer(buffer);
        return array.id;
    };
    GLuint moved = 0, last = 0;
    {
        CglVertexArray a, c;
        moved = made(a);
        CglVertexArray b(std::move(a));
        GLuint replaced = made(c);
        c = std::move(b); // c's own array goes first
        EXPECT_EQ(a.id, 0u);
        EXPECT_EQ(c.id, moved);
        EXPECT_FALSE(glIsVertexArray(replaced));
        EXPECT_TRUE(glIsVertexArray(moved));
        last = made(c); // so does the one held at a new Create
        EXPECT_FALSE(glIsVertexArray(moved));
    }
    EXPECT_FALSE(glIsVertexArray(last)) << "deleted when its owner went";
}

using WithoutLoaderVertexArrayTest = GlTest;

TEST_F(WithoutLoaderVertexArrayTest, EveryOperationSaysWhatIsMissingAndMakesNoGlCall) {
    if (glGenVertexArrays != nullptr) {
        GTEST_SKIP() << "the loader provided vertex array objects";
    }
    StderrCapture err;
    rec::Start();
    {
        CglVertexArray array;
        EXPECT_FALSE(array.Create());
        array.Unbind();
        array.id = 5; // as if made elsewhere, so that every operation gets as far as its entry points
        array.Bind();
        array.SetAttribute(0, 1, 4, GL_FLOAT, false, 0, 0);
        array.SetIntegerAttribute(1, 1, 1, GL_INT, 0, 0);
        array.SetIndexBuffer(1);
    }
    rec::Stop();
    std::string expected = "CglVertexArray::Create ERROR: glGenVertexArrays is not available\n";
    for (const char* op : {"Unbind", "Bind", "SetAttribute", "SetIntegerAttribute", "SetIndexBuffer"}) {
        expected += std::string("CglVertexArray::") + op + " ERROR: glBindVertexArray is not available\n";
    }
    EXPECT_EQ(err.Text(),
              expected + "CglVertexArray::Destroy ERROR: glDeleteVertexArrays is not available\n");
    EXPECT_TRUE(rec::Calls().empty());
}

} // namespace
