// What the library learns of a context and keeps per thread, read back against the driver's own answers:
// version and profile, a version string that names no profile, a context forgotten before another is given
// its handle, how often an object asks the window system, and what a thread frees when it ends. Runs on a
// compatibility context and on a core profile, at the drivers' own versions and at 3.2 and 3.1.
#include "CoreShaders.h"
#include "FramebufferTestSupport.h"
#include "glContext.h"
#include "glCurrentContext.h"
#include "glFramebuffer.h"
#include "glOffscreenBuffer.h"
#include "glProgram.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <cstdio>
#include <cstdlib>
#include <gmock/gmock.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using ::testing::ElementsAre;

namespace {

class ContextKnowledgeTest : public GlTest {
  protected:
    void TearDown() override {
        // What a test scripted or pretended goes first, then the shared context is learnt as it is.
        GlTest::TearDown();
        RelearnContext();
    }
};

// The wrap mode an offscreen target made now gives its colour texture: the profile the library took the
// current context for picks it.
GLint OffscreenWrap() {
    CglOffscreenBuffer target;
    target.Create(8, 8, GL_RGBA8, GL_DEPTH_COMPONENT24);
    return TextureParameter(target.colorTexId, GL_TEXTURE_WRAP_S);
}

GLint WrapOfProfile(bool core) {
    return core ? GL_CLAMP_TO_EDGE : GL_CLAMP;
}

// The driver's own answers about the shared context.
struct DriverVersion {
    GLint major = Integer(GL_MAJOR_VERSION);
    GLint minor = Integer(GL_MINOR_VERSION);
    bool profiles = major > 3 || (major == 3 && minor >= 2);
    GLint mask = profiles ? Integer(GL_CONTEXT_PROFILE_MASK) : 0;
};

TEST_F(ContextKnowledgeTest, VersionAndProfileAreTheDriversOwnAskedOnce) {
    DriverVersion driver;
    ASSERT_TRUE(GlNoError());
    glContext::Forget();
    rec::Start();
    const glContext::Context& learnt = glContext::Current();
    glContext::Current();
    rec::Stop();
    EXPECT_EQ(learnt.major, driver.major);
    EXPECT_EQ(learnt.minor, driver.minor);
    EXPECT_EQ(learnt.core, (driver.mask & GL_CONTEXT_CORE_PROFILE_BIT) != 0);
    EXPECT_THAT(rec::Names(), ElementsAre("glGetString")) << "Mesa names the profile from 3.2 on; before "
                                                             "3.2 there is none to ask for";
    EXPECT_EQ(OffscreenWrap(), WrapOfProfile(CoreProfileContext()));
    EXPECT_TRUE(GlNoError());
}

TEST_F(ContextKnowledgeTest, ProfileMaskSettlesAVersionStringThatNamesNoProfile) {
    DriverVersion driver;
    if (!driver.profiles) {
        GTEST_SKIP() << "profiles begin with OpenGL 3.2";
    }
    // As some vendors' drivers write it; no Mesa driver does.
    rec::ScriptText("glGetString", "4.6.0 NVIDIA 535.54");
    glContext::Forget();
    rec::Start();
    const glContext::Context& learnt = glContext::Current();
    rec::Stop();
    EXPECT_EQ(learnt.major, 4);
    EXPECT_EQ(learnt.minor, 6);
    EXPECT_THAT(
        rec::CallsTo("glGetIntegerv"),
        ElementsAre(rec::Call("glGetIntegerv", {rec::Enum(GL_CONTEXT_PROFILE_MASK)}, rec::Int(driver.mask))));
    EXPECT_EQ(learnt.core, CoreProfileContext());
    EXPECT_EQ(OffscreenWrap(), WrapOfProfile(CoreProfileContext()));
    EXPECT_TRUE(GlNoError());
}

// A second window, whose context has the profile the shared one has not; current once made.
class OtherProfileWindow {
  public:
    OtherProfileWindow() {
        SetProfile(!CoreProfileContext());
        window_ = glutCreateWindow("Vistrel GL tests, the other profile");
        SetProfile(CoreProfileContext());
    }
    ~OtherProfileWindow() { Destroy(); }
    OtherProfileWindow(const OtherProfileWindow&) = delete;
    OtherProfileWindow& operator=(const OtherProfileWindow&) = delete;

