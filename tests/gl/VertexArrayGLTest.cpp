// Vertex array objects on the real driver: an indexed draw fed by a float and an integer attribute, the
// bindings each operation leaves, and ownership.
#include "GlTest.h"
#include "glBuffer.h"
#include "glProgram.h"
#include "glVertexArray.h"

#include <gmock/gmock.h>
#include <string>
#include <vector>

using rec::Call;
using rec::Int;
using ::testing::ElementsAre;

namespace {

// The shade reaches the fragment unconverted only through the integer attribute path.
const char kVertex[] =
    "#version 330\nlayout(location = 0) in vec2 position;\nlayout(location = 1) in int shade;\n"
    "flat out int v;\nvoid main() { v = shade; gl_Position = vec4(position, 0.0, 1.0); }\n";
const char kFragment[] = "#version 330\nflat in int v;\nout vec4 colour;\n"
                         "void main() { colour = vec4(0.0, float(v) / 255.0, 0.0, 1.0); }\n";

class VertexArrayTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glGenVertexArrays == nullptr) {
            GTEST_SKIP() << "the loader provides no vertex array objects";
        }
    }
    void TearDown() override {
        for (GLuint buffer : buffers_) {
            glDeleteBuffers(1, &buffer);
        }
        EXPECT_TRUE(GlNoError());
        GlTest::TearDown();
    }
    GLuint Buffer(const void* bytes, GLsizeiptr size) {
        BufferDesc desc{size, GL_STATIC_DRAW};
        BufferData data{static_cast<const GLubyte*>(bytes)};
        EXPECT_FALSE(glCreateVertexBuffer(&desc, &data, &buffers_.emplace_back()));
        return buffers_.back();
    }
    std::vector<GLuint> buffers_;
};

GLint Attribute(GLuint index, GLenum pname) {
    GLint value = -1;
    glGetVertexAttribiv(index, pname, &value);
    return value;
}

TEST_F(VertexArrayTest, IndexedDrawReadsAFloatAndAnIntegerAttributeAndTouchesNoOtherArray) {
    const float positions[] = {0, -1, 1, -1, 1, 1, 0, 1}; // the right half of the window
    const GLint shades[] = {0, 0, 200, 200, 200, 200};    // read from the third element on
    const GLushort indices[] = {0, 1, 2, 0, 2, 3};
    GLuint positionBuffer = Buffer(positions, sizeof positions), shadeBuffer = Buffer(shades, sizeof shades);
    GLuint indexBuffer = Buffer(indices, sizeof indices), otherIndices = Buffer(indices, sizeof indices);
    // Another array is bound when the set-up starts, with an index buffer of its own.
    GLuint other = 0;
    glGenVertexArrays(1, &other);
    glBindVertexArray(other);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, otherIndices);
    glBindBuffer(GL_ARRAY_BUFFER, positionBuffer);

    CglVertexArray array;
    StderrCapture err;
    ASSERT_TRUE(array.Create());
    rec::Start();
    array.SetAttribute(0, positionBuffer, 2, GL_FLOAT, false, 0, 0);
    array.SetIntegerAttribute(1, shadeBuffer, 1, GL_INT, sizeof(GLint), 2 * sizeof(GLint));
    array.SetIndexBuffer(indexBuffer);
    rec::Stop();
    EXPECT_EQ(err.Text(), "");
    EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);
    glBindVertexArray(other);
    EXPECT_EQ(Integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(otherIndices));
    EXPECT_EQ(Attribute(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED) + Attribute(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED), 0);
    glDeleteVertexArrays(1, &other);
    // The index buffer is taken while this array is bound, and kept: no unbind before the array's.
    EXPECT_THAT(std::vector<std::string>(rec::Calls().end() - 4, rec::Calls().end()),
                ElementsAre(Call("glBindVertexArray", {Int(array.id)}),
                            Call("glBindBuffer", {rec::Enum(GL_ELEMENT_ARRAY_BUFFER), Int(indexBuffer)}),
                            Call("glBindVertexArray", {Int(0)}),
                            Call("glBindBuffer", {rec::Enum(GL_ARRAY_BUFFER), Int(0)})));

    CglShader vertex, fragment;
    CglProgram program;
    ASSERT_TRUE(vertex.CompileFromSource(kVertex, GL_VERTEX_SHADER, 0, 0)) << vertex.statusMessage;
    ASSERT_TRUE(fragment.CompileFromSource(kFragment, GL_FRAGMENT_SHADER, 0, 0)) << fragment.statusMessage;
    ASSERT_TRUE(program.Link(vertex.id, fragment.id)) << program.statusMessage;
    glViewport(0, 0, 320, 240);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    program.Bind();
    array.Bind();
    EXPECT_EQ(Integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(indexBuffer));
    EXPECT_EQ(Attribute(1, GL_VERTEX_ATTRIB_ARRAY_INTEGER), 1);
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, nullptr);
    array.Unbind();
    program.Unbind();
    EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), 0);
    Rgba drawn = ReadPixel(240, 120), cleared = ReadPixel(80, 120);
    EXPECT_EQ(drawn.r, 0);
    EXPECT_EQ(drawn.g, 200) << "the integer attribute, two elements in";
    EXPECT_EQ(cleared.r, 255);
}

