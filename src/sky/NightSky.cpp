#include "sky/NightSky.h"

#include <cmath>
#include <memory>

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
