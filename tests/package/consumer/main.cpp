// Quick start: open a window, initialise the loader, then draw a triangle into an offscreen target
// with a shader program and read the result back.
#include <GL/glew.h>
#include <GL/glut.h>

#include <vistrel/glOffscreenBuffer.h>
#include <vistrel/glProgram.h>
#include <vistrel/glTexture.h>

#include <cstdio>

static const char* vertexSource = R"(#version 120
void main() { gl_Position = gl_Vertex; })";

static const char* fragmentSource = R"(#version 120
uniform vec4 color;
void main() { gl_FragColor = color; })";

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Vistrel quick start");
    // The loader needs the context that the window made current.
    if (glewInit() != GLEW_OK) {
        fprintf(stderr, "the extension loader could not start\n");
        return 1;
    }

    CglShader vertex;
    CglShader fragment;
    CglProgram program;
    if (!vertex.CompileFromSource(vertexSource, GL_VERTEX_SHADER, 0, 0) ||
        !fragment.CompileFromSource(fragmentSource, GL_FRAGMENT_SHADER, 0, 0) ||
        !program.Link(vertex.id, fragment.id)) {
        fprintf(stderr, "%s\n", program.statusMessage);
        return 1;
    }
    printf("%s\n", program.statusMessage);

    CglOffscreenBuffer target;
    target.Create(64, 64, GL_RGBA8, GL_DEPTH_COMPONENT24);
    target.BeginRender();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    program.Bind();
    program.SetParameter4f("color", 0.0f, 1.0f, 0.0f, 1.0f);
    glBegin(GL_TRIANGLES);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(3.0f, -1.0f);
    glVertex2f(-1.0f, 3.0f);
    glEnd();
    program.Unbind();

    unsigned char pixel[4] = {};
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    target.EndRender();

    bool failed = glCheckError(__LINE__, "main.cpp");
    printf("offscreen pixel: %d %d %d %d\n", pixel[0], pixel[1], pixel[2], pixel[3]);
    return failed || pixel[1] != 255 ? 1 : 0;
}
