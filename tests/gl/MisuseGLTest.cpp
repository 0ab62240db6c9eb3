// Misuse named rather than a crash: null arguments, each refused with one line before it reaches GL or
// the C library; and the validation mode's line for each mistake it looks for.
#include "GlTest.h"
#include "glBuffer.h"
#include "glFramebuffer.h"
#include "glOffscreenBuffer.h"
#include "glProgram.h"
#include "glTexture.h"
#include "glValidation.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using MisuseTest = GlTest;

struct NullCase {
    const char* line;
    std::function<void()> call;
};

TEST_F(MisuseTest, NullArgumentsAreNamedAndNeverPassedOn) {
    const char vertex[] = "#version 120\nvoid main() { gl_Position = gl_Vertex; }\n";
    const char fragment[] = "#version 120\nuniform vec4 tint;\nvoid main() { gl_FragColor = tint; }\n";
    CglShader shaders[2];
    CglProgram program;
    ASSERT_TRUE(shaders[0].CompileFromSource(vertex, GL_VERTEX_SHADER, 0, 0));
    ASSERT_TRUE(shaders[1].CompileFromSource(fragment, GL_FRAGMENT_SHADER, 0, 0));
    ASSERT_TRUE(program.Link(shaders[0].id, shaders[1].id));
    program.Bind();
    CglFrameBuffer framebuffer;
    framebuffer.GenerateId();
    CglOffscreenBuffer offscreen;
    offscreen.Create(4, 4, GL_RGBA8, GL_DEPTH_COMPONENT24);
    const float floats[16] = {};
    const GLenum target = GL_TEXTURE_2D;
    const GLuint name = 0;
    TextureData noPixels;
    const NullCase cases[] = {
        {"CglShader::CompileFromSource ERROR: source is null\n",
         [&] { EXPECT_FALSE(shaders[0].CompileFromSource(nullptr, GL_VERTEX_SHADER, 0, 0)); }},
        {"CglShader::LoadFromFile ERROR: path is null\n",
         [&] { EXPECT_FALSE(shaders[0].LoadFromFile(nullptr, GL_VERTEX_SHADER, 0, 0)); }},
        {"CglProgram::SetParameter1f ERROR: name is null\n", [&] { program.SetParameter1f(nullptr, 1); }},
        {"CglProgram::SetParameter4f ERROR: name is null\n",
         [&] { program.SetParameter4f(nullptr, 1, 2, 3, 4); }},
        {"CglProgram::SetParameter2i ERROR: name is null\n", [&] { program.SetParameter2i(nullptr, 1, 2); }},
        {"CglProgram::SetParameter3ui ERROR: name is null\n",
         [&] { program.SetParameter3ui(nullptr, 1, 2, 3); }},
        {"CglProgram::SetParameterMatrix4 ERROR: name is null\n",
         [&] { program.SetParameterMatrix4(nullptr, floats, false); }},
        {"CglProgram::SetParameterMatrix2 ERROR: matrix is null\n",
         [&] { program.SetParameterMatrix2("tint", nullptr, false); }},
        {"CglProgram::SetParameterMatrix3 ERROR: matrix is null\n",
         [&] { program.SetParameterMatrix3("tint", nullptr, true); }},
        {"CglProgram::SetParameterMatrix4 ERROR: matrix is null\n",
         [&] { program.SetParameterMatrix4("tint", nullptr, false); }},
        {"CglProgram::SetParameterArray ERROR: name is null\n",
         [&] { program.SetParameterArray(nullptr, floats, 4, 1); }},
        {"CglProgram::SetParameterArray ERROR: values is null\n",
         [&] { program.SetParameterArray("tint", nullptr, 4, 1); }},
        {"CglProgram::SetParameterArrayi ERROR: values is null\n",
         [&] { program.SetParameterArrayi("tint", nullptr, 4, 1); }},
        {"CglProgram::BindTexture ERROR: name is null\n",
         [&] { program.BindTexture(nullptr, 0, GL_TEXTURE_2D, 1); }},
        {"CglFrameBuffer::AttachTextures ERROR: targets is null\n",
         [&] { framebuffer.AttachTextures(1, nullptr, &name, nullptr, nullptr, nullptr); }},
        {"CglFrameBuffer::AttachTextures ERROR: texIds is null\n",
         [&] { framebuffer.AttachTextures(1, &target, nullptr, nullptr, nullptr, nullptr); }},
        {"CglFrameBuffer::AttachRenderBuffers ERROR: renderBufferIds is null\n",
         [&] { framebuffer.AttachRenderBuffers(2, nullptr, nullptr); }},
        {"glUpdateTexture2D() : data is null\n",
         [&] { EXPECT_FALSE(glUpdateTexture2D(1, 0, 0, 0, 1, 1, nullptr)); }},
        {"glUpdateTexture2D() : data->pixels is null\n",
         [&] { EXPECT_FALSE(glUpdateTexture2D(1, 0, 0, 0, 1, 1, &noPixels)); }},
        {"glUpdateVertexBuffer() : data is null\n",
         [&] { EXPECT_FALSE(glUpdateVertexBuffer(1, 0, 4, nullptr)); }},
        {"CglProgram::Link ERROR: shaders is null\n", [&] { EXPECT_FALSE(program.Link(nullptr, 2)); }},
        {"CglProgram::HasParameter ERROR: name is null\n",
         [&] { EXPECT_FALSE(program.HasParameter(nullptr)); }},
        {"CglProgram::SetUniformBlockBinding ERROR: block is null\n",
         [&] { program.SetUniformBlockBinding(nullptr, 1); }},
        {"CglProgram::SetStorageBlockBinding ERROR: block is null\n",
         [&] { program.SetStorageBlockBinding(nullptr, 1); }},
        {"CglOffscreenBuffer::ReadColor ERROR: rgba is null\n",
         [&] { EXPECT_FALSE(offscreen.ReadColor(0, 0, 1, 1, nullptr)); }},
        {"CglOffscreenBuffer::ReadPixels ERROR: pixels is null\n",
         [&] { EXPECT_FALSE(offscreen.ReadPixels(0, 0, 1, 1, GL_RGBA, GL_FLOAT, nullptr)); }},
        {"glDeleteRenderBuffer() : renderBuffer is null\n", [&] { glDeleteRenderBuffer(nullptr); }},
    };
    for (const NullCase& entry : cases) {
        SCOPED_TRACE(entry.line);
        StderrCapture printed;
        rec::Start();
        entry.call();
        rec::Stop();
        EXPECT_EQ(printed.Text(), entry.line);
        EXPECT_TRUE(rec::Calls().empty()) << rec::Calls().front();
    }
    program.Unbind();
    EXPECT_TRUE(GlNoError());
}

