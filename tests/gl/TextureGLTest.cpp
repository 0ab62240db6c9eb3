#include "GlTest.h"
#include "glFramebuffer.h"
#include "glTexture.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <gmock/gmock.h>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using rec::Call;
using rec::Enum;
using rec::Int;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

GLint LevelParameter(GLenum target, GLint level, GLenum pname) {
    GLint value = -1;
    glGetTexLevelParameteriv(target, level, pname, &value);
    return value;
}

GLint ParameterI(GLenum target, GLenum pname) {
    GLint value = -1;
    glGetTexParameteriv(target, pname, &value);
    return value;
}

GLfloat ParameterF(GLenum target, GLenum pname) {
    GLfloat value = -1.0f;
    glGetTexParameterfv(target, pname, &value);
    return value;
}

// `count` RGBA texels of one colour.
std::vector<GLubyte> Texels(int count, GLubyte r, GLubyte g, GLubyte b, GLubyte a = 255) {
    std::vector<GLubyte> texels;
    for (int i = 0; i < count; ++i) {
        texels.insert(texels.end(), {r, g, b, a});
    }
    return texels;
}

// Level 0 of the image at `target` (a face target for cube maps) as RGBA bytes.
std::vector<GLubyte> ReadImage(GLenum target, int texels) {
    std::vector<GLubyte> image(static_cast<size_t>(texels) * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
    return image;
}

class TextureTest : public GlTest {
  protected:
    void TearDown() override {
        for (GLuint texture : created_) {
            glDeleteTextures(1, &texture);
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        GlTest::TearDown();
    }

    // Creates through the code under test and deletes at the end of the test.
    GLuint Create(const TextureDesc& desc, const TextureData* data, const TextureSampler* sampler = nullptr) {
        GLuint texture = glCreateTexture(&desc, data, sampler);
        if (texture != 0 && texture != 0xFFFFFFFFu) {
            created_.push_back(texture);
        }
        return texture;
    }

    // A texture of our own, bound at `target`, for the sampler on its own.
    GLuint BindFresh(GLenum target) {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        created_.push_back(texture);
        glBindTexture(target, texture);
        return texture;
    }

  private:
    std::vector<GLuint> created_;
};

// ---- the sampler ----

using TextureSamplerTest = TextureTest;

TEST_F(TextureSamplerTest, WithoutSamplerSetsOnlyFiltersAndWrapsSAndT) {
    for (GLenum target : {GL_TEXTURE_2D, GL_TEXTURE_3D, GL_TEXTURE_CUBE_MAP}) {
        SCOPED_TRACE(target);
        BindFresh(target);
        // Settings the short set must leave alone.
        glTexParameteri(target, GL_TEXTURE_WRAP_R, GL_MIRRORED_REPEAT);
        glTexParameteri(target, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_R_TO_TEXTURE);
        glTexParameterf(target, GL_TEXTURE_MIN_LOD, -5.0f);

        rec::Start();
        glApplyTextureSampler(target, nullptr);
        rec::Stop();

        EXPECT_EQ(ParameterI(target, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(ParameterI(target, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(ParameterI(target, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
        EXPECT_EQ(ParameterI(target, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
        EXPECT_EQ(ParameterI(target, GL_TEXTURE_WRAP_R), GL_MIRRORED_REPEAT);
        EXPECT_EQ(ParameterI(target, GL_TEXTURE_COMPARE_MODE), GL_COMPARE_R_TO_TEXTURE);
        EXPECT_EQ(ParameterF(target, GL_TEXTURE_MIN_LOD), -5.0f);
        EXPECT_THAT(
            rec::Calls(),
            ElementsAre(
                Call("glTexParameterf", {Enum(target), Enum(GL_TEXTURE_MAG_FILTER), rec::Float(9729.0)}),
                Call("glTexParameterf", {Enum(target), Enum(GL_TEXTURE_MIN_FILTER), rec::Float(9729.0)}),
                Call("glTexParameterf", {Enum(target), Enum(GL_TEXTURE_WRAP_S), rec::Float(33071.0)}),
                Call("glTexParameterf", {Enum(target), Enum(GL_TEXTURE_WRAP_T), rec::Float(33071.0)})));
        glBindTexture(target, 0);
        EXPECT_TRUE(GlNoError());
    }
}

TEST_F(TextureSamplerTest, SetsEveryParameterInItsOrder) {
    BindFresh(GL_TEXTURE_2D);
    TextureSampler sampler;
    sampler.minFilter = GL_NEAREST_MIPMAP_LINEAR;
    sampler.magFilter = GL_NEAREST;
    sampler.wrapR = GL_CLAMP_TO_BORDER;
    sampler.wrapS = GL_REPEAT;
    sampler.wrapT = GL_MIRRORED_REPEAT;
    sampler.maxAnisotropy = 4;
    sampler.compareFunc = GL_LEQUAL;
    const float border[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    std::copy(border, border + 4, sampler.borderColor);
    sampler.minLod = 0.5f;
    sampler.maxLod = 4.0f;

    rec::Start();
    glApplyTextureSampler(GL_TEXTURE_2D, &sampler);
    rec::Stop();

    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_MIRRORED_REPEAT);
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_WRAP_R), GL_CLAMP_TO_BORDER);
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_NEAREST_MIPMAP_LINEAR);
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(ParameterF(GL_TEXTURE_2D, GL_TEXTURE_MIN_LOD), 0.5f);
    EXPECT_EQ(ParameterF(GL_TEXTURE_2D, GL_TEXTURE_MAX_LOD), 4.0f);
    std::array<GLfloat, 4> readBorder{};
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, readBorder.data());
    EXPECT_THAT(readBorder, ElementsAreArray(border));
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE), GL_COMPARE_R_TO_TEXTURE);
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC), GL_LEQUAL);
    if (DriverHasExtension("GL_EXT_texture_filter_anisotropic")) {
        EXPECT_EQ(ParameterF(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT), 4.0f);
        EXPECT_TRUE(GlNoError());
    }

    const auto t = Enum(GL_TEXTURE_2D);
    EXPECT_THAT(
        rec::Calls(),
        ElementsAre(Call("glTexParameteri", {t, Enum(GL_TEXTURE_WRAP_S), Int(GL_REPEAT)}),
                    Call("glTexParameteri", {t, Enum(GL_TEXTURE_WRAP_T), Int(GL_MIRRORED_REPEAT)}),
                    Call("glTexParameteri", {t, Enum(GL_TEXTURE_WRAP_R), Int(GL_CLAMP_TO_BORDER)}),
                    Call("glTexParameteri", {t, Enum(GL_TEXTURE_MIN_FILTER), Int(GL_NEAREST_MIPMAP_LINEAR)}),
                    Call("glTexParameteri", {t, Enum(GL_TEXTURE_MAG_FILTER), Int(GL_NEAREST)}),
                    Call("glTexParameterf", {t, Enum(GL_TEXTURE_MIN_LOD), rec::Float(0.5)}),
                    Call("glTexParameterf", {t, Enum(GL_TEXTURE_MAX_LOD), rec::Float(4.0)}),
                    Call("glTexParameteri", {t, Enum(GL_TEXTURE_MAX_ANISOTROPY_EXT), Int(4)}),
                    Call("glTexParameterfv", {t, Enum(GL_TEXTURE_BORDER_COLOR), rec::Floats(border, 4)}),
                    Call("glTexParameteri", {t, Enum(GL_TEXTURE_COMPARE_MODE), Int(GL_COMPARE_R_TO_TEXTURE)}),
                    Call("glTexParameteri", {t, Enum(GL_TEXTURE_COMPARE_FUNC), Int(GL_LEQUAL)})));
}

TEST_F(TextureSamplerTest, DefaultSamplerTurnsComparisonOffAndKeepsItsFunction) {
    BindFresh(GL_TEXTURE_CUBE_MAP);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_R_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_COMPARE_FUNC, GL_GREATER);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_REPEAT);
    TextureSampler sampler;

    rec::Start();
    glApplyTextureSampler(GL_TEXTURE_CUBE_MAP, &sampler);
    rec::Stop();

    const GLenum t = GL_TEXTURE_CUBE_MAP;
    for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R}) {
        EXPECT_EQ(ParameterI(t, wrap), GL_CLAMP_TO_EDGE);
    }
    EXPECT_EQ(ParameterI(t, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(ParameterI(t, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(ParameterF(t, GL_TEXTURE_MIN_LOD), 0.0f);
    EXPECT_EQ(ParameterF(t, GL_TEXTURE_MAX_LOD), FLT_MAX);
    std::array<GLfloat, 4> border{1, 1, 1, 1};
    glGetTexParameterfv(t, GL_TEXTURE_BORDER_COLOR, border.data());
    EXPECT_THAT(border, ElementsAre(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(ParameterI(t, GL_TEXTURE_COMPARE_MODE), GL_NONE);
    EXPECT_EQ(ParameterI(t, GL_TEXTURE_COMPARE_FUNC), GL_GREATER);
    if (DriverHasExtension("GL_EXT_texture_filter_anisotropic")) {
        EXPECT_EQ(ParameterF(t, GL_TEXTURE_MAX_ANISOTROPY_EXT), 1.0f);
    }

    // Ten calls: the mode alone, and the comparison function never named.
    EXPECT_EQ(rec::Calls().size(), 10u);
    EXPECT_EQ(rec::Calls().back(), Call("glTexParameteri", {Enum(t), Enum(GL_TEXTURE_COMPARE_MODE), Int(0)}));
    EXPECT_EQ(rec::Calls()[6],
              Call("glTexParameterf", {Enum(t), Enum(GL_TEXTURE_MAX_LOD), rec::Float(FLT_MAX)}));
    EXPECT_TRUE(GlNoError());
}

// ---- creation ----

using CreateTextureTest = TextureTest;

TEST_F(CreateTextureTest, MissingDescriptionOrDataMakesNoGlCall) {
    TextureDesc desc(GL_TEXTURE_2D);
    TextureData data;
    TextureSampler sampler;
    rec::Start();
    EXPECT_EQ(glCreateTexture(nullptr, nullptr, nullptr), 0xFFFFFFFFu);
    EXPECT_EQ(glCreateTexture(nullptr, &data, &sampler), 0xFFFFFFFFu);
    EXPECT_EQ(glCreateTexture(&desc, nullptr, &sampler), 0xFFFFFFFFu);
    rec::Stop();
    EXPECT_THAT(rec::Calls(), ElementsAre());
}

TEST_F(CreateTextureTest, OneAndTwoDimensionalImagesHaveTheirSizesAndContent) {
    glBindTexture(GL_TEXTURE_2D, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);

    // 3 RGB texels a row: only an unpack alignment of 1 reads these rows where they are.
    const GLubyte rgb[2 * 9] = {10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42, 50, 51, 52, 60, 61, 62};
    TextureDesc desc2d(GL_TEXTURE_2D);
    desc2d.width = 3;
    desc2d.height = 2;
    desc2d.internalFormat = GL_RGB8;
    TextureData data2d;
    data2d.pixels = rgb;
    data2d.format = GL_RGB;
    data2d.type = GL_UNSIGNED_BYTE;
    GLuint tex2d = Create(desc2d, &data2d);
    ASSERT_NE(tex2d, 0u);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 1);

    glBindTexture(GL_TEXTURE_2D, tex2d);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 3);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 2);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB8);
    std::vector<GLubyte> read(sizeof rgb);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, read.data());
    EXPECT_THAT(read, ElementsAreArray(rgb));
    glBindTexture(GL_TEXTURE_2D, 0);

    std::vector<GLubyte> row = Texels(5, 1, 2, 3, 4);
    TextureDesc desc1d(GL_TEXTURE_1D);
    desc1d.width = 5;
    desc1d.height = 99; // not used by a 1D texture
    TextureData data1d;
    data1d.pixels = row.data();
    data1d.format = GL_RGBA;
    data1d.type = GL_UNSIGNED_BYTE;
    GLuint tex1d = Create(desc1d, &data1d);
    ASSERT_NE(tex1d, 0u);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_1D), 0);
    glBindTexture(GL_TEXTURE_1D, tex1d);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_1D, 0, GL_TEXTURE_WIDTH), 5);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_1D, 0, GL_TEXTURE_HEIGHT), 1);
    EXPECT_EQ(ReadImage(GL_TEXTURE_1D, 5), row);
    // Without a sampler the new texture is complete: it has no mipmaps, so a mipmapped minifying
    // filter would leave it unusable.
    EXPECT_EQ(ParameterI(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    glBindTexture(GL_TEXTURE_1D, 0);
    EXPECT_TRUE(GlNoError());
}

TEST_F(CreateTextureTest, EachCubeFaceTakesItsOwnRecord) {
    const GLubyte colours[6][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                   {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
    std::vector<GLubyte> faces[6];
    TextureData data[6];
    std::vector<GLubyte> bgra[6];
    for (int i = 0; i < 6; ++i) {
        faces[i] = Texels(4, colours[i][0], colours[i][1], colours[i][2]);
        // Odd faces hand over their texels in another order: each face's format must be its own.
        bool odd = i % 2 != 0;
        bgra[i] = Texels(4, colours[i][2], colours[i][1], colours[i][0]);
        data[i].pixels = odd ? bgra[i].data() : faces[i].data();
        data[i].format = odd ? GL_BGRA : GL_RGBA;
        data[i].type = GL_UNSIGNED_BYTE;
    }
    TextureDesc desc(GL_TEXTURE_CUBE_MAP);
    desc.width = 2;
    desc.height = 2;
    desc.internalFormat = GL_RGBA8;

    GLuint cube = Create(desc, data);

    ASSERT_NE(cube, 0u);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_CUBE_MAP), 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    for (int i = 0; i < 6; ++i) {
        GLenum face = GL_TEXTURE_CUBE_MAP_POSITIVE_X + i;
        SCOPED_TRACE(face);
        EXPECT_EQ(LevelParameter(face, 0, GL_TEXTURE_WIDTH), 2);
        EXPECT_EQ(LevelParameter(face, 0, GL_TEXTURE_HEIGHT), 2);
        EXPECT_EQ(LevelParameter(face, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
        EXPECT_EQ(ReadImage(face, 4), faces[i]);
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    EXPECT_TRUE(GlNoError());
}

TEST_F(CreateTextureTest, ArrayTakesLayersAsDepthAndThreeDTakesDepth) {
    if (glTexImage3D == nullptr) {
        GTEST_SKIP() << "the loader did not provide glTexImage3D";
    }
    // Three slices of distinct colours, 2 x 1 texels each.
    std::vector<GLubyte> slices;
    for (GLubyte i = 0; i < 3; ++i) {
        std::vector<GLubyte> slice = Texels(2, 60 * (i + 1), i, 200);
        slices.insert(slices.end(), slice.begin(), slice.end());
    }
    TextureData data;
    data.pixels = slices.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;

    TextureDesc array(GL_TEXTURE_2D_ARRAY_EXT);
    array.width = 2;
    array.height = 1;
    array.layers = 3;
    array.depth = 7; // ignored by an array
    array.internalFormat = GL_RGBA8;
    GLuint arrayTex = Create(array, &data);

    TextureDesc volume(GL_TEXTURE_3D);
    volume.width = 2;
    volume.height = 1;
    volume.depth = 3;
    volume.layers = 9; // ignored by a 3D texture
    volume.internalFormat = GL_RGBA8;
    GLuint volumeTex = Create(volume, &data);

    ASSERT_NE(arrayTex, 0u);
    ASSERT_NE(volumeTex, 0u);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D_ARRAY_EXT), 0);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_3D), 0);
    for (auto [target, texture] : {std::pair<GLenum, GLuint>{GL_TEXTURE_2D_ARRAY_EXT, arrayTex},
                                   std::pair<GLenum, GLuint>{GL_TEXTURE_3D, volumeTex}}) {
        SCOPED_TRACE(target);
        glBindTexture(target, texture);
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_WIDTH), 2);
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_HEIGHT), 1);
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_DEPTH), 3);
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
        EXPECT_EQ(ReadImage(target, 6), slices) << "each layer distinct and in place";
        glBindTexture(target, 0);
    }
    EXPECT_TRUE(GlNoError());
}

