// Shader and program objects where no GL context is needed: their empty state and the file reads that
// fail before anything reaches GL.
#include "Recorder.h"
#include "ScratchDir.h"
#include "glProgram.h"

#include <chrono>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <type_traits>
#include <unistd.h>

namespace {

static_assert(std::is_standard_layout_v<CglShader> && std::is_standard_layout_v<CglProgram>);
static_assert(!std::is_copy_constructible_v<CglShader> && !std::is_copy_assignable_v<CglShader>);
static_assert(!std::is_copy_constructible_v<CglProgram> && !std::is_copy_assignable_v<CglProgram>);
static_assert(std::is_nothrow_move_constructible_v<CglShader> &&
              std::is_nothrow_move_assignable_v<CglShader>);
static_assert(std::is_nothrow_move_constructible_v<CglProgram> &&
              std::is_nothrow_move_assignable_v<CglProgram>);

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

class ProgramUnitTest : public ::testing::Test {
  protected:
    void SetUp() override { rec::Reset(); }
    void TearDown() override { rec::Reset(); }
};

template <typename T>
void ExpectFieldsInOrder() {
    EXPECT_EQ(offsetof(T, id), 0u);
    EXPECT_EQ(offsetof(T, statusMessage), sizeof(GLuint));
    EXPECT_EQ(offsetof(T, logLength), sizeof(GLuint) + 1024);
    EXPECT_EQ(sizeof(T::statusMessage), 1024u);
}

TEST_F(ProgramUnitTest, FieldsKeepTheirOrderAndTheMessageItsCapacity) {
    ExpectFieldsInOrder<CglShader>();
    ExpectFieldsInOrder<CglProgram>();
}

// Built over memory full of garbage, a new object must not pass any of it on as a message or length.
template <typename T>
void ExpectEmptyOverGarbage() {
    alignas(T) unsigned char storage[sizeof(T)];
    memset(storage, 0xAB, sizeof storage);
    T* object = new (storage) T;
    EXPECT_EQ(object->id, 0u);
    EXPECT_STREQ(object->statusMessage, "");
    EXPECT_EQ(object->logLength, 0);
    object->~T();
}

TEST_F(ProgramUnitTest, NewObjectsAreEmptyAndNeitherMakingNorDestroyingThemCallsGl) {
    rec::Start();
    ExpectEmptyOverGarbage<CglShader>();
    ExpectEmptyOverGarbage<CglProgram>();
    {
        CglShader shader;
        CglProgram program;
        shader.Destroy();
        program.Destroy();
        CglShader movedShader(std::move(shader));
        CglProgram movedProgram(std::move(program));
    }
    rec::Stop();
    EXPECT_TRUE(rec::Calls().empty()) << rec::Calls().front();
}

TEST_F(ProgramUnitTest, MovingCarriesTheStatusMessage) {
    CglShader shader;
    strcpy(shader.statusMessage, "Vertex shader loaded successfully");
    shader.logLength = 12;
    CglShader moved(std::move(shader));
    EXPECT_STREQ(moved.statusMessage, "Vertex shader loaded successfully");
    EXPECT_EQ(moved.logLength, 12);

    CglProgram program;
    strcpy(program.statusMessage, "GLSL program created successfully");
    CglProgram assigned;
    assigned = std::move(program);
    EXPECT_STREQ(assigned.statusMessage, "GLSL program created successfully");
}

// Each failed read: false, id 0, the earlier message kept, nothing printed, no GL call, the file closed.
void ExpectPlainFailure(const std::string& path) {
    SCOPED_TRACE(path);
    CglShader shader;
    strcpy(shader.statusMessage, "earlier text");
    int descriptors = OpenDescriptors();
    fflush(stderr);
    ::testing::internal::CaptureStderr();
    rec::Start();
    bool loaded = shader.LoadFromFile(path.c_str(), GL_VERTEX_SHADER, 0, 0);
    rec::Stop();
    std::string printed = ::testing::internal::GetCapturedStderr();

    EXPECT_FALSE(loaded);
    EXPECT_EQ(shader.id, 0u);
    EXPECT_STREQ(shader.statusMessage, "earlier text");
    EXPECT_EQ(printed, "");
    EXPECT_TRUE(rec::Calls().empty()) << rec::Calls().front();
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST_F(ProgramUnitTest, FilesThatCannotBeReadWholeFailPlainly) {
    ScratchDir scratch;
    ASSERT_FALSE(scratch.Path().empty());

    ExpectPlainFailure(scratch.Path() + "/missing.vert");
    // A directory opens for reading; one file system then reports a huge length for it, another none.
    ExpectPlainFailure(scratch.Path());
    ExpectPlainFailure("/proc");

    // Longer than one compile can take: refused before any allocation (the file is sparse).
    std::string huge = scratch.Write("huge.vert", "");
    ASSERT_FALSE(huge.empty());
    ASSERT_EQ(truncate(huge.c_str(), 3LL << 30), 0);
    ExpectPlainFailure(huge);

    // Not files at all: a device reads as an empty text, and opening a FIFO waits for a writer. This
    // one gets a writer after two seconds, so that a load that waits is seen waiting, not hanging.
    ExpectPlainFailure("/dev/null");
    std::string fifo = scratch.Path() + "/fifo.vert";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::promise<void> loaded;
    std::thread writer([&fifo, done = loaded.get_future()] {
        if (done.wait_for(std::chrono::seconds(2)) == std::future_status::timeout) {
            close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        }
    });
    auto start = std::chrono::steady_clock::now();
    ExpectPlainFailure(fifo);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    loaded.set_value();
    writer.join();
}

TEST_F(ProgramUnitTest, PipeWithNoKnownLengthFailsPlainly) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const char text[] = "void main() { gl_Position = gl_Vertex; }";
    ASSERT_EQ(write(ends[1], text, sizeof text - 1), static_cast<ssize_t>(sizeof text - 1));
    ExpectPlainFailure("/dev/fd/" + std::to_string(ends[0]));
    close(ends[0]);
    close(ends[1]);
}

TEST_F(ProgramUnitTest, FileShorterThanItsReportedLengthFailsPlainly) {
    // Kernel attribute files report a length of a page and hold a line.
    const char* path = "/sys/kernel/mm/transparent_hugepage/enabled";
    struct stat info;
    if (stat(path, &info) != 0 || info.st_size <= 64) {
        GTEST_SKIP() << path << " is not here to give a short read";
    }
    ExpectPlainFailure(path);
}

} // namespace
