// Quick start: open a window, initialise the loader, then draw a triangle into an offscreen target
// with a program loaded from its two files, a vertex array and ready-made render states, and read the
// result back.
#include <GL/glew.h>
#include <GL/glut.h>

#include <vistrel/glBuffer.h>
#include <vistrel/glOffscreenBuffer.h>
#include <vistrel/glProgram.h>
#include <vistrel/glTexture.h>
#include <vistrel/glVertexArray.h>

#include <cstdio>
#include <string>

// The shaders lie beside the program, where its build copies them.
static std::string Beside(const char* program, const char* name) {
    std::string path = program;
    return path.substr(0, path.rfind('/') + 1) + name;
}

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Vistrel quick start");
    // The loader needs the context that the window made current.
    if (glewInit() != GLEW_OK) {
        fprintf(stderr, "the extension loader could not start\n");
        return 1;
    }

    // Says itself which file failed and why.
    CglProgram program;
    if (!program.LoadFromFiles(Beside(argv[0], "quickstart.vert").c_str(),
                               Beside(argv[0], "quickstart.frag").c_str())) {
        return 1;
    }
    printf("%s\n", program.statusMessage);

    // One triangle that covers the whole target, wound counter-clockwise: a front face.
    const float corners[] = {-1.0f, -1.0f, 3.0f, -1.0f, -1.0f, 3.0f};
    BufferDesc bufferDesc{sizeof corners, GL_STATIC_DRAW};
    BufferData bufferData{reinterpret_cast<const GLubyte*>(corners)};
    GLuint buffer = 0;
    CglVertexArray triangle;
    if (glCreateVertexBuffer(&bufferDesc, &bufferData, &buffer) || !triangle.Create()) {
        return 1;
    }
    triangle.SetAttribute(0, buffer, 2, GL_FLOAT, false, 0, 0);

    CglOffscreenBuffer target;
    target.Create(64, 64, GL_RGBA8, GL_DEPTH_COMPONENT24);
    target.BeginRender();
    glApplyBlendState(&kglBlendOff, nullptr);
    glApplyDepthStencilState(&kglDepthLess, 0);
    glApplyRasterState(&kglRasterCullBack);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    program.Bind();
    program.SetParameter4f("color", 0.0f, 1.0f, 0.0f, 1.0f);
    triangle.Draw(GL_TRIANGLES, 0, 3);
    program.Unbind();
    target.EndRender();

    unsigned char pixel[4] = {};
    target.ReadColor(32, 32, 1, 1, pixel);
    triangle.Destroy();
    glDeleteVertexBuffer(&buffer);

    bool failed = glCheckError(__LINE__, "main.cpp");
    printf("offscreen pixel: %d %d %d %d\n", pixel[0], pixel[1], pixel[2], pixel[3]);
    return failed || pixel[1] != 255 ? 1 : 0;
}
