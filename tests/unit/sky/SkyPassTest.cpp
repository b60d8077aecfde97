// The sky pass: the tint and fade by the sun's height, checked as numbers and
// as the colours that reach the window, and the turn of the ride view.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

#include "sky/NightSky.h"
#include "sky/SkyBox.h"
#include "sky/SkyPass.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/WindowReadBack.h"
#include "texture/Texture.h"
#include "unit/sky/SkyTestSupport.h"

namespace {

constexpr float pi = 3.14159265358979f;
constexpr float morning = 0.5f;    // sun angles, radians
constexpr float afternoon = 2.5f;

// The tint and fade table: sun height, sky colour in the morning and in the
// afternoon, sky opacity, night sky opacity (negative: not drawn).
struct Row {
    float height;
    float morningRgb[3], afternoonRgb[3];
    float skyAlpha, nightAlpha;
};
const Row table[] = {
    {1.0f, {1, 1, 1}, {1, 1, 1}, 1, -1},
    {0.25f, {0.5f, 0.25f, 0.25f}, {0.5f, 0.25f, 0.5f}, 1, -1},
    {0.2f, {0.447f, 0.2f, 0.2f}, {0.447f, 0.2f, 0.447f}, 1, 0},
    {0.1f, {0.316f, 0.1f, 0.1f}, {0.316f, 0.1f, 0.316f}, 0.25f, 0.25f},
    {0.0f, {0, 0, 0}, {0, 0, 0}, 0, 1},
};

}  // namespace

TEST(SkyTint, FollowsTheTableOfSunHeights) {
    for (const Row& row : table)
        for (float angle : {morning, afternoon}) {
            const SkyTint tint = skyTint(row.height, angle);
            const float* rgb = angle == morning ? row.morningRgb : row.afternoonRgb;
            EXPECT_NEAR(tint.red, rgb[0], 1e-3f) << row.height << " " << angle;
            EXPECT_NEAR(tint.green, rgb[1], 1e-6f) << row.height << " " << angle;
            EXPECT_NEAR(tint.blue, rgb[2], 1e-3f) << row.height << " " << angle;
            EXPECT_FLOAT_EQ(tint.skyAlpha, row.skyAlpha) << row.height;
            EXPECT_FLOAT_EQ(tint.nightSkyDrawn ? tint.nightSkyAlpha : -1, row.nightAlpha) << row.height;
        }
}

TEST(SkyTint, EdgesOfDuskAndNoon) {
    // Just above 0.2 the night sky is gone and the sky is opaque.
    EXPECT_FALSE(skyTint(0.2001f, morning).nightSkyDrawn);
    EXPECT_FLOAT_EQ(skyTint(0.2001f, morning).skyAlpha, 1.0f);
    // Afternoon starts at a quarter turn.
    EXPECT_FLOAT_EQ(skyTint(0.25f, pi / 2).blue, 0.5f);
    EXPECT_FLOAT_EQ(skyTint(0.25f, pi / 2 - 1e-3f).blue, 0.25f);
    // The sine of pi in single precision is a hair below zero: still night.
    const SkyTint sunset = skyTint(std::sin(pi), pi);
    EXPECT_EQ(std::tuple(sunset.red, sunset.blue, sunset.skyAlpha, sunset.nightSkyAlpha),
              std::tuple(0.0f, 0.0f, 0.0f, 1.0f));
}

namespace {

// A white sky and a white opaque moon without stars, in the game's view.
class SkyPassTest : public GlTest {
protected:
    void SetUp() override {
        skytest::writeSkyPictures();
        sky = std::make_unique<SkyBox>(5.0f, "Sky.bmp");
        stars = std::make_unique<NightSky>(2.5f, 0);
    }
    void TearDown() override {
        sky.reset();
        stars.reset();
        EXPECT_EQ(Texture::cachedFileCount(), 0u);
    }

