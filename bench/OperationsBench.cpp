// Each main operation of the library beside its raw twin: the same GL calls, with the same arguments and
// the same guards, written out by hand for the context the program runs on. Whatever the library costs
// beyond its twin is its own overhead.
//
//   vistrel_operations_bench [--core] [Google Benchmark options]
//       wall time of every pair, on a compatibility context or, with --core, on a 3.3 core profile;
//   vistrel_operations_bench [--core] --instructions=N
//       runs each side of each pair a few times to warm up and then exactly N times, outside any
//       timing loop, telling callgrind to zero its counters before the N and to dump them after, with
//       the label "<operation>|<context>|<library or raw>". scripts/bench --instructions turns the dumps
//       into a table.
//
// Run on an X display (scripts/bench starts a virtual one).
#include <GL/glew.h>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <benchmark/benchmark.h>
#include <vistrel/glBuffer.h>
#include <vistrel/glFramebuffer.h>
#include <vistrel/glOffscreenBuffer.h>
#include <vistrel/glProgram.h>
#include <vistrel/glTexture.h>
#include <vistrel/glVertexArray.h>

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define VISTREL_HAVE_CALLGRIND 1
#else
#define VISTREL_HAVE_CALLGRIND 0
#endif

#define VISTREL_NOINLINE __attribute__((noinline))

namespace {

// ---- what every operation works on, made once ----

constexpr GLsizei kTargetSize = 64; // framebuffer and offscreen target, in pixels
// A renderbuffer as render targets have them: the driver clears its storage, so its cost grows with the
// size while the library's stays the same.
constexpr GLsizei kRenderbufferSize = 256;
constexpr GLsizei kTextureSize = 16; // the created texture, in texels
constexpr GLsizeiptr kBufferBytes = 256;

const char* const kVertexCompatibility = "#version 120\n"
                                         "attribute vec4 position;\n"
                                         "uniform mat4 transform;\n"
                                         "uniform float scale;\n"
                                         "void main() { gl_Position = transform * (position * scale); }\n";
const char* const kFragmentCompatibility = "#version 120\n"
                                           "uniform vec4 tint;\n"
                                           "void main() { gl_FragColor = tint; }\n";
const char* const kVertexCore = "#version 330 core\n"
                                "in vec4 position;\n"
                                "uniform mat4 transform;\n"
                                "uniform float scale;\n"
                                "void main() { gl_Position = transform * (position * scale); }\n";
const char* const kFragmentCore = "#version 330 core\n"
                                  "uniform vec4 tint;\n"
                                  "out vec4 color;\n"
                                  "void main() { color = tint; }\n";

// A program with the integer, unsigned and 3x3 matrix uniforms, for their setters.
const char* const kIntegerVertexCompatibility =
    "#version 130\n"
    "uniform int pick;\n"
    "uniform uvec4 mask;\n"
    "uniform mat3 turn;\n"
    "void main() { gl_Position = vec4(turn[pick] * float(mask.x), 1.0); }\n";
const char* const kIntegerFragmentCompatibility = "#version 130\nvoid main() { gl_FragColor = vec4(1.0); }\n";
const char* const kIntegerVertexCore =
    "#version 330 core\n"
    "uniform int pick;\n"
    "uniform uvec4 mask;\n"
    "uniform mat3 turn;\n"
    "void main() { gl_Position = vec4(turn[pick] * float(mask.x), 1.0); }\n";
const char* const kIntegerFragmentCore =
    "#version 330 core\nout vec4 color;\nvoid main() { color = vec4(1.0); }\n";

// A program with a uniform block, and a compute program, alike on both contexts.
const char* const kBlockVertex = "#version 330\nvoid main() { gl_Position = vec4(0.0); }\n";
const char* const kBlockFragment =
    "#version 330\nlayout(std140) uniform Shared { vec4 tint; };\nout vec4 color;\n"
    "void main() { color = tint; }\n";
const char* const kCompute = "#version 430\nlayout(local_size_x = 1) in;\n"
                             "layout(std430, binding = 0) buffer Out { uint written; };\n"
                             "void main() { written = 1u; }\n";

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
const float kNoBorder[4] = {0.0f, 0.0f, 0.0f, 0.0f};

struct Scene {
    bool core = false;
    const char* vertexSource = nullptr;
    const char* fragmentSource = nullptr;
    // A hand-written program knows its sources' lengths; the library measures them.
    GLint vertexLength = 0;
    GLint fragmentLength = 0;

    CglShader vertex;
    CglShader fragment;
    CglProgram program; // linked and current for the uniform operations
    CglShader integerVertex;
    CglShader integerFragment;
    CglProgram integerProgram; // current only during its own uniform operation

    GLuint attachedTexture = 0; // the framebuffer's colour image
    CglFrameBuffer framebuffer;
    CglOffscreenBuffer offscreen;