TEST_F(CreateTextureTest, GeneratesMipmapsOnlyForTwoDimensionalTexturesThatAskForThem) {
    std::vector<GLubyte> texels = Texels(8 * 8, 40, 80, 120);
    TextureData data;
    data.pixels = texels.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = 8;
    desc.height = 8;
    desc.mipLevels = 0;

    rec::Start();
    GLuint mipmapped = Create(desc, &data);
    rec::Stop();
    // The flag counts only when it is set before the upload.
    std::vector<std::string> names = rec::Names();
    auto flag = std::find(names.begin(), names.end(), "glTexParameteri");
    auto upload = std::find(names.begin(), names.end(), "glTexImage2D");
    ASSERT_NE(flag, names.end());
    EXPECT_LT(flag, upload);
    EXPECT_EQ(rec::Calls()[flag - names.begin()],
              Call("glTexParameteri", {Enum(GL_TEXTURE_2D), Enum(GL_GENERATE_MIPMAP), Int(1)}));

    desc.mipLevels = 1;
    GLuint single = Create(desc, &data);

    glBindTexture(GL_TEXTURE_2D, mipmapped);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH), 1);
    std::vector<GLubyte> level1(4 * 4 * 4);
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGBA, GL_UNSIGNED_BYTE, level1.data());
    EXPECT_EQ(level1, Texels(4 * 4, 40, 80, 120)) << "the chain is made from level 0";
    glBindTexture(GL_TEXTURE_2D, single);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_TRUE(GlNoError());
}

