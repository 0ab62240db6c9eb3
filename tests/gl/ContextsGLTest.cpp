// Contexts made with EGL, with no X server at all (Mesa's surfaceless platform), as headless programs and
// Wayland-native ones make them: each profile gets its own calls, more contexts than a thread remembers
// too. Then two threads, each owning its own context, run every unit's flow at once, two on EGL and one
// on GLX beside one on EGL; built with ThreadSanitizer too.
//
// The program opens EGL itself with dlopen, without linking it and keeping its symbols out of the global
// scope, as windowing libraries do, and only after its first library call: the library finds it anyway.
#include "CoreShaders.h"
#include "glBuffer.h"
#include "glCurrentContext.h"
#include "glFramebuffer.h"
#include "glOffscreenBuffer.h"
#include "glProgram.h"
#include "glTexture.h"
#include "glValidation.h"
#include "glVertexArray.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/glew.h>
#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>
// Last: Xlib's macros (None, Bool, Status) would rename what the headers above declare.
#include <GL/glx.h>

// ---- the driver's entry points, counted on each thread ----

namespace {

// Queries the library made on this thread: version strings (one per context it learns) and GLX's current
// context.
thread_local int versionQueries = 0;
thread_local int glxContextQueries = 0;

template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

// The library calls these in place of the driver's: glGetString is linked into it from here, and it finds
// glXGetCurrentContext through the dynamic loader, which sees this binary's definition (exported) first.
extern "C" const GLubyte* glGetString(GLenum name) {
    static const auto real = Next<const GLubyte* (*)(GLenum)>("glGetString");
    versionQueries += name == GL_VERSION;
    return real(name);
}

extern "C" GLXContext glXGetCurrentContext() {
    static const auto real = Next<GLXContext (*)()>("glXGetCurrentContext");
    ++glxContextQueries;
    return real();
}

namespace {

enum class Profile { Core, Compatibility };
enum class Surface { Surfaceless, Pbuffer };

// An entry point of the EGL library the program opened itself, never into the global scope; null without
// the library.
template <typename F>
F EglEntry(const char* name) {
    // Never closed: the library keeps the entry point it finds in there.
    static void* const library = dlopen("libEGL.so.1", RTLD_LAZY | RTLD_LOCAL);
    return library != nullptr ? reinterpret_cast<F>(dlsym(library, name)) : nullptr;
}
#define EGL_ENTRY(name) EglEntry<decltype(&name)>(#name)

EGLDisplay Display() {
    static EGLDisplay display = [] {
        if (EGL_ENTRY(eglGetProcAddress) == nullptr) {
            return EGL_NO_DISPLAY;
        }
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            EGL_ENTRY(eglGetProcAddress)("eglGetPlatformDisplayEXT"));
        EGLDisplay made = getPlatformDisplay != nullptr ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA,
                                                                             EGL_DEFAULT_DISPLAY, nullptr)
                                                        : EGL_NO_DISPLAY;
        if (made != EGL_NO_DISPLAY && !EGL_ENTRY(eglInitialize)(made, nullptr, nullptr)) {
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
        if (display == EGL_NO_DISPLAY) {
            return;
        }
        // The client API is each thread's own.
        EGL_ENTRY(eglBindAPI)(EGL_OPENGL_API);
        const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                           EGL_OPENGL_BIT, EGL_NONE};
        EGLConfig config = nullptr;
        EGLint count = 0;
        if (!EGL_ENTRY(eglChooseConfig)(display, configAttributes, &config, 1, &count) || count < 1) {
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
        context_ = EGL_ENTRY(eglCreateContext)(display, config, EGL_NO_CONTEXT,
                                               profile == Profile::Core ? core : compatibility);
        if (surface == Surface::Pbuffer) {
            const EGLint size[] = {EGL_WIDTH, 16, EGL_HEIGHT, 16, EGL_NONE};
            surface_ = EGL_ENTRY(eglCreatePbufferSurface)(display, config, size);
        }
        MakeCurrent();
    }
    // A later context may get this one's handle: the library is told before it goes.
    ~EglContext() {
        if (context_ == EGL_NO_CONTEXT) {
            return;
        }
        MakeCurrent();
        if (current_) {
            glForgetCurrentContext();
        }
        EGL_ENTRY(eglMakeCurrent)(Display(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (surface_ != EGL_NO_SURFACE) {
            EGL_ENTRY(eglDestroySurface)(Display(), surface_);
        }
        EGL_ENTRY(eglDestroyContext)(Display(), context_);
    }
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    void MakeCurrent() {
        current_ =
            context_ != EGL_NO_CONTEXT && EGL_ENTRY(eglMakeCurrent)(Display(), surface_, surface_, context_);
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

// One GLX context with a pbuffer of its own, on a display connection of its own, current on the thread that
// made it until destroyed.
class GlxContext {
  public:
    explicit GlxContext(Profile profile) {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) {
            return;
        }
        const int configAttributes[] = {GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT,
                                        None};
        int count = 0;
        GLXFBConfig* configs = glXChooseFBConfig(display_, DefaultScreen(display_), configAttributes, &count);
        auto createContext = reinterpret_cast<PFNGLXCREATECONTEXTATTRIBSARBPROC>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCreateContextAttribsARB")));
        if (configs == nullptr || count < 1 || createContext == nullptr) {
            return;
        }
        const int core[] = {GLX_CONTEXT_MAJOR_VERSION_ARB,
                            3,
                            GLX_CONTEXT_MINOR_VERSION_ARB,
                            3,
                            GLX_CONTEXT_PROFILE_MASK_ARB,
                            GLX_CONTEXT_CORE_PROFILE_BIT_ARB,
                            None};
        const int compatibility[] = {GLX_CONTEXT_PROFILE_MASK_ARB, GLX_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB,
                                     None};
        context_ = createContext(display_, configs[0], nullptr, True,
                                 profile == Profile::Core ? core : compatibility);
        const int size[] = {GLX_PBUFFER_WIDTH, 16, GLX_PBUFFER_HEIGHT, 16, None};
        pbuffer_ = glXCreatePbuffer(display_, configs[0], size);
        XFree(configs);
        current_ = context_ != nullptr && pbuffer_ != 0 &&
                   glXMakeContextCurrent(display_, pbuffer_, pbuffer_, context_);
    }
    ~GlxContext() {
        if (current_) {
            glForgetCurrentContext();
            glXMakeContextCurrent(display_, None, None, nullptr);
        }
        if (pbuffer_ != 0) {
            glXDestroyPbuffer(display_, pbuffer_);
        }
        if (context_ != nullptr) {
            glXDestroyContext(display_, context_);
        }
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }
    GlxContext(const GlxContext&) = delete;
    GlxContext& operator=(const GlxContext&) = delete;

    bool Current() const { return current_; }

  private:
    ::Display* display_ = nullptr;
    GLXContext context_ = nullptr;
    GLXPbuffer pbuffer_ = 0;
    bool current_ = false;
};

class EglContextTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The library's first call on this thread, before the program has loaded EGL: the window systems it
        // finds now are not all there will be.
        eglLoadedAtFirstCall = dlopen("libEGL.so.1", RTLD_LAZY | RTLD_NOLOAD) != nullptr;
        glForgetCurrentContext();
        if (Display() == EGL_NO_DISPLAY) {
            return;
        }
        // The loader needs a current context; Debian's is built for GLX and reports that it has no X
        // display (GLEW_ERROR_NO_GLX_DISPLAY) only after it has loaded every GL entry point, which is why
        // that result counts as success here.
        EglContext context(Profile::Compatibility, Surface::Surfaceless);
        GLenum status = context.Current() ? glewInit() : GLEW_ERROR_NO_GL_VERSION;
        loaded = (status == GLEW_OK || status == GLEW_ERROR_NO_GLX_DISPLAY) && GLEW_VERSION_3_0 &&
                 glGenFramebuffers != nullptr;
    }
    void SetUp() override {
        ASSERT_FALSE(eglLoadedAtFirstCall) << "the program had EGL loaded before it first called the library";
        ASSERT_EQ(dlsym(RTLD_DEFAULT, "eglGetCurrentContext"), nullptr) << "EGL is in the global scope";
        if (Display() == EGL_NO_DISPLAY) {
            GTEST_SKIP() << "no surfaceless EGL display";
        }
        ASSERT_TRUE(loaded);
    }
    static bool loaded;
    static bool eglLoadedAtFirstCall;
};

bool EglContextTest::loaded = false;
bool EglContextTest::eglLoadedAtFirstCall = false;

// All alive at once, made current in turn, twice: what the library learnt of one is never taken for
// another's, and each is learnt once, from EGL alone. First four, one of each profile and surface, then
// twelve, more than a thread remembers, whose second round learns them again.
TEST_F(EglContextTest, EachContextGetsTheCallsOfItsProfileAndIsLearntOnce) {
    auto profile = [](int i) { return i % 2 == 0 ? Profile::Core : Profile::Compatibility; };
    for (int count : {4, 12}) {
        std::vector<std::unique_ptr<EglContext>> contexts;
        for (int i = 0; i < count; ++i) {
            contexts.push_back(std::make_unique<EglContext>(profile(i), i / 2 % 2 == 0 ? Surface::Surfaceless
                                                                                       : Surface::Pbuffer));
        }
        for (int round = 0; round < 2; ++round) {
            int versionsBefore = versionQueries, glxBefore = glxContextQueries;
            for (int i = 0; i < count; ++i) {
                contexts[i]->MakeCurrent();
                ASSERT_TRUE(contexts[i]->Current());
                GLint mask = 0;
                glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
                ASSERT_EQ((mask & GL_CONTEXT_CORE_PROFILE_BIT) != 0, profile(i) == Profile::Core);
                EXPECT_EQ(RunEveryUnit(profile(i)), "")
                    << "context " << i << " of " << count << ", round " << round;
                if (round == 0) {
                    EXPECT_EQ(versionQueries - versionsBefore, i + 1) << "context " << i << " learnt once";
                }
            }
            // Back to the first and on to the newest, a second round among no more than a thread remembers
            // learns nothing again.
            if (count == 4 && round == 1) {
                EXPECT_EQ(versionQueries - versionsBefore, 0);
                EXPECT_EQ(glxContextQueries - glxBefore, 0) << "GLX was asked for an EGL thread's context";
            }
        }
    }
}

// Runs every unit's flow on two threads at once, each with the context make(thread) gives it; returns what
// went wrong on each, and how often each asked GLX for its current context in `glxQueries`.
template <typename Make>
std::vector<std::string> RunOnTwoThreadsAtOnce(const Profile (&profiles)[2], Make make,
                                               int (&glxQueries)[2]) {
    std::vector<std::string> failures(2);
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([t, &profiles, &failures, &ready, &make, &glxQueries] {
            auto context = make(t);
            // Both start together, so that their calls overlap.
            ready.fetch_add(1);
            while (ready.load() < 2) {
                std::this_thread::yield();
            }
            if (!context->Current()) {
                failures[t] = "no context";
                return;
            }
            for (int round = 0; round < 20 && failures[t].empty(); ++round) {
                failures[t] = RunEveryUnit(profiles[t]);
            }
            glxQueries[t] = glxContextQueries;
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    return failures;
}

// A GLX or an EGL context.
struct EitherContext {
    std::unique_ptr<GlxContext> glx;
    std::unique_ptr<EglContext> egl;
    bool Current() const { return glx ? glx->Current() : egl->Current(); }
};

// Each thread owns its context from start to end; the library holds nothing that both touch. Both on EGL,
// then one on GLX beside one on EGL: each finds the window system its context belongs to, and what it
// found, and learnt, stays its own.
TEST_F(EglContextTest, TwoThreadsWithContextsOfTheirOwnRunEveryUnitAtOnce) {
    const Profile profiles[2] = {Profile::Core, Profile::Compatibility};
    for (bool glx : {false, true}) {
        if (glx && getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no X display for GLX";
        }
        SCOPED_TRACE(glx ? "GLX, core; EGL, compatibility" : "EGL, core; EGL, compatibility");
        int glxQueries[2] = {};
        std::vector<std::string> failures = RunOnTwoThreadsAtOnce(
            profiles,
            [&](int t) {
                auto context = std::make_unique<EitherContext>();
                if (glx && t == 0) {
                    context->glx = std::make_unique<GlxContext>(profiles[t]);
                } else {
                    context->egl = std::make_unique<EglContext>(profiles[t], Surface::Surfaceless);
                }
                return context;
            },
            glxQueries);
        EXPECT_EQ(failures[0], "") << "core";
        EXPECT_EQ(failures[1], "") << "compatibility";
        // An EGL thread asks GLX once, at its first call, and never again once EGL has answered.
        if (glx) {
            EXPECT_GT(glxQueries[0], 20) << "the GLX thread's context was asked of GLX";
        } else {
            EXPECT_EQ(glxQueries[0], 1);
        }
        EXPECT_EQ(glxQueries[1], 1);
    }
}

// One object of every class that owns GL names, made on the current context.
struct OwnedObjects {
    CglOffscreenBuffer target;
    CglShader vertex;
    CglShader fragment;
    CglProgram program;
    CglVertexArray vertexArray;

    OwnedObjects() {
        target.Create(8, 8, GL_RGBA8, GL_DEPTH_COMPONENT24);
        vertex.CompileFromSource(kVertex, GL_VERTEX_SHADER, 0, 0);
        fragment.CompileFromSource(kFragment, GL_FRAGMENT_SHADER, 0, 0);
        program.Link(vertex.id, fragment.id);
        vertexArray.Create();
        // GL makes the vertex array object itself at its first bind.
        vertexArray.Bind();
        vertexArray.Unbind();
    }
    // Whether the current context has each name these objects hold.
    bool AllAlive() const {
        return glIsFramebuffer(target.fboId) && glIsTexture(target.colorTexId) &&
               glIsTexture(target.depthTexId) && glIsShader(vertex.id) && glIsShader(fragment.id) &&
               glIsProgram(program.id) && glIsVertexArray(vertexArray.id);
    }
};

// Names of every kind, made on a new context: among them are those the objects of another context hold,
// since each context counts its names from 1.
struct CollidingNames {
    std::vector<GLuint> textures, framebuffers, shaders, vertexArrays;
    GLuint program = 0;

    CollidingNames() {
        for (int i = 0; i < 8; ++i) {
            GLuint name = 0;
            glGenTextures(1, &name);
            glBindTexture(GL_TEXTURE_2D, name);
            textures.push_back(name);
            glGenFramebuffers(1, &name);
            glBindFramebuffer(GL_FRAMEBUFFER, name);
            framebuffers.push_back(name);
            glGenVertexArrays(1, &name);
            glBindVertexArray(name);
            vertexArrays.push_back(name);
            shaders.push_back(glCreateShader(GL_VERTEX_SHADER));
        }
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glBindVertexArray(0);
        program = glCreateProgram();
    }
    bool AllAlive() const {
        bool alive = glIsProgram(program);
        for (size_t i = 0; i < textures.size(); ++i) {
            alive = alive && glIsTexture(textures[i]) && glIsFramebuffer(framebuffers[i]) &&
                    glIsVertexArray(vertexArrays[i]) && glIsShader(shaders[i]);
        }
        return alive;
    }
};

const char kRefusedElsewhere[] = "CglVertexArray::Bind ERROR: belongs to another context\n"
                                 "CglProgram::SetParameter4f ERROR: belongs to another context\n"
                                 "CglOffscreenBuffer::~CglOffscreenBuffer ERROR: belongs to another context\n"
                                 "CglFrameBuffer::~CglFrameBuffer ERROR: belongs to another context\n"
                                 "CglShader::Destroy ERROR: belongs to another context\n"
                                 "CglShader::Destroy ERROR: belongs to another context\n"
                                 "CglProgram::Destroy ERROR: belongs to another context\n"
                                 "CglVertexArray::Destroy ERROR: belongs to another context\n";

// Destroys `objects` in the order a scope would, returning what was printed.
std::string DestroyPrinting(std::unique_ptr<OwnedObjects>& objects) {
    ::testing::internal::CaptureStderr();
    objects->target.~CglOffscreenBuffer();
    new (&objects->target) CglOffscreenBuffer;
    objects->vertex.Destroy();
    objects->fragment.Destroy();
    objects->program.Destroy();
    objects->vertexArray.Destroy();
    return ::testing::internal::GetCapturedStderr();
}

// Destroyed on another context, on this thread or another, an object deletes nothing there, though the
// other context has objects of the same names: it leaks its own instead, and says so.
TEST_F(EglContextTest, ObjectsAreDestroyedOnlyOnTheContextThatMadeThem) {
    for (bool otherThread : {false, true}) {
        SCOPED_TRACE(otherThread ? "another thread" : "this thread");
        EglContext maker(Profile::Compatibility, Surface::Surfaceless);
        ASSERT_TRUE(maker.Current());
        auto objects = std::make_unique<OwnedObjects>();
        ASSERT_TRUE(objects->AllAlive());
        std::string printed;
        bool othersAlive = false;
        auto destroyElsewhere = [&] {
            EglContext other(Profile::Compatibility, Surface::Surfaceless);
            CollidingNames names;
            // Between creation and destruction only the validation mode asks which context is current.
            glSetValidation(true);
            ::testing::internal::CaptureStderr();
            objects->vertexArray.Bind();
            objects->program.SetParameter4f("color", 1, 0, 0, 1);
            printed = ::testing::internal::GetCapturedStderr();
            glSetValidation(false);
            printed += DestroyPrinting(objects);
            othersAlive = names.AllAlive();
        };
        if (otherThread) {
            std::thread(destroyElsewhere).join();
        } else {
            destroyElsewhere();
        }
        EXPECT_EQ(printed, kRefusedElsewhere);
        EXPECT_TRUE(othersAlive);
        // Left alone, the objects are still whole on their own context.
        maker.MakeCurrent();
        ASSERT_TRUE(maker.Current());
        EXPECT_NE(objects->vertex.id, 0u);
    }
}

// With no context current nothing is made, and each maker says why rather than pretending success.
TEST_F(EglContextTest, WithNoContextCurrentNothingIsMade) {
    { EglContext released(Profile::Compatibility, Surface::Surfaceless); }
    ASSERT_EQ(glGetString(GL_VERSION), nullptr) << "a context is still current";
    ::testing::internal::CaptureStderr();
    CglVertexArray vertexArray;
    EXPECT_FALSE(vertexArray.Create());
    float vertices[2] = {};
    BufferDesc desc{sizeof vertices, GL_STATIC_DRAW};
    BufferData data{reinterpret_cast<const GLubyte*>(vertices)};
    GLuint buffer = 7;
    EXPECT_TRUE(glCreateVertexBuffer(&desc, &data, &buffer));
    EXPECT_EQ(buffer, 0u);
    TextureDesc textureDesc(GL_TEXTURE_2D);
    TextureData pixels;
    EXPECT_EQ(glCreateTexture(&textureDesc, &pixels, nullptr), 0u);
    CglOffscreenBuffer target;
    target.Create(8, 8, GL_RGBA8, GL_DEPTH_COMPONENT24);
    EXPECT_EQ(target.fboId, 0u);
    CglShader shader;
    EXPECT_FALSE(shader.CompileFromSource(kVertex, GL_VERTEX_SHADER, 0, 0));
    CglProgram program;
    EXPECT_FALSE(program.Link(1, 2));
    EXPECT_EQ(glCreateRenderBuffer(GL_RGBA8, 4, 4, 0), 0u);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "CglVertexArray::Create ERROR: no GL context is current\n"
              "glCreateVertexBuffer() : no GL context is current\n"
              "glCreateTexture() : no GL context is current\n"
              "CglOffscreenBuffer::Create ERROR: no GL context is current\n"
              "CglShader::CompileFromSource ERROR: no GL context is current\n"
              "CglProgram::Link ERROR: no GL context is current\n"
              "glCreateRenderBuffer() : no GL context is current\n");
}

} // namespace