    TextureDesc textureDesc{GL_TEXTURE_2D};
    TextureData textureData;
    TextureSampler sampler;
    std::vector<GLubyte> texels;

    BufferDesc bufferDesc{kBufferBytes, GL_STATIC_DRAW};
    BufferData bufferData{nullptr};
    std::vector<GLubyte> bufferBytes;

    GLuint updatedBuffer = 0;  // a buffer of kBufferBytes whose middle half is replaced
    GLuint updatedTexture = 0; // a kTextureSize square texture replaced whole
    std::vector<GLubyte> readBack;

    CglVertexArray triangle; // three vertices at the origin, drawn in four instances
    CglShader blockVertex;
    CglShader blockFragment;
    CglProgram blockProgram; // declares the uniform block Shared
    CglShader computeShader;
    CglProgram computeProgram; // empty when the context has no compute shaders
};

Scene* scene = nullptr;
bool exposed = false;

// ---- the raw twins' framebuffer families ----

// The library takes EXT_framebuffer_object's calls on a compatibility context that lists it and the
// core calls on a core profile; a program written for one context names one family.
struct ExtFramebuffers {
    static void Bind(GLuint fbo) { glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo); }
    static void Texture2D(GLenum attachment, GLuint texture) {
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, attachment, GL_TEXTURE_2D, texture, 0);
    }
    static GLenum Completeness() { return glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT); }
    static GLenum ReadCompleteness() { return glCheckFramebufferStatusEXT(GL_READ_FRAMEBUFFER); }
    static void BindRead(GLuint fbo) { glBindFramebufferEXT(GL_READ_FRAMEBUFFER, fbo); }
    static void BindDraw(GLuint fbo) { glBindFramebufferEXT(GL_DRAW_FRAMEBUFFER, fbo); }
    static void Blit(GLint size, GLenum filter) {
        glBlitFramebufferEXT(0, 0, size, size, 0, 0, size, size, GL_COLOR_BUFFER_BIT, filter);
    }
    static void GenRenderbuffers(GLuint* renderbuffer) { glGenRenderbuffersEXT(1, renderbuffer); }
    static void BindRenderbuffer(GLuint renderbuffer) {
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, renderbuffer);
    }
    static void RenderbufferStorage(GLsizei size) {
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, size, size);
    }
    static void DeleteRenderbuffers(GLuint* renderbuffer) { glDeleteRenderbuffersEXT(1, renderbuffer); }
};

struct CoreFramebuffers {
    static void Bind(GLuint fbo) { glBindFramebuffer(GL_FRAMEBUFFER, fbo); }
    static void Texture2D(GLenum attachment, GLuint texture) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, texture, 0);
    }
    static GLenum Completeness() { return glCheckFramebufferStatus(GL_FRAMEBUFFER); }
    static GLenum ReadCompleteness() { return glCheckFramebufferStatus(GL_READ_FRAMEBUFFER); }
    static void BindRead(GLuint fbo) { glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo); }
    static void BindDraw(GLuint fbo) { glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fbo); }
    static void Blit(GLint size, GLenum filter) {
        glBlitFramebuffer(0, 0, size, size, 0, 0, size, size, GL_COLOR_BUFFER_BIT, filter);
    }
    static void GenRenderbuffers(GLuint* renderbuffer) { glGenRenderbuffers(1, renderbuffer); }
    static void BindRenderbuffer(GLuint renderbuffer) { glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer); }
    static void RenderbufferStorage(GLsizei size) {
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size, size);
    }
    static void DeleteRenderbuffers(GLuint* renderbuffer) { glDeleteRenderbuffers(1, renderbuffer); }
};

// The library's configuring operations bind the framebuffer for their own duration only, and only when
// it is not bound for both drawing and reading already; then they put back each binding they found.
struct Saved {
    GLint draw = 0;
    GLint read = 0;
};

template <typename Calls>
Saved SaveAndBind(GLuint fbo) {
    Saved saved;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &saved.draw);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &saved.read);
    if (saved.draw != static_cast<GLint>(fbo) || saved.read != static_cast<GLint>(fbo)) {
        Calls::Bind(fbo);
    }
    return saved;
}

template <typename Calls>
void Restore(GLuint fbo, const Saved& saved) {
    const GLint self = static_cast<GLint>(fbo);
    if (saved.draw == saved.read) {
        if (self != saved.draw) {
            Calls::Bind(static_cast<GLuint>(saved.draw));
        }
        return;
    }
    if (self != saved.draw) {
        Calls::BindDraw(static_cast<GLuint>(saved.draw));
    }
    if (self != saved.read) {
        Calls::BindRead(static_cast<GLuint>(saved.read));
    }
}

template <typename Calls>
void GuardedAttach(GLuint fbo, GLenum attachment, GLuint texture) {
    Saved saved = SaveAndBind<Calls>(fbo);
    Calls::Texture2D(attachment, texture);
    Restore<Calls>(fbo, saved);
}

