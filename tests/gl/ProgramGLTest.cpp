// Shader and program objects on the real driver: compiles, file loads, links, uniforms, texture binding
// and geometry shaders, with the outcome read back from GL first and the promised call orders second.
#include "GlTest.h"
#include "ScratchDir.h"
#include "glBuffer.h"
#include "glProgram.h"
#include "glTexture.h"
#include "glVertexArray.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gmock/gmock.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

const char kVertex[] = "#version 120\nvoid main() { gl_Position = gl_Vertex; }\n";
const char kFragment[] = "#version 120\nvoid main() { gl_FragColor = vec4(1.0, 0.0, 1.0, 1.0); }\n";

// Points in, a quad of half the window's width and height around each point out.
const char kQuadVertex[] = "#version 150 compatibility\nvoid main() { gl_Position = gl_Vertex; }\n";
const char kQuadGeometry[] = R"(#version 150
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;
void main() {
    vec4 centre = gl_in[0].gl_Position;
    gl_Position = centre + vec4(-0.5, -0.5, 0.0, 0.0); EmitVertex();
    gl_Position = centre + vec4( 0.5, -0.5, 0.0, 0.0); EmitVertex();
    gl_Position = centre + vec4(-0.5,  0.5, 0.0, 0.0); EmitVertex();
    gl_Position = centre + vec4( 0.5,  0.5, 0.0, 0.0); EmitVertex();
    EndPrimitive();
}
)";
const char kQuadFragment[] =
    "#version 150 compatibility\nvoid main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n";

const char kBrokenVertex[] = "#version 120\nvoid main() { gl_Position = undeclaredVertex; }\n";
const char kBrokenFragment[] = "#version 120\nvoid main() { gl_FragColor = vec3(1.0); }\n";
const char kBrokenGeometry[] = "#version 150\nlayout(points) in;\nlayout(points, max_vertices = 1) out;\n"
                               "void main() { EmitVertex(1.0); }\n";

// Compiles, but the link finds no body for f.
const char kUnresolvedVertex[] = "#version 120\nvoid f();\nvoid main() { f(); gl_Position = gl_Vertex; }\n";

// Every uniform kind the setters reach, each element used so that none is dropped.
const char kUniformFragment[] = R"(#version 120
uniform float a;
uniform vec2 b;
uniform vec3 c;
uniform vec4 d;
uniform mat4 m;
uniform float arr1[3];
uniform vec2 arr2[3];
uniform vec3 arr3[2];
uniform vec4 arr4[2];
uniform float unused;
void main() {
    vec4 sum = vec4(a) + vec4(b, c.xy) + vec4(c.z) + d + m * vec4(1.0, 2.0, 3.0, 4.0);
    for (int i = 0; i < 3; ++i) { sum += vec4(arr1[i]) + vec4(arr2[i], 0.0, 0.0); }
    for (int i = 0; i < 2; ++i) { sum += vec4(arr3[i], 0.0) + arr4[i]; }
    gl_FragColor = sum;
}
)";

// The integer, unsigned and small matrix uniforms, beside one float for a setter of the wrong kind.
const char kIntegerVertex[] = "#version 130\nvoid main() { gl_Position = gl_Vertex; }\n";
const char kIntegerFragment[] = R"(#version 130
uniform int i1, ai1[3]; uniform ivec2 i2, ai2[2]; uniform ivec3 i3, ai3[2]; uniform ivec4 i4, ai4[2];
uniform uint u1; uniform uvec2 u2; uniform uvec3 u3; uniform uvec4 u4; uniform mat2 m2; uniform mat3 m3;
uniform float f;
void main() {
    ivec4 i = ivec4(i1 + i3.z + ai1[0] + ai1[1] + ai1[2] + ai3[1].z + ai3[0].z, i2 + ai2[0] + ai2[1], i3.x)
              + i4 + ai4[0] + ai4[1] + ivec4(ai3[0].xy, ai3[1].xy) + ivec4(u1 + u2.x + u2.y, u3) + ivec4(u4);
    gl_FragColor = vec4(i) + vec4(m2 * vec2(1.0), m3 * vec3(1.0)).xyzw * f + vec4(i3.y);
}
)";

const char kSamplingFragment[] =
    "#version 120\nuniform sampler2D tex;\nvoid main() { gl_FragColor = texture2D(tex, vec2(0.5)); }\n";

std::string ShaderLog(GLuint shader) {
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    return log;
}

std::string ProgramLog(GLuint program) {
    char log[1024] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    return log;
}

GLint ShaderParameter(GLuint shader, GLenum pname) {
    GLint value = -1;
    glGetShaderiv(shader, pname, &value);
    return value;
}

GLint ProgramParameter(GLuint program, GLenum pname) {
    GLint value = -1;
    glGetProgramiv(program, pname, &value);
    return value;
}

std::vector<GLuint> AttachedShaders(GLuint program) {
    GLuint names[8] = {};
    GLsizei count = 0;
    glGetAttachedShaders(program, 8, &count, names);
    return std::vector<GLuint>(names, names + count);
}

std::vector<float> Uniform(GLuint program, const char* name, int floats) {
    std::vector<float> values(16, -99.0f);
    GLint location = glGetUniformLocation(program, name);
    EXPECT_GE(location, 0) << name;
    if (location >= 0) {
        glGetUniformfv(program, location, values.data());
    }
    values.resize(floats);
    return values;
}

