// A compute shader paints an image once; a second program shows it in the window. The image unit feeds
// the first, the texture unit the second, and a memory barrier orders the two.
#include <GL/glew.h>
#include <GL/glut.h>
#include <vistrel/glProgram.h>
#include <vistrel/glRenderState.h>
#include <vistrel/glTexture.h>
#include <vistrel/glVertexArray.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSize = 256;     // the image and the window, in pixels
constexpr int kGroupSize = 16; // the compute shader's work group, in pixels each way

struct Scene {
    CglProgram show;
    CglVertexArray none; // the window-sized triangle comes from the vertex index
    GLuint image = 0;
};
Scene* scene = nullptr;

// The shaders lie beside the executable, where the build copies them.
std::string Beside(const char* name) {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string executable(path, length > 0 ? length : 0);
    return executable.substr(0, executable.rfind('/') + 1) + name;
}

void Display() {
    glClear(GL_COLOR_BUFFER_BIT);
    scene->show.BindTexture("image", scene->image, GL_TEXTURE_2D, 0);
    scene->none.Draw(GL_TRIANGLES, 0, 3);
    glutSwapBuffers();
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(kSize, kSize);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vistrel compute");
    if (glewInit() != GLEW_OK) {
        return EXIT_FAILURE;
    }

    Scene s; // lives while GLUT's loop runs, which never returns
    scene = &s;
    CglShader pattern;
    CglProgram paint;
    if (!pattern.LoadFromFile(Beside("pattern.comp").c_str(), GL_COMPUTE_SHADER, 0, 0) ||
        !paint.Link(pattern.id) ||
        !s.show.LoadFromFiles(Beside("show.vert").c_str(), Beside("show.frag").c_str()) || !s.none.Create()) {
        return EXIT_FAILURE;
    }
    TextureDesc desc(kSize, kSize, GL_RGBA8);
    TextureData empty(nullptr, GL_RGBA, GL_UNSIGNED_BYTE);
    s.image = glCreateTexture(&desc, &empty, &kglSamplerClampLinear);

    // The shader writes image unit 0; the texture is sampled only after the writes land.
    glBindImageToUnit(0, s.image, 0, false, 0, GL_WRITE_ONLY, GL_RGBA8);
    paint.Dispatch(kSize / kGroupSize, kSize / kGroupSize, 1, GL_TEXTURE_FETCH_BARRIER_BIT);

    glApplyBlendState(&kglBlendOff, nullptr);
    glApplyDepthStencilState(&kglDepthOff, 0);
    glutDisplayFunc(Display);
    glutMainLoop();
}