// ---- uniforms set by name ----

VISTREL_NOINLINE void LibraryUniforms() {
    const CglProgram& program = scene->program;
    program.SetParameter1f("scale", 0.5f);
    program.SetParameter4f("tint", 1.0f, 0.5f, 0.25f, 1.0f);
    program.SetParameterMatrix4("transform", kIdentity, false);
}

VISTREL_NOINLINE void RawUniforms() {
    GLuint program = scene->program.id;
    GLint location = glGetUniformLocation(program, "scale");
    if (location >= 0) {
        glUniform1f(location, 0.5f);
    }
    location = glGetUniformLocation(program, "tint");
    if (location >= 0) {
        glUniform4f(location, 1.0f, 0.5f, 0.25f, 1.0f);
    }
    location = glGetUniformLocation(program, "transform");
    if (location >= 0) {
        glUniformMatrix4fv(location, 1, GL_FALSE, kIdentity);
    }
}

// ---- framebuffer: attach, completeness, bind, unbind ----

VISTREL_NOINLINE void LibraryFramebuffer() {
    CglFrameBuffer& framebuffer = scene->framebuffer;
    framebuffer.AttachTexture(GL_TEXTURE_2D, scene->attachedTexture, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    benchmark::DoNotOptimize(framebuffer.CheckStatus());
    framebuffer.Bind();
    CglFrameBuffer::Unbind();
}

template <typename Calls>
VISTREL_NOINLINE void RawFramebuffer() {
    GLuint fbo = scene->framebuffer.fboId;
    GuardedAttach<Calls>(fbo, GL_COLOR_ATTACHMENT0_EXT, scene->attachedTexture);
    Saved saved = SaveAndBind<Calls>(fbo);
    benchmark::DoNotOptimize(Calls::Completeness() == GL_FRAMEBUFFER_COMPLETE_EXT);
    Restore<Calls>(fbo, saved);
    Calls::Bind(fbo);
    Calls::Bind(0);
}

// ---- offscreen target: begin and end ----

VISTREL_NOINLINE void LibraryOffscreen() {
    scene->offscreen.BeginRender();
    scene->offscreen.EndRender();
}

template <typename Calls>
VISTREL_NOINLINE void RawOffscreen() {
    const CglOffscreenBuffer& target = scene->offscreen;
    Calls::Bind(target.fboId);
    GuardedAttach<Calls>(target.fboId, GL_COLOR_ATTACHMENT0_EXT, target.colorTexId);
    GuardedAttach<Calls>(target.fboId, GL_DEPTH_ATTACHMENT_EXT, target.depthTexId);
    glViewport(0, 0, kTargetSize, kTargetSize);
    glDepthRange(0.0, 1.0);
    Calls::Bind(0);
}

// ---- texture creation with a sampler, then deletion ----

VISTREL_NOINLINE void LibraryTexture() {
    GLuint texture = glCreateTexture(&scene->textureDesc, &scene->textureData, &scene->sampler);
    glDeleteTextures(1, &texture);
}

// The whole mipmap chain is asked for (mipLevels 0): GL_GENERATE_MIPMAP before the upload on a
// compatibility context, glGenerateMipmap after it on a core profile.
template <bool Core>
VISTREL_NOINLINE void RawTexture() {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (!Core) {
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, 1);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_LOD, 0.0f);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_LOD, FLT_MAX);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 1);
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, kNoBorder);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kTextureSize, kTextureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 scene->texels.data());
    if (Core) {
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
}

// ---- vertex buffer creation and deletion ----

VISTREL_NOINLINE void LibraryBuffer() {
    GLuint buffer = 0;
    benchmark::DoNotOptimize(glCreateVertexBuffer(&scene->bufferDesc, &scene->bufferData, &buffer));
    benchmark::DoNotOptimize(glDeleteVertexBuffer(&buffer));
}

// Both library functions end with one error check each.
VISTREL_NOINLINE void RawBuffer() {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, kBufferBytes, scene->bufferBytes.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    benchmark::DoNotOptimize(glGetError() != GL_NO_ERROR);
    glDeleteBuffers(1, &buffer);
    benchmark::DoNotOptimize(glGetError() != GL_NO_ERROR);
}

// ---- two shaders compiled and linked, then all three deleted ----

VISTREL_NOINLINE void LibraryCompileLink() {
    CglShader vertex;
    CglShader fragment;
    CglProgram program;
    vertex.CompileFromSource(scene->vertexSource, GL_VERTEX_SHADER, 0, 0);
    fragment.CompileFromSource(scene->fragmentSource, GL_FRAGMENT_SHADER, 0, 0);
    benchmark::DoNotOptimize(program.Link(vertex.id, fragment.id));
}