// A solid 1x1 texture that needs no mipmaps.
GLuint SolidTexture(GLubyte r, GLubyte g, GLubyte b) {
    const GLubyte texel[4] = {r, g, b, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

void DrawWindowQuad() {
    glBegin(GL_QUADS);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(1.0f, -1.0f);
    glVertex2f(1.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
}

::testing::AssertionResult PixelIs(int x, int y, int r, int g, int b) {
    Rgba p = ReadPixel(x, y);
    if (p.r == r && p.g == g && p.b == b) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << p.r << ", " << p.g
                                         << ", " << p.b << "; expected " << r << ", " << g << ", " << b;
}

// Runs with and without ARB_shader_objects: where the driver hides it, the core entry points stand in.
class ProgramGLTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glCreateShader == nullptr) {
            GTEST_SKIP() << "the loader is not initialised in this run";
        }
        arb = DriverHasExtension("GL_ARB_shader_objects");
        glViewport(0, 0, 320, 240);
        glDrawBuffer(GL_BACK);
        glReadBuffer(GL_BACK);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void TearDown() override {
        if (!IsSkipped()) {
            glUseProgram(0);
            glActiveTexture(GL_TEXTURE0);
        }
        GlTest::TearDown();
    }

    // The call that deletes a shader in this run.
    std::string DeleteShaderCall(GLuint shader) const {
        return rec::Call(arb ? "glDeleteObjectARB" : "glDeleteShader", {rec::Int(shader)});
    }

    bool arb = false;

    // The shaders that turn each point into a quad.
    static void CompileQuad(CglShader& vertex, CglShader& fragment, CglShader& geometry) {
        Compile(vertex, kQuadVertex, GL_VERTEX_SHADER);
        Compile(fragment, kQuadFragment, GL_FRAGMENT_SHADER);
        Compile(geometry, kQuadGeometry, GL_GEOMETRY_SHADER_EXT);
    }

    // A compiled shader the test needs as a given.
    static void Compile(CglShader& shader, const char* source, GLenum type) {
        StderrCapture quiet;
        ASSERT_TRUE(shader.CompileFromSource(source, type, GL_POINTS, GL_TRIANGLE_STRIP))
            << shader.statusMessage;
    }
};

// ---- shaders ----

TEST_F(ProgramGLTest, CompilesEachShaderTypeAndSaysWhichOne) {
    struct Case {
        const char* source;
        GLenum type;
        const char* message;
    } cases[] = {{kVertex, GL_VERTEX_SHADER, "Vertex shader loaded successfully"},
                 {kFragment, GL_FRAGMENT_SHADER, "Fragment shader loaded successfully"},
                 {kQuadGeometry, GL_GEOMETRY_SHADER_EXT, "Geometry shader loaded successfully"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CglShader shader;
        StderrCapture printed;
        EXPECT_TRUE(shader.CompileFromSource(c.source, c.type, GL_POINTS, GL_TRIANGLE_STRIP));
        EXPECT_EQ(printed.Text(), "");
        ASSERT_NE(shader.id, 0u);
        EXPECT_EQ(ShaderParameter(shader.id, GL_SHADER_TYPE), static_cast<GLint>(c.type));
        EXPECT_EQ(ShaderParameter(shader.id, GL_COMPILE_STATUS), GL_TRUE);
        EXPECT_STREQ(shader.statusMessage, c.message);
    }
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, BrokenShaderKeepsItsRealLogAndPrintsIt) {
    struct Case {
        const char* source;
        GLenum type;
    } cases[] = {{kBrokenVertex, GL_VERTEX_SHADER},
                 {kBrokenFragment, GL_FRAGMENT_SHADER},
                 {kBrokenGeometry, GL_GEOMETRY_SHADER_EXT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        CglShader shader;
        StderrCapture printed;
        EXPECT_FALSE(shader.CompileFromSource(c.source, c.type, GL_POINTS, GL_POINTS));
        ASSERT_NE(shader.id, 0u) << "the failed shader stays";
        EXPECT_EQ(ShaderParameter(shader.id, GL_COMPILE_STATUS), GL_FALSE);
        std::string log = ShaderLog(shader.id);
        EXPECT_NE(log, "");
        EXPECT_EQ(shader.statusMessage, log);
        EXPECT_EQ(shader.logLength, static_cast<GLsizei>(log.size()));
        EXPECT_EQ(printed.Text(), log + " \n");
    }
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, RejectedTypePrintsTheMessageItHadAndHoldsNoShader) {
    CglShader fresh;
    {
        StderrCapture printed;
        EXPECT_FALSE(fresh.CompileFromSource(kVertex, GL_TEXTURE_2D, 0, 0));
        EXPECT_EQ(printed.Text(), " \n");
    }
    EXPECT_EQ(fresh.id, 0u);
    EXPECT_TRUE(GlError(GL_INVALID_ENUM));

    CglShader shader;
    Compile(shader, kVertex, GL_VERTEX_SHADER);
    GLuint old = shader.id;
    rec::Start();
    StderrCapture printed;
    EXPECT_FALSE(shader.CompileFromSource(kVertex, GL_TEXTURE_2D, 0, 0));
    EXPECT_EQ(printed.Text(), "Vertex shader loaded successfully \n");
    rec::Stop();
    EXPECT_EQ(shader.id, 0u);
    EXPECT_STREQ(shader.statusMessage, "Vertex shader loaded successfully");
    EXPECT_EQ(rec::Calls().front(), DeleteShaderCall(old)) << "the shader held before is not leaked";
    EXPECT_TRUE(GlError(GL_INVALID_ENUM));
}

// GL takes a source's length as a signed 32-bit count: a text of 2^31 - 1 bytes or more is refused, as a
// file of that size is, never compiled whole or cut short. This one would compile: a shader and spaces.
TEST_F(ProgramGLTest, SourceTooLongForOneCompileIsRefused) {
    const size_t length = INT32_MAX;
    void* memory = mmap(nullptr, length + 1, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(memory, MAP_FAILED);
    char* text = static_cast<char*>(memory);
    memset(text, ' ', length);
    memcpy(text, kVertex, strlen(kVertex));
    CglShader shader;
    Compile(shader, kVertex, GL_VERTEX_SHADER);
    rec::Start();
    StderrCapture printed;
    EXPECT_FALSE(shader.CompileFromSource(text, GL_VERTEX_SHADER, 0, 0));
    EXPECT_EQ(printed.Text(), "CglShader::CompileFromSource ERROR: source is 2^31 - 1 bytes or longer\n");
    rec::Stop();
    munmap(memory, length + 1);
    EXPECT_EQ(shader.id, 0u);
    EXPECT_EQ(rec::CountOf("glShaderSource"), 0u);
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, OtherAcceptedTypeCompilesAndLeavesTheMessage) {
    // Some drivers list compute shaders without the GLSL 4.30 that they need.
    const char* glsl = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION));
    if (glsl == nullptr || strtod(glsl, nullptr) < 4.3) {
        GTEST_SKIP() << "the driver has no GLSL 4.30 for compute shaders (GLSL " << (glsl ? glsl : "?")
                     << ")";
    }
    CglShader shader;
    Compile(shader, kFragment, GL_FRAGMENT_SHADER);
    EXPECT_TRUE(shader.CompileFromSource("#version 430\nlayout(local_size_x = 1) in;\nvoid main() {}\n",
                                         GL_COMPUTE_SHADER, 0, 0));
    EXPECT_EQ(ShaderParameter(shader.id, GL_SHADER_TYPE), GL_COMPUTE_SHADER);
    EXPECT_STREQ(shader.statusMessage, "Fragment shader loaded successfully");
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, ShaderIsDeletedOnceAndMovesWithoutAnotherOwner) {
    // A second compile deletes the first shader before creating the next.
    CglShader shader;
    Compile(shader, kVertex, GL_VERTEX_SHADER);
    GLuint first = shader.id;
    rec::Start();
    Compile(shader, kFragment, GL_FRAGMENT_SHADER);
    rec::Stop();
    EXPECT_EQ(rec::Calls().front(), DeleteShaderCall(first));
    if (shader.id != first) {
        EXPECT_EQ(glIsShader(first), GL_FALSE);
    }

    // Moving hands the name over; the emptied source deletes nothing.
    GLuint id = shader.id;
    rec::Start();
    {
        CglShader moved(std::move(shader));
        EXPECT_EQ(shader.id, 0u);
        EXPECT_EQ(moved.id, id);
        EXPECT_STREQ(moved.statusMessage, "Fragment shader loaded successfully");
        CglShader assigned;
        Compile(assigned, kVertex, GL_VERTEX_SHADER);
        GLuint replaced = assigned.id;
        assigned = std::move(moved);
        EXPECT_EQ(assigned.id, id);
        EXPECT_EQ(glIsShader(id), GL_TRUE);
        if (replaced != id) {
            EXPECT_EQ(glIsShader(replaced), GL_FALSE);
        }
        assigned.Destroy();
        EXPECT_EQ(assigned.id, 0u);
        EXPECT_EQ(glIsShader(id), GL_FALSE);
    }
    rec::Stop();
    std::string deleter = arb ? "glDeleteObjectARB" : "glDeleteShader";
    EXPECT_EQ(rec::CountOf(deleter), 2u) << "the replaced shader and the moved one, once each";
    EXPECT_EQ(rec::CallsTo(deleter).back(), DeleteShaderCall(id));
    EXPECT_TRUE(GlNoError());
}

// ---- shader files ----

TEST_F(ProgramGLTest, LoadsFilesAndNamesThePathForVertexAndFragmentShaders) {
    ScratchDir scratch;
    std::string vertex = scratch.Write("plain.vert", kVertex);
    std::string fragment = scratch.Write("plain.frag", kFragment);
    std::string geometry = scratch.Write("quad.geom", kQuadGeometry);
    ASSERT_FALSE(vertex.empty() || fragment.empty() || geometry.empty());

    CglShader shader;
    StderrCapture printed;
    EXPECT_TRUE(shader.LoadFromFile(vertex.c_str(), GL_VERTEX_SHADER, 0, 0));
    EXPECT_EQ(std::string(shader.statusMessage), "Vertex shader " + vertex + " loaded successfully");
    EXPECT_EQ(ShaderParameter(shader.id, GL_SHADER_TYPE), GL_VERTEX_SHADER);
    EXPECT_TRUE(shader.LoadFromFile(fragment.c_str(), GL_FRAGMENT_SHADER, 0, 0));
    EXPECT_EQ(std::string(shader.statusMessage), "Fragment shader " + fragment + " loaded successfully");
    EXPECT_TRUE(shader.LoadFromFile(geometry.c_str(), GL_GEOMETRY_SHADER_EXT, GL_POINTS, GL_TRIANGLE_STRIP));
    EXPECT_STREQ(shader.statusMessage, "Geometry shader loaded successfully");
    EXPECT_EQ(ShaderParameter(shader.id, GL_SHADER_TYPE), GL_GEOMETRY_SHADER);
    EXPECT_EQ(printed.Text(), "");
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, FileIsCompiledUpToItsFirstZeroByteAndAnEmptyOneAsEmptyText) {
    ScratchDir scratch;
    std::string zero = scratch.Write("zero.vert", std::string(kVertex) + '\0' + "this is not GLSL");
    std::string empty = scratch.Write("empty.vert", "");
    ASSERT_FALSE(zero.empty() || empty.empty());

    CglShader shader;
    EXPECT_TRUE(shader.LoadFromFile(zero.c_str(), GL_VERTEX_SHADER, 0, 0)) << shader.statusMessage;
    EXPECT_EQ(ShaderParameter(shader.id, GL_SHADER_SOURCE_LENGTH), static_cast<GLint>(strlen(kVertex) + 1));

    // Whatever GL makes of empty text, the file gives the same.
    GLuint reference = glCreateShader(GL_VERTEX_SHADER);
    const char* nothing = "";
    glShaderSource(reference, 1, &nothing, nullptr);
    glCompileShader(reference);
    bool expected = ShaderParameter(reference, GL_COMPILE_STATUS) == GL_TRUE;
    glDeleteShader(reference);

    StderrCapture quiet;
    EXPECT_EQ(shader.LoadFromFile(empty.c_str(), GL_VERTEX_SHADER, 0, 0), expected);
    EXPECT_NE(shader.id, 0u);
    EXPECT_EQ(ShaderParameter(shader.id, GL_SHADER_SOURCE_LENGTH), 1) << "empty text and its terminator";
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, SuccessTextWithALongPathIsCutToTheMessage) {
    ScratchDir scratch;
    // A path longer than the message: nested directories of 200-character names.
    std::string directory = scratch.Path();
    while (directory.size() < 1200) {
        directory += "/" + std::string(200, 'd');
        ASSERT_EQ(mkdir(directory.c_str(), 0700), 0) << directory;
    }
    // Each kind names its path in a text of its own.
    struct Case {
        const char* file;
        const char* source;
        GLenum type;
        const char* kind;
    };
    for (const Case& c : {Case{"long.frag", kFragment, GL_FRAGMENT_SHADER, "Fragment"},
                          Case{"long.vert", kVertex, GL_VERTEX_SHADER, "Vertex"}}) {
        std::string path = directory + "/" + c.file;
        FILE* file = fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        fputs(c.source, file);
        fclose(file);

        CglShader shader;
        ASSERT_TRUE(shader.LoadFromFile(path.c_str(), c.type, 0, 0)) << c.kind;
        std::string whole = std::string(c.kind) + " shader " + path + " loaded successfully";
        EXPECT_EQ(std::string(shader.statusMessage), whole.substr(0, 1023));
        EXPECT_EQ(shader.logLength, 0) << "the field after the message is untouched";
    }
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, FailedLoadDeletesTheShaderHeldAndPrintsNothing) {
    ScratchDir scratch;
    std::string broken = scratch.Write("broken.frag", kBrokenFragment);
    ASSERT_FALSE(broken.empty());

    CglShader shader;
    Compile(shader, kVertex, GL_VERTEX_SHADER);
    GLuint old = shader.id;
    rec::Start();
    {
        StderrCapture printed;
        EXPECT_FALSE(
            shader.LoadFromFile((scratch.Path() + "/missing.frag").c_str(), GL_FRAGMENT_SHADER, 0, 0));
        EXPECT_EQ(printed.Text(), "");
    }
    rec::Stop();
    EXPECT_EQ(shader.id, 0u);
    EXPECT_STREQ(shader.statusMessage, "Vertex shader loaded successfully");
    EXPECT_THAT(rec::Calls(), ElementsAre(DeleteShaderCall(old)));
    EXPECT_EQ(glIsShader(old), GL_FALSE);

    // A file that compiles badly keeps its shader and prints its log like a compile from text.
    StderrCapture printed;
    EXPECT_FALSE(shader.LoadFromFile(broken.c_str(), GL_FRAGMENT_SHADER, 0, 0));
    ASSERT_NE(shader.id, 0u);
    EXPECT_EQ(shader.statusMessage, ShaderLog(shader.id));
    EXPECT_EQ(printed.Text(), ShaderLog(shader.id) + " \n");
    EXPECT_TRUE(GlNoError());
}

// ---- linking ----

TEST_F(ProgramGLTest, TwoShaderLinkUsesTheArbProgramWhereOfferedAndPrintsNothing) {
    CglShader vertex, fragment;
    Compile(vertex, kVertex, GL_VERTEX_SHADER);
    Compile(fragment, kFragment, GL_FRAGMENT_SHADER);

    CglProgram program;
    rec::Start();
    StderrCapture printed;
    EXPECT_TRUE(program.Link(vertex.id, fragment.id));
    EXPECT_EQ(printed.Text(), "");
    rec::Stop();
    ASSERT_NE(program.id, 0u);
    EXPECT_EQ(ProgramParameter(program.id, GL_LINK_STATUS), GL_TRUE);
    EXPECT_THAT(AttachedShaders(program.id), UnorderedElementsAre(vertex.id, fragment.id));
    EXPECT_STREQ(program.statusMessage, "GLSL program created successfully");

    // Without the extension its entry point is null, and the core one stands in.
    std::string creator = arb ? "glCreateProgramObjectARB" : "glCreateProgram";
    EXPECT_EQ(rec::CallsTo(creator), std::vector<std::string>{rec::Call(creator, {}, rec::Int(program.id))});
    EXPECT_EQ(rec::CountOf("glCreateProgramObjectARB") + rec::CountOf("glCreateProgram"), 1u);
    EXPECT_THAT(rec::CallsTo("glAttachShader"),
                ElementsAre(rec::Call("glAttachShader", {rec::Int(program.id), rec::Int(vertex.id)}),
                            rec::Call("glAttachShader", {rec::Int(program.id), rec::Int(fragment.id)})));
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, ThreeShaderLinkUsesTheCoreProgramAndAttachesFirstThirdSecond) {
    CglShader vertex, fragment, geometry;
    CompileQuad(vertex, fragment, geometry);

    CglProgram program;
    rec::Start();
    EXPECT_TRUE(program.Link(vertex.id, fragment.id, geometry.id)) << program.statusMessage;
    rec::Stop();
    EXPECT_EQ(ProgramParameter(program.id, GL_LINK_STATUS), GL_TRUE);
    EXPECT_THAT(AttachedShaders(program.id), UnorderedElementsAre(vertex.id, fragment.id, geometry.id));
    EXPECT_EQ(rec::CallsTo("glCreateProgram"),
              std::vector<std::string>{rec::Call("glCreateProgram", {}, rec::Int(program.id))});
    EXPECT_EQ(rec::CountOf("glCreateProgramObjectARB"), 0u);
    EXPECT_THAT(rec::CallsTo("glAttachShader"),
                ElementsAre(rec::Call("glAttachShader", {rec::Int(program.id), rec::Int(vertex.id)}),
                            rec::Call("glAttachShader", {rec::Int(program.id), rec::Int(geometry.id)}),
                            rec::Call("glAttachShader", {rec::Int(program.id), rec::Int(fragment.id)})));
    EXPECT_EQ(rec::CountOf("glProgramParameteriEXT"), 0u) << "the driver has no such entry point";
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, FailedLinkKeepsItsLogAndPrintsNothing) {
    CglShader unresolved, fragment, broken;
    Compile(unresolved, kUnresolvedVertex, GL_VERTEX_SHADER);
    Compile(fragment, kFragment, GL_FRAGMENT_SHADER);
    {
        StderrCapture quiet;
        ASSERT_FALSE(broken.CompileFromSource(kBrokenVertex, GL_VERTEX_SHADER, 0, 0));
    }

    for (GLuint vertex : {unresolved.id, broken.id}) {
        CglProgram program;
        StderrCapture printed;
        EXPECT_FALSE(program.Link(vertex, fragment.id));
        EXPECT_EQ(printed.Text(), "");
        ASSERT_NE(program.id, 0u) << "the failed program stays";
        EXPECT_EQ(ProgramParameter(program.id, GL_LINK_STATUS), GL_FALSE);
        std::string log = ProgramLog(program.id);
        EXPECT_NE(log, "");
        EXPECT_EQ(program.statusMessage, log);
        EXPECT_EQ(program.logLength, static_cast<GLsizei>(log.size()));
    }
    EXPECT_TRUE(GlNoError());
}

TEST_F(ProgramGLTest, ProgramIsDeletedOnceAndMovesWithoutAnotherOwner) {
    CglShader vertex, fragment;
    Compile(vertex, kVertex, GL_VERTEX_SHADER);
    Compile(fragment, kFragment, GL_FRAGMENT_SHADER);

    rec::Start();
    {
        CglProgram program;
        ASSERT_TRUE(program.Link(vertex.id, fragment.id));
        GLuint first = program.id;
        ASSERT_TRUE(program.Link(vertex.id, fragment.id));
        EXPECT_EQ(rec::CallsTo("glDeleteProgram").front(), rec::Call("glDeleteProgram", {rec::Int(first)}))
            << "a second link deletes the first program";
        if (program.id != first) {
            EXPECT_EQ(glIsProgram(first), GL_FALSE);
        }

        CglProgram moved(std::move(program));
        EXPECT_EQ(program.id, 0u);
        GLuint id = moved.id;
        EXPECT_EQ(glIsProgram(id), GL_TRUE);
        moved.Destroy();
        EXPECT_EQ(moved.id, 0u);
        EXPECT_EQ(glIsProgram(id), GL_FALSE);
    }
    rec::Stop();
    EXPECT_EQ(rec::CountOf("glDeleteProgram"), 2u) << "each program once, nothing for the empty objects";
    EXPECT_TRUE(GlNoError());
}

// ---- binding and uniforms ----

TEST_F(ProgramGLTest, BindMakesItCurrentAndUnbindLeavesNoneWhicheverWasCurrent) {
    CglShader vertex, fragment;
    Compile(vertex, kVertex, GL_VERTEX_SHADER);
    Compile(fragment, kFragment, GL_FRAGMENT_SHADER);
    CglProgram program, other;
    ASSERT_TRUE(program.Link(vertex.id, fragment.id));
    ASSERT_TRUE(other.Link(vertex.id, fragment.id));

    program.Bind();
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), static_cast<GLint>(program.id));
    DrawWindowQuad();
    EXPECT_TRUE(PixelIs(160, 120, 255, 0, 255)) << "the bound program draws";

    other.Bind();
    program.Unbind();
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_TRUE(GlNoError());
}