// Validation on for one test, off again after it.
class ValidationTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        glSetValidation(true);
    }
    void TearDown() override {
        glSetValidation(false);
        GlTest::TearDown();
    }
};

// The lines of `text` that begin with `prefix`.
std::vector<std::string> LinesOf(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool DebugOutputOffered() {
    GLint major = Integer(GL_MAJOR_VERSION), minor = Integer(GL_MINOR_VERSION);
    return major > 4 || (major == 4 && minor >= 3) || DriverHasExtension("GL_KHR_debug");
}

TEST_F(ValidationTest, EachMistakeIsNamedWithItsFix) {
    const char vertex[] = "#version 120\nvoid main() { gl_Position = gl_Vertex; }\n";
    const char fragment[] = "#version 120\nuniform vec4 tint;\nuniform sampler2D image;\n"
                            "void main() { gl_FragColor = tint * texture2D(image, vec2(0.5)); }\n";
    CglShader shaders[2];
    CglProgram drawn, other;
    ASSERT_TRUE(shaders[0].CompileFromSource(vertex, GL_VERTEX_SHADER, 0, 0));
    ASSERT_TRUE(shaders[1].CompileFromSource(fragment, GL_FRAGMENT_SHADER, 0, 0));
    ASSERT_TRUE(drawn.Link(shaders[0].id, shaders[1].id));
    ASSERT_TRUE(other.Link(shaders[0].id, shaders[1].id));
    const std::string drawnId = std::to_string(drawn.id), otherId = std::to_string(other.id);
    GLuint cube = 0;
    glGenTextures(1, &cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    CglFrameBuffer framebuffer, neverMade;
    framebuffer.GenerateId();
    GLuint created = 0;

    struct Case {
        std::string line;
        std::function<void()> mistake;
    };
    const Case cases[] = {
        {"CglProgram::SetParameter4f VALIDATION: program " + drawnId + " is not current, program " + otherId +
             " is, and the value goes to the current one: call Bind first",
         [&] {
             other.Bind();
             drawn.SetParameter4f("tint", 1, 0, 0, 1);
         }},
        {"CglProgram::BindTexture VALIDATION: made program " + drawnId + " current in place of program " +
             otherId +
             ", which later uniform calls and draws no longer reach: bind the program you draw with "
             "again",
         [&] {
             other.Bind();
             drawn.BindTexture("image", 0, GL_TEXTURE_2D, 1);
         }},
        {"CglFrameBuffer::CheckStatus VALIDATION: the object holds no framebuffer, so the window's "
         "framebuffer "
         "(0) takes the operation: call GenerateId first",
         [&] { neverMade.CheckStatus(); }},
        {"CglFrameBuffer::AttachTexture VALIDATION: GL_TEXTURE_CUBE_MAP is a whole cube map, which the 2D "
         "attach call cannot take: attach one face (GL_TEXTURE_CUBE_MAP_POSITIVE_X + i), or all six with "
         "AttachLayered",
         [&] { framebuffer.AttachTexture(GL_TEXTURE_CUBE_MAP, cube, GL_COLOR_ATTACHMENT0, 0, 0); }},
        {"glCreateTexture() VALIDATION: the minifying filter GL_LINEAR_MIPMAP_LINEAR reads mipmaps, but the "
         "texture gets level 0 alone and samples black: set mipLevels 0 (GL_TEXTURE_2D), or take a filter "
         "without mipmaps (GL_LINEAR)",
         [&] {
             TextureDesc desc(4, 4, GL_RGBA8);
             TextureData data(nullptr, GL_RGBA, GL_UNSIGNED_BYTE);
             created = glCreateTexture(&desc, &data, &kglSamplerRepeatMipmapped);
         }},
        {"glApplyDepthStencilState() VALIDATION: its GL calls left GL_INVALID_ENUM queued: an argument or "
         "the "
         "object's state is not what GL accepts there",
         [&] {
             DepthStencilState state = kglDepthLess;
             state.depthFunc = GL_TEXTURE_2D;
             glApplyDepthStencilState(&state, 0);
         }},
        {"glApplyViewportState() VALIDATION: GL_INVALID_VALUE was queued before the operation began: a GL "
         "call of the program raised it (check for errors after your own calls to find which)",
         [&] {
             glViewport(0, 0, -1, -1);
             ViewportState window(320, 240, 0.0f, 1.0f);
             glApplyViewportState(&window);
         }},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.line);
        StderrCapture printed;
        entry.mistake();
        std::vector<std::string> ours = LinesOf(printed.Text(), entry.line.substr(0, entry.line.find(' ')));
        ASSERT_FALSE(ours.empty()) << printed.Text();
        EXPECT_EQ(ours.front(), entry.line);
        // The attach call's own error, as the driver words it, where the context offers debug output
        // (OpenGL 4.3, or the extension), and no such line where it does not.
        if (entry.line.find("whole cube map") != std::string::npos) {
            EXPECT_EQ(LinesOf(printed.Text(), "GL driver VALIDATION: GL_INVALID_OPERATION").size(),
                      DebugOutputOffered() ? 1u : 0u);
        }
    }
    // Where nothing is wrong, validation says nothing and the values arrive: BindTexture with no program
    // current or its own, a setter on the current program.
    {
        glUseProgram(0);
        StderrCapture printed;
        drawn.BindTexture("image", 0, GL_TEXTURE_2D, 2);
        drawn.SetParameter4f("tint", 0.25f, 0.5f, 0.75f, 1.0f);
        drawn.BindTexture("image", 0, GL_TEXTURE_2D, 3);
        EXPECT_EQ(printed.Text(), "");
        GLfloat tint[4] = {};
        glGetUniformfv(drawn.id, glGetUniformLocation(drawn.id, "tint"), tint);
        EXPECT_EQ(tint[2], 0.75f);
        GLint unit = 0;
        glGetUniformiv(drawn.id, glGetUniformLocation(drawn.id, "image"), &unit);
        EXPECT_EQ(unit, 3);
    }
    drawn.Unbind();
    glDeleteTextures(1, &cube);
    glDeleteTextures(1, &created);
    EXPECT_TRUE(GlNoError()) << "validation took every error it named";
}

} // namespace
