// Deferred shading. A geometry pass writes each visible surface's position, normal and colour into three
// textures at once; a lighting pass then lights every pixel of the window from them with three point
// lights; the geometry pass's depth is copied into the window, so that the lights' markers, drawn last
// with the depth test, hide behind the surfaces in front of them. Escape ends it.
//
// Every frame:
//   1. into the G-buffer (three colour textures, a depth renderbuffer): clear, draw the two walls;
//   2. into the window: one triangle covering it, lit from the G-buffer;
//   3. the G-buffer's depth blitted into the window, then the markers drawn depth-tested;
//   4. report any GL error, swap.
//
// Positions are given in normalized device coordinates, so no camera is needed; -z is towards the eye.
#include <GL/glew.h>
// The context version and profile are freeglut's additions to GLUT.
#include <GL/freeglut.h>
#include <vistrel/glBuffer.h>
#include <vistrel/glFramebuffer.h>
#include <vistrel/glProgram.h>
#include <vistrel/glTexture.h>
#include <vistrel/glVertexArray.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The surfaces and the markers: where they are, which way they face, their colour.
const char kSurfaceVertex[] = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec3 colour;
out vec3 surfacePosition, surfaceNormal, surfaceColour;
void main() {
    surfacePosition = position;
    surfaceNormal = normal;
    surfaceColour = colour;
    gl_Position = vec4(position, 1.0);
}
)";
// Output i goes to the G-buffer's colour target i; w = 1 marks a pixel that a surface covers.
const char kGeometryFragment[] = R"(#version 330 core
in vec3 surfacePosition, surfaceNormal, surfaceColour;
layout(location = 0) out vec4 position;
layout(location = 1) out vec4 normal;
layout(location = 2) out vec4 colour;
void main() {
    position = vec4(surfacePosition, 1.0);
    normal = vec4(normalize(surfaceNormal), 0.0);
    colour = vec4(surfaceColour, 1.0);
}
)";
const char kMarkerFragment[] = R"(#version 330 core
in vec3 surfacePosition, surfaceNormal, surfaceColour;
out vec4 colour;
void main() { colour = vec4(surfaceColour, 1.0); }
)";
// One triangle that covers the window; each pixel reads its own texel of the G-buffer.
const char kLightingVertex[] = R"(#version 330 core
void main() { gl_Position = vec4(vec2(gl_VertexID & 1, gl_VertexID >> 1) * 4.0 - 1.0, 0.0, 1.0); }
)";
const char kLightingFragment[] = R"(#version 330 core
uniform sampler2D positions, normals, colours;
uniform vec3 lightPositions[3], lightColours[3];
out vec4 colour;
void main() {
    ivec2 texel = ivec2(gl_FragCoord.xy);
    vec4 position = texelFetch(positions, texel, 0);
    if (position.w == 0.0) {
        colour = vec4(0.05, 0.05, 0.08, 1.0);
        return;
    }
    vec3 normal = texelFetch(normals, texel, 0).xyz;
    vec3 light = vec3(0.1);
    for (int i = 0; i < 3; ++i) {
        vec3 toLight = lightPositions[i] - position.xyz;
        light += lightColours[i] * max(dot(normal, normalize(toLight)), 0.0) / (1.0 + dot(toLight, toLight));
    }
    colour = vec4(texelFetch(colours, texel, 0).rgb * light, 1.0);
}
)";

struct Vertex {
    float position[3];
    float normal[3];
    float colour[3];
};

// White in front of both walls, magenta behind the back wall (it lights nothing the eye sees), blue.
const float kLightPositions[9] = {-0.5f, 0.4f, -0.5f, 0.5f, -0.2f, 0.6f, 0.2f, 0.6f, -0.6f};
const float kLightColours[9] = {1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 1.0f, 0.3f, 0.4f, 1.0f};
constexpr float kMarkerSize = 0.04f;