class UniformTest : public ProgramGLTest {
  protected:
    void SetUp() override {
        ProgramGLTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        Compile(vertex, kVertex, GL_VERTEX_SHADER);
        Compile(fragment, kUniformFragment, GL_FRAGMENT_SHADER);
        ASSERT_TRUE(program.Link(vertex.id, fragment.id)) << program.statusMessage;
        program.Bind();
    }
    CglShader vertex, fragment;
    CglProgram program;
};

TEST_F(UniformTest, EverySetterReachesItsUniform) {
    program.SetParameter1f("a", 1.5f);
    program.SetParameter2f("b", 2.0f, -3.0f);
    program.SetParameter3f("c", 4.0f, 5.0f, 6.0f);
    program.SetParameter4f("d", 7.0f, 8.0f, 9.0f, 10.0f);
    EXPECT_THAT(Uniform(program.id, "a", 1), ElementsAre(1.5f));
    EXPECT_THAT(Uniform(program.id, "b", 2), ElementsAre(2.0f, -3.0f));
    EXPECT_THAT(Uniform(program.id, "c", 3), ElementsAre(4.0f, 5.0f, 6.0f));
    EXPECT_THAT(Uniform(program.id, "d", 4), ElementsAre(7.0f, 8.0f, 9.0f, 10.0f));

    float matrix[16];
    for (int i = 0; i < 16; ++i) {
        matrix[i] = static_cast<float>(i);
    }
    program.SetParameterMatrix4("m", matrix, false);
    EXPECT_EQ(Uniform(program.id, "m", 16), std::vector<float>(matrix, matrix + 16));
    program.SetParameterMatrix4("m", matrix, true);
    std::vector<float> m = Uniform(program.id, "m", 16);
    EXPECT_EQ(m[1], 4.0f) << "transposed: the first column holds the first row";
    EXPECT_EQ(m[4], 1.0f);
    EXPECT_EQ(m[15], 15.0f);
    EXPECT_TRUE(GlNoError());
}