// On a compatibility context that lists ARB_shader_objects the library queries and deletes shaders
// with that extension's calls and makes a two-shader program with glCreateProgramObjectARB; a core
// profile gets the OpenGL 2.0 calls throughout. Creation, source, compile, attach and link are the 2.0
// calls on both.
template <bool Core>
GLuint RawCompile(GLenum type, const char* source, GLint length) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, &length);
    glCompileShader(shader);
    GLint compiled = 0;
    if (Core) {
        glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    } else {
        glGetObjectParameterivARB(shader, GL_OBJECT_COMPILE_STATUS_ARB, &compiled);
    }
    benchmark::DoNotOptimize(compiled);
    return shader;
}

template <bool Core>
VISTREL_NOINLINE void RawCompileLink() {
    GLuint vertex = RawCompile<Core>(GL_VERTEX_SHADER, scene->vertexSource, scene->vertexLength);
    GLuint fragment = RawCompile<Core>(GL_FRAGMENT_SHADER, scene->fragmentSource, scene->fragmentLength);
    GLuint program = Core ? glCreateProgram() : glCreateProgramObjectARB();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLint linked = 0;
    if (Core) {
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
    } else {
        glGetObjectParameterivARB(program, GL_OBJECT_LINK_STATUS_ARB, &linked);
    }
    benchmark::DoNotOptimize(linked);
    // The library's objects go in reverse order of construction: program, fragment, vertex.
    glDeleteProgram(program);
    if (Core) {
        glDeleteShader(fragment);
        glDeleteShader(vertex);
    } else {
        glDeleteObjectARB(fragment);
        glDeleteObjectARB(vertex);
    }
}

// ---- integer, unsigned and 3x3 matrix uniforms on a program made current for them ----

const float kTurn[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

VISTREL_NOINLINE void LibraryIntegerUniforms() {
    const CglProgram& program = scene->integerProgram;
    program.Bind();
    program.SetParameter1i("pick", 1);
    program.SetParameter4ui("mask", 1, 2, 3, 4);
    program.SetParameterMatrix3("turn", kTurn, false);
    scene->program.Bind();
}

VISTREL_NOINLINE void RawIntegerUniforms() {
    GLuint program = scene->integerProgram.id;
    glUseProgram(program);
    GLint location = glGetUniformLocation(program, "pick");
    if (location >= 0) {
        glUniform1i(location, 1);
    }
    location = glGetUniformLocation(program, "mask");
    if (location >= 0) {
        glUniform4ui(location, 1, 2, 3, 4);
    }
    location = glGetUniformLocation(program, "turn");
    if (location >= 0) {
        glUniformMatrix3fv(location, 1, GL_FALSE, kTurn);
    }
    glUseProgram(scene->program.id);
}

// ---- vertex array set up (a float and an integer attribute, an index buffer) and deleted ----

VISTREL_NOINLINE void LibraryVertexArray() {
    CglVertexArray array;
    benchmark::DoNotOptimize(array.Create());
    GLuint buffer = scene->updatedBuffer;
    array.SetAttribute(0, buffer, 4, GL_FLOAT, false, 0, 0);
    array.SetIntegerAttribute(1, buffer, 1, GL_INT, 0, 16);
    array.SetIndexBuffer(buffer);
}

VISTREL_NOINLINE void RawVertexArray() {
    GLuint array = 0;
    glGenVertexArrays(1, &array);
    GLuint buffer = scene->updatedBuffer;
    glBindVertexArray(array);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    glBindVertexArray(array);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribIPointer(1, 1, GL_INT, 0, reinterpret_cast<const void*>(16));
    glEnableVertexAttribArray(1);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    glBindVertexArray(array);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteVertexArrays(1, &array);
}

// ---- buffer and texture contents replaced, the texture put on unit 3 ----

VISTREL_NOINLINE void LibraryUpdates() {
    const GLubyte* bytes = scene->bufferBytes.data();
    benchmark::DoNotOptimize(
        glUpdateVertexBuffer(scene->updatedBuffer, kBufferBytes / 4, kBufferBytes / 2, bytes));
    benchmark::DoNotOptimize(
        glUpdateTexture2D(scene->updatedTexture, 0, 0, 0, kTextureSize, kTextureSize, &scene->textureData));
    glBindTextureToUnit(3, GL_TEXTURE_2D, scene->updatedTexture);
}

// The buffer update ends with one error check.
VISTREL_NOINLINE void RawUpdates() {
    glBindBuffer(GL_ARRAY_BUFFER, scene->updatedBuffer);
    glBufferSubData(GL_ARRAY_BUFFER, kBufferBytes / 4, kBufferBytes / 2, scene->bufferBytes.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    benchmark::DoNotOptimize(glGetError() != GL_NO_ERROR);
    glBindTexture(GL_TEXTURE_2D, scene->updatedTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kTextureSize, kTextureSize, GL_RGBA, GL_UNSIGNED_BYTE,
                    scene->texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0 + 3);
    glBindTexture(GL_TEXTURE_2D, scene->updatedTexture);
    glActiveTexture(GL_TEXTURE0);
}

// ---- the offscreen target's colour read back, 16 by 16 ----

VISTREL_NOINLINE void LibraryReadBack() {
    benchmark::DoNotOptimize(
        scene->offscreen.ReadColor(0, 0, kTextureSize, kTextureSize, scene->readBack.data()));
}

// Only the read binding moves, and only when it is not the target's.
template <typename Calls>
VISTREL_NOINLINE void RawReadBack() {
    GLuint fbo = scene->offscreen.fboId;
    GLint saved = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &saved);
    if (saved != static_cast<GLint>(fbo)) {
        Calls::BindRead(fbo);
    }
    if (Calls::ReadCompleteness() == GL_FRAMEBUFFER_COMPLETE_EXT) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kTextureSize, kTextureSize, GL_RGBA, GL_UNSIGNED_BYTE, scene->readBack.data());
    }
    if (saved != static_cast<GLint>(fbo)) {
        Calls::BindRead(static_cast<GLuint>(saved));
    }
}

