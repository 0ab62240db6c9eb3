// Misuse named rather than a crash: null arguments, each refused with one line before it reaches GL or
// the C library.
#include "GlTest.h"
#include "glBuffer.h"
#include "glFramebuffer.h"
#include "glOffscreenBuffer.h"
#include "glProgram.h"
#include "glTexture.h"

#include <functional>
#include <string>

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

} // namespace