// Two rectangles facing the eye, each two triangles: an orange back wall and a teal panel before it.
// Then a small square at each light, in its colour.
std::vector<Vertex> MakeVertices() {
    std::vector<Vertex> vertices;
    auto rectangle = [&](float x0, float y0, float x1, float y1, float z, const float* colour) {
        const float corners[6][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y0}, {x1, y1}, {x0, y1}};
        for (const auto& corner : corners) {
            vertices.push_back(
                {{corner[0], corner[1], z}, {0.0f, 0.0f, -1.0f}, {colour[0], colour[1], colour[2]}});
        }
    };
    const float orange[3] = {0.9f, 0.5f, 0.2f}, teal[3] = {0.2f, 0.7f, 0.6f};
    rectangle(-0.9f, -0.9f, 0.9f, 0.9f, 0.3f, orange);
    rectangle(-0.2f, -0.5f, 0.6f, 0.3f, -0.2f, teal);
    for (int i = 0; i < 3; ++i) {
        const float* p = &kLightPositions[i * 3];
        rectangle(p[0] - kMarkerSize, p[1] - kMarkerSize, p[0] + kMarkerSize, p[1] + kMarkerSize, p[2],
                  &kLightColours[i * 3]);
    }
    return vertices;
}
constexpr GLsizei kSurfaceVertices = 12;
constexpr GLsizei kMarkerVertices = 18;

struct Scene {
    CglShader surfaceVertex, geometryFragment, markerFragment, lightingVertex, lightingFragment;
    CglProgram geometry, markers, lighting;
    GLuint buffer = 0;
    CglVertexArray vertices;
    CglVertexArray none; // a core profile draws the covering triangle through a vertex array too
    // The G-buffer: positions, normals and colours, and a depth renderbuffer.
    CglFrameBuffer gBuffer;
    GLuint targets[3] = {};
    GLuint depth = 0;
    ViewportState window{320, 240, 0.0f, 1.0f};

    ~Scene() {
        glDeleteTextures(3, targets);
        glDeleteRenderBuffer(&depth);
        if (buffer != 0) {
            glDeleteVertexBuffer(&buffer);
        }
    }
};

std::unique_ptr<Scene> scene;

// Makes the G-buffer's images at the window's size. The new renderbuffer is attached before the old
// one goes, so that the two never share a name.
bool ResizeGBuffer() {
    Scene& s = *scene;
    const GLint formats[3] = {GL_RGBA16F, GL_RGBA16F, GL_RGBA8};
    TextureSampler nearest;
    nearest.minFilter = nearest.magFilter = GL_NEAREST;
    for (int i = 0; i < 3; ++i) {
        TextureDesc desc(GL_TEXTURE_2D);
        desc.width = s.window.width;
        desc.height = s.window.height;
        desc.internalFormat = formats[i];
        TextureData data;
        data.format = GL_RGBA;
        data.type = GL_FLOAT;
        glDeleteTextures(1, &s.targets[i]);
        s.targets[i] = glCreateTexture(&desc, &data, &nearest);
        s.gBuffer.AttachTexture(GL_TEXTURE_2D, s.targets[i], GL_COLOR_ATTACHMENT0 + i, 0, 0);
    }
    // The window's depth buffer has this format too (GLUT_STENCIL), as a depth blit needs.
    GLuint old = s.depth;
    s.depth = glCreateRenderBuffer(GL_DEPTH24_STENCIL8, s.window.width, s.window.height, 0);
    s.gBuffer.AttachRenderBuffer(s.depth, GL_DEPTH_STENCIL_ATTACHMENT);
    glDeleteRenderBuffer(&old);
    return s.gBuffer.CheckStatus();
}

// A failed compile prints its log; a failed link keeps it in the status message.
bool Link(CglProgram& program, const CglShader& vertex, const CglShader& fragment) {
    if (program.Link(vertex.id, fragment.id)) {
        return true;
    }
    fprintf(stderr, "vistrel-deferred: %s\n", program.statusMessage);
    return false;
}