// ---- an instanced draw from a vertex array ----

VISTREL_NOINLINE void LibraryDraw() {
    scene->triangle.Draw(GL_TRIANGLES, 0, 3, 4);
}

VISTREL_NOINLINE void RawDraw() {
    glBindVertexArray(scene->triangle.id);
    glDrawArraysInstanced(GL_TRIANGLES, 0, 3, 4);
    glBindVertexArray(0);
}

// ---- a uniform block pointed at a binding point ----

VISTREL_NOINLINE void LibraryBlockBinding() {
    scene->blockProgram.SetUniformBlockBinding("Shared", 1);
}

VISTREL_NOINLINE void RawBlockBinding() {
    GLuint program = scene->blockProgram.id;
    GLuint index = glGetUniformBlockIndex(program, "Shared");
    if (index != GL_INVALID_INDEX) {
        glUniformBlockBinding(program, index, 1);
    }
}

// ---- a compute dispatch with its barrier, the uniforms' program current again after it ----

VISTREL_NOINLINE void LibraryDispatch() {
    scene->computeProgram.Dispatch(1, 1, 1, GL_SHADER_STORAGE_BARRIER_BIT);
    scene->program.Bind();
}

VISTREL_NOINLINE void RawDispatch() {
    glUseProgram(scene->computeProgram.id);
    glDispatchCompute(1, 1, 1);
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT);
    glUseProgram(scene->program.id);
}

// ---- culling on, then the rasterizer's initial state again ----

VISTREL_NOINLINE void LibraryRasterState() {
    glApplyRasterState(&kglRasterCullBack);
    glApplyRasterState(&kglRasterDefault);
}

VISTREL_NOINLINE void RawRasterState() {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_POLYGON_OFFSET_FILL);
}

// ---- a renderbuffer of the target's size made and deleted ----

VISTREL_NOINLINE void LibraryRenderbuffer() {
    GLuint renderbuffer = glCreateRenderBuffer(GL_RGBA8, kRenderbufferSize, kRenderbufferSize, 0);
    glDeleteRenderBuffer(&renderbuffer);
}

template <typename Calls>
VISTREL_NOINLINE void RawRenderbuffer() {
    GLuint renderbuffer = 0;
    Calls::GenRenderbuffers(&renderbuffer);
    Calls::BindRenderbuffer(renderbuffer);
    Calls::RenderbufferStorage(kRenderbufferSize);
    Calls::BindRenderbuffer(0);
    if (renderbuffer != 0) {
        Calls::DeleteRenderbuffers(&renderbuffer);
    }
}

// ---- two draw buffers chosen for the framebuffer ----

const GLenum kTwoTargets[2] = {GL_COLOR_ATTACHMENT0_EXT, GL_COLOR_ATTACHMENT0_EXT + 1};

VISTREL_NOINLINE void LibraryDrawBuffers() {
    scene->framebuffer.SetDrawBuffers(2, kTwoTargets);
}

template <typename Calls>
VISTREL_NOINLINE void RawDrawBuffers() {
    GLuint fbo = scene->framebuffer.fboId;
    Saved saved = SaveAndBind<Calls>(fbo);
    glDrawBuffers(2, kTwoTargets);
    Restore<Calls>(fbo, saved);
}

// ---- the offscreen target's colour blitted to the framebuffer, 64 by 64 ----