TEST_F(UniformTest, ArraysOfEachElementSize) {
    const float values[] = {1, 2, 3, 4, 5, 6, 7, 8};
    program.SetParameterArray("arr1", values, 1, 3);
    program.SetParameterArray("arr2", values, 2, 3);
    program.SetParameterArray("arr3", values, 3, 2);
    program.SetParameterArray("arr4", values, 4, 2);
    EXPECT_THAT(Uniform(program.id, "arr1[2]", 1), ElementsAre(3.0f));
    EXPECT_THAT(Uniform(program.id, "arr2[0]", 2), ElementsAre(1.0f, 2.0f));
    EXPECT_THAT(Uniform(program.id, "arr2[2]", 2), ElementsAre(5.0f, 6.0f));
    EXPECT_THAT(Uniform(program.id, "arr3[1]", 3), ElementsAre(4.0f, 5.0f, 6.0f));
    EXPECT_THAT(Uniform(program.id, "arr4[1]", 4), ElementsAre(5.0f, 6.0f, 7.0f, 8.0f));
    EXPECT_TRUE(GlNoError());
}

TEST_F(UniformTest, ElementSizeOutsideOneToFourIsReportedAndSetsNothing) {
    const float zeros[8] = {};
    program.SetParameterArray("arr4", zeros, 4, 2);
    const float values[] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (int elementSize : {0, 5, -1}) {
        SCOPED_TRACE(elementSize);
        rec::Start();
        StderrCapture printed;
        program.SetParameterArray("arr4", values, elementSize, 2);
        EXPECT_EQ(printed.Text(), "Invalid elementSize value '" + std::to_string(elementSize) + "'\n");
        rec::Stop();
        EXPECT_THAT(rec::Names(), ElementsAre("glGetUniformLocation"));
        EXPECT_THAT(Uniform(program.id, "arr4[0]", 4), ElementsAre(0.0f, 0.0f, 0.0f, 0.0f));
    }
    EXPECT_TRUE(GlNoError());
}

TEST_F(UniformTest, UnknownOrUnusedNameIsReportedByEverySetter) {
    const float values[16] = {};
    rec::Start();
    StderrCapture printed;
    program.SetParameter1f("unused", 1.0f);
    program.SetParameter2f("nothere", 1.0f, 2.0f);
    program.SetParameter3f("unused", 1.0f, 2.0f, 3.0f);
    program.SetParameter4f("unused", 1.0f, 2.0f, 3.0f, 4.0f);
    program.SetParameterMatrix4("unused", values, false);
    program.SetParameterArray("unused", values, 0, 1);
    // The new setters share one path but for the integer arrays.
    const GLint integers[4] = {};
    program.SetParameter4ui("unused", 1, 2, 3, 4);
    program.SetParameterMatrix3("unused", values, false);
    program.SetParameterArrayi("unused", integers, 0, 1);
    std::string expected = "Error setting parameter 'unused'\nError setting parameter 'nothere'\n";
    for (int i = 0; i < 7; ++i) {
        expected += "Error setting parameter 'unused'\n";
    }
    EXPECT_EQ(printed.Text(), expected);
    rec::Stop();
    EXPECT_EQ(rec::Names(), std::vector<std::string>(9, "glGetUniformLocation")) << "no uniform call";
    EXPECT_TRUE(GlNoError());
}

// The first `count` values of an integer uniform, or an unsigned one if its name starts with 'u'.
std::vector<long long> IntegerUniform(GLuint program, const char* name, size_t count) {
    GLint values[4] = {99, 99, 99, 99};
    GLint location = glGetUniformLocation(program, name);
    bool isUnsigned = name[0] == 'u';
    isUnsigned ? glGetUniformuiv(program, location, reinterpret_cast<GLuint*>(values))
               : glGetUniformiv(program, location, values);
    std::vector<long long> read;
    for (size_t i = 0; i < count; ++i) {
        read.push_back(isUnsigned ? static_cast<long long>(static_cast<GLuint>(values[i])) : values[i]);
    }
    return read;
}

