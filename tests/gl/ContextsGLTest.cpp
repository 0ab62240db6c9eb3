// Contexts made with EGL, with no X server at all (Mesa's surfaceless platform), as headless programs and
// Wayland-native ones make them: each profile gets its own calls. Then two threads, each owning its own
// context, run every unit's flow at once; built with ThreadSanitizer too.
#include "CoreShaders.h"
#include "glBuffer.h"
#include "glOffscreenBuffer.h"
#include "glProgram.h"
#include "glTexture.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/glew.h>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

enum class Profile { Core, Compatibility };
enum class Surface { None, Pbuffer };

EGLDisplay Display() {
    static EGLDisplay display = [] {
        auto getPlatformDisplay =
            reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
        EGLDisplay made = getPlatformDisplay != nullptr ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA,
                                                                             EGL_DEFAULT_DISPLAY, nullptr)
                                                        : EGL_NO_DISPLAY;
        if (made != EGL_NO_DISPLAY && !eglInitialize(made, nullptr, nullptr)) {
            made = EGL_NO_DISPLAY;
        }
        return made;
    }();
    return display;
}

// One EGL context, current on the thread that made it until destroyed.
class EglContext {
  public:
    EglContext(Profile profile, Surface surface) {
        EGLDisplay display = Display();
        // The client API is each thread's own.
        eglBindAPI(EGL_OPENGL_API);
        const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                           EGL_OPENGL_BIT, EGL_NONE};
        EGLConfig config = nullptr;
        EGLint count = 0;
        if (display == EGL_NO_DISPLAY || !eglChooseConfig(display, configAttributes, &config, 1, &count) ||
            count < 1) {
            return;
        }
        const EGLint core[] = {EGL_CONTEXT_MAJOR_VERSION,
                               3,
                               EGL_CONTEXT_MINOR_VERSION,
                               3,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                               EGL_NONE};
        const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        context_ = eglCreateContext(display, config, EGL_NO_CONTEXT,
                                    profile == Profile::Core ? core : compatibility);
        if (surface == Surface::Pbuffer) {
            const EGLint size[] = {EGL_WIDTH, 16, EGL_HEIGHT, 16, EGL_NONE};
            surface_ = eglCreatePbufferSurface(display, config, size);
        }
        MakeCurrent();
    }
    ~EglContext() {
        eglMakeCurrent(Display(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (surface_ != EGL_NO_SURFACE) {
            eglDestroySurface(Display(), surface_);
        }
        if (context_ != EGL_NO_CONTEXT) {
            eglDestroyContext(Display(), context_);
        }
    }
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    void MakeCurrent() {
        current_ = context_ != EGL_NO_CONTEXT && eglMakeCurrent(Display(), surface_, surface_, context_);
    }
    bool Current() const { return current_; }

  private:
    EGLContext context_ = EGL_NO_CONTEXT;
    EGLSurface surface_ = EGL_NO_SURFACE;
    bool current_ = false;
};

GLint TextureParameter(GLuint texture, GLenum pname) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, pname, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

std::string ErrorAfter(const char* step) {
    GLenum error = glGetError();
    return error == GL_NO_ERROR ? "" : std::string(step) + " left GL error " + std::to_string(error) + "; ";
}

// Every unit's main flow, once. Returns what went wrong, empty when nothing did.
std::string RunEveryUnit(Profile profile) {
    std::string failures;
    auto expect = [&](bool holds, const std::string& what) {
        if (!holds) {
            failures += what + "; ";
        }
    };

    // A mipmapped texture: the chain is there and nothing was rejected.
    GLubyte pixels[4 * 4 * 4] = {};
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = desc.height = 4;
    desc.mipLevels = 0;
    desc.internalFormat = GL_RGBA8;
    TextureData data;
    data.pixels = pixels;
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    GLuint texture = glCreateTexture(&desc, &data, nullptr);
    failures += ErrorAfter("glCreateTexture");
    GLint width1 = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
    expect(width1 == 2, "mipmap level 1 is " + std::to_string(width1) + " wide");

    // The offscreen target, complete, with the wrap mode its profile has.
    {
        CglOffscreenBuffer target;
        target.Create(8, 8, GL_RGBA8, GL_DEPTH_COMPONENT24);
        failures += ErrorAfter("CglOffscreenBuffer::Create");
        GLint wrap = TextureParameter(target.colorTexId, GL_TEXTURE_WRAP_S);
        expect(wrap == (profile == Profile::Core ? GL_CLAMP_TO_EDGE : GL_CLAMP),
               "offscreen wrap mode " + std::to_string(wrap));
        target.BeginRender();
        expect(target.CheckStatus(), "offscreen target incomplete");
        // A renderbuffer's colour blitted into the target and read back.
        GLuint colour = glCreateRenderBuffer(GL_RGBA8, 8, 8, 0);
        CglFrameBuffer source;
        source.GenerateId();
        source.AttachRenderBuffer(colour, GL_COLOR_ATTACHMENT0);
        source.Bind();
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        source.BlitTo(&target, 0, 0, 8, 8, 0, 0, 8, 8, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        GLubyte pixel[4] = {};
        expect(target.ReadColor(7, 7, 1, 1, pixel) && pixel[1] == 255, "blitted pixel");
        glDeleteRenderBuffer(&colour);
        target.EndRender();
        failures += ErrorAfter("the offscreen target");
    }

    // A program of three shaders, linked, with a uniform set.
    CglShader vertex, fragment, geometry;
    expect(vertex.CompileFromSource(kVertex, GL_VERTEX_SHADER, 0, 0), vertex.statusMessage);
    expect(fragment.CompileFromSource(kFragment, GL_FRAGMENT_SHADER, 0, 0), fragment.statusMessage);
    expect(geometry.CompileFromSource(kGeometry, GL_GEOMETRY_SHADER_EXT, GL_POINTS, GL_TRIANGLE_STRIP),
           geometry.statusMessage);
    CglProgram program;
    expect(program.Link(vertex.id, fragment.id, geometry.id), program.statusMessage);
    program.Bind();
    program.SetParameter4f("color", 0.25f, 0.5f, 0.75f, 1.0f);
    program.Unbind();
    failures += ErrorAfter("the program");

    // Per-buffer colour masks, a vertex buffer.
    BlendState blend{};
    for (int i = 0; i < 8; ++i) {
        blend.colorWriteMask[i] = static_cast<GLubyte>(i + 1);
    }
    glApplyBlendState(&blend, nullptr);
    GLboolean mask[4] = {};
    glGetBooleani_v(GL_COLOR_WRITEMASK, 2, mask);
    expect(mask[0] && mask[1] && !mask[2], "draw buffer 2's colour mask");
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    float vertices[6] = {};
    BufferDesc bufferDesc{sizeof vertices, GL_STATIC_DRAW};
    BufferData bufferData{reinterpret_cast<const GLubyte*>(vertices)};
    GLuint buffer = 0;
    expect(!glCreateVertexBuffer(&bufferDesc, &bufferData, &buffer) && glIsBuffer(buffer), "vertex buffer");
    glDeleteVertexBuffer(&buffer);
    failures += ErrorAfter("the rest");
    return failures;
}

class EglContextTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (Display() == EGL_NO_DISPLAY) {
            return;
        }
        // The loader needs a current context; Debian's is built for GLX and reports that it has no X
        // display (GLEW_ERROR_NO_GLX_DISPLAY) only after it has loaded every GL entry point.
        EglContext context(Profile::Compatibility, Surface::None);
        GLenum status = context.Current() ? glewInit() : GLEW_ERROR_NO_GL_VERSION;
        loaded = status == GLEW_OK || status == GLEW_ERROR_NO_GLX_DISPLAY;
    }
    void SetUp() override {
        if (Display() == EGL_NO_DISPLAY) {
            GTEST_SKIP() << "no surfaceless EGL display";
        }
        ASSERT_TRUE(loaded);
    }
    static bool loaded;
};