TEST_F(CreateTextureTest, MipmapRequestIsIgnoredBeyondTwoDimensions) {
    if (glTexImage3D == nullptr) {
        GTEST_SKIP() << "the loader did not provide glTexImage3D";
    }
    std::vector<GLubyte> texels = Texels(4 * 4 * 4, 9, 9, 9);
    TextureData data;
    data.pixels = texels.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    TextureDesc desc(GL_TEXTURE_3D);
    desc.width = desc.height = desc.depth = 4;
    desc.mipLevels = 0;

    rec::Start();
    GLuint texture = Create(desc, &data);
    rec::Stop();

    for (const std::string& call : rec::CallsTo("glTexParameteri")) {
        EXPECT_EQ(call.find(Enum(GL_GENERATE_MIPMAP).text), std::string::npos) << call;
    }
    glBindTexture(GL_TEXTURE_3D, texture);
    EXPECT_EQ(ParameterI(GL_TEXTURE_3D, GL_GENERATE_MIPMAP), GL_FALSE);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_3D, 1, GL_TEXTURE_WIDTH), 0);
    glBindTexture(GL_TEXTURE_3D, 0);
    EXPECT_TRUE(GlNoError());
}

TEST_F(CreateTextureTest, DepthTextureWithoutPixelsIsAllocatedWithItsSampler) {
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = 16;
    desc.height = 8;
    desc.internalFormat = GL_DEPTH_COMPONENT24;
    TextureData data;
    data.format = GL_DEPTH_COMPONENT;
    data.type = GL_UNSIGNED_INT;
    TextureSampler sampler;
    sampler.minFilter = sampler.magFilter = GL_NEAREST;
    sampler.compareFunc = GL_LEQUAL;

    rec::Start();
    GLuint depth = Create(desc, &data, &sampler);
    rec::Stop();

    ASSERT_NE(depth, 0u);
    EXPECT_THAT(rec::CallsTo("glTexImage2D"),
                ElementsAre(Call("glTexImage2D", {Enum(GL_TEXTURE_2D), Int(0), Enum(GL_DEPTH_COMPONENT24),
                                                  Int(16), Int(8), Int(0), Enum(GL_DEPTH_COMPONENT),
                                                  Enum(GL_UNSIGNED_INT), rec::Ptr(nullptr)})));
    glBindTexture(GL_TEXTURE_2D, depth);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 16);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 8);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_DEPTH_COMPONENT24);
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE), GL_COMPARE_R_TO_TEXTURE);
    EXPECT_EQ(ParameterI(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC), GL_LEQUAL);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 1);
    EXPECT_TRUE(GlNoError());
}