TEST_F(ProgramGLTest, IntegerUnsignedAndSmallMatrixSettersReachTheirUniforms) {
    CglShader vertex, fragment;
    CglProgram program;
    Compile(vertex, kIntegerVertex, GL_VERTEX_SHADER);
    Compile(fragment, kIntegerFragment, GL_FRAGMENT_SHADER);
    ASSERT_TRUE(program.Link(vertex.id, fragment.id)) << program.statusMessage;
    program.Bind();

    StderrCapture err;
    program.SetParameter1i("i1", -7);
    program.SetParameter2i("i2", 1, -2);
    program.SetParameter3i("i3", 3, 4, 5);
    program.SetParameter4i("i4", 6, 7, 8, -9);
    program.SetParameter1ui("u1", 4000000000u);
    program.SetParameter2ui("u2", 1, 2);
    program.SetParameter3ui("u3", 3, 4, 5);
    program.SetParameter4ui("u4", 6, 7, 8, 9);
    const float matrix[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    program.SetParameterMatrix2("m2", matrix, false);
    program.SetParameterMatrix3("m3", matrix, true);
    const GLint values[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    program.SetParameterArrayi("ai1", values, 1, 3);
    program.SetParameterArrayi("ai2", values, 2, 2);
    program.SetParameterArrayi("ai3", values, 3, 2);
    program.SetParameterArrayi("ai4", values, 4, 2);
    EXPECT_EQ(err.Text(), "");
    EXPECT_TRUE(GlNoError());
    const std::pair<const char*, std::vector<long long>> expected[] = {
        {"i1", {-7}},         {"i2", {1, -2}},    {"i3", {3, 4, 5}},     {"i4", {6, 7, 8, -9}},
        {"u1", {4000000000}}, {"u2", {1, 2}},     {"u3", {3, 4, 5}},     {"u4", {6, 7, 8, 9}},
        {"ai1[2]", {3}},      {"ai2[1]", {3, 4}}, {"ai3[1]", {4, 5, 6}}, {"ai4[1]", {5, 6, 7, 8}}};
    for (const auto& [name, want] : expected) {
        EXPECT_EQ(IntegerUniform(program.id, name, want.size()), want) << name;
    }
    EXPECT_THAT(Uniform(program.id, "m2", 4), ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(Uniform(program.id, "m3", 9), ElementsAre(1, 4, 7, 2, 5, 8, 3, 6, 9)) << "transposed";
    program.SetParameterMatrix2("m2", matrix, true);
    program.SetParameterMatrix3("m3", matrix, false);
    EXPECT_THAT(Uniform(program.id, "m2", 4), ElementsAre(1, 3, 2, 4)) << "transposed";
    EXPECT_THAT(Uniform(program.id, "m3", 9), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9));

    // The integer arrays keep the float arrays' rules.
    StderrCapture printed;
    program.SetParameterArrayi("ai4", values, 5, 1);
    program.SetParameterArrayi("nothere", values, 5, 1);
    EXPECT_EQ(printed.Text(), "Invalid elementSize value '5'\nError setting parameter 'nothere'\n");
    EXPECT_EQ(IntegerUniform(program.id, "ai4[0]", 4), std::vector<long long>({1, 2, 3, 4}));
    // A value of the wrong kind is GL's to refuse, and left queued.
    program.SetParameter1i("f", 1);
    EXPECT_TRUE(GlError(GL_INVALID_OPERATION));
}

// One operation of the program with one entry point of the loader's taken away.
struct WithoutOne {
    const char* operation;
    const char* entryPoint;
    std::function<void(const std::function<void()>&)> without;
    std::function<void()> run;
};

// Each setter, missing its own entry point while the rest are there (as the unsigned ones are before
// OpenGL 3.0), says which and sets nothing; nothing is called through null. The arrays look the name up
// first, so their names are the program's own.
TEST_F(UniformTest, EachOperationMissingItsOwnEntryPointNamesIt) {
    const float f[16] = {};
    const GLint i[4] = {};
    const CglProgram& p = program;
    const WithoutOne cases[] = {
        {"SetParameter1f", "glUniform1f", Emptying(__glewUniform1f), [&] { p.SetParameter1f("a", 1); }},
        {"SetParameter2f", "glUniform2f", Emptying(__glewUniform2f), [&] { p.SetParameter2f("b", 1, 2); }},
        {"SetParameter3f", "glUniform3f", Emptying(__glewUniform3f), [&] { p.SetParameter3f("c", 1, 2, 3); }},
        {"SetParameter4f", "glUniform4f", Emptying(__glewUniform4f),
         [&] { p.SetParameter4f("d", 1, 2, 3, 4); }},
        {"SetParameterMatrix4", "glUniformMatrix4fv", Emptying(__glewUniformMatrix4fv),
         [&] { p.SetParameterMatrix4("m", f, false); }},
        {"SetParameterArray", "glUniform1fv", Emptying(__glewUniform1fv),
         [&] { p.SetParameterArray("arr1", f, 1, 3); }},
        {"SetParameterArray", "glUniform2fv", Emptying(__glewUniform2fv),
         [&] { p.SetParameterArray("arr2", f, 2, 3); }},
        {"SetParameterArray", "glUniform3fv", Emptying(__glewUniform3fv),
         [&] { p.SetParameterArray("arr3", f, 3, 2); }},
        {"SetParameterArray", "glUniform4fv", Emptying(__glewUniform4fv),
         [&] { p.SetParameterArray("arr4", f, 4, 2); }},
        {"SetParameter1i", "glUniform1i", Emptying(__glewUniform1i), [&] { p.SetParameter1i("a", 1); }},
        {"SetParameter2i", "glUniform2i", Emptying(__glewUniform2i), [&] { p.SetParameter2i("a", 1, 2); }},
        {"SetParameter3i", "glUniform3i", Emptying(__glewUniform3i), [&] { p.SetParameter3i("a", 1, 2, 3); }},
        {"SetParameter4i", "glUniform4i", Emptying(__glewUniform4i),
         [&] { p.SetParameter4i("a", 1, 2, 3, 4); }},
        {"SetParameter1ui", "glUniform1ui", Emptying(__glewUniform1ui), [&] { p.SetParameter1ui("a", 1); }},
        {"SetParameter2ui", "glUniform2ui", Emptying(__glewUniform2ui),
         [&] { p.SetParameter2ui("a", 1, 2); }},
        {"SetParameter3ui", "glUniform3ui", Emptying(__glewUniform3ui),
         [&] { p.SetParameter3ui("a", 1, 2, 3); }},
        {"SetParameter4ui", "glUniform4ui", Emptying(__glewUniform4ui),
         [&] { p.SetParameter4ui("a", 1, 2, 3, 4); }},
        {"SetParameterMatrix2", "glUniformMatrix2fv", Emptying(__glewUniformMatrix2fv),
         [&] { p.SetParameterMatrix2("m", f, false); }},
        {"SetParameterMatrix3", "glUniformMatrix3fv", Emptying(__glewUniformMatrix3fv),
         [&] { p.SetParameterMatrix3("m", f, false); }},
        {"SetParameterArrayi", "glUniform1iv", Emptying(__glewUniform1iv),
         [&] { p.SetParameterArrayi("arr1", i, 1, 1); }},
        {"SetParameterArrayi", "glUniform2iv", Emptying(__glewUniform2iv),
         [&] { p.SetParameterArrayi("arr2", i, 2, 1); }},
        {"SetParameterArrayi", "glUniform3iv", Emptying(__glewUniform3iv),
         [&] { p.SetParameterArrayi("arr3", i, 3, 1); }},
        {"SetParameterArrayi", "glUniform4iv", Emptying(__glewUniform4iv),
         [&] { p.SetParameterArrayi("arr4", i, 4, 1); }},
        {"BindTexture", "glUseProgram", Emptying(__glewUseProgram),
         [&] { p.BindTexture("a", 0, GL_TEXTURE_2D, 1); }},
        {"BindTexture", "glActiveTexture", Emptying(__glewActiveTexture),
         [&] { p.BindTexture("a", 0, GL_TEXTURE_2D, 1); }},
        {"BindTexture", "glUniform1i", Emptying(__glewUniform1i),
         [&] { p.BindTexture("a", 0, GL_TEXTURE_2D, 1); }},
        {"Bind", "glUseProgram", Emptying(__glewUseProgram), [&] { p.Bind(); }},
        {"Unbind", "glUseProgram", Emptying(__glewUseProgram), [&] { p.Unbind(); }},
    };
    for (const WithoutOne& one : cases) {
        SCOPED_TRACE(one.entryPoint);
        StderrCapture printed;
        one.without([&] {
            rec::Start();
            one.run();
            rec::Stop();
        });
        EXPECT_EQ(printed.Text(), std::string("CglProgram::") + one.operation + " ERROR: " + one.entryPoint +
                                      " is not available\n");
        for (const std::string& name : rec::Names()) {
            EXPECT_EQ(name, "glGetUniformLocation") << "only the arrays look their name up first";
        }
    }
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), static_cast<GLint>(program.id));
    EXPECT_THAT(Uniform(program.id, "d", 4), ElementsAre(0, 0, 0, 0));
    EXPECT_THAT(Uniform(program.id, "arr4[1]", 4), ElementsAre(0, 0, 0, 0));
    EXPECT_TRUE(GlNoError());
}

// ---- textures ----

class BindTextureTest : public ProgramGLTest {
  protected:
    void SetUp() override {
        ProgramGLTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        Compile(vertex, kVertex, GL_VERTEX_SHADER);
        Compile(fragment, kSamplingFragment, GL_FRAGMENT_SHADER);
        ASSERT_TRUE(program.Link(vertex.id, fragment.id)) << program.statusMessage;
        red = SolidTexture(255, 0, 0);
        green = SolidTexture(0, 255, 0);
    }
    void TearDown() override {
        if (!IsSkipped()) {
            for (int unit : {3, 0}) {
                glActiveTexture(GL_TEXTURE0 + unit);
                glBindTexture(GL_TEXTURE_2D, 0);
            }
            glDeleteTextures(1, &red);
            glDeleteTextures(1, &green);
        }
        ProgramGLTest::TearDown();
    }
    static GLint BoundOn(int unit) {
        GLint active = Integer(GL_ACTIVE_TEXTURE);
        glActiveTexture(GL_TEXTURE0 + unit);
        GLint bound = Integer(GL_TEXTURE_BINDING_2D);
        glActiveTexture(active);
        return bound;
    }
    CglShader vertex, fragment;
    CglProgram program;
    GLuint red = 0, green = 0;
};

TEST_F(BindTextureTest, SamplesTheTextureOnItsUnitAndLeavesUnitZeroActive) {
    // Unit 0 holds another texture, so sampling the wrong unit shows in the colour.
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, green);
    glActiveTexture(GL_TEXTURE0 + 5);
    glUseProgram(0);

    rec::Start();
    program.BindTexture("tex", red, GL_TEXTURE_2D, 3);
    rec::Stop();
    EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), static_cast<GLint>(program.id));
    EXPECT_EQ(BoundOn(3), static_cast<GLint>(red));
    EXPECT_EQ(BoundOn(0), static_cast<GLint>(green));
    GLint sampler = -1;
    glGetUniformiv(program.id, glGetUniformLocation(program.id, "tex"), &sampler);
    EXPECT_EQ(sampler, 3);
    DrawWindowQuad();
    EXPECT_TRUE(PixelIs(160, 120, 255, 0, 0));

    GLint location = glGetUniformLocation(program.id, "tex");
    EXPECT_THAT(rec::Calls(),
                ElementsAre(rec::Call("glGetUniformLocation", {rec::Int(program.id), rec::Text("tex")},
                                      rec::Int(location)),
                            rec::Call("glUseProgram", {rec::Int(program.id)}),
                            rec::Call("glActiveTexture", {rec::Enum(GL_TEXTURE0 + 3)}),
                            rec::Call("glBindTexture", {rec::Enum(GL_TEXTURE_2D), rec::Int(red)}),
                            rec::Call("glUniform1i", {rec::Int(location), rec::Int(3)}),
                            rec::Call("glActiveTexture", {rec::Enum(GL_TEXTURE0)})));
    EXPECT_TRUE(GlNoError());
}

TEST_F(BindTextureTest, UnknownSamplerIsReportedAndChangesNothing) {
    CglProgram other;
    ASSERT_TRUE(other.Link(vertex.id, fragment.id));
    other.Bind();
    glActiveTexture(GL_TEXTURE0 + 2);
    glBindTexture(GL_TEXTURE_2D, green);

    rec::Start();
    StderrCapture printed;
    program.BindTexture("nosampler", red, GL_TEXTURE_2D, 2);
    EXPECT_EQ(printed.Text(), "Error binding texture 'nosampler'\n");
    rec::Stop();
    EXPECT_THAT(rec::Names(), ElementsAre("glGetUniformLocation"));
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), static_cast<GLint>(other.id));
    EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0 + 2);
    EXPECT_EQ(BoundOn(2), static_cast<GLint>(green));
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_TRUE(GlNoError());
}

