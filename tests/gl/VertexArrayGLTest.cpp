// Vertex array objects on the real driver: the attribute and index state each array keeps, the bindings
// each operation leaves, and ownership.
#include "GlTest.h"
#include "glBuffer.h"
#include "glProgram.h"
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

    CglVertexArray array;
    ASSERT_TRUE(array.Create());
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"SetAttribute", [&] { array.SetAttribute(0, positions, 2, GL_FLOAT, true, 0, 0); }},
        {"SetIntegerAttribute",
         [&] { array.SetIntegerAttribute(1, shades, 1, GL_INT, sizeof(GLint), 2 * sizeof(GLint)); }},
        {"SetIndexBuffer", [&] { array.SetIndexBuffer(indices); }},
    };
    // Each call on its own, with the other array and a buffer bound before it: both bindings end at 0,
    // whichever call touched which.
    for (const auto& [name, call] : calls) {
        glBindVertexArray(other);
        glBindBuffer(GL_ARRAY_BUFFER, positions);
        call();
        EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), 0) << name;
        EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0) << name;
    }
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

// A quad per instance: its corner per vertex, its place per instance, its colour per two instances.
const char kInstancedVertex[] = R"(#version 330 core
layout(location = 0) in vec2 corner;
layout(location = 1) in vec2 place;
layout(location = 2) in vec4 colour;
out vec4 tint;
void main() { tint = colour; gl_Position = vec4(place + corner * 0.25, 0.0, 1.0); }
)";
const char kInstancedFragment[] =
    "#version 330 core\nin vec4 tint;\nout vec4 fragColor;\nvoid main() { fragColor = tint; }\n";

// Also run on a core profile and on a context of OpenGL 3.0, which takes ARB_instanced_arrays' calls.
TEST_F(VertexArrayTest, InstancesTakeTheirOwnAttributesAndOnlyTheCountAskedForIsDrawn) {
    CglShader vertex, fragment;
    CglProgram program;
    ASSERT_TRUE(vertex.CompileFromSource(kInstancedVertex, GL_VERTEX_SHADER, 0, 0)) << vertex.statusMessage;
    ASSERT_TRUE(fragment.CompileFromSource(kInstancedFragment, GL_FRAGMENT_SHADER, 0, 0));
    ASSERT_TRUE(program.Link(vertex.id, fragment.id)) << program.statusMessage;
    // Corners, places (a fifth that four instances never reach), colours, indices from the third byte on.
    const float data[4][10] = {
        {0, 0, 1, 0, 0, 1, 1, 1}, {-1, -1, -0.5f, -1, 0, -1, 0.5f, -1, -1, -0.5f}, {1, 0, 0, 1, 0, 1, 0, 1}};
    const GLubyte indices[] = {9, 9, 0, 1, 2, 3};
    GLuint buffers[4] = {};
    for (int i = 0; i < 4; ++i) {
        BufferDesc desc{i < 3 ? GLsizeiptr(sizeof data[i]) : GLsizeiptr(sizeof indices), GL_STATIC_DRAW};
        BufferData contents{i < 3 ? reinterpret_cast<const GLubyte*>(data[i]) : indices};
        EXPECT_FALSE(glCreateVertexBuffer(&desc, &contents, &buffers[i]));
        buffers_.push_back(buffers[i]);
    }
    CglVertexArray array;
    ASSERT_TRUE(array.Create());
    for (GLuint attribute = 0; attribute < 3; ++attribute) {
        array.SetAttribute(attribute, buffers[attribute], attribute == 2 ? 4 : 2, GL_FLOAT, false, 0, 0);
    }
    array.SetIndexBuffer(buffers[3]);
    // After SetAttribute, which leaves no vertex array bound: the divisors must still reach this one.
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    array.SetAttributeDivisor(1, 1);
    array.SetAttributeDivisor(2, 2);
    EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);

    glViewport(0, 0, 320, 240);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    program.Bind();
    // Red, red, green, green quads of 40 by 30 pixels from the bottom-left corner on; the fifth place empty.
    auto drawn = [] {
        std::string colours;
        for (int x : {20, 100, 180, 260, 60}) {
            Rgba p = ReadPixel(x, 15);
            colours += std::to_string(p.r / 255) + std::to_string(p.g / 255) + " ";
        }
        return colours + std::to_string(ReadPixel(20, 75).r);
    };
    std::string suffix = glDrawArraysInstanced != nullptr ? "" : "ARB";
    for (int draw = 0; draw < 4; ++draw) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        rec::Start();
        GLsizei instances = draw < 2 ? 4 : 1;
        draw % 2 == 0 ? array.Draw(GL_TRIANGLE_STRIP, 0, 4, instances)
                      : array.DrawIndexed(GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_BYTE, 2, instances);
        rec::Stop();
        EXPECT_EQ(drawn(), instances == 4 ? "10 10 01 01 00 0" : "10 00 00 00 00 0") << draw;
        std::vector<std::string> names = rec::Names();
        ASSERT_EQ(names.size(), 3u);
        EXPECT_EQ(names[1],
                  instances == 1
                      ? (draw % 2 == 0 ? "glDrawArrays" : "glDrawElements")
                      : (draw % 2 == 0 ? "glDrawArraysInstanced" : "glDrawElementsInstanced") + suffix);
        EXPECT_EQ(rec::Calls().front(), rec::Call("glBindVertexArray", {rec::Int(array.id)}));
        EXPECT_EQ(rec::Calls().back(), rec::Call("glBindVertexArray", {rec::Int(0)}));
    }
    program.Unbind();
    EXPECT_TRUE(GlNoError());
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
        array.SetAttributeDivisor(1, 1);
        array.Draw(GL_TRIANGLES, 0, 3);
        array.DrawIndexed(GL_TRIANGLES, 3, GL_UNSIGNED_BYTE, 0, 2);
    }
    rec::Stop();
    std::string expected = "CglVertexArray::Create ERROR: glGenVertexArrays is not available\n";
    for (const char* op : {"Unbind", "Bind", "SetAttribute", "SetIntegerAttribute", "SetIndexBuffer",
                           "SetAttributeDivisor", "Draw", "DrawIndexed"}) {
        expected += std::string("CglVertexArray::") + op + " ERROR: glBindVertexArray is not available\n";
    }
    EXPECT_EQ(err.Text(),
              expected + "CglVertexArray::Destroy ERROR: glDeleteVertexArrays is not available\n");
    EXPECT_TRUE(rec::Calls().empty());
}

} // namespace