TEST_F(VertexArrayTest, EmptyArrayMakesNoCallAndEachNameIsDeletedOnceByItsOwner) {
    GLuint buffer = Buffer(nullptr, 16);
    CglVertexArray empty;
    rec::Start();
    empty.Bind();
    empty.SetAttribute(0, buffer, 4, GL_FLOAT, false, 0, 0);
    empty.SetIntegerAttribute(1, buffer, 1, GL_INT, 0, 0);
    empty.SetIndexBuffer(buffer);
    empty.Destroy();
    rec::Stop();
    EXPECT_THAT(rec::Calls(), ElementsAre());

    // GL makes an object at its first bind, which SetIndexBuffer does.
    auto made = [&](CglVertexArray& array) {
        EXPECT_TRUE(array.Create());
        array.SetIndexBuffer(buffer);
        return array.id;
    };
    GLuint moved = 0, replaced = 0, last = 0;
    {
        CglVertexArray a, c;
        moved = made(a);
        CglVertexArray b(std::move(a));
        EXPECT_EQ(a.id, 0u);
        replaced = made(c);
        c = std::move(b); // c's own array goes first
        EXPECT_EQ(c.id, moved);
        EXPECT_FALSE(glIsVertexArray(replaced));
        EXPECT_TRUE(glIsVertexArray(moved));
        last = made(c); // so does the one held at a new Create
        EXPECT_FALSE(glIsVertexArray(moved));
    }
    EXPECT_FALSE(glIsVertexArray(last)) << "deleted when its owner went";
}

// ---- the run without the loader ----

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
        EXPECT_EQ(array.id, 0u);
        array.Unbind();
        array.id = 5; // as if made elsewhere, so that every operation gets as far as its entry points
        array.Bind();
        array.SetAttribute(0, 1, 4, GL_FLOAT, false, 0, 0);
        array.SetIntegerAttribute(1, 1, 1, GL_INT, 0, 0);
        array.SetIndexBuffer(1);
    }
    rec::Stop();
    EXPECT_EQ(err.Text(), "CglVertexArray::Create ERROR: glGenVertexArrays is not available\n"
                          "CglVertexArray::Unbind ERROR: glBindVertexArray is not available\n"
                          "CglVertexArray::Bind ERROR: glBindVertexArray is not available\n"
                          "CglVertexArray::SetAttribute ERROR: glBindVertexArray is not available\n"
                          "CglVertexArray::SetIntegerAttribute ERROR: glBindVertexArray is not available\n"
                          "CglVertexArray::SetIndexBuffer ERROR: glBindVertexArray is not available\n"
                          "CglVertexArray::Destroy ERROR: glDeleteVertexArrays is not available\n");
    EXPECT_THAT(rec::Calls(), ElementsAre());
}

} // namespace