// ---- geometry shaders ----

TEST_F(ProgramGLTest, GeometryShaderTurnsPointsIntoQuads) {
    CglShader vertex, fragment, geometry;
    CompileQuad(vertex, fragment, geometry);
    CglProgram program;
    ASSERT_TRUE(program.Link(vertex.id, fragment.id, geometry.id)) << program.statusMessage;

    program.Bind();
    glBegin(GL_POINTS);
    glVertex2f(0.0f, 0.0f);
    glEnd();
    program.Unbind();

    // The quad spans a quarter of the window's width and height either side of the centre.
    EXPECT_TRUE(PixelIs(160, 120, 0, 255, 0));
    EXPECT_TRUE(PixelIs(90, 70, 0, 255, 0));
    EXPECT_TRUE(PixelIs(230, 170, 0, 255, 0));
    EXPECT_TRUE(PixelIs(70, 120, 0, 0, 0));
    EXPECT_TRUE(PixelIs(160, 190, 0, 0, 0));
    EXPECT_TRUE(GlNoError());
}

// Stands in for the entry point of a driver that offers EXT_geometry_shader4; this one does not.
void GLAPIENTRY FakeProgramParameteri(GLuint program, GLenum pname, GLint value) {
    if (rec::ShouldRecord()) {
        rec::Append(
            rec::Call("glProgramParameteriEXT", {rec::Int(program), rec::Enum(pname), rec::Int(value)}));
    }
}

// The entry point filled and the flag raised, as a loader told to load everything leaves them on this
// driver, which does not list the extension.
class FilledGeometryParameters : public ProgramGLTest {
  protected:
    void SetUp() override {
        ProgramGLTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        if (DriverHasExtension("GL_EXT_geometry_shader4")) {
            GTEST_SKIP() << "the driver offers EXT_geometry_shader4 itself";
        }
        savedEntry = __glewProgramParameteriEXT;
        savedFlag = __GLEW_EXT_geometry_shader4;
        __glewProgramParameteriEXT = FakeProgramParameteri;
        __GLEW_EXT_geometry_shader4 = GL_TRUE;
    }
    void TearDown() override {
        if (!IsSkipped()) {
            __glewProgramParameteriEXT = savedEntry;
            __GLEW_EXT_geometry_shader4 = savedFlag;
        }
        ProgramGLTest::TearDown();
    }
    PFNGLPROGRAMPARAMETERIEXTPROC savedEntry = nullptr;
    GLboolean savedFlag = GL_FALSE;
};

TEST_F(FilledGeometryParameters, AreNotSetWhileTheContextDoesNotListTheExtension) {
    CglShader vertex, fragment, geometry;
    CompileQuad(vertex, fragment, geometry);
    CglProgram program;
    rec::Start();
    EXPECT_TRUE(program.Link(vertex.id, fragment.id, geometry.id)) << program.statusMessage;
    rec::Stop();
    EXPECT_EQ(rec::CountOf("glProgramParameteriEXT"), 0u);
    EXPECT_TRUE(GlNoError());
}

// ... and a driver that lists it.
class OfferedGeometryParameters : public FilledGeometryParameters {
  protected:
    void SetUp() override {
        FilledGeometryParameters::SetUp();
        rec::PretendListed("GL_EXT_geometry_shader4");
        RelearnContext();
    }
    void TearDown() override {
        FilledGeometryParameters::TearDown();
        RelearnContext();
    }
};

TEST_F(OfferedGeometryParameters, ReachTheLinkingProgramBeforeItLinks) {
    CglShader vertex, fragment, geometry;
    Compile(vertex, kQuadVertex, GL_VERTEX_SHADER);
    Compile(fragment, kQuadFragment, GL_FRAGMENT_SHADER);
    rec::Start();
    ASSERT_TRUE(
        geometry.CompileFromSource(kQuadGeometry, GL_GEOMETRY_SHADER_EXT, GL_POINTS, GL_TRIANGLE_STRIP));
    EXPECT_EQ(rec::CountOf("glProgramParameteriEXT"), 0u) << "a shader is no program";

    CglProgram program;
    rec::Start();
    ASSERT_TRUE(program.Link(vertex.id, fragment.id, geometry.id)) << program.statusMessage;
    rec::Stop();
    std::vector<std::string> calls = rec::Calls();
    auto at = [&](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    EXPECT_THAT(
        rec::CallsTo("glProgramParameteriEXT"),
        ElementsAre(
            rec::Call("glProgramParameteriEXT",
                      {rec::Int(program.id), rec::Enum(GL_GEOMETRY_INPUT_TYPE_EXT), rec::Int(GL_POINTS)}),
            rec::Call("glProgramParameteriEXT", {rec::Int(program.id), rec::Enum(GL_GEOMETRY_OUTPUT_TYPE_EXT),
                                                 rec::Int(GL_TRIANGLE_STRIP)}),
            rec::Call("glProgramParameteriEXT",
                      {rec::Int(program.id), rec::Enum(GL_GEOMETRY_VERTICES_OUT_EXT), rec::Int(4)})));
    auto link = at(rec::Call("glLinkProgram", {rec::Int(program.id)}));
    auto firstParameter = at(rec::CallsTo("glProgramParameteriEXT").front());
    auto create = at(rec::Call("glCreateProgram", {}, rec::Int(program.id)));
    EXPECT_LT(create, firstParameter);
    EXPECT_LT(firstParameter, link);

    // Once the geometry shader is destroyed its layout goes with it. GL keeps the shader itself while
    // `program` holds it, so its name still links.
    GLuint gone = geometry.id;
    geometry.Destroy();
    CglProgram stale;
    rec::Start();
    EXPECT_TRUE(stale.Link(vertex.id, fragment.id, gone));
    rec::Stop();
    EXPECT_EQ(rec::CountOf("glProgramParameteriEXT"), 0u);
    EXPECT_TRUE(GlNoError());
}

// ---- programs of GLSL 3.30 and later, also run on a core profile ----

// A triangle covering the window, from the vertex index alone, and its colour.
const char kCoverVertex[] = "#version 330 core\nvoid main() { gl_Position = vec4(float((gl_VertexID & 1) * 4 "
                            "- 1), float((gl_VertexID & 2) * 2 - 1), 0.0, 1.0); }\n";
const char kColourFragment[] = "#version 330 core\nuniform vec4 colour;\nuniform float unused;\n"
                               "out vec4 fragColor;\nvoid main() { fragColor = colour; }\n";

class ModernProgramTest : public ProgramGLTest {
  protected:
    void SetUp() override {
        ProgramGLTest::SetUp();
        if (!IsSkipped()) {
            ASSERT_TRUE(cover.Create());
            Compile(vertex, kCoverVertex, GL_VERTEX_SHADER);
            Compile(fragment, kColourFragment, GL_FRAGMENT_SHADER);
        }
    }
    // Fills the window through `program`, left unbound; the centre's red, green and blue as "r,g,b".
    std::string Fill(const CglProgram& program) {
        program.Bind();
        cover.Draw(GL_TRIANGLES, 0, 3);
        program.Unbind();
        Rgba p = ReadPixel(160, 120);
        return std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b);
    }
    static bool HasGlsl(double version) {
        return strtod(reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION)), nullptr) >=
               version;
    }
    CglVertexArray cover;
    CglShader vertex, fragment;
};

TEST_F(ModernProgramTest, LinksOneShaderOrAnyNumberAttachedInTheOrderGiven) {
    CglProgram single, many;
    EXPECT_TRUE(single.Link(vertex.id));
    EXPECT_THAT(AttachedShaders(single.id), ElementsAre(vertex.id));
    EXPECT_TRUE(many.Link(&vertex.id, 1));
    EXPECT_THAT(AttachedShaders(many.id), ElementsAre(vertex.id));
    const GLuint pair[] = {fragment.id, vertex.id};
    rec::Start();
    EXPECT_TRUE(many.Link(pair, 2));
    EXPECT_FALSE(many.Link(nullptr, 2));
    EXPECT_FALSE(many.Link(pair, 0));
    rec::Stop();
    EXPECT_THAT(rec::CallsTo("glAttachShader"),
                ElementsAre(rec::Call("glAttachShader", {rec::Int(many.id), rec::Int(fragment.id)}),
                            rec::Call("glAttachShader", {rec::Int(many.id), rec::Int(vertex.id)})));
    EXPECT_EQ(rec::CountOf("glCreateProgram"), 1u) << "nothing to link: no GL call, the program held kept";
    many.Bind();
    many.SetParameter4f("colour", 0.0f, 1.0f, 0.0f, 1.0f);
    EXPECT_EQ(Fill(many), "0,255,0");
    EXPECT_TRUE(GlNoError());
    if (!HasGlsl(4.0)) {
        GTEST_SKIP() << "no tessellation shaders before GLSL 4.00";
    }
    CglShader control, evaluation;
    Compile(control, "#version 400 core\nlayout(vertices = 3) out;\nvoid main() {}\n",
            GL_TESS_CONTROL_SHADER);
    Compile(evaluation, "#version 400 core\nlayout(isolines) in;\nvoid main() {}\n",
            GL_TESS_EVALUATION_SHADER);
    const GLuint stages[] = {vertex.id, control.id, evaluation.id, fragment.id};
    ASSERT_TRUE(many.Link(stages, 4)) << many.statusMessage;
    EXPECT_EQ(ProgramParameter(many.id, GL_TESS_GEN_MODE), GL_ISOLINES);
}

