#include "GlTest.h"
#include "glBuffer.h"

#include <fstream>
#include <gmock/gmock.h>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// The lines of the buffer unit's source that hold an error check, in file order: the creation's,
// the deletion's, then the update's. Read from the source so that the test follows the code when it moves.
std::vector<int> CheckLines() {
    std::ifstream source(VISTREL_GL_SOURCE_DIR "/glBuffer.cpp");
    std::vector<int> lines;
    std::string text;
    for (int number = 1; std::getline(source, text); ++number) {
        if (text.find("glCheckError(__LINE__") != std::string::npos) {
            lines.push_back(number);
        }
    }
    return lines;
}

class VertexBufferTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glGenBuffers == nullptr) {
            GTEST_SKIP() << "the loader did not provide the buffer entry points";
        }
    }
    void TearDown() override {
        for (GLuint buffer : created_) {
            glDeleteBuffers(1, &buffer);
        }
        GlTest::TearDown();
    }
    void Own(GLuint buffer) { created_.push_back(buffer); }

  private:
    std::vector<GLuint> created_;
};

TEST_F(VertexBufferTest, CreatesAnArrayBufferHoldingTheData) {
    const GLubyte bytes[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    BufferDesc desc{sizeof bytes, GL_STATIC_DRAW};
    BufferData data{bytes};
    GLuint other = 0;
    glGenBuffers(1, &other);
    Own(other);
    glBindBuffer(GL_ARRAY_BUFFER, other); // the binding ends at 0 whatever it was
    GLuint buffer = 0;

    StderrCapture err;
    bool failed = glCreateVertexBuffer(&desc, &data, &buffer);

    EXPECT_FALSE(failed);
    EXPECT_EQ(err.Text(), "");
    ASSERT_NE(buffer, 0u);
    Own(buffer);
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    GLint size = 0;
    GLint usage = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &usage);
    EXPECT_EQ(size, 12);
    EXPECT_EQ(usage, GL_STATIC_DRAW);
    std::vector<GLubyte> read(sizeof bytes, 0);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof bytes, read.data());
    EXPECT_THAT(read, ElementsAreArray(bytes));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_TRUE(GlNoError());
}

TEST_F(VertexBufferTest, NullDataGivesAStoreOfTheSize) {
    BufferDesc desc{64, GL_DYNAMIC_DRAW};
    BufferData data{nullptr};
    GLuint buffer = 0;

    EXPECT_FALSE(glCreateVertexBuffer(&desc, &data, &buffer));

    ASSERT_NE(buffer, 0u);
    Own(buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 64);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_TRUE(GlNoError());
}

TEST_F(VertexBufferTest, RefusedUsageIsReportedFromTheBufferUnitAndTheNameKept) {
    std::vector<int> lines = CheckLines();
    ASSERT_EQ(lines.size(), 3u) << "one check each in creation, deletion and update";
    const GLubyte bytes[4] = {1, 2, 3, 4};
    BufferDesc desc{sizeof bytes, 0};
    BufferData data{bytes};
    GLuint buffer = 0;

    StderrCapture err;
    bool failed = glCreateVertexBuffer(&desc, &data, &buffer);

    EXPECT_TRUE(failed);
    EXPECT_EQ(err.Text(),
              "GLenum argument out of range @ file glBuffer.cpp line " + std::to_string(lines[0]) + "\n");
    EXPECT_NE(buffer, 0u) << "the name is written all the same";
    Own(buffer);
    EXPECT_EQ(glIsBuffer(buffer), GL_TRUE) << "nothing is undone";
    EXPECT_TRUE(GlNoError()) << "the check took the error";
}

TEST_F(VertexBufferTest, UpdateReplacesItsRangeAndLeavesTheVertexArrayAlone) {
    const GLubyte bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8}, update[3] = {90, 91, 92};
    BufferDesc desc{sizeof bytes, GL_DYNAMIC_DRAW};
    BufferData data{bytes};
    GLuint buffer = 0, array = 0;
    ASSERT_FALSE(glCreateVertexBuffer(&desc, &data, &buffer));
    Own(buffer);
    // A bound vertex array keeps its index buffer; the array-buffer binding ends at 0.
    if (glGenVertexArrays != nullptr) {
        glGenVertexArrays(1, &array);
        glBindVertexArray(array);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    EXPECT_FALSE(glUpdateVertexBuffer(buffer, 2, sizeof update, update));
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(Integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(array != 0 ? buffer : 0));
    GLubyte stored[8] = {};
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof stored, stored);
    EXPECT_THAT(stored, ElementsAre(1, 2, 90, 91, 92, 6, 7, 8));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (array != 0) {
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &array);
    }
    // A range past the store's end is GL's to refuse, and reported from the update's check.
    StderrCapture refused;
    EXPECT_TRUE(glUpdateVertexBuffer(buffer, 6, sizeof update, update));
    EXPECT_EQ(refused.Text(), "Numeric argument out of range @ file glBuffer.cpp line " +
                                  std::to_string(CheckLines().at(2)) + "\n");
    EXPECT_TRUE(GlNoError()) << "the check took the error";
}

