// Uniform blocks: two programs read one palette from one buffer. Each program points its block at the
// same binding point once; the buffer bound there feeds both, with no uniform set per program.
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

namespace {

constexpr GLuint kPaletteBinding = 0;

// The block as std140 lays it out: vec4 tint, vec4 shade.
struct Palette {
    float tint[4];
    float shade[4];
};

struct Scene {
    CglProgram solid;   // the left square, in the tint
    CglProgram checker; // the right square, tint and shade in turn
    CglVertexArray square;
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
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    scene->solid.Bind();
    scene->solid.SetParameter1f("side", -0.5f);
    scene->square.Draw(GL_TRIANGLE_STRIP, 0, 4);
    scene->checker.Bind();
    scene->checker.SetParameter1f("side", 0.5f);
    scene->square.Draw(GL_TRIANGLE_STRIP, 0, 4);
    glutSwapBuffers();
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(400, 200);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vistrel uniform blocks");
    if (glewInit() != GLEW_OK) {
        return EXIT_FAILURE;
    }

    Scene s; // lives while GLUT's loop runs, which never returns
    scene = &s;
    std::string vertex = Beside("quad.vert");
    if (!s.solid.LoadFromFiles(vertex.c_str(), Beside("solid.frag").c_str()) ||
        !s.checker.LoadFromFiles(vertex.c_str(), Beside("checker.frag").c_str()) || !s.square.Create()) {
        return EXIT_FAILURE;
    }
    const float corners[] = {-0.4f, -0.8f, 0.4f, -0.8f, -0.4f, 0.8f, 0.4f, 0.8f};
    const Palette palette = {{0.9f, 0.6f, 0.1f, 1.0f}, {0.2f, 0.3f, 0.8f, 1.0f}};
    GLuint buffers[2] = {};
    BufferDesc cornersDesc{sizeof corners, GL_STATIC_DRAW}, paletteDesc{sizeof palette, GL_STATIC_DRAW};
    BufferData cornersData{reinterpret_cast<const GLubyte*>(corners)};
    BufferData paletteData{reinterpret_cast<const GLubyte*>(&palette)};
    if (glCreateVertexBuffer(&cornersDesc, &cornersData, &buffers[0]) ||
        glCreateVertexBuffer(&paletteDesc, &paletteData, &buffers[1])) {
        return EXIT_FAILURE;
    }
    s.square.SetAttribute(0, buffers[0], 2, GL_FLOAT, false, 0, 0);
    s.solid.SetUniformBlockBinding("Palette", kPaletteBinding);
    s.checker.SetUniformBlockBinding("Palette", kPaletteBinding);
    glBindBufferToIndex(GL_UNIFORM_BUFFER, kPaletteBinding, buffers[1], 0, 0);

    glApplyBlendState(&kglBlendOff, nullptr);
    glApplyDepthStencilState(&kglDepthOff, 0);
    glutDisplayFunc(Display);
    glutMainLoop();
}