TEST_F(ModernProgramTest, LoadFromFilesBuildsTheWholeProgramAndNamesTheFileThatFailed) {
    ScratchDir scratch;
    std::string vertexFile = scratch.Write("cover.vert", kCoverVertex);
    std::string fragmentFile = scratch.Write("colour.frag", kColourFragment);
    std::string geometryFile = scratch.Write("pass.geom", R"(#version 330 core
layout(triangles) in;
layout(triangle_strip, max_vertices = 3) out;
void main() { for (int i = 0; i < 3; ++i) { gl_Position = gl_in[i].gl_Position; EmitVertex(); } }
)");
    std::string broken =
        scratch.Write("broken.frag", "#version 330 core\nout vec4 c;\nvoid main() { c = 1; }\n");
    std::string unresolved =
        scratch.Write("unresolved.vert", "#version 330 core\nvoid f();\nvoid main() { f(); }\n");
    std::string missing = scratch.Path() + "/missing.vert";

    CglProgram program;
    StderrCapture quiet;
    ASSERT_TRUE(program.LoadFromFiles(vertexFile.c_str(), fragmentFile.c_str(), geometryFile.c_str()));
    std::vector<GLuint> shaders = AttachedShaders(program.id);
    ASSERT_EQ(shaders.size(), 3u);
    for (GLuint shader : shaders) {
        EXPECT_EQ(ShaderParameter(shader, GL_DELETE_STATUS), GL_TRUE) << "the program's to keep, not ours";
    }
    program.Bind();
    program.SetParameter4f("colour", 1.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(Fill(program), "255,0,255") << "through the geometry shader";
    ASSERT_TRUE(program.LoadFromFiles(vertexFile.c_str(), fragmentFile.c_str()));
    EXPECT_EQ(AttachedShaders(program.id).size(), 2u);
    EXPECT_EQ(quiet.Text(), "");

    const std::string* files[3][2] = {
        {&missing, &fragmentFile}, {&vertexFile, &broken}, {&unresolved, &fragmentFile}};
    const std::string lines[3] = {"CglProgram::LoadFromFiles ERROR: cannot read '" + missing + "'\n",
                                  "CglProgram::LoadFromFiles ERROR: '" + broken + "' does not compile\n",
                                  "CglProgram::LoadFromFiles ERROR: the shaders do not link\n"};
    for (int i = 0; i < 3; ++i) {
        GLuint held = program.id;
        StderrCapture printed;
        EXPECT_FALSE(program.LoadFromFiles(files[i][0]->c_str(), files[i][1]->c_str()));
        // The compile prints its log, which the program keeps too; otherwise one line.
        EXPECT_EQ(printed.Text(), (i == 1 ? std::string(program.statusMessage) + " \n" : "") + lines[i]);
        EXPECT_EQ(program.id != 0, i == 2) << "only a failed link keeps its program, as after Link";
        EXPECT_FALSE(held != 0 && glIsProgram(held)) << "the program held went first";
        if (i == 0) {
            EXPECT_STREQ(program.statusMessage, "GLSL program created successfully") << "unchanged";
        }
    }
    EXPECT_EQ(program.statusMessage, ProgramLog(program.id));
    EXPECT_TRUE(GlNoError());
}

TEST_F(ModernProgramTest, HasParameterLooksUpWithoutAMessageOrABinding) {
    CglProgram program, empty;
    ASSERT_TRUE(program.Link(vertex.id, fragment.id));
    StderrCapture printed;
    EXPECT_TRUE(program.HasParameter("colour"));
    EXPECT_FALSE(program.HasParameter("unused")) << "dropped by the compiler";
    EXPECT_FALSE(program.HasParameter("nothere"));
    rec::Start();
    EXPECT_FALSE(empty.HasParameter("colour"));
    rec::Stop();
    EXPECT_TRUE(rec::Calls().empty());
    EXPECT_EQ(printed.Text(), "");
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_TRUE(GlNoError());
}

TEST_F(ModernProgramTest, UniformBlockSharedByTwoProgramsReadsTheBufferAtItsBinding) {
    const std::string block =
        "#version 330 core\nlayout(std140) uniform Shared { vec4 colour; vec4 scale; };\n"
        "out vec4 c;\nvoid main() { c = colour";
    CglShader plain, scaled;
    Compile(plain, (block + "; }\n").c_str(), GL_FRAGMENT_SHADER);
    Compile(scaled, (block + " * scale; }\n").c_str(), GL_FRAGMENT_SHADER);
    CglProgram first, second;
    ASSERT_TRUE(first.Link(vertex.id, plain.id)) << first.statusMessage;
    ASSERT_TRUE(second.Link(vertex.id, scaled.id)) << second.statusMessage;
    // Two copies of the block, the second where a range may start.
    GLint align = Integer(GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT) / sizeof(float);
    std::vector<float> values(align + 8, 0.0f);
    const float copies[2][8] = {{1, 0, 0, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1, 0, 1}};
    std::copy(copies[0], copies[0] + 8, values.begin());
    std::copy(copies[1], copies[1] + 8, values.begin() + align);
    BufferDesc desc{static_cast<GLsizeiptr>(values.size() * sizeof(float)), GL_STATIC_DRAW};
    BufferData data{reinterpret_cast<const GLubyte*>(values.data())};
    GLuint buffer = 0;
    ASSERT_FALSE(glCreateVertexBuffer(&desc, &data, &buffer));
    first.SetUniformBlockBinding("Shared", 2);
    second.SetUniformBlockBinding("Shared", 5);
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), 0) << "neither was bound";
    glBindBufferToIndex(GL_UNIFORM_BUFFER, 2, buffer, 0, 0);
    glBindBufferToIndex(GL_UNIFORM_BUFFER, 5, buffer, align * sizeof(float), 32);
    EXPECT_EQ(Fill(first), "255,0,0");
    EXPECT_EQ(Fill(second), "0,255,0") << "the second copy, scaled";

    StderrCapture printed;
    rec::Start();
    first.SetUniformBlockBinding("Nothere", 1);
    rec::Stop();
    EXPECT_EQ(printed.Text(), "Error setting uniform block 'Nothere'\n");
    EXPECT_THAT(rec::Names(), ElementsAre("glGetUniformBlockIndex"));
    glBindBufferToIndex(GL_UNIFORM_BUFFER, 2, 0, 0, 0);
    glBindBufferToIndex(GL_UNIFORM_BUFFER, 5, 0, 0, 0);
    glDeleteBuffers(1, &buffer);
    EXPECT_TRUE(GlNoError());
}

TEST_F(ModernProgramTest, ComputeProgramWritesAnImageAndAStorageBufferBeforeItsBarrier) {
    // The run that hides ARB_shader_objects leaves the loader without glGetProgramResourceIndex.
    if (!HasGlsl(4.3) || glGetProgramResourceIndex == nullptr) {
        GTEST_SKIP() << "no compute shaders and storage blocks here (softpipe has GLSL 3.30)";
    }
    CglShader compute;
    Compile(compute, R"(#version 430 core
layout(local_size_x = 4, local_size_y = 4) in;
layout(rgba8) uniform writeonly image2D target;
layout(std430) buffer Written { uint cells[]; };
void main() {
    uvec2 at = gl_GlobalInvocationID.xy;
    imageStore(target, ivec2(at), vec4(vec2(at) * 32.0 / 255.0, 1.0, 1.0));
    cells[at.y * 8u + at.x] = at.x * 10u + at.y;
}
)",
            GL_COMPUTE_SHADER);
    CglProgram program;
    ASSERT_TRUE(program.Link(compute.id)) << program.statusMessage;
    TextureDesc desc(8, 8, GL_RGBA8);
    TextureData nothing(nullptr, GL_RGBA, GL_UNSIGNED_BYTE);
    GLuint image = glCreateTexture(&desc, &nothing, &kglSamplerClampLinear);
    const std::vector<GLuint> zeros(64, 0);
    BufferDesc bufferDesc{static_cast<GLsizeiptr>(zeros.size() * sizeof(GLuint)), GL_DYNAMIC_DRAW};
    BufferData bufferData{reinterpret_cast<const GLubyte*>(zeros.data())};
    GLuint cells = 0;
    ASSERT_FALSE(glCreateVertexBuffer(&bufferDesc, &bufferData, &cells));
    glBindImageToUnit(1, image, 0, false, 0, GL_WRITE_ONLY, GL_RGBA8);
    GLint layered = -1;
    glGetIntegeri_v(GL_IMAGE_BINDING_LAYERED, 1, &layered);
    EXPECT_EQ(layered, GL_FALSE);
    program.SetStorageBlockBinding("Written", 3);
    glBindBufferToIndex(GL_SHADER_STORAGE_BUFFER, 3, cells, 0, 0);
    program.Bind();
    program.SetParameter1i("target", 1);
    glUseProgram(0);
    rec::Start();
    program.Dispatch(2, 2, 1, GL_TEXTURE_UPDATE_BARRIER_BIT | GL_BUFFER_UPDATE_BARRIER_BIT);
    program.Dispatch(2, 2, 1, 0);
    rec::Stop();
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), static_cast<GLint>(program.id));
    EXPECT_THAT(rec::CallsTo("glMemoryBarrier"),
                ElementsAre(rec::Call("glMemoryBarrier", {rec::Enum(GL_TEXTURE_UPDATE_BARRIER_BIT |
                                                                    GL_BUFFER_UPDATE_BARRIER_BIT)})));

    GLubyte texels[8 * 8 * 4] = {};
    glBindTexture(GL_TEXTURE_2D, image);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_THAT(std::vector<GLubyte>(&texels[(6 * 8 + 5) * 4], &texels[(6 * 8 + 6) * 4]),
                ElementsAre(160, 192, 255, 255));
    GLuint written[64] = {};
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, cells);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof written, written);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    EXPECT_EQ(written[6 * 8 + 5], 56u);
    EXPECT_EQ(written[63], 77u) << "every work group ran";

    StderrCapture printed;
    program.SetStorageBlockBinding("Nothere", 1);
    EXPECT_EQ(printed.Text(), "Error setting storage block 'Nothere'\n");
    glBindBufferToIndex(GL_SHADER_STORAGE_BUFFER, 3, 0, 0, 0);
    glDeleteBuffers(1, &cells);
    glDeleteTextures(1, &image);
    EXPECT_TRUE(GlNoError());
}

