#pragma once
// The night sky: a fixed field of stars scattered evenly over a sphere around
// the viewer, and a moon, a textured square with an alpha mask hanging
// straight ahead (along -z) a little above the horizon. Drawn around the eye,
// without the camera's position, faded in by the sky pass around night.
//
// One NightSky lives for one game (made by initWorld, deleted by endGame);
// the stars are placed once, at construction, and never move. Making one
// reads the moon's pictures without GL; draw, and the destruction of a night
// sky once drawn, need the game window's GL context.
#include <memory>
#include <vector>

#include "base/Vector3.h"

class Texture;

struct Star {
    float x, y, z;     // on the sphere of the night sky's radius around the origin
    float brightness;  // grey level, 0..1
};

class NightSky {
public:
    // Places starCount stars (negative counts as 0) at distance radius with
    // the game's random generator (Random.h), then loads "Moon.bmp" with the
    // alpha file "MoonAlpha.bmp". A moon picture that fails to load throws
    // FatalError and leaves nothing held.
    NightSky(float radius, int starCount);
    ~NightSky();  // lets go of the moon picture

    NightSky(const NightSky&) = delete;
    NightSky& operator=(const NightSky&) = delete;

    // Draws the stars as smoothed points of size 1.7 and then the moon, both
    // with opacity alpha (0..1), around the origin of the current modelview
    // frame. Needs lighting off and blending on, as the sky pass sets them;
    // leaves everything but the texture binding (the moon's) as it found it.
    void draw(float alpha) const;

    // nextRandom() * max / 32767: a value from 0 to max.
    static float randomFloat(float max);
    // A point spread uniformly over the unit sphere (Marsaglia's method):
    // draws u, then v, each 2 r / 32767 - 1, until u^2 + v^2 < 1.
    static Vector3 randomPointOnSphere();

    int getStarCount() const { return starCount; }
    const std::vector<Star>& getStars() const { return stars; }
    Vector3 getMoonPosition() const { return moonPosition; }

private:
    int starCount;
    Vector3 moonPosition;  // centre of the moon: (0, 0.6, -radius)
    std::unique_ptr<Texture> moonTexture;
    std::vector<Star> stars;
};