bool CreateScene() {
    scene = std::make_unique<Scene>();
    Scene& s = *scene;
    if (!s.surfaceVertex.CompileFromSource(kSurfaceVertex, GL_VERTEX_SHADER, 0, 0) ||
        !s.geometryFragment.CompileFromSource(kGeometryFragment, GL_FRAGMENT_SHADER, 0, 0) ||
        !s.markerFragment.CompileFromSource(kMarkerFragment, GL_FRAGMENT_SHADER, 0, 0) ||
        !s.lightingVertex.CompileFromSource(kLightingVertex, GL_VERTEX_SHADER, 0, 0) ||
        !s.lightingFragment.CompileFromSource(kLightingFragment, GL_FRAGMENT_SHADER, 0, 0) ||
        !Link(s.geometry, s.surfaceVertex, s.geometryFragment) ||
        !Link(s.markers, s.surfaceVertex, s.markerFragment) ||
        !Link(s.lighting, s.lightingVertex, s.lightingFragment)) {
        return false;
    }
    std::vector<Vertex> vertices = MakeVertices();
    BufferDesc desc{static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), GL_STATIC_DRAW};
    BufferData data{reinterpret_cast<const GLubyte*>(vertices.data())};
    if (glCreateVertexBuffer(&desc, &data, &s.buffer) || !s.vertices.Create() || !s.none.Create()) {
        return false;
    }
    s.vertices.SetAttribute(0, s.buffer, 3, GL_FLOAT, false, sizeof(Vertex), offsetof(Vertex, position));
    s.vertices.SetAttribute(1, s.buffer, 3, GL_FLOAT, false, sizeof(Vertex), offsetof(Vertex, normal));
    s.vertices.SetAttribute(2, s.buffer, 3, GL_FLOAT, false, sizeof(Vertex), offsetof(Vertex, colour));

    s.gBuffer.GenerateId();
    const GLenum outputs[3] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1, GL_COLOR_ATTACHMENT2};
    s.gBuffer.SetDrawBuffers(3, outputs);
    return ResizeGBuffer();
}

void Draw(const CglProgram& program, const CglVertexArray& array, GLint first, GLsizei count) {
    program.Bind();
    array.Draw(GL_TRIANGLES, first, count);
    program.Unbind();
}

void OnDisplay() {
    Scene& s = *scene;
    s.gBuffer.Bind();
    glApplyViewportState(&s.window);
    glApplyDepthStencilState(&kglDepthLess, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Draw(s.geometry, s.vertices, 0, kSurfaceVertices);

    CglFrameBuffer::Unbind();
    glApplyDepthStencilState(&kglDepthOff, 0);
    s.lighting.Bind();
    s.lighting.BindTexture("positions", s.targets[0], GL_TEXTURE_2D, 0);
    s.lighting.BindTexture("normals", s.targets[1], GL_TEXTURE_2D, 1);
    s.lighting.BindTexture("colours", s.targets[2], GL_TEXTURE_2D, 2);
    s.lighting.SetParameterArray("lightPositions", kLightPositions, 3, 3);
    s.lighting.SetParameterArray("lightColours", kLightColours, 3, 3);
    Draw(s.lighting, s.none, 0, 3);

    GLint w = s.window.width, h = s.window.height;
    s.gBuffer.BlitTo(nullptr, 0, 0, w, h, 0, 0, w, h, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    glApplyDepthStencilState(&kglDepthLess, 0);
    Draw(s.markers, s.vertices, kSurfaceVertices, kMarkerVertices);

    glCheckError(__LINE__, "Deferred.cpp");
    glutSwapBuffers();
}

void OnReshape(int width, int height) {
    scene->window.width = width > 0 ? width : 1;
    scene->window.height = height > 0 ? height : 1;
    ResizeGBuffer();
}

void OnKeyboard(unsigned char key, int, int) {
    if (key == 27) { // Escape: the GL objects go while the context is current
        scene.reset();
        exit(glCheckError(__LINE__, "Deferred.cpp") ? EXIT_FAILURE : EXIT_SUCCESS);
    }
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitWindowSize(320, 240);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitContextVersion(3, 3);
    glutInitContextProfile(GLUT_CORE_PROFILE);
    glutCreateWindow("Vistrel deferred shading");
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
