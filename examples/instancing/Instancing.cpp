// Instancing: a hundred quads in one draw. Each vertex of the quad is shared by every copy; each copy
// takes its own place and colour from buffers that advance once per instance.
#include <GL/glew.h>
#include <GL/glut.h>
#include <vistrel/glBuffer.h>
#include <vistrel/glProgram.h>
#include <vistrel/glRenderState.h>
#include <vistrel/glVertexArray.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSide = 10; // quads per row and per column

struct Scene {
    CglProgram program;
    CglVertexArray quads;
};
Scene* scene = nullptr;

// The shaders lie beside the executable, where the build copies them.
std::string Beside(const char* name) {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string executable(path, length > 0 ? length : 0);
    return executable.substr(0, executable.rfind('/') + 1) + name;
}

GLuint Buffer(const std::vector<float>& values) {
    BufferDesc desc{static_cast<GLsizeiptr>(values.size() * sizeof(float)), GL_STATIC_DRAW};
    BufferData data{reinterpret_cast<const GLubyte*>(values.data())};
    GLuint buffer = 0;
    glCreateVertexBuffer(&desc, &data, &buffer);
    return buffer;
}

void Display() {
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    scene->program.Bind();
    scene->quads.Draw(GL_TRIANGLE_STRIP, 0, 4, kSide * kSide);
    glutSwapBuffers();
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(400, 400);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vistrel instancing");
    if (glewInit() != GLEW_OK) {
        return EXIT_FAILURE;
    }

    Scene s; // lives while GLUT's loop runs, which never returns
    scene = &s;
    if (!s.program.LoadFromFiles(Beside("instancing.vert").c_str(), Beside("instancing.frag").c_str()) ||
        !s.quads.Create()) {
        return EXIT_FAILURE;
    }
    // Wound counter-clockwise, so that culling back faces keeps them.
    std::vector<float> corner = {0, 0, 1, 0, 0, 1, 1, 1};
    std::vector<float> place, colour;
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            place.insert(place.end(), {column * 2.0f / kSide - 1.0f, row * 2.0f / kSide - 1.0f});
            colour.insert(colour.end(), {column / (kSide - 1.0f), row / (kSide - 1.0f), 0.5f});
        }
    }
    s.quads.SetAttribute(0, Buffer(corner), 2, GL_FLOAT, false, 0, 0);
    s.quads.SetAttribute(1, Buffer(place), 2, GL_FLOAT, false, 0, 0);
    s.quads.SetAttribute(2, Buffer(colour), 3, GL_FLOAT, false, 0, 0);
    s.quads.SetAttributeDivisor(1, 1);
    s.quads.SetAttributeDivisor(2, 1);

    glApplyRasterState(&kglRasterCullBack);
    glApplyBlendState(&kglBlendOff, nullptr);
    glApplyDepthStencilState(&kglDepthOff, 0);
    glutDisplayFunc(Display);
    glutMainLoop();
}
