// The Vistrel demo: a rotating cube, textured, lit and mirroring a sky cube map, rendered into an
// offscreen target and copied to the window through a vignette, with the frame rate on top.
// Escape ends it. With -core it runs on a 3.3 core profile and draws the same cube, without the
// frame-rate panel and text, which the fixed pipeline draws.
//
// Every frame:
//   1. into the offscreen target: clear, depth test on, draw the cube with the scene program;
//   2. into the window: depth test off, draw the target's colour texture on a window-sized quad;
//   3. a translucent panel (blending on) and the frame-rate text over it (blending off), unless -core;
//   4. report any GL error, swap.
#include <GL/glew.h>
// The context version and profile are freeglut's additions to GLUT.
#include <GL/freeglut.h>
#include <vistrel/glBuffer.h>
#include <vistrel/glOffscreenBuffer.h>
#include <vistrel/glProgram.h>
#include <vistrel/glTexture.h>
#include <vistrel/glVertexArray.h>

#include "FrameRate.h"
#include "OverlayText.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char kTitle[] = "Vistrel demo";
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

// The offscreen background; the window shows it unchanged around the cube.
constexpr float kBackground[4] = {0.25f, 0.32f, 0.45f, 1.0f};
const float kYellow[4] = {1.0f, 1.0f, 0.0f, 1.0f};
// The panel behind the frame rate, in pixels from the top-left corner.
constexpr float kPanelWidth = 170.0f;
constexpr float kPanelHeight = 26.0f;

// Seen from here, the cube spins about a tilted axis through the origin.
constexpr float kEyeDistance = 4.0f;
constexpr float kCubeHalfSize = 0.6f;
constexpr float kRadiansPerSecond = 0.9f;
// Towards the sun in the sky, unit length.
constexpr float kLightDirection[3] = {0.35f, 0.6f, 0.72f};

// Error reports name this file without its directory.
const char* ThisFile() {
    const char* slash = strrchr(__FILE__, '/');
    return slash != nullptr ? slash + 1 : __FILE__;
}

// ---- a little matrix arithmetic: 4 x 4, column by column, as GL reads them ----

struct Matrix4 {
    float m[16] = {};
};

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 product;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            for (int k = 0; k < 4; ++k) {
                product.m[column * 4 + row] += a.m[k * 4 + row] * b.m[column * 4 + k];
            }
        }
    }
    return product;
}

Matrix4 Perspective(float fovY, float aspect, float zNear, float zFar) {
    float f = 1.0f / std::tan(fovY / 2.0f);
    Matrix4 p;
    p.m[0] = f / aspect;
    p.m[5] = f;
    p.m[10] = (zFar + zNear) / (zNear - zFar);
    p.m[11] = -1.0f;
    p.m[14] = 2.0f * zFar * zNear / (zNear - zFar);
    return p;
}

Matrix4 Translation(float x, float y, float z) {
    Matrix4 t;
    t.m[0] = t.m[5] = t.m[10] = t.m[15] = 1.0f;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

// Rotation by `angle` radians about the axis (x, y, z), which need not be of unit length.
Matrix4 Rotation(float angle, float x, float y, float z) {
    float length = std::sqrt(x * x + y * y + z * z);
    x /= length;
    y /= length;
    z /= length;
    float c = std::cos(angle);
    float s = std::sin(angle);
    float t = 1.0f - c;
    Matrix4 r;
    r.m[0] = c + x * x * t;
    r.m[1] = y * x * t + z * s;
    r.m[2] = z * x * t - y * s;
    r.m[4] = x * y * t - z * s;
    r.m[5] = c + y * y * t;
    r.m[6] = z * y * t + x * s;
    r.m[8] = x * z * t + y * s;
    r.m[9] = y * z * t - x * s;
    r.m[10] = c + z * z * t;
    r.m[15] = 1.0f;
    return r;
}

// ---- what the frames draw with ----

struct Vertex {
    float position[3];
    float normal[3];
    float texCoord[2];
};

// The cube's 36 vertices (GL_TRIANGLES), then the 4 of a window-sized quad (GL_TRIANGLE_STRIP).
constexpr GLint kCubeFirst = 0;
constexpr GLsizei kCubeCount = 36;
constexpr GLint kQuadFirst = 36;
constexpr GLsizei kQuadCount = 4;

std::vector<Vertex> MakeVertices() {
    // Each face: its normal and two edge directions whose cross product is that normal, so that the
    // triangles wind counter-clockwise seen from outside.
    const float faces[6][3][3] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
    };
    const float corners[6][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}};
    std::vector<Vertex> vertices;
    for (const auto& face : faces) {
        for (const auto& corner : corners) {
            Vertex v{};
            for (int i = 0; i < 3; ++i) {
                v.position[i] =
                    (face[0][i] + face[1][i] * corner[0] + face[2][i] * corner[1]) * kCubeHalfSize;
                v.normal[i] = face[0][i];
            }
            v.texCoord[0] = (corner[0] + 1.0f) / 2.0f;
            v.texCoord[1] = (corner[1] + 1.0f) / 2.0f;
            vertices.push_back(v);
        }
    }
    for (int corner : {0, 1, 5, 2}) {
        Vertex v{};
        v.position[0] = corners[corner][0];
        v.position[1] = corners[corner][1];
        vertices.push_back(v);
    }
    return vertices;
}

