#include "GlTest.h"

#include "glChecks.h"
#include "glContext.h"
#include "glFramebuffer.h"

#include <GL/freeglut.h>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

const char kGlTestWindowTitle[] = "Vistrel GL tests";

namespace {

int window = 0;

// The library's names, with GL_NO_ERROR and a fallback for values GL does not define.
const char* ErrorName(GLenum error) {
    if (error == GL_NO_ERROR) {
        return "GL_NO_ERROR";
    }
    const char* name = glChecks::ErrorName(error);
    return name != nullptr ? name : "an unknown GL error";
}

void DrainErrors() {
    while (glGetError() != GL_NO_ERROR) {
    }
}

// The GL libraries unload the driver at exit, before the leak check runs; a leak inside it then has no
// library name to be suppressed by. Holding the driver keeps its name in the reports.
void KeepDriverLoaded() {
    for (const char* library : {"libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"}) {
        dlopen(library, RTLD_LAZY | RTLD_NODELETE);
    }
}

class GlEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        KeepDriverLoaded();
        int argc = 1;
        char name[] = "vistrel-gl-tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitWindowSize(320, 240);
        glutInitWindowPosition(0, 0);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
        if (CoreProfileContext()) {
            // The first version with profiles: the driver answers with its newest core profile all the same,
            // and a run that lowers the version (MESA_GL_VERSION_OVERRIDE=3.2) still gets one.
            glutInitContextVersion(3, 2);
            glutInitContextProfile(GLUT_CORE_PROFILE);
        }
        window = glutCreateWindow(kGlTestWindowTitle);
        // GLUT refuses to process events for a window without a display callback.
        glutDisplayFunc([] {});
        for (int i = 0; i < 10; ++i) {
            glutMainLoopEvent();
        }

        // The loader needs the context that the window just made current.
        if (getenv("VISTREL_TEST_WITHOUT_LOADER") == nullptr) {
            // As many programs do: the loader then fills every entry point the driver resolves and
            // raises the flag of every extension whose entry points it filled, listed or not.
            glewExperimental = getenv("VISTREL_TEST_GLEW_EXPERIMENTAL") != nullptr ? GL_TRUE : GL_FALSE;
            GLenum status = glewInit();
            ASSERT_EQ(status, static_cast<GLenum>(GLEW_OK)) << glewGetErrorString(status);
        }
        rec::InstallGlewHooks();
        // The library asks a context it has not met yet for its version; meeting it here keeps that
        // one-time query out of the calls each test records. An empty framebuffer object meets it on
        // destruction, when it picks the entry point that deletes name 0, which GL ignores.
        { CglFrameBuffer none; }
        DrainErrors();
    }
};

// Registered before main() runs; GoogleTest owns and deletes it.
::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new GlEnvironment);

} // namespace

void GlTest::SetUp() {
    rec::Reset();
    DrainErrors();
}

void GlTest::TearDown() {
    rec::Reset();
}

::testing::AssertionResult GlNoError() {
    GLenum error = glGetError();
    if (error == GL_NO_ERROR) {
        return ::testing::AssertionSuccess();
    }
    DrainErrors();
    return ::testing::AssertionFailure() << "pending " << ErrorName(error);
}

::testing::AssertionResult GlError(GLenum expected) {
    GLenum error = glGetError();
    DrainErrors();
    if (error == expected) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "expected " << ErrorName(expected) << ", got " << ErrorName(error);
}

StderrCapture::StderrCapture() {
    fflush(stderr);
    ::testing::internal::CaptureStderr();
}

StderrCapture::~StderrCapture() {
    Text();
}

const std::string& StderrCapture::Text() {
    if (capturing_) {
        fflush(stderr);
        text_ = ::testing::internal::GetCapturedStderr();
        capturing_ = false;
    }
    return text_;
}

void RelearnContext() {
    glContext::Forget();
    glContext::Current();
}

int GlTestWindow() {
    return window;
}

bool CoreProfileContext() {
    return getenv("VISTREL_TEST_CORE_PROFILE") != nullptr;
}

bool DriverHasExtension(const char* extension) {
    if (CoreProfileContext()) {
        // A core profile answers only one name at a time.
        for (GLint i = 0; i < Integer(GL_NUM_EXTENSIONS); ++i) {
            if (strcmp(reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, i)), extension) == 0) {
                return true;
            }
        }
        return false;
    }
    // The compatibility profile still answers the whole list in one string, which needs no loader.
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    size_t length = strlen(extension);
    for (const char* at = list; at != nullptr && (at = strstr(at, extension)) != nullptr; at += length) {
        bool starts = at == list || at[-1] == ' ';
        bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) {
            return true;
        }
    }
    return false;
}

GLint Integer(GLenum pname) {
    GLint value = 0;
    glGetIntegerv(pname, &value);
    return value;
}

Rgba ReadPixel(int x, int y) {
    GLubyte pixel[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}