// The bound array's index buffer is another buffer than the one updated, and stays its index buffer.
TEST_F(VertexBufferTest, UpdateLeavesTheBoundArraysIndexBufferAsItWas) {
    if (glGenVertexArrays == nullptr) {
        GTEST_SKIP() << "the loader provides no vertex array objects";
    }
    const GLubyte bytes[4] = {1, 2, 3, 4}, update[2] = {70, 80};
    BufferDesc desc{sizeof bytes, GL_DYNAMIC_DRAW};
    BufferData data{bytes};
    GLuint updated = 0, indices = 0, array = 0;
    ASSERT_FALSE(glCreateVertexBuffer(&desc, &data, &updated));
    Own(updated);
    ASSERT_FALSE(glCreateVertexBuffer(&desc, &data, &indices));
    Own(indices);
    glGenVertexArrays(1, &array);
    glBindVertexArray(array);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);

    EXPECT_FALSE(glUpdateVertexBuffer(updated, 1, sizeof update, update));
    EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), static_cast<GLint>(array));
    EXPECT_EQ(Integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(indices));
    GLubyte stored[4] = {};
    glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, sizeof stored, stored);
    EXPECT_THAT(stored, ElementsAre(1, 2, 3, 4)) << "the index buffer's contents";
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &array);
    glBindBuffer(GL_ARRAY_BUFFER, updated);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof stored, stored);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_THAT(stored, ElementsAre(1, 70, 80, 4));
    EXPECT_TRUE(GlNoError());
}

// Needs nothing from the loader, so it runs in every configuration.
using VertexBufferArgumentsTest = GlTest;

TEST_F(VertexBufferArgumentsTest, MissingArgumentsMakeNoGlCallAndWriteNoName) {
    const GLubyte bytes[4] = {1, 2, 3, 4};
    BufferDesc desc{sizeof bytes, GL_STATIC_DRAW};
    BufferData data{bytes};
    GLuint buffer = 4321;

    StderrCapture err;
    rec::Start();
    EXPECT_FALSE(glCreateVertexBuffer(nullptr, &data, &buffer));
    EXPECT_FALSE(glCreateVertexBuffer(&desc, nullptr, &buffer));
    EXPECT_FALSE(glCreateVertexBuffer(&desc, &data, nullptr));
    EXPECT_FALSE(glCreateVertexBuffer(nullptr, nullptr, nullptr));
    EXPECT_FALSE(glDeleteVertexBuffer(nullptr));
    EXPECT_FALSE(glUpdateVertexBuffer(1, 0, 4, nullptr));
    rec::Stop();

    EXPECT_THAT(rec::Calls(), ElementsAre());
    EXPECT_EQ(buffer, 4321u);
    EXPECT_EQ(err.Text(), "glUpdateVertexBuffer() : data is null\n");
}

TEST_F(VertexBufferTest, DeletionKeepsTheCallersNameAndReportsWhatIsPending) {
    std::vector<int> lines = CheckLines();
    ASSERT_EQ(lines.size(), 3u);
    BufferDesc desc{16, GL_STATIC_DRAW};
    BufferData data{nullptr};
    GLuint first = 0;
    GLuint second = 0;
    ASSERT_FALSE(glCreateVertexBuffer(&desc, &data, &first));
    ASSERT_FALSE(glCreateVertexBuffer(&desc, &data, &second));
    Own(second);

    StderrCapture quiet;
    EXPECT_FALSE(glDeleteVertexBuffer(&first));
    EXPECT_EQ(quiet.Text(), "");
    EXPECT_NE(first, 0u) << "the caller's variable keeps the name";
    EXPECT_EQ(glIsBuffer(first), GL_FALSE);
    EXPECT_EQ(glIsBuffer(second), GL_TRUE);

    // An error left by earlier calls is reported from the deletion's check.
    glViewport(0, 0, -5, -5);
    StderrCapture err;
    EXPECT_TRUE(glDeleteVertexBuffer(&second));
    EXPECT_EQ(err.Text(),
              "Numeric argument out of range @ file glBuffer.cpp line " + std::to_string(lines[1]) + "\n");
    EXPECT_EQ(glIsBuffer(second), GL_FALSE);
    glViewport(0, 0, 320, 240);
}

// ---- without the loader ----

using WithoutLoaderVertexBufferTest = GlTest;

TEST_F(WithoutLoaderVertexBufferTest, SaysWhatIsMissingAndMakesNoGlCall) {
    if (glGenBuffers != nullptr) {
        GTEST_SKIP() << "the loader provided glGenBuffers";
    }
    BufferDesc desc{16, GL_STATIC_DRAW};
    BufferData data{nullptr};
    GLuint buffer = 77;

    StderrCapture err;
    rec::Start();
    EXPECT_TRUE(glCreateVertexBuffer(&desc, &data, &buffer));
    EXPECT_TRUE(glDeleteVertexBuffer(&buffer));
    const GLubyte bytes[4] = {1, 2, 3, 4};
    EXPECT_TRUE(glUpdateVertexBuffer(1, 0, sizeof bytes, bytes));
    glBindBufferToIndex(GL_UNIFORM_BUFFER, 0, 1, 0, 0);
    glBindBufferToIndex(GL_UNIFORM_BUFFER, 0, 1, 0, 16);
    rec::Stop();

    EXPECT_EQ(err.Text(), "glCreateVertexBuffer() : glGenBuffers is not available\n"
                          "glDeleteVertexBuffer() : glDeleteBuffers is not available\n"
                          "glUpdateVertexBuffer() : glBindBuffer is not available\n"
                          "glBindBufferToIndex() : glBindBufferBase is not available\n"
                          "glBindBufferToIndex() : glBindBufferRange is not available\n");
    EXPECT_EQ(buffer, 0u) << "no buffer was made";
    EXPECT_THAT(rec::Calls(), ElementsAre());
    EXPECT_TRUE(GlNoError());
}

} // namespace