// An 8 by 8 checkerboard of two warm tones, 64 texels square, mipmapped and repeating.
GLuint MakeSurfaceTexture() {
    constexpr int kSize = 64;
    std::vector<GLubyte> pixels(kSize * kSize * 4);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            bool light = ((x / 8) + (y / 8)) % 2 == 0;
            GLubyte* p = &pixels[(y * kSize + x) * 4];
            p[0] = light ? 240 : 200;
            p[1] = light ? 220 : 80;
            p[2] = light ? 180 : 50;
            p[3] = 255;
        }
    }
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = kSize;
    desc.height = kSize;
    desc.mipLevels = 0; // the whole chain, generated from level 0
    desc.internalFormat = GL_RGBA8;
    TextureData data;
    data.pixels = pixels.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    TextureSampler sampler;
    sampler.minFilter = GL_LINEAR_MIPMAP_LINEAR;
    sampler.wrapS = GL_REPEAT;
    sampler.wrapT = GL_REPEAT;
    sampler.maxAnisotropy = 4; // the faces are often seen at a slant
    return glCreateTexture(&desc, &data, &sampler);
}

// The sky in direction (x, y, z): blue overhead, pale at the horizon, sand below, with a sun.
void SkyColour(float x, float y, float z, GLubyte* out) {
    float length = std::sqrt(x * x + y * y + z * z);
    x /= length;
    y /= length;
    z /= length;
    const float zenith[3] = {0.20f, 0.45f, 0.85f};
    const float horizon[3] = {0.85f, 0.90f, 0.95f};
    const float ground[3] = {0.60f, 0.55f, 0.45f};
    const float* sun = kLightDirection;
    float up = std::sqrt(std::fabs(y));
    float glow = std::pow(std::fmax(x * sun[0] + y * sun[1] + z * sun[2], 0.0f), 64.0f);
    for (int i = 0; i < 3; ++i) {
        float c = y >= 0.0f ? horizon[i] + (zenith[i] - horizon[i]) * up : ground[i] * (1.0f - 0.5f * up);
        out[i] = static_cast<GLubyte>(std::fmin(c + glow, 1.0f) * 255.0f);
    }
    out[3] = 255;
}

// The sky around the cube, 64 texels square per face.
GLuint MakeSkyTexture() {
    constexpr int kSize = 64;
    std::vector<GLubyte> pixels[6];
    TextureData faces[6];
    for (int face = 0; face < 6; ++face) {
        pixels[face].resize(kSize * kSize * 4);
        for (int row = 0; row < kSize; ++row) {
            for (int column = 0; column < kSize; ++column) {
                // Where the texel lies on its face, from -1 to 1, and the direction it stands for
                // (faces in GL's order +X, -X, +Y, -Y, +Z, -Z).
                float s = (column + 0.5f) / kSize * 2.0f - 1.0f;
                float t = (row + 0.5f) / kSize * 2.0f - 1.0f;
                const float directions[6][3] = {{1, -t, -s}, {-1, -t, s}, {s, 1, t},
                                                {s, -1, -t}, {s, -t, 1},  {-s, -t, -1}};
                const float* d = directions[face];
                SkyColour(d[0], d[1], d[2], &pixels[face][(row * kSize + column) * 4]);
            }
        }
        faces[face].pixels = pixels[face].data();
        faces[face].format = GL_RGBA;
        faces[face].type = GL_UNSIGNED_BYTE;
    }
    TextureDesc desc(GL_TEXTURE_CUBE_MAP);
    desc.width = kSize;
    desc.height = kSize;
    desc.internalFormat = GL_RGBA8;
    TextureSampler sampler; // linear, clamped to each face's edges
    return glCreateTexture(&desc, faces, &sampler);
}