VISTREL_NOINLINE void LibraryBlit() {
    scene->offscreen.BlitTo(&scene->framebuffer, 0, 0, kTargetSize, kTargetSize, 0, 0, kTargetSize,
                            kTargetSize, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

// Each binding moves only when it is not the one the blit needs.
template <typename Calls>
VISTREL_NOINLINE void RawBlit() {
    GLint read = static_cast<GLint>(scene->offscreen.fboId);
    GLint draw = static_cast<GLint>(scene->framebuffer.fboId);
    Saved saved;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &saved.draw);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &saved.read);
    if (read != saved.read) {
        Calls::BindRead(static_cast<GLuint>(read));
    }
    if (draw != saved.draw) {
        Calls::BindDraw(static_cast<GLuint>(draw));
    }
    Calls::Blit(kTargetSize, GL_NEAREST);
    if (draw != saved.draw) {
        Calls::BindDraw(static_cast<GLuint>(saved.draw));
    }
    if (read != saved.read) {
        Calls::BindRead(static_cast<GLuint>(saved.read));
    }
}

// ---- the pairs ----

struct Operation {
    const char* name;
    void (*library)();
    void (*raw)();
};

std::vector<Operation> FirstOperations(bool core) {
    if (core) {
        return {
            {"uniforms by name (1f, 4f, matrix4)", LibraryUniforms, RawUniforms},
            {"framebuffer attach, check, bind, unbind", LibraryFramebuffer, RawFramebuffer<CoreFramebuffers>},
            {"offscreen begin and end", LibraryOffscreen, RawOffscreen<CoreFramebuffers>},
            {"texture with sampler, create and delete", LibraryTexture, RawTexture<true>},
            {"vertex buffer create and delete", LibraryBuffer, RawBuffer},
            {"two shaders compiled and linked", LibraryCompileLink, RawCompileLink<true>},
            {"uniforms by name (1i, 4ui, matrix3)", LibraryIntegerUniforms, RawIntegerUniforms},
            {"vertex array set up and deleted", LibraryVertexArray, RawVertexArray},
            {"buffer and texture updated, texture on unit 3", LibraryUpdates, RawUpdates},
            {"offscreen colour read back (16 x 16)", LibraryReadBack, RawReadBack<CoreFramebuffers>},
            {"renderbuffer created and deleted (256 x 256)", LibraryRenderbuffer,
             RawRenderbuffer<CoreFramebuffers>},
            {"two draw buffers set", LibraryDrawBuffers, RawDrawBuffers<CoreFramebuffers>},
            {"colour blitted between framebuffers (64 x 64)", LibraryBlit, RawBlit<CoreFramebuffers>}};
    }
    return {{"uniforms by name (1f, 4f, matrix4)", LibraryUniforms, RawUniforms},
            {"framebuffer attach, check, bind, unbind", LibraryFramebuffer, RawFramebuffer<ExtFramebuffers>},
            {"offscreen begin and end", LibraryOffscreen, RawOffscreen<ExtFramebuffers>},
            {"texture with sampler, create and delete", LibraryTexture, RawTexture<false>},
            {"vertex buffer create and delete", LibraryBuffer, RawBuffer},
            {"two shaders compiled and linked", LibraryCompileLink, RawCompileLink<false>},
            {"uniforms by name (1i, 4ui, matrix3)", LibraryIntegerUniforms, RawIntegerUniforms},
            {"vertex array set up and deleted", LibraryVertexArray, RawVertexArray},
            {"buffer and texture updated, texture on unit 3", LibraryUpdates, RawUpdates},
            {"offscreen colour read back (16 x 16)", LibraryReadBack, RawReadBack<ExtFramebuffers>},
            {"renderbuffer created and deleted (256 x 256)", LibraryRenderbuffer,
             RawRenderbuffer<ExtFramebuffers>},
            {"two draw buffers set", LibraryDrawBuffers, RawDrawBuffers<ExtFramebuffers>},
            {"colour blitted between framebuffers (64 x 64)", LibraryBlit, RawBlit<ExtFramebuffers>}};
}

// Those above, then the same on both contexts; compute shaders need GLSL 4.30, which the context may lack.
std::vector<Operation> Operations(bool core) {
    std::vector<Operation> operations = FirstOperations(core);
    operations.push_back({"instanced draw (3 vertices, 4 instances)", LibraryDraw, RawDraw});
    operations.push_back({"uniform block binding", LibraryBlockBinding, RawBlockBinding});
    if (scene->computeProgram.id != 0) {
        operations.push_back({"compute dispatch and barrier", LibraryDispatch, RawDispatch});
    }
    operations.push_back({"rasterizer state, culling on and off", LibraryRasterState, RawRasterState});
    return operations;
}

// ---- set-up ----

[[noreturn]] void Fail(const char* what) {
    fprintf(stderr, "vistrel_operations_bench: %s\n", what);
    exit(1);
}

void ExpectNoError(const char* when) {
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        fprintf(stderr, "vistrel_operations_bench: GL error 0x%04x %s\n", error, when);
        exit(1);
    }
}