    // Draws one sky pass over black and checks that it raised no GL error.
    // The blend function is one that blends nothing, so a pass that does not
    // set its own draws another picture.
    void drawSky(float sunHeight, float sunAngle) {
        skytest::setGameView();
        glBlendFunc(GL_ONE, GL_ZERO);
        skyPass(*sky, *stars, sunHeight, sunAngle, view, heading);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Mean column of the moon's bright pixels on its middle row.
    static float moonColumn() {
        const std::vector<unsigned char> window = readWindow(GL_RGBA);
        const unsigned char* row = &window[606 * 1024 * 4];
        double sum = 0, count = 0;
        for (int x = 0; x < 1024; ++x)
            if (row[x * 4] > 128) sum += x + 0.5, ++count;
        return count ? static_cast<float>(sum / count) : -1.0f;
    }

    ViewMode view = ViewMode::chase;
    float heading = 0;  // the vehicle's, degrees
    std::unique_ptr<SkyBox> sky;
    std::unique_ptr<NightSky> stars;
    TempWorkDir dir;
};

}  // namespace

// Over the black background a white picture shows colour x opacity; where
// the moon hangs, the moon blends over that with the night sky's opacity.
TEST_F(SkyPassTest, DrawnSkyShowsTheTintAndFade) {
    for (const Row& row : table)
        for (float angle : {morning, afternoon}) {
            drawSky(row.height, angle);
            const float* rgb = angle == morning ? row.morningRgb : row.afternoonRgb;
            const float moon = row.nightAlpha > 0 ? row.nightAlpha : 0;
            const Rgb below = readPixel(512, 200), atMoon = readPixel(512, 606);
            const uint8_t shownBelow[] = {below.r, below.g, below.b}, shownAtMoon[] = {atMoon.r, atMoon.g, atMoon.b};
            for (int c = 0; c < 3; ++c) {
                const float sky = rgb[c] * row.skyAlpha;
                EXPECT_NEAR(shownBelow[c], 255 * sky, 2) << row.height << " " << angle << " channel " << c;
                EXPECT_NEAR(shownAtMoon[c], 255 * (moon + (1 - moon) * sky), 2) << row.height << " channel " << c;
            }
        }

    // The sky leaves the scene's switches as it found them, and the blend
    // function it drew with.
    EXPECT_EQ(std::tuple(glIsEnabled(GL_LIGHTING), glIsEnabled(GL_BLEND), glInteger(GL_BLEND_SRC),
                         glInteger(GL_BLEND_DST)),
              std::tuple(GL_TRUE, GL_FALSE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
}

TEST_F(SkyPassTest, OnlyTheRideViewTurnsTheSkyAgainstTheHeading) {
    // The moon straight ahead at heading 0 lands at the window's centre
    // column; turned by -h about y it lands tan(h) / (4/3 tan 22.5 deg) of
    // the half width to the right.
    const float halfWidthPerTan = 512.0f / (4.0f / 3.0f * std::tan(22.5f * pi / 180));
    for (auto [mode, h] : {std::pair{ViewMode::chase, 0.0f}, {ViewMode::chase, 10.0f}, {ViewMode::chase, -10.0f},
                           {ViewMode::chase, 200.0f}, {ViewMode::ride, 0.0f}, {ViewMode::ride, 10.0f},
                           {ViewMode::ride, -10.0f}}) {
        view = mode, heading = h;
        drawSky(0.0f, 4.0f);
        const bool ride = mode == ViewMode::ride;
        EXPECT_NEAR(moonColumn(), 512.0f + (ride ? halfWidthPerTan * std::tan(h * pi / 180) : 0), ride ? 6.0f : 2.0f)
            << (ride ? "ride" : "chase") << " view, heading " << h;
    }
    // Turned half round, the moon is behind the driver.
    heading = 180.0f;
    drawSky(0.0f, 4.0f);
    EXPECT_EQ(moonColumn(), -1.0f);
}
