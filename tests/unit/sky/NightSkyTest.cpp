// The night sky: where the stars lie, what the generator decides, and what a
// drawn night sky puts on the screen.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/Random.h"
#include "sky/NightSky.h"
#include "support/Expect.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/WindowReadBack.h"
#include "texture/Texture.h"
#include "unit/sky/SkyTestSupport.h"

namespace {

class NightSkyTest : public GlTest {
protected:
    void SetUp() override { skytest::writeSkyPictures(); }
    void TearDown() override { EXPECT_EQ(Texture::cachedFileCount(), 0u); GlTest::TearDown(); }
    TempWorkDir dir;
};

// Pixels that are not black, outside and inside the moon's square: for radius
// 2.5 in the game view about x 357..667 and y 452..762, and a margin for smoothing.
std::pair<int, int> litPixels() {
    const auto pixels = readWindow();
    int outside = 0, inside = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            const unsigned char* p = &pixels[(static_cast<std::size_t>(y) * 1024 + x) * 3];
            if (p[0] + p[1] + p[2] > 0) ++(x >= 354 && x <= 670 && y >= 449 && y <= 765 ? inside : outside);
        }
    return {outside, inside};
}

}  // namespace

TEST_F(NightSkyTest, StarsLieOnTheSphereAndCoverItEvenly) {
    seedRandom(20240501);
    const float radius = 2.5f;
    const int count = 30000;
    NightSky sky(radius, count);
    ASSERT_EQ(sky.getStarCount(), count);
    ASSERT_EQ(sky.getStars().size(), static_cast<std::size_t>(count));

    // A uniform spread puts equal shares in every slice of equal height
    // (down to the nadir) and in every octant.
    int heightBands[10] = {};
    int octants[8] = {};
    float brightest = 0, dimmest = 1;
    double brightnessSum = 0;
    for (const Star& star : sky.getStars()) {
        const float distance = std::sqrt(star.x * star.x + star.y * star.y + star.z * star.z);
        ASSERT_NEAR(distance, radius, 1e-5f);
        const int band = static_cast<int>((star.y / radius + 1) / 2 * 10);
        ++heightBands[band < 10 ? band : 9];
        ++octants[(star.x > 0) + 2 * (star.y > 0) + 4 * (star.z > 0)];
        ASSERT_TRUE(star.brightness >= 0.0f && star.brightness <= 1.0f) << star.brightness;
        brightest = std::max(brightest, star.brightness);
        dimmest = std::min(dimmest, star.brightness);
        brightnessSum += star.brightness;
    }
    for (int band : heightBands) EXPECT_NEAR(band, count / 10, 250);
    for (int octant : octants) EXPECT_NEAR(octant, count / 8, 250);
    EXPECT_GT(brightest, 0.99f);
    EXPECT_LT(dimmest, 0.01f);
    EXPECT_NEAR(brightnessSum / count, 0.5, 0.01);
}

TEST_F(NightSkyTest, StarFieldComesFromTheGameGenerator) {
    seedRandom(7);
    NightSky first(2.5f, 200);
    seedRandom(7);
    NightSky again(2.5f, 200);
    seedRandom(8);
    NightSky other(2.5f, 200);
    int differing = 0;
    for (int i = 0; i < 200; ++i) {
        const Star& a = first.getStars()[i];
        const Star& b = again.getStars()[i];
        EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z && a.brightness == b.brightness) << "star " << i;
        differing += a.x != other.getStars()[i].x;
    }
    EXPECT_GT(differing, 190);

    // randomFloat scales one draw from 0..32767 to 0..max.
    seedRandom(99);
    const int r = nextRandom();
    seedRandom(99);
    EXPECT_FLOAT_EQ(NightSky::randomFloat(10.0f), r * 10.0f / 32767.0f);

    // Negative counts hold no stars.
    NightSky none(2.5f, -5);
    EXPECT_EQ(std::pair(none.getStarCount(), none.getStars().size()), std::pair(0, size_t{0}));
}

TEST_F(NightSkyTest, WithoutStarsOnlyTheMoonIsDrawn) {
    seedRandom(3);
    NightSky moonOnly(2.5f, 0);
    skytest::setGameView();
    glDisable(GL_LIGHTING);  // as the sky pass draws it
    moonOnly.draw(1.0f);

    const auto [outside, inside] = litPixels();
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 250 * 250);
    const Rgb centre = readPixel(512, 606);
    EXPECT_GE(std::min({centre.r, centre.g, centre.b}), 250);

    // The same view with stars shows points all around the moon.
    NightSky starry(2.5f, 3000);
    glClear(GL_COLOR_BUFFER_BIT);
    starry.draw(1.0f);
    EXPECT_GT(litPixels().first, 50);
}

TEST_F(NightSkyTest, MissingMoonPictureIsFatalAndHoldsNothing) {
    std::remove("textures/MoonAlpha.bmp");
    expectFatal([] { NightSky sky(2.5f, 10); }, "Error loading texture ./textures/MoonAlpha.bmp");
}