// ---- render state, one record per way of drawing ----

BlendState MakeBlendState(bool translucent) {
    BlendState state{};
    state.blendEnable = translucent;
    state.srcRGB = GL_SRC_ALPHA;
    state.dstRGB = GL_ONE_MINUS_SRC_ALPHA;
    state.srcAlpha = GL_ONE;
    state.dstAlpha = GL_ONE_MINUS_SRC_ALPHA;
    state.blendEquation = GL_FUNC_ADD;
    for (GLubyte& mask : state.colorWriteMask) {
        mask = 0x0F;
    }
    return state;
}

DepthStencilState MakeDepthStencilState(bool depthTested) {
    DepthStencilState state{};
    state.depthEnable = depthTested;
    state.depthWriteMask = depthTested;
    state.depthFunc = GL_LESS;
    state.stencilEnable = false;
    state.stencilReadMask = 0xFF;
    state.stencilWriteMask = 0xFF;
    state.stencilFailOp = GL_KEEP;
    state.stencilDepthFailOp = GL_KEEP;
    state.stencilPassOp = GL_KEEP;
    state.stencilFunc = GL_ALWAYS;
    return state;
}

const BlendState kOpaque = MakeBlendState(false);
const BlendState kTranslucent = MakeBlendState(true);
const DepthStencilState kDepthTested = MakeDepthStencilState(true);
const DepthStencilState kNoDepth = MakeDepthStencilState(false);

// Everything the frames draw with, made once the window exists. Destroying it deletes every GL object,
// so it must go while the context is still there.
struct Scene {
    CglShader sceneVertex;
    CglShader sceneFragment;
    CglShader presentVertex;
    CglShader presentFragment;
    CglProgram sceneProgram;
    CglProgram presentProgram;
    GLuint surfaceTexture = 0;
    GLuint skyTexture = 0;
    GLuint vertexBuffer = 0;
    // Position, normal and texture coordinates of the shared buffer at attribute locations 0, 1 and 2.
    CglVertexArray vertices;
    CglOffscreenBuffer target;
    ViewportState window{kWindowWidth, kWindowHeight, 0.0f, 1.0f};

    ~Scene() {
        if (vertexBuffer != 0) {
            glDeleteVertexBuffer(&vertexBuffer);
        }
        glDeleteTextures(1, &skyTexture);
        glDeleteTextures(1, &surfaceTexture);
    }
};

std::unique_ptr<Scene> scene;
// Set by -core: the window's context is a 3.3 core profile.
bool coreProfile = false;

// Where the shaders lie, found from the executable's own directory wherever the demo is started from:
// installed, in the data directory (VISTREL_DEMO_SHADERS, relative to the executable's directory); in the
// build tree, beside the executable.
std::string ShaderDirectory(const char* argv0) {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string executable = length > 0 ? std::string(path, static_cast<size_t>(length)) : argv0;
    size_t slash = executable.rfind('/');
    std::string directory = slash == std::string::npos ? "." : executable.substr(0, slash);
    std::string installed = directory + "/" + VISTREL_DEMO_SHADERS;
    return access((installed + "/scene.vert").c_str(), F_OK) == 0 ? installed : directory;
}

// A failed compile prints its log itself; a file that cannot be read leaves the shader without a name
// and prints nothing, so that is said here.
bool LoadShader(CglShader& shader, const std::string& directory, const char* name, GLenum type) {
    std::string path = directory + "/" + name;
    if (shader.LoadFromFile(path.c_str(), type, 0, 0)) {
        return true;
    }
    if (shader.id == 0) {
        fprintf(stderr, "vistrel-demo: cannot read %s\n", path.c_str());
    }
    return false;
}