// ---- the run with ARB_shader_objects hidden from the loader ----

// The whole suite above runs with the extension hidden too; this checks that the core entry points,
// and no null ARB pointer, carried the compile, the link and their logs.
class WithoutArbShaderObjects : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (DriverHasExtension("GL_ARB_shader_objects") || glGetObjectParameterivARB != nullptr) {
            GTEST_SKIP() << "ARB_shader_objects is present in this run";
        }
    }
};

TEST_F(WithoutArbShaderObjects, CoreEntryPointsStandInForTheArbOnes) {
    CglShader vertex, fragment, broken;
    CglProgram program, failed;
    ASSERT_TRUE(fragment.CompileFromSource(kFragment, GL_FRAGMENT_SHADER, 0, 0));
    rec::Start();
    ASSERT_TRUE(vertex.CompileFromSource(kVertex, GL_VERTEX_SHADER, 0, 0));
    StderrCapture printed;
    EXPECT_FALSE(broken.CompileFromSource(kBrokenVertex, GL_VERTEX_SHADER, 0, 0));
    printed.Text();
    EXPECT_TRUE(program.Link(vertex.id, fragment.id));
    EXPECT_FALSE(failed.Link(broken.id, fragment.id));
    GLuint deleted = vertex.id;
    vertex.Destroy();
    rec::Stop();

    EXPECT_EQ(printed.Text(), ShaderLog(broken.id) + " \n");
    EXPECT_EQ(failed.statusMessage, ProgramLog(failed.id));
    EXPECT_THAT(
        rec::CallsTo("glGetShaderiv"),
        ElementsAre(
            rec::Call("glGetShaderiv", {rec::Int(deleted), rec::Enum(GL_COMPILE_STATUS)}, rec::Int(1)),
            rec::Call("glGetShaderiv", {rec::Int(broken.id), rec::Enum(GL_COMPILE_STATUS)}, rec::Int(0))));
    EXPECT_EQ(rec::CountOf("glGetShaderInfoLog"), 1u);
    EXPECT_EQ(rec::CallsTo("glCreateProgram"),
              (std::vector<std::string>{rec::Call("glCreateProgram", {}, rec::Int(program.id)),
                                        rec::Call("glCreateProgram", {}, rec::Int(failed.id))}));
    EXPECT_EQ(rec::CountOf("glGetProgramiv"), 2u);
    EXPECT_EQ(rec::CountOf("glGetProgramInfoLog"), 1u);
    EXPECT_THAT(rec::CallsTo("glDeleteShader"),
                ElementsAre(rec::Call("glDeleteShader", {rec::Int(deleted)})));
    EXPECT_TRUE(GlNoError());
}

// ---- the run without the loader ----

class WithoutLoader : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (glCreateShader != nullptr) {
            GTEST_SKIP() << "the loader is initialised in this run";
        }
    }
};

TEST_F(WithoutLoader, EveryOperationSaysWhatIsMissingAndFails) {
    ScratchDir scratch;
    std::string file = scratch.Write("plain.vert", kVertex);
    ASSERT_FALSE(file.empty());
    const float values[16] = {};

    StderrCapture printed;
    {
        CglShader shader;
        EXPECT_FALSE(shader.CompileFromSource(kVertex, GL_VERTEX_SHADER, 0, 0));
        EXPECT_FALSE(shader.LoadFromFile(file.c_str(), GL_VERTEX_SHADER, 0, 0));
        EXPECT_EQ(shader.id, 0u);
        EXPECT_STREQ(shader.statusMessage, "");

        CglProgram program;
        EXPECT_FALSE(program.Link(1, 2));
        EXPECT_FALSE(program.Link(1, 2, 3));
        EXPECT_EQ(program.id, 0u);
        program.Bind();
        program.Unbind();
        program.SetParameter1f("a", 1.0f);
        program.SetParameter2f("a", 1.0f, 2.0f);
        program.SetParameter3f("a", 1.0f, 2.0f, 3.0f);
        program.SetParameter4f("a", 1.0f, 2.0f, 3.0f, 4.0f);
        program.SetParameterMatrix4("a", values, true);
        program.SetParameterArray("a", values, 2, 1);
        program.BindTexture("tex", 0, GL_TEXTURE_2D, 1);
        const GLuint shaders[] = {1, 2};
        EXPECT_FALSE(program.Link(1));
        EXPECT_FALSE(program.Link(shaders, 2));
        EXPECT_FALSE(program.LoadFromFiles(file.c_str(), file.c_str()));
        program.id = 5; // as if made elsewhere, so that HasParameter gets as far as its entry point
        EXPECT_FALSE(program.HasParameter("a"));
        program.id = 0;
        program.SetUniformBlockBinding("b", 1);
        program.SetStorageBlockBinding("b", 1);
        program.Dispatch(1, 1, 1, GL_ALL_BARRIER_BITS);
    }
    EXPECT_EQ(printed.Text(),
              "CglShader::CompileFromSource ERROR: glCreateShader is not available\n"
              "CglShader::LoadFromFile ERROR: glCreateShader is not available\n"
              "CglProgram::Link ERROR: glCreateProgramObjectARB is not available\n"
              "CglProgram::Link ERROR: glCreateProgram is not available\n"
              "CglProgram::Bind ERROR: glUseProgram is not available\n"
              "CglProgram::Unbind ERROR: glUseProgram is not available\n"
              "CglProgram::SetParameter1f ERROR: glGetUniformLocation is not available\n"
              "CglProgram::SetParameter2f ERROR: glGetUniformLocation is not available\n"
              "CglProgram::SetParameter3f ERROR: glGetUniformLocation is not available\n"
              "CglProgram::SetParameter4f ERROR: glGetUniformLocation is not available\n"
              "CglProgram::SetParameterMatrix4 ERROR: glGetUniformLocation is not available\n"
              "CglProgram::SetParameterArray ERROR: glGetUniformLocation is not available\n"
              "CglProgram::BindTexture ERROR: glGetUniformLocation is not available\n"
              "CglProgram::Link ERROR: glCreateProgram is not available\n"
              "CglProgram::Link ERROR: glCreateProgram is not available\n"
              "CglProgram::LoadFromFiles ERROR: glCreateShader is not available\n"
              "CglProgram::HasParameter ERROR: glGetUniformLocation is not available\n"
              "CglProgram::SetUniformBlockBinding ERROR: glGetUniformBlockIndex is not available\n"
              "CglProgram::SetStorageBlockBinding ERROR: glGetProgramResourceIndex is not "
              "available\n"
              "CglProgram::Dispatch ERROR: glUseProgram is not available\n");

    StderrCapture integerSetters;
    {
        CglProgram program;
        const GLint integers[4] = {};
        program.SetParameter1i("a", 1);
        program.SetParameter2i("a", 1, 2);
        program.SetParameter3i("a", 1, 2, 3);
        program.SetParameter4i("a", 1, 2, 3, 4);
        program.SetParameter1ui("a", 1);
        program.SetParameter2ui("a", 1, 2);
        program.SetParameter3ui("a", 1, 2, 3);
        program.SetParameter4ui("a", 1, 2, 3, 4);
        program.SetParameterMatrix2("a", values, false);
        program.SetParameterMatrix3("a", values, false);
        program.SetParameterArrayi("a", integers, 4, 1);
    }
    std::string expected;
    for (const char* setter :
         {"1i", "2i", "3i", "4i", "1ui", "2ui", "3ui", "4ui", "Matrix2", "Matrix3", "Arrayi"}) {
        expected += std::string("CglProgram::SetParameter") + setter +
                    " ERROR: glGetUniformLocation is not available\n";
    }
    EXPECT_EQ(integerSetters.Text(), expected);
    EXPECT_TRUE(GlNoError());
}

} // namespace