bool EglContextTest::loaded = false;

// All alive at once, made current in turn, twice: what the library learnt of one is never taken for
// another's.
TEST_F(EglContextTest, EachProfileAndSurfaceGetsItsOwnCalls) {
    const Profile profiles[] = {Profile::Core, Profile::Compatibility, Profile::Core, Profile::Compatibility};
    const Surface surfaces[] = {Surface::None, Surface::None, Surface::Pbuffer, Surface::Pbuffer};
    std::vector<std::unique_ptr<EglContext>> contexts;
    for (int i = 0; i < 4; ++i) {
        contexts.push_back(std::make_unique<EglContext>(profiles[i], surfaces[i]));
    }
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 4; ++i) {
            contexts[i]->MakeCurrent();
            ASSERT_TRUE(contexts[i]->Current());
            GLint mask = 0;
            glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
            ASSERT_EQ((mask & GL_CONTEXT_CORE_PROFILE_BIT) != 0, profiles[i] == Profile::Core);
            EXPECT_EQ(RunEveryUnit(profiles[i]), "")
                << (profiles[i] == Profile::Core ? "core" : "compatibility")
                << (surfaces[i] == Surface::Pbuffer ? ", pbuffer" : ", surfaceless");
        }
    }
}

// Each thread owns its context from start to end; the library holds nothing that both touch.
TEST_F(EglContextTest, TwoThreadsWithContextsOfTheirOwnRunEveryUnitAtOnce) {
    const Profile profiles[2] = {Profile::Core, Profile::Compatibility};
    std::string failures[2];
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([t, &profiles, &failures, &ready] {
            EglContext context(profiles[t], Surface::None);
            // Both start together, so that their calls overlap.
            ready.fetch_add(1);
            while (ready.load() < 2) {
                std::this_thread::yield();
            }
            if (!context.Current()) {
                failures[t] = "no context";
                return;
            }
            for (int round = 0; round < 20 && failures[t].empty(); ++round) {
                failures[t] = RunEveryUnit(profiles[t]);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures[0], "") << "core";
    EXPECT_EQ(failures[1], "") << "compatibility";
}

} // namespace