// A failed link prints nothing; its log is in the program's status message.
bool LinkProgram(CglProgram& program, const CglShader& vertex, const CglShader& fragment, const char* name) {
    if (program.Link(vertex.id, fragment.id)) {
        return true;
    }
    fprintf(stderr, "vistrel-demo: the %s program does not link: %s\n", name, program.statusMessage);
    return false;
}

bool CreateScene(const std::string& directory) {
    scene = std::make_unique<Scene>();
    Scene& s = *scene;
    if (!LoadShader(s.sceneVertex, directory, "scene.vert", GL_VERTEX_SHADER) ||
        !LoadShader(s.sceneFragment, directory, "scene.frag", GL_FRAGMENT_SHADER) ||
        !LoadShader(s.presentVertex, directory, "present.vert", GL_VERTEX_SHADER) ||
        !LoadShader(s.presentFragment, directory, "present.frag", GL_FRAGMENT_SHADER) ||
        !LinkProgram(s.sceneProgram, s.sceneVertex, s.sceneFragment, "scene") ||
        !LinkProgram(s.presentProgram, s.presentVertex, s.presentFragment, "present")) {
        return false;
    }

    s.surfaceTexture = MakeSurfaceTexture();
    s.skyTexture = MakeSkyTexture();
    std::vector<Vertex> vertices = MakeVertices();
    BufferDesc bufferDesc{static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), GL_STATIC_DRAW};
    BufferData bufferData{reinterpret_cast<const GLubyte*>(vertices.data())};
    // Reports its own GL error, if any.
    if (glCreateVertexBuffer(&bufferDesc, &bufferData, &s.vertexBuffer)) {
        return false;
    }
    // Says itself what the driver lacks.
    if (!s.vertices.Create()) {
        return false;
    }
    s.vertices.SetAttribute(0, s.vertexBuffer, 3, GL_FLOAT, false, sizeof(Vertex),
                            offsetof(Vertex, position));
    s.vertices.SetAttribute(1, s.vertexBuffer, 3, GL_FLOAT, false, sizeof(Vertex), offsetof(Vertex, normal));
    s.vertices.SetAttribute(2, s.vertexBuffer, 2, GL_FLOAT, false, sizeof(Vertex),
                            offsetof(Vertex, texCoord));

    // Create prints why the target is incomplete but returns nothing, so the status is asked again
    // (an incomplete target's status line then appears twice).
    s.target.Create(s.window.width, s.window.height, GL_RGBA8, GL_DEPTH_COMPONENT24);
    if (s.target.fboId == 0 || !s.target.CheckStatus()) {
        return false;
    }
    return !glCheckError(__LINE__, ThisFile()) && s.surfaceTexture != 0 && s.skyTexture != 0;
}

// Draws `count` vertices of the shared buffer from `first` on.
void DrawVertices(GLenum mode, GLint first, GLsizei count) {
    scene->vertices.Bind();
    glDrawArrays(mode, first, count);
    scene->vertices.Unbind();
}

void DrawCube(float seconds) {
    Scene& s = *scene;
    float aspect = static_cast<float>(s.window.width) / static_cast<float>(s.window.height);
    Matrix4 viewProjection =
        Multiply(Perspective(0.785f, aspect, 0.1f, 20.0f), Translation(0.0f, 0.0f, -kEyeDistance));
    Matrix4 model = Rotation(seconds * kRadiansPerSecond, 0.3f, 1.0f, 0.2f);

    s.sceneProgram.Bind();
    s.sceneProgram.SetParameterMatrix4("model", model.m, false);
    s.sceneProgram.SetParameterMatrix4("viewProjection", viewProjection.m, false);
    s.sceneProgram.SetParameter3f("eyePosition", 0.0f, 0.0f, kEyeDistance);
    s.sceneProgram.SetParameter3f("lightDirection", kLightDirection[0], kLightDirection[1],
                                  kLightDirection[2]);
    s.sceneProgram.SetParameter1f("reflectivity", 0.3f);
    s.sceneProgram.BindTexture("surface", s.surfaceTexture, GL_TEXTURE_2D, 0);
    s.sceneProgram.BindTexture("sky", s.skyTexture, GL_TEXTURE_CUBE_MAP, 1);
    DrawVertices(GL_TRIANGLES, kCubeFirst, kCubeCount);
    s.sceneProgram.Unbind();
}

