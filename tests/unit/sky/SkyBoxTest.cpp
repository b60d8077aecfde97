// The sky box: its texture rule, the cube it emits through GL and the
// holding of its picture.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "sky/SkyBox.h"
#include "support/Expect.h"
#include "support/FeedbackCapture.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"
#include "texture/Texture.h"

constexpr float upperCornerT = 0.3041f;  // acos(1/sqrt 3) / pi
constexpr float lowerCornerT = 0.6959f;

TEST(SkyTexCoord, CubeCornersGetTheSameCoordinatesForAnySize) {
    for (float r : {0.5f, 5.0f, 1000.0f})
        for (int sx : {-1, 1})
            for (int sy : {-1, 1})
                for (int sz : {-1, 1}) {
                    SkyTexCoord c = skyTexCoord(sx * r, sy * r, sz * r);
                    EXPECT_NEAR(c.s, sx == sz ? 0.75f : 0.25f, 1e-6f) << r << sx << sy << sz;
                    EXPECT_NEAR(c.t, sy > 0 ? upperCornerT : lowerCornerT, 1e-4f);
                }
}

TEST(SkyTexCoord, PictureGoesRoundTwiceAndDownFromTheZenith) {
    // The horizon is the picture's middle row.
    EXPECT_FLOAT_EQ(skyTexCoord(1, 0, 0).s, 0.5f);
    EXPECT_FLOAT_EQ(skyTexCoord(1, 0, 0).t, 0.5f);
    // Near the zenith and the nadir.
    EXPECT_NEAR(skyTexCoord(1e-3f, 1, 0).t, 0.0f, 1e-3f);
    EXPECT_NEAR(skyTexCoord(1e-3f, -1, 0).t, 1.0f, 1e-3f);
    // Half a turn round the vertical axis gives the same s.
    for (float angle : {0.3f, 1.2f, 2.0f, 2.9f}) {
        float x = std::cos(angle), z = std::sin(angle);
        EXPECT_NEAR(skyTexCoord(x, 0.4f, z).s, skyTexCoord(-x, 0.4f, -z).s, 1e-6f);
    }
}

class SkyBoxTest : public GlTest {
protected:
    void TearDown() override { EXPECT_EQ(Texture::cachedFileCount(), 0u); GlTest::TearDown(); }
    TempWorkDir dir;
};

TEST_F(SkyBoxTest, MissingPictureIsFatalAndHoldsNothing) {
    expectFatal([] { SkyBox sky(5.0f, "Missing.bmp"); }, "Error loading texture ./textures/Missing.bmp");
}

// The drawn cube, read back through GL feedback under an orthographic view
// that maps -10..10 on every axis to the window: 24 corners at +-radius, each
// with the texture coordinates of its direction, on six faces.
TEST_F(SkyBoxTest, DrawEmitsTheTexturedCube) {
    writeSolidPicture("textures/Sky.bmp", 8, 8, {255, 255, 255});
    SkyBox sky(5.0f, "Sky.bmp");
    useOrthoView(-10, 10, -10, 10, -10, 10);
    glDisable(GL_CULL_FACE);

    const std::vector<GLfloat> floats = captureFeedback(GL_3D_COLOR_TEXTURE, [&] { sky.draw(); });

    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_TEXTURE_BINDING_2D)), sky.getTexture()->getGlName());

    // Each vertex: window x, y, z; colour RGBA; texture s, t, r, q.
    std::set<std::pair<int, int>> faces;  // (axis, sign) shared by a polygon's corners
    int vertices = 0;
    for (const FeedbackPrimitive& polygon : feedbackPrimitives(GL_3D_COLOR_TEXTURE, floats)) {
        ASSERT_EQ(polygon.token, GL_POLYGON_TOKEN);
        std::vector<std::array<float, 3>> corners;
        for (const std::vector<GLfloat>& f : polygon.vertices) {
            const std::array<float, 3> p = {(f[0] / 1024.0f * 2 - 1) * 10, (f[1] / 768.0f * 2 - 1) * 10,
                                            -(f[2] * 2 - 1) * 10};
            for (float coordinate : p) EXPECT_NEAR(std::fabs(coordinate), 5.0f, 1e-2f);
            const SkyTexCoord expected = skyTexCoord(p[0], p[1], p[2]);
            EXPECT_NEAR(f[7], expected.s, 1e-4f) << p[0] << " " << p[1] << " " << p[2];
            EXPECT_NEAR(f[8], expected.t, 1e-4f) << p[0] << " " << p[1] << " " << p[2];
            corners.push_back(p);
            ++vertices;
        }
        for (int axis = 0; axis < 3; ++axis) {
            bool shared = true;
            for (const auto& corner : corners) shared = shared && std::fabs(corner[axis] - corners[0][axis]) < 1e-2f;
            if (shared) faces.insert({axis, corners[0][axis] > 0 ? 1 : -1});
        }
    }
    EXPECT_EQ(faces.size(), 6u);
    EXPECT_GE(vertices, 24);
}