TEST_F(CreateTextureTest, UnsupportedTargetDeletesItsNameAndSaysSo) {
    std::vector<GLubyte> texels = Texels(4, 1, 2, 3);
    TextureData data;
    data.pixels = texels.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    // A real GL target, so that everything but the upload succeeds.
    TextureDesc desc(GL_TEXTURE_RECTANGLE);
    desc.width = 2;
    desc.height = 2;

    StderrCapture err;
    rec::Start();
    GLuint texture = glCreateTexture(&desc, &data, nullptr);
    rec::Stop();

    EXPECT_EQ(texture, 0u);
    EXPECT_EQ(err.Text(), "glCreateTexture() : invalid target value\n");
    std::vector<std::string> generated = rec::CallsTo("glGenTextures");
    ASSERT_EQ(generated.size(), 1u);
    GLuint name = static_cast<GLuint>(std::stoul(generated[0].substr(generated[0].find("-> ") + 3)));
    EXPECT_EQ(glIsTexture(name), GL_FALSE) << "the generated name was deleted";
    EXPECT_THAT(rec::CallsTo("glDeleteTextures"), ElementsAre(Call("glDeleteTextures", {Int(1), Int(name)})));
    EXPECT_EQ(rec::Calls().back(), Call("glBindTexture", {Enum(GL_TEXTURE_RECTANGLE), Int(0)}));
    EXPECT_EQ(rec::CountOf("glTexImage2D") + rec::CountOf("glTexImage1D") + rec::CountOf("glTexImage3D"), 0u);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_RECTANGLE), 0);
    EXPECT_TRUE(GlNoError());

    // A value that is no target at all: GL refuses the bind itself and keeps the error for the caller.
    desc.target = 0x1234;
    StderrCapture err2;
    EXPECT_EQ(glCreateTexture(&desc, &data, nullptr), 0u);
    EXPECT_EQ(err2.Text(), "glCreateTexture() : invalid target value\n");
    EXPECT_TRUE(GlError(GL_INVALID_ENUM));
}

