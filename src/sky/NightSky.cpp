#include "sky/NightSky.h"

#include <GL/gl.h>

#include <cmath>
#include <memory>

#include "platform/GlStateScope.h"
#include "base/Random.h"
#include "texture/Texture.h"

float NightSky::randomFloat(float max) {
    return static_cast<float>(nextRandom()) * max / static_cast<float>(randomMax);
}

Vector3 NightSky::randomPointOnSphere() {
    float u, v, s;
    do {
        u = 2.0f * nextRandom() / static_cast<float>(randomMax) - 1.0f;
        v = 2.0f * nextRandom() / static_cast<float>(randomMax) - 1.0f;
        s = u * u + v * v;
    } while (s >= 1.0f);
    const float q = std::sqrt(1.0f - s);
    return {2.0f * u * q, 2.0f * v * q, 1.0f - 2.0f * s};
}

NightSky::NightSky(float radius, int starCount)
    : starCount(starCount > 0 ? starCount : 0),
      moonPosition{0.0f, 0.6f, -radius} {
    // The stars draw from the generator before anything else in the game
    // does after seeding, so their order of draws is part of the world's.
    stars.reserve(static_cast<std::size_t>(this->starCount));
    for (int i = 0; i < this->starCount; ++i) {
        const Vector3 p = randomPointOnSphere();
        const float brightness = randomFloat(1.0f);
        stars.push_back({radius * p.x, radius * p.y, radius * p.z, brightness});
    }
    moonTexture = std::make_unique<Texture>("Moon.bmp", "MoonAlpha.bmp");
}

NightSky::~NightSky() = default;

void NightSky::draw(float alpha) const {
    const GlStateScope saved(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_POINT_BIT, 0, GlStateScope::saveMatrices);
    glDisable(GL_TEXTURE_2D);
    glPointSize(1.7f);
    glEnable(GL_POINT_SMOOTH);
    glBegin(GL_POINTS);
    for (const Star& star : stars) {
        glColor4f(star.brightness, star.brightness, star.brightness, alpha);
        glVertex3f(star.x, star.y, star.z);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);

    // The moon's side is a third of the radius. Texture row t = 0, the first
    // row of the picture's pixel buffer, runs along the top edge.
    const float a = -moonPosition.z / 6.0f;
    glTranslatef(moonPosition.x, moonPosition.y, moonPosition.z);
    moonTexture->bind();
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(1, 0);
    glVertex3f(a, a, 0);
    glTexCoord2f(1, 1);
    glVertex3f(a, -a, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-a, -a, 0);
    glTexCoord2f(0, 0);
    glVertex3f(-a, a, 0);
    glEnd();
}