void OpenWindow(bool core, int& argc, char** argv) {
    glutInit(&argc, argv);
    glutInitWindowSize(320, 240);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    if (core) {
        glutInitContextVersion(3, 3);
        glutInitContextProfile(GLUT_CORE_PROFILE);
    }
    glutCreateWindow("Vistrel operations benchmark");
    glutDisplayFunc([] { exposed = true; });
    // The driver's allocations cost more or less with the heap's layout, and events read late, inside
    // some GL call, would change it from run to run: the window is drawn once, and a round trip then
    // brings every event the server has made for it, which GLUT takes before anything is measured.
    for (int wait = 0; !exposed && wait < 5000; ++wait) {
        glutMainLoopEvent();
        usleep(1000);
    }
    if (!exposed) {
        Fail("the window was never exposed");
    }
    XSync(glXGetCurrentDisplay(), False);
    for (int i = 0; i < 10; ++i) {
        glutMainLoopEvent();
    }
    GLenum status = glewInit();
    if (status != GLEW_OK) {
        Fail(reinterpret_cast<const char*>(glewGetErrorString(status)));
    }
    ExpectNoError("after the loader's set-up");
}

// The compatibility twins are written for the extensions Mesa lists there; on a context without them the
// library takes other calls and the comparison would be void.
void CheckTwinsMatch(bool core) {
    if (core) {
        return;
    }
    for (const char* extension :
         {"GL_EXT_framebuffer_object", "GL_ARB_shader_objects", "GL_EXT_framebuffer_blit"}) {
        if (!glewGetExtension(extension)) {
            fprintf(stderr, "vistrel_operations_bench: the compatibility twins need %s listed\n", extension);
            exit(1);
        }
    }
}

void MakeScene(Scene& s, bool core) {
    s.core = core;
    s.vertexSource = core ? kVertexCore : kVertexCompatibility;
    s.fragmentSource = core ? kFragmentCore : kFragmentCompatibility;
    s.vertexLength = static_cast<GLint>(strlen(s.vertexSource));
    s.fragmentLength = static_cast<GLint>(strlen(s.fragmentSource));

    if (!s.vertex.CompileFromSource(s.vertexSource, GL_VERTEX_SHADER, 0, 0) ||
        !s.fragment.CompileFromSource(s.fragmentSource, GL_FRAGMENT_SHADER, 0, 0) ||
        !s.program.Link(s.vertex.id, s.fragment.id)) {
        Fail("the benchmark's program does not build");
    }
    s.program.Bind();
    for (const char* uniform : {"scale", "tint", "transform"}) {
        if (glGetUniformLocation(s.program.id, uniform) < 0) {
            Fail("a uniform of the benchmark's program is not active");
        }
    }

    glGenTextures(1, &s.attachedTexture);
    glBindTexture(GL_TEXTURE_2D, s.attachedTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kTargetSize, kTargetSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    s.framebuffer.GenerateId();
    s.framebuffer.AttachTexture(GL_TEXTURE_2D, s.attachedTexture, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    s.offscreen.Create(kTargetSize, kTargetSize, GL_RGBA8, GL_DEPTH_COMPONENT24);

    s.textureDesc.width = kTextureSize;
    s.textureDesc.height = kTextureSize;
    s.textureDesc.mipLevels = 0;
    s.textureDesc.internalFormat = GL_RGBA8;
    s.texels.assign(kTextureSize * kTextureSize * 4, 0);
    for (size_t i = 0; i < s.texels.size(); ++i) {
        s.texels[i] = static_cast<GLubyte>(i * 7);
    }
    s.textureData.pixels = s.texels.data();
    s.textureData.format = GL_RGBA;
    s.textureData.type = GL_UNSIGNED_BYTE;

    s.bufferBytes.assign(kBufferBytes, 0);
    for (size_t i = 0; i < s.bufferBytes.size(); ++i) {
        s.bufferBytes[i] = static_cast<GLubyte>(i);
    }
    s.bufferData.data = s.bufferBytes.data();

    if (!s.integerVertex.CompileFromSource(core ? kIntegerVertexCore : kIntegerVertexCompatibility,
                                           GL_VERTEX_SHADER, 0, 0) ||
        !s.integerFragment.CompileFromSource(core ? kIntegerFragmentCore : kIntegerFragmentCompatibility,
                                             GL_FRAGMENT_SHADER, 0, 0) ||
        !s.integerProgram.Link(s.integerVertex.id, s.integerFragment.id)) {
        Fail("the benchmark's integer program does not build");
    }
    s.program.Bind();
    if (glCreateVertexBuffer(&s.bufferDesc, &s.bufferData, &s.updatedBuffer)) {
        Fail("the updated buffer could not be made");
    }
    TextureDesc updatedDesc(GL_TEXTURE_2D);
    updatedDesc.width = updatedDesc.height = kTextureSize;
    updatedDesc.internalFormat = GL_RGBA8;
    s.updatedTexture = glCreateTexture(&updatedDesc, &s.textureData, nullptr);
    s.readBack.assign(kTextureSize * kTextureSize * 4, 0);

    if (!s.triangle.Create()) {
        Fail("no vertex arrays");
    }
    s.triangle.SetAttribute(0, s.updatedBuffer, 4, GL_FLOAT, false, 0, 0);
    if (!s.blockVertex.CompileFromSource(kBlockVertex, GL_VERTEX_SHADER, 0, 0) ||
        !s.blockFragment.CompileFromSource(kBlockFragment, GL_FRAGMENT_SHADER, 0, 0) ||
        !s.blockProgram.Link(s.blockVertex.id, s.blockFragment.id)) {
        Fail("the benchmark's uniform block program does not build");
    }
    const char* glsl = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION));
    if (strtod(glsl, nullptr) >= 4.3) {
        if (!s.computeShader.CompileFromSource(kCompute, GL_COMPUTE_SHADER, 0, 0) ||
            !s.computeProgram.Link(s.computeShader.id)) {
            Fail("the benchmark's compute program does not build");
        }
        glBindBufferToIndex(GL_SHADER_STORAGE_BUFFER, 0, s.updatedBuffer, 0, 0);
    }
    ExpectNoError("after the set-up");
}