TEST_F(CreateTextureTest, RefusedImageIsLeftForTheCallersCheck) {
    std::vector<GLubyte> texels = Texels(4, 1, 2, 3);
    TextureData data;
    data.pixels = texels.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = -2;
    desc.height = 2;

    GLuint texture = Create(desc, &data);

    EXPECT_NE(texture, 0u);
    EXPECT_NE(texture, 0xFFFFFFFFu);
    EXPECT_TRUE(GlError(GL_INVALID_VALUE));
}

// ---- updates and units ----

TEST_F(CreateTextureTest, UpdateReplacesOnlyItsRectangleFromTightRows) {
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = desc.height = 4;
    std::vector<GLubyte> texels = Texels(16, 10, 20, 30);
    TextureData data;
    data.pixels = texels.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    GLuint texture = Create(desc, &data);
    GLuint other = BindFresh(GL_TEXTURE_2D); // the binding ends at 0 whatever it was
    // Rows of three RGB texels are nine bytes: only an alignment of 1 reads them as the caller wrote them.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const GLubyte rgb[18] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    TextureData update = data, empty = data;
    update.pixels = rgb;
    update.format = GL_RGB;
    empty.pixels = nullptr;
    EXPECT_TRUE(glUpdateTexture2D(texture, 0, 1, 2, 3, 2, &update));
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    std::vector<GLubyte> image = ReadImage(GL_TEXTURE_2D, 16);
    // Rows 2 and 3 from column 1 on, after the untouched first texel of row 2.
    EXPECT_THAT(std::vector<GLubyte>(&image[32], &image[64]),
                ElementsAre(10, 20, 30, 255, 1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, //
                            10, 20, 30, 255, 11, 12, 13, 255, 14, 15, 16, 255, 17, 18, 19, 255));

    // Nothing to upload, or nowhere to: no GL call. A rectangle outside the level is GL's to refuse.
    rec::Start();
    EXPECT_FALSE(glUpdateTexture2D(texture, 0, 0, 0, 1, 1, nullptr) ||
                 glUpdateTexture2D(texture, 0, 0, 0, 1, 1, &empty) ||
                 glUpdateTexture2D(0, 0, 0, 0, 1, 1, &update));
    rec::Stop();
    EXPECT_THAT(rec::Calls(), ElementsAre());
    glBindTexture(GL_TEXTURE_2D, other);
    EXPECT_TRUE(glUpdateTexture2D(texture, 0, 3, 3, 2, 2, &update));
    EXPECT_TRUE(GlError(GL_INVALID_VALUE));
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
}