void PresentToWindow() {
    Scene& s = *scene;
    s.presentProgram.Bind();
    s.presentProgram.BindTexture("scene", s.target.colorTexId, GL_TEXTURE_2D, 0);
    s.presentProgram.SetParameter1f("vignette", 0.5f);
    DrawVertices(GL_TRIANGLE_STRIP, kQuadFirst, kQuadCount);
    // The overlay's bitmap text is drawn by the fixed pipeline.
    s.presentProgram.Unbind();
}

void DrawFrameRate() {
    float width = static_cast<float>(scene->window.width);
    float height = static_cast<float>(scene->window.height);
    glApplyBlendState(&kTranslucent, nullptr);
    glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
    glRectf(-1.0f, 1.0f - 2.0f * kPanelHeight / height, -1.0f + 2.0f * kPanelWidth / width, 1.0f);
    // Opaque again, so that the text keeps its exact colour.
    glApplyBlendState(&kOpaque, nullptr);
    float framesPerSecond = MeasureFrameRate(true, 20);
    DrawOverlayText(-1.0f, 1.0f - 35.0f / height, kYellow, GLUT_BITMAP_9_BY_15, "FPS = %f", framesPerSecond);
}

// ---- GLUT callbacks ----

void OnDisplay() {
    Scene& s = *scene;
    // A resized window gets a target of its own size, so the copy stays one texel per pixel.
    if (s.target.viewport.width != s.window.width || s.target.viewport.height != s.window.height) {
        s.target.Create(s.window.width, s.window.height, GL_RGBA8, GL_DEPTH_COMPONENT24);
    }

    s.target.BeginRender();
    glApplyBlendState(&kOpaque, nullptr);
    glApplyDepthStencilState(&kDepthTested, 0);
    glClearColor(kBackground[0], kBackground[1], kBackground[2], kBackground[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawCube(static_cast<float>(glutGet(GLUT_ELAPSED_TIME)) / 1000.0f);
    s.target.EndRender();

    // EndRender leaves the target's viewport in place.
    glApplyViewportState(&s.window);
    glApplyDepthStencilState(&kNoDepth, 0);
    PresentToWindow();
    if (!coreProfile) {
        DrawFrameRate();
    }

    glCheckError(__LINE__, ThisFile());
    glutSwapBuffers();
}

void OnIdle() {
    glutPostRedisplay();
}

void OnReshape(int width, int height) {
    // A minimised window may report no height; the target needs at least one row.
    scene->window.width = width > 0 ? width : 1;
    scene->window.height = height > 0 ? height : 1;
}

void OnKeyboard(unsigned char key, int, int) {
    if (key == 27) { // Escape
        // GLUT's loop never returns: the GL objects go here, while the context is current.
        scene.reset();
        bool failed = glCheckError(__LINE__, ThisFile());
        glutDestroyWindow(glutGetWindow());
        exit(failed ? EXIT_FAILURE : EXIT_SUCCESS);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::string directory = ShaderDirectory(argv[0]);
    glutInit(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        coreProfile = coreProfile || strcmp(argv[i], "-core") == 0;
    }
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    if (coreProfile) {
        glutInitContextVersion(3, 3);
        glutInitContextProfile(GLUT_CORE_PROFILE);
    }
    glutCreateWindow(kTitle);

    // The loader needs the context that the window made current.
    GLenum loader = glewInit();
    if (loader != GLEW_OK) {
        fprintf(stderr, "vistrel-demo: the extension loader could not start: %s\n",
                reinterpret_cast<const char*>(glewGetErrorString(loader)));
        return EXIT_FAILURE;
    }
    if (!CreateScene(directory)) {
        scene.reset();
        return EXIT_FAILURE;
    }

    glutDisplayFunc(OnDisplay);
    glutIdleFunc(OnIdle);
    glutReshapeFunc(OnReshape);
    glutKeyboardFunc(OnKeyboard);
    glutMainLoop();
    return EXIT_SUCCESS;
}