    void MakeCurrent() const { glutSetWindow(window_); }
    // Destroys the window and makes the shared one current again.
    void Destroy() {
        if (window_ != 0) {
            glutDestroyWindow(window_);
            window_ = 0;
            glutSetWindow(GlTestWindow());
        }
    }

  private:
    static void SetProfile(bool core) {
        glutInitContextVersion(core ? 3 : 1, core ? 2 : 0);
        glutInitContextProfile(core ? GLUT_CORE_PROFILE : 0);
    }
    int window_ = 0;
};

// Whichever context is current, the library is told that its handle is this one.
const void* const kReusedHandle = reinterpret_cast<const void*>(0x5eed0);

GLint OffscreenWrapUnderTheReusedHandle() {
    rec::PretendCurrentContext(kReusedHandle);
    rec::Start();
    GLint wrap = OffscreenWrap();
    rec::Stop();
    rec::PretendCurrentContext(nullptr);
    return wrap;
}

TEST_F(ContextKnowledgeTest, ForgottenContextIsLearntAfreshWhenItsHandleIsReused) {
    const bool core = CoreProfileContext();
    OtherProfileWindow other;
    EXPECT_EQ(OffscreenWrapUnderTheReusedHandle(), WrapOfProfile(!core));
    EXPECT_EQ(rec::CountOf("glGetString"), 1u);
    EXPECT_TRUE(GlNoError());

    // Not told, the library takes the shared context for the other one: a core profile refuses GL_CLAMP
    // and keeps its default wrap mode, a compatibility context gets the core profile's.
    glutSetWindow(GlTestWindow());
    EXPECT_EQ(OffscreenWrapUnderTheReusedHandle(), core ? GL_REPEAT : GL_CLAMP_TO_EDGE);
    EXPECT_EQ(rec::CountOf("glGetString"), 0u);
    EXPECT_TRUE(core ? GlError(GL_INVALID_ENUM) : GlNoError());

    // Told before its context goes, it learns the next one under that handle afresh.
    other.MakeCurrent();
    rec::PretendCurrentContext(kReusedHandle);
    glForgetCurrentContext();
    rec::PretendCurrentContext(nullptr);
    other.Destroy();
    EXPECT_EQ(OffscreenWrapUnderTheReusedHandle(), WrapOfProfile(core));
    EXPECT_EQ(rec::CountOf("glGetString"), 1u);
    EXPECT_TRUE(GlNoError());
}

TEST_F(ContextKnowledgeTest, FramebufferObjectsAskTheWindowSystemOnlyAtTheirFirstOperation) {
    GlObjects gl;
    GLuint colour = gl.Texture(GL_TEXTURE_2D, GL_RGBA8, 8, 8);
    rec::Start();
    CglFrameBuffer fb;
    EXPECT_EQ(rec::CurrentContextQueries(), 0u) << "a new object asks nothing";
    fb.GenerateId();
    EXPECT_EQ(rec::CurrentContextQueries(), 1u);
    fb.AttachTexture(GL_TEXTURE_2D, colour, GL_COLOR_ATTACHMENT0, 0, 0);
    EXPECT_TRUE(fb.CheckStatus());
    CglFrameBuffer moved(std::move(fb));
    moved.Bind();
    EXPECT_EQ(moved.QueryAttachedId(GL_COLOR_ATTACHMENT0), static_cast<GLint>(colour));
    EXPECT_EQ(rec::CurrentContextQueries(), 1u) << "nor after that, moved or not";

    CglOffscreenBuffer target;
    target.Create(8, 8, GL_RGBA8, GL_DEPTH_COMPONENT24);
    EXPECT_EQ(rec::CurrentContextQueries(), 2u);
    CglOffscreenBuffer movedTarget(std::move(target));
    movedTarget.BeginRender();
    movedTarget.EndRender();
    GLubyte pixel[4] = {};
    EXPECT_TRUE(movedTarget.ReadColor(0, 0, 1, 1, pixel));
    EXPECT_EQ(rec::CurrentContextQueries(), 2u);
    rec::Stop();
    glViewport(0, 0, 320, 240);
    EXPECT_TRUE(GlNoError());
}

// ---- what a thread keeps, and frees ----

// Stands in for EXT_geometry_shader4's entry point on a driver that lists the extension; Mesa does not.
void GLAPIENTRY FakeProgramParameteri(GLuint, GLenum, GLint) {}

// Compiles and links a geometry shader on the current compatibility context as on a driver that lists
// EXT_geometry_shader4, so that the library keeps the shader's primitive types for this thread. The
// context must be one the library meets after this pretence begins (or relearns). Empty when it worked.
std::string LinkAGeometryShaderWhoseLayoutIsKept() {
    PFNGLPROGRAMPARAMETERIEXTPROC saved = __glewProgramParameteriEXT;
    __glewProgramParameteriEXT = FakeProgramParameteri;
    std::string failure;
    {
        CglShader vertex, fragment, geometry;
        CglProgram program;
        if (!vertex.CompileFromSource(kVertex, GL_VERTEX_SHADER, 0, 0) ||
            !fragment.CompileFromSource(kFragment, GL_FRAGMENT_SHADER, 0, 0) ||
            !geometry.CompileFromSource(kGeometry, GL_GEOMETRY_SHADER_EXT, GL_POINTS, GL_TRIANGLE_STRIP) ||
            !program.Link(vertex.id, fragment.id, geometry.id)) {
            failure = std::string("compile or link failed: ") + program.statusMessage;
        }
    }
    __glewProgramParameteriEXT = saved;
    return failure;
}

// LeakSanitizer finds, at the end of the process, what the thread kept and did not free.
TEST_F(ContextKnowledgeTest, ThreadThatLinkedAGeometryShaderFreesWhatItKeptWhenItEnds) {
    if (CoreProfileContext()) {
        GTEST_SKIP() << "a core profile keeps nothing: its geometry shaders declare their layouts";
    }
    rec::PretendListed("GL_EXT_geometry_shader4");
    // The shared context moves to the thread for its lifetime.
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    GLXContext context = glXGetCurrentContext();
    ASSERT_TRUE(glXMakeCurrent(display, None, nullptr));
    std::string failure;
    std::thread([&] {
        if (!glXMakeCurrent(display, drawable, context)) {
            failure = "the context could not be made current";
            return;
        }
        failure = LinkAGeometryShaderWhoseLayoutIsKept();
        glXMakeCurrent(display, None, nullptr);
    }).join();
    ASSERT_TRUE(glXMakeCurrent(display, drawable, context));
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(GlNoError());
}

// ---- objects destroyed with the program's static objects ----

// What the empty object below deletes when destroyed at exit: name 0, through the calls of its context.
void CheckTheCallsMadeAtExit() {
    const std::string expected = rec::Call("glDeleteFramebuffers", {rec::Int(1), rec::Int(0)});
    if (rec::CallsTo("glDeleteFramebuffers") != std::vector<std::string>{expected} ||
        rec::CountOf("glDeleteFramebuffersEXT") != 0) {
        fprintf(stderr, "at exit, a framebuffer object on the core profile did not call %s\n",
                expected.c_str());
        _exit(1);
    }
}

// The main thread's own storage (what the library learnt of its contexts) goes before the program's
// static objects, and is freed first when the thread has kept something: a compatibility context that
// lists EXT_geometry_shader4 keeps its geometry shaders' layouts.
TEST_F(ContextKnowledgeTest, ObjectsDestroyedAtExitOnACoreProfileTakeTheCoreCalls) {
    if (!CoreProfileContext()) {
        GTEST_SKIP() << "a compatibility context takes the calls an unknown context gets";
    }
    {
        rec::PretendListed("GL_EXT_geometry_shader4");
        OtherProfileWindow compatibility;
        ASSERT_EQ(LinkAGeometryShaderWhoseLayoutIsKept(), "");
        glForgetCurrentContext();
    }
    // Run in the reverse order: recording starts, the object is destroyed, the calls are checked.
    std::atexit(CheckTheCallsMadeAtExit);
    static CglFrameBuffer destroyedAtExit;
    std::atexit([] { rec::Start(); });
    EXPECT_EQ(destroyedAtExit.fboId, 0u);
    EXPECT_TRUE(GlNoError());
}

} // namespace
