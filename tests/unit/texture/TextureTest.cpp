// The texture cache against the real GL context of the test window: sharing
// by file name, power-of-two scaling, the alpha merge and the fatal errors.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "support/Expect.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"
#include "texture/Texture.h"

namespace {

GLint levelParameter(GLenum parameter) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
}

// The uploaded texels of texture, channels bytes per texel, packed rows.
std::vector<unsigned char> texels(const Texture& texture, GLenum format, int channels) {
    texture.bind();
    std::vector<unsigned char> out(static_cast<std::size_t>(levelParameter(GL_TEXTURE_WIDTH)) *
                                   levelParameter(GL_TEXTURE_HEIGHT) * channels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, out.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return out;
}

// Every test runs in a fresh folder and must leave the cache empty and GL
// without errors.
class TextureTest : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(Texture::cachedFileCount(), 0u);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    TempWorkDir dir;
};

}  // namespace

TEST(TextureMath, NextPowerOfTwo) {
    for (auto [n, power] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 4}, {64, 64}, {65, 128}, {100, 128}, {1 << 30, 1 << 30}})
        EXPECT_EQ(Texture::nextPowerOfTwo(n), power) << n;
}

TEST_F(TextureTest, FilesAreSharedByNameUntilTheLastHolderLetsGo) {
    writeSolidPicture("textures/Tree.bmp", 4, 4, {0, 200, 0});
    testing::internal::CaptureStdout();
    Texture first("Tree.bmp");
    Texture second("Tree.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " *** LOADING NEW TEXTURE Tree.bmp\n *** REUSING OLD TEXTURE Tree.bmp\n");

    EXPECT_EQ(std::pair(Texture::holderCount("Tree.bmp"), Texture::cachedFileCount()), std::pair(2, size_t{1}));

    // Loading makes no GL texture; the first bind, by either holder, makes
    // the one both share.
    EXPECT_EQ(first.getGlName(), 0u);
    second.bind();
    GLuint shared = first.getGlName();
    EXPECT_NE(shared, 0u);
    EXPECT_EQ(std::pair(second.getGlName(), static_cast<GLuint>(glInteger(GL_TEXTURE_BINDING_2D))),
              std::pair(shared, shared));

    // Releasing one holder keeps the texture; a second release is a no-op
    // and the released object is empty.
    first.release();
    first.release();
    EXPECT_EQ(std::tuple(Texture::holderCount("Tree.bmp"), glIsTexture(shared)), std::tuple(1, GL_TRUE));
    expectFatal([&] { first.bind(); }, "Tried to bind a NULL texture");

    second.release();
    EXPECT_EQ(std::tuple(Texture::holderCount("Tree.bmp"), glIsTexture(shared)), std::tuple(0, GL_FALSE));
}

TEST_F(TextureTest, SharingIgnoresTheAlphaFile) {
    writeSolidPicture("textures/Moon.bmp", 8, 8, {200, 200, 180});
    Texture plain("Moon.bmp");
    // MoonAlpha.bmp does not exist: reading it would throw.
    testing::internal::CaptureStdout();
    Texture masked("Moon.bmp", "MoonAlpha.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " *** REUSING OLD TEXTURE Moon.bmp\n");
    EXPECT_EQ(masked.getGlName(), plain.getGlName());
    masked.bind();
    EXPECT_EQ(levelParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
}

TEST_F(TextureTest, PicturesAreScaledToPowerOfTwoOnUpload) {
    // Left half red, right half blue, so the scaled texels can be located.
    writeTestPicture("textures/Wide.bmp", 100, 50, [](uint32_t x, uint32_t) {
        return x < 50 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    });
    writeSolidPicture("textures/Square.bmp", 64, 64, {1, 2, 3});

    Texture wide;
    wide.load("Wide.bmp");
    EXPECT_EQ(std::tuple(wide.getWidth(), wide.getHeight(), wide.getImageWidth(), wide.getImageHeight()),
              std::tuple(128, 64, 100, 50));
    std::vector<unsigned char> rgb = texels(wide, GL_RGB, 3);
    EXPECT_EQ(std::pair(levelParameter(GL_TEXTURE_WIDTH), levelParameter(GL_TEXTURE_HEIGHT)), std::pair(128, 64));
    // Away from the seam and the edges (where the scaler blends) the halves
    // keep their colours.
    const unsigned char *left = &rgb[(32 * 128 + 32) * 3], *right = &rgb[(32 * 128 + 96) * 3];
    EXPECT_EQ(std::tuple(left[0], left[1], left[2], right[0], right[1], right[2]), std::tuple(255, 0, 0, 0, 0, 255));

    Texture square("Square.bmp");
    rgb = texels(square, GL_RGB, 3);
    EXPECT_EQ(std::tuple(square.getWidth(), square.getImageHeight(), levelParameter(GL_TEXTURE_WIDTH), int(rgb[0]),
                         int(rgb.back())),
              std::tuple(64, 64, 64, 1, 3));

    // One pixel past the driver's limit: scaled down to the limit, not up
    // to a power of two the driver refuses.
    const GLint limit = glInteger(GL_MAX_TEXTURE_SIZE);
    const uint32_t past = static_cast<uint32_t>(limit) + 1;
    writeSolidPicture("textures/Long.bmp", past, 1, {9, 8, 7});
    writeSolidPicture("textures/Tall.bmp", 1, past, {9, 8, 7});
    for (const char* name : {"Long.bmp", "Tall.bmp"}) {
        SCOPED_TRACE(name);
        Texture texture(name);
        EXPECT_EQ(texels(texture, GL_RGB, 3).at(limit / 2 * 3), 9);
        EXPECT_EQ(std::max(texture.getWidth(), texture.getHeight()), limit);
        EXPECT_EQ(std::max(levelParameter(GL_TEXTURE_WIDTH), levelParameter(GL_TEXTURE_HEIGHT)), limit);
    }
}

TEST_F(TextureTest, AlphaFileSuppliesTheAlphaOfEveryPixel) {
    // Same sizes: each pixel's alpha is the red byte of the mask's pixel.
    writeTestPicture("textures/Colour.bmp", 4, 2, [](uint32_t x, uint32_t y) {
        return Rgb{static_cast<uint8_t>(10 * x), static_cast<uint8_t>(100 + y), 7};
    });
    writeTestPicture("textures/Mask.bmp", 4, 2, [](uint32_t x, uint32_t y) {
        return Rgb{static_cast<uint8_t>(50 * x + y), 99, 98};
    });
    Texture texture("Colour.bmp", "Mask.bmp");
    const std::vector<unsigned char> rowByRow = {0, 100, 7, 0, 10, 100, 7, 50, 20, 100, 7, 100, 30, 100, 7, 150,
                                                 0, 101, 7, 1, 10, 101, 7, 51, 20, 101, 7, 101, 30, 101, 7, 151};
    EXPECT_EQ(texels(texture, GL_RGBA, 4), rowByRow);
    EXPECT_EQ(levelParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
}

TEST_F(TextureTest, AlphaFileMustScaleToTheSameSizeAndFailedLoadsHoldNothing) {
    writeSolidPicture("textures/Moon.bmp", 100, 50, {200, 200, 180});
    writeSolidPicture("textures/Close.bmp", 120, 60, {128, 0, 0});
    writeSolidPicture("textures/Square.bmp", 50, 50, {128, 0, 0});  // 64 x 64: narrower
    writeSolidPicture("textures/Low.bmp", 100, 20, {128, 0, 0});     // 128 x 32: lower

    {
        Texture accepted("Moon.bmp", "Close.bmp");  // both scaled to 128 x 64
        std::vector<unsigned char> rgba = texels(accepted, GL_RGBA, 4);
        EXPECT_EQ(std::tuple(rgba[3], rgba.back()), std::tuple(128, 128));
    }

    // With no holder left the file is read again. A refused mask, a missing
    // one or a missing picture leaves nothing held either.
    testing::internal::CaptureStdout();
    Texture refused;
    for (const char* mask : {"Square.bmp", "Low.bmp"})
        expectFatal([&] { refused.load("Moon.bmp", mask); }, "Texture and alpha channel are different sizes!");
    expectFatal([&] { refused.load("Moon.bmp", "Nothing.bmp"); },
                "Error loading texture ./textures/Nothing.bmp");
    expectFatal([] { Texture missing("X.bmp"); }, "Error loading texture ./textures/X.bmp");
    EXPECT_EQ(std::pair(Texture::holderCount("Moon.bmp"), Texture::holderCount("X.bmp")), std::pair(0, 0));
    expectFatal([&] { refused.bind(); }, "Tried to bind a NULL texture");
    Texture plain("Moon.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " *** LOADING NEW TEXTURE Moon.bmp\n *** LOADING NEW TEXTURE Moon.bmp\n"
              " *** LOADING NEW TEXTURE Moon.bmp\n"
              "File Not Found : ./textures/Nothing.bmp\n"
              " *** LOADING NEW TEXTURE X.bmp\nFile Not Found : ./textures/X.bmp\n"
              " *** LOADING NEW TEXTURE Moon.bmp\n");
    EXPECT_EQ(Texture::holderCount("Moon.bmp"), 1);
}

TEST_F(TextureTest, NarrowPicturesUploadWithPackedRows) {
    // Rows of 3 and 9 bytes: with GL's default 4-byte row alignment the
    // second row would be read from the wrong offset.
    auto rows = [](uint32_t, uint32_t y) { return y == 0 ? Rgb{255, 0, 0} : Rgb{0, 255, 0}; };
    writeTestPicture("textures/One.bmp", 1, 2, rows);    // uploaded as is
    writeTestPicture("textures/Three.bmp", 3, 2, rows);  // scaled to 4 x 2

    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (const char* fileName : {"One.bmp", "Three.bmp"}) {
        Texture narrow(fileName);
        const std::vector<unsigned char> rgb = texels(narrow, GL_RGB, 3);
        std::vector<unsigned char> rows(rgb.size());  // red below, green above
        for (std::size_t i = 0; i < rgb.size(); i += 3) rows[i < rgb.size() / 2 ? i : i + 1] = 255;
        EXPECT_EQ(rgb, rows) << fileName;
    }
    // The loader's byte alignment does not leak into other pixel transfers.
    EXPECT_EQ(glInteger(GL_UNPACK_ALIGNMENT), 4);
}
