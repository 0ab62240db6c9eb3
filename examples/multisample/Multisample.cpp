// A triangle drawn into a multisampled framebuffer and resolved into the window by one blit, which
// averages each pixel's four samples: the edges come out smooth. Escape ends it.
//
// Every frame:
//   1. into the multisampled framebuffer: clear, draw the triangle;
//   2. blit it to the window, resolving the samples;
//   3. report any GL error, swap.
#include <GL/glew.h>
// The context version and profile are freeglut's additions to GLUT.
#include <GL/freeglut.h>
#include <vistrel/glBuffer.h>
#include <vistrel/glError.h>
#include <vistrel/glFramebuffer.h>
#include <vistrel/glProgram.h>
#include <vistrel/glRenderState.h>
#include <vistrel/glVertexArray.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr GLsizei kSamples = 4;

const char kVertexShader[] = R"(#version 330 core
layout(location = 0) in vec2 position;
void main() { gl_Position = vec4(position, 0.0, 1.0); }
)";
const char kFragmentShader[] = R"(#version 330 core
out vec4 colour;
void main() { colour = vec4(1.0, 0.85, 0.3, 1.0); }
)";

// Slanted on every side, so that no edge follows a row or a column of pixels.
const float kTriangle[] = {-0.8f, -0.7f, 0.75f, -0.45f, -0.2f, 0.8f};

struct Scene {
    CglShader vertexShader;
    CglShader fragmentShader;
    CglProgram program;
    GLuint buffer = 0;
    CglVertexArray triangle;
    GLuint samples = 0; // the multisampled colour renderbuffer
    CglFrameBuffer multisampled;
    ViewportState window{320, 240, 0.0f, 1.0f};

    ~Scene() {
        glDeleteRenderBuffer(&samples);
        if (buffer != 0) {
            glDeleteVertexBuffer(&buffer);
        }
    }
};

std::unique_ptr<Scene> scene;

// Gives the multisampled framebuffer storage of the window's size. The new renderbuffer is attached
// before the old one goes, so that the two never share a name.
bool ResizeTarget() {
    Scene& s = *scene;
    GLuint old = s.samples;
    s.samples = glCreateRenderBuffer(GL_RGBA8, s.window.width, s.window.height, kSamples);
    s.multisampled.AttachRenderBuffer(s.samples, GL_COLOR_ATTACHMENT0);
    glDeleteRenderBuffer(&old);
    return s.multisampled.CheckStatus();
}

bool CreateScene() {
    scene = std::make_unique<Scene>();
    Scene& s = *scene;
    // A failed compile prints its log; a failed link keeps it in the status message.
    if (!s.vertexShader.CompileFromSource(kVertexShader, GL_VERTEX_SHADER, 0, 0) ||
        !s.fragmentShader.CompileFromSource(kFragmentShader, GL_FRAGMENT_SHADER, 0, 0)) {
        return false;
    }
    if (!s.program.Link(s.vertexShader.id, s.fragmentShader.id)) {
        fprintf(stderr, "vistrel-multisample: %s\n", s.program.statusMessage);
        return false;
    }
    BufferDesc desc{sizeof kTriangle, GL_STATIC_DRAW};
    BufferData data{reinterpret_cast<const GLubyte*>(kTriangle)};
    if (glCreateVertexBuffer(&desc, &data, &s.buffer) || !s.triangle.Create()) {
        return false;
    }
    s.triangle.SetAttribute(0, s.buffer, 2, GL_FLOAT, false, 0, 0);
    s.multisampled.GenerateId();
    return ResizeTarget();
}

void OnDisplay() {
    Scene& s = *scene;
    s.multisampled.Bind();
    glApplyViewportState(&s.window);
    glClearColor(0.1f, 0.1f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    s.program.Bind();
    s.triangle.Draw(GL_TRIANGLES, 0, 3);
    s.program.Unbind();
    // Into the window (no target), the same size: each pixel becomes the average of its samples.
    GLint w = s.window.width, h = s.window.height;
    s.multisampled.BlitTo(nullptr, 0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    CglFrameBuffer::Unbind();
    glCheckError(__LINE__, "Multisample.cpp");
    glutSwapBuffers();
}

void OnReshape(int width, int height) {
    scene->window.width = width > 0 ? width : 1;
    scene->window.height = height > 0 ? height : 1;
    ResizeTarget();
}

void OnKeyboard(unsigned char key, int, int) {
    if (key == 27) { // Escape: the GL objects go while the context is current
        scene.reset();
        exit(glCheckError(__LINE__, "Multisample.cpp") ? EXIT_FAILURE : EXIT_SUCCESS);
    }
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitWindowSize(320, 240);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitContextVersion(3, 3);
    glutInitContextProfile(GLUT_CORE_PROFILE);
    glutCreateWindow("Vistrel multisample");
    if (glewInit() != GLEW_OK || !CreateScene()) {
        scene.reset();
        return EXIT_FAILURE;
    }
    glutDisplayFunc(OnDisplay);
    glutIdleFunc(glutPostRedisplay);
    glutReshapeFunc(OnReshape);
    glutKeyboardFunc(OnKeyboard);
    glutMainLoop();
    return EXIT_SUCCESS;
}