// ---- instruction counts ----

constexpr int kWarmUpIterations = 20;

VISTREL_NOINLINE void Repeat(void (*operation)(), int times) {
    for (int i = 0; i < times; ++i) {
        operation();
    }
}

// The warm-up runs before the counters are zeroed: first-use work (the driver's lazy state, the
// library's first meeting with the context, name tables growing) stays out of the count.
void Count(const char* label, void (*operation)(), int iterations) {
    Repeat(operation, kWarmUpIterations);
    ExpectNoError(label);
    glFinish();
#if VISTREL_HAVE_CALLGRIND
    CALLGRIND_ZERO_STATS;
    Repeat(operation, iterations);
    CALLGRIND_DUMP_STATS_AT(label);
#else
    (void)iterations;
#endif
}

int CountInstructions(bool core, int iterations) {
#if !VISTREL_HAVE_CALLGRIND
    (void)core;
    (void)iterations;
    Fail("built without valgrind's callgrind.h: install valgrind (scripts/install-deps) and rebuild");
#else
    if (!RUNNING_ON_VALGRIND) {
        Fail("--instructions counts under callgrind: scripts/bench --instructions runs it so");
    }
    // Started here, not at start-up: the window, the driver and the scene set up at full speed.
    CALLGRIND_START_INSTRUMENTATION;
    const char* context = core ? "core" : "compatibility";
    printf("%s context: %s, %s\n", context, glGetString(GL_VERSION), glGetString(GL_RENDERER));
    printf("%d warm-up iterations, then %d counted, per side of each operation\n", kWarmUpIterations,
           iterations);
    for (const Operation& operation : Operations(core)) {
        std::string label = std::string(operation.name) + "|" + context + "|";
        Count((label + "library").c_str(), operation.library, iterations);
        Count((label + "raw").c_str(), operation.raw, iterations);
    }
    return 0;
#endif
}

// ---- wall time ----

void RegisterTimed(bool core) {
    const char* context = core ? "core" : "compatibility";
    for (const Operation& operation : Operations(core)) {
        for (int side = 0; side < 2; ++side) {
            std::string name =
                std::string(context) + "/" + operation.name + "/" + (side == 0 ? "library" : "raw");
            void (*function)() = side == 0 ? operation.library : operation.raw;
            benchmark::RegisterBenchmark(name.c_str(), [function](benchmark::State& state) {
                for (auto _ : state) {
                    function();
                }
                glFinish();
            })->Unit(benchmark::kMicrosecond);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    bool core = false;
    int iterations = 0;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (strcmp(argv[i], "--core") == 0) {
            core = true;
        } else if (strncmp(argv[i], "--instructions=", 15) == 0) {
            iterations = atoi(argv[i] + 15);
            if (iterations <= 0) {
                Fail("--instructions needs a positive iteration count");
            }
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);

    OpenWindow(core, count, args.data());
    CheckTwinsMatch(core);
    // Lives until exit: its objects need the context, which GLUT keeps to the end.
    scene = new Scene;
    MakeScene(*scene, core);

    if (iterations > 0) {
        return CountInstructions(core, iterations);
    }
    // The driver compiles some of its own shaders on first use (the mipmap generator's, for one); that
    // belongs to no iteration.
    for (const Operation& operation : Operations(core)) {
        Repeat(operation.library, kWarmUpIterations);
        Repeat(operation.raw, kWarmUpIterations);
    }
    ExpectNoError("after the warm-up");
    RegisterTimed(core);
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