TEST_F(CreateTextureTest, BindToUnitBindsThereAndLeavesUnitZeroActive) {
    if (glActiveTexture == nullptr) {
        GTEST_SKIP() << "the loader did not provide glActiveTexture";
    }
    GLuint onZero = BindFresh(GL_TEXTURE_2D), cube = BindFresh(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    for (int unit : {1, 3}) {
        glActiveTexture(GL_TEXTURE0 + 5);
        glBindTextureToUnit(unit, GL_TEXTURE_CUBE_MAP, cube);
        EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0) << "unit " << unit;
        EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(onZero)) << "unit 0 keeps its texture";
        EXPECT_EQ(Integer(GL_TEXTURE_BINDING_CUBE_MAP), 0) << "unit " << unit;
        glActiveTexture(GL_TEXTURE0 + unit);
        EXPECT_EQ(Integer(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(cube)) << "unit " << unit;
        glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    }
    // Unit 0 itself, from another active unit.
    glBindTextureToUnit(0, GL_TEXTURE_2D, 0);
    EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_TRUE(GlNoError());
}

// ---- viewport ----

class ViewportStateTest : public GlTest {
  protected:
    void TearDown() override {
        glViewport(0, 0, 320, 240);
        glDepthRange(0.0, 1.0);
        GlTest::TearDown();
    }
};

TEST_F(ViewportStateTest, SetsRectangleAndDepthRange) {
    ViewportState viewport(640, 480, 0.0f, 1.0f);
    rec::Start();
    glApplyViewportState(&viewport);
    rec::Stop();
    EXPECT_THAT(rec::Calls(), ElementsAre(Call("glViewport", {Int(0), Int(0), Int(640), Int(480)}),
                                          Call("glDepthRange", {rec::Float(0.0), rec::Float(1.0)})));

    viewport.x = 7;
    viewport.y = -3;
    viewport.width = 100;
    viewport.height = 50;
    viewport.zNear = 0.25f;
    viewport.zFar = 0.75f;
    glApplyViewportState(&viewport);

    std::array<GLint, 4> rect{};
    glGetIntegerv(GL_VIEWPORT, rect.data());
    EXPECT_THAT(rect, ElementsAre(7, -3, 100, 50));
    std::array<GLdouble, 2> range{};
    glGetDoublev(GL_DEPTH_RANGE, range.data());
    EXPECT_THAT(range, ElementsAre(0.25, 0.75));
    EXPECT_TRUE(GlNoError());
}

TEST_F(ViewportStateTest, NullStateChangesNothing) {
    glViewport(1, 2, 30, 40);
    rec::Start();
    glApplyViewportState(nullptr);
    rec::Stop();
    EXPECT_THAT(rec::Calls(), ElementsAre());
    std::array<GLint, 4> rect{};
    glGetIntegerv(GL_VIEWPORT, rect.data());
    EXPECT_THAT(rect, ElementsAre(1, 2, 30, 40));
}

TEST_F(ViewportStateTest, RefusedSizeStillSetsTheDepthRange) {
    ViewportState viewport(-1, 10, 0.5f, 1.0f);
    glApplyViewportState(&viewport);
    EXPECT_TRUE(GlError(GL_INVALID_VALUE));
    std::array<GLdouble, 2> range{};
    glGetDoublev(GL_DEPTH_RANGE, range.data());
    EXPECT_THAT(range, ElementsAre(0.5, 1.0));
}

// ---- multisample textures, on every context ----

using MultisampleTextureTest = TextureTest;

TEST_F(MultisampleTextureTest, HaveTheirSamplesAndNoSamplerAndAreRenderedInto) {
    if (glTexImage2DMultisample == nullptr || glBindFramebuffer == nullptr) {
        GTEST_SKIP() << "the loader did not provide multisample textures and framebuffer objects";
    }
    if (Integer(GL_MAX_COLOR_TEXTURE_SAMPLES) < 4) {
        GTEST_SKIP() << "the driver offers no multisample textures (GL_MAX_COLOR_TEXTURE_SAMPLES below 4)";
    }
    TextureData none;
    TextureSampler sampler;
    TextureDesc flat(GL_TEXTURE_2D_MULTISAMPLE), layered(GL_TEXTURE_2D_MULTISAMPLE_ARRAY);
    for (TextureDesc* desc : {&flat, &layered}) {
        desc->width = 8;
        desc->height = 4;
        desc->layers = 3;
        desc->internalFormat = GL_RGBA8;
        desc->samples = 4;
    }
    rec::Start();
    GLuint flatTexture = Create(flat, &none, &sampler);
    GLuint layeredTexture = Create(layered, &none, &sampler);
    rec::Stop();
    EXPECT_TRUE(GlNoError()) << "no sampling parameter, no pixels";
    EXPECT_EQ(rec::CountOf("glTexParameteri") + rec::CountOf("glTexParameterf") +
                  rec::CountOf("glTexParameterfv"),
              0u);
    EXPECT_THAT(rec::CallsTo("glTexImage2DMultisample"),
                ElementsAre(Call("glTexImage2DMultisample", {Enum(GL_TEXTURE_2D_MULTISAMPLE), Int(4),
                                                             Enum(GL_RGBA8), Int(8), Int(4), Int(GL_TRUE)})));
    for (auto [target, texture, depth] :
         {std::tuple<GLenum, GLuint, GLint>{GL_TEXTURE_2D_MULTISAMPLE, flatTexture, 1},
          {GL_TEXTURE_2D_MULTISAMPLE_ARRAY, layeredTexture, 3}}) {
        glBindTexture(target, texture);
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_SAMPLES), 4) << target;
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_FIXED_SAMPLE_LOCATIONS), GL_TRUE) << target;
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_WIDTH), 8) << target;
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_DEPTH), depth) << target;
        glBindTexture(target, 0);
    }

    // Both are attached as render targets: the plain one whole, the array one layer at a time.
    CglFrameBuffer fb;
    fb.GenerateId();
    fb.AttachTexture(GL_TEXTURE_2D_MULTISAMPLE, flatTexture, GL_COLOR_ATTACHMENT0, 0, 0);
    rec::Start();
    fb.AttachTexture(GL_TEXTURE_2D_MULTISAMPLE_ARRAY, layeredTexture, GL_COLOR_ATTACHMENT1, 0, 2);
    rec::Stop();
    EXPECT_TRUE(fb.CheckStatus());
    EXPECT_EQ(fb.QueryAttachedId(GL_COLOR_ATTACHMENT0), static_cast<GLint>(flatTexture));
    EXPECT_EQ(fb.QueryAttachedId(GL_COLOR_ATTACHMENT1), static_cast<GLint>(layeredTexture));
    // Mesa answers the layer query for 3D and 2D array textures only.
    const std::string layer =
        CoreProfileContext() ? "glFramebufferTextureLayer" : "glFramebufferTextureLayerEXT";
    EXPECT_THAT(rec::CallsTo(layer),
                ElementsAre(Call(layer, {Enum(GL_FRAMEBUFFER), Enum(GL_COLOR_ATTACHMENT1),
                                         Int(layeredTexture), Int(0), Int(2)})));
    EXPECT_TRUE(GlNoError());
}

// ---- without the loader ----

using WithoutLoaderTextureTest = TextureTest;

TEST_F(WithoutLoaderTextureTest, ThreeDimensionalUploadsSayWhatIsMissing) {
    if (glTexImage3D != nullptr) {
        GTEST_SKIP() << "the loader provided glTexImage3D";
    }
    std::vector<GLubyte> texels = Texels(8, 1, 2, 3);
    TextureData data;
    data.pixels = texels.data();
    data.format = GL_RGBA;
    data.type = GL_UNSIGNED_BYTE;
    const std::pair<GLenum, const char*> uploads[] = {
        {GL_TEXTURE_3D, "glTexImage3D"},
        {GL_TEXTURE_2D_ARRAY_EXT, "glTexImage3D"},
        {GL_TEXTURE_2D_MULTISAMPLE, "glTexImage2DMultisample"},
        {GL_TEXTURE_2D_MULTISAMPLE_ARRAY, "glTexImage3DMultisample"}};
    for (auto [target, entryPoint] : uploads) {
        SCOPED_TRACE(target);
        TextureDesc desc(target);
        desc.width = desc.height = desc.depth = desc.layers = 2;

        StderrCapture err;
        rec::Start();
        GLuint texture = glCreateTexture(&desc, &data, nullptr);
        rec::Stop();

        EXPECT_EQ(texture, 0u);
        EXPECT_EQ(err.Text(), "glCreateTexture() : " + std::string(entryPoint) + " is not available\n");
        EXPECT_EQ(rec::CountOf("glDeleteTextures"), 1u);
        EXPECT_EQ(rec::Calls().back(), Call("glBindTexture", {Enum(target), Int(0)}));
        EXPECT_TRUE(GlNoError());
    }

    // Nor does an update of a 2D texture; a unit other than the active one needs glActiveTexture.
    TextureDesc desc2D(GL_TEXTURE_2D);
    desc2D.width = desc2D.height = 2;
    GLuint updated = Create(desc2D, &data);
    EXPECT_TRUE(glUpdateTexture2D(updated, 0, 0, 0, 2, 2, &data));
    StderrCapture err;
    rec::Start();
    glBindTextureToUnit(1, GL_TEXTURE_2D, updated);
    glBindImageToUnit(0, updated, 0, false, 0, GL_READ_ONLY, GL_RGBA8);
    rec::Stop();
    EXPECT_EQ(err.Text(), "glBindTextureToUnit() : glActiveTexture is not available\n"
                          "glBindImageToUnit() : glBindImageTexture is not available\n");
    EXPECT_THAT(rec::Calls(), ElementsAre());

    // The core targets need nothing from the loader.
    TextureDesc desc(GL_TEXTURE_2D);
    desc.width = desc.height = 2;
    GLuint texture = Create(desc, &data);
    EXPECT_NE(texture, 0u);
    glBindTexture(GL_TEXTURE_2D, texture);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 2);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_TRUE(GlNoError());
}

} // namespace
