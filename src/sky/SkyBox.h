#pragma once
// The day sky: a cube around the origin of the current modelview frame,
// textured as if its picture were wrapped around a sphere. It is drawn before
// the camera's position is applied, so it always surrounds the eye, and
// behind the scene (SkyPass.h). It only holds its picture and emits the
// geometry; the sky pass sets colour, blending and orientation.
//
// One SkyBox lives for one game (made by initWorld, deleted by endGame).
// Making one reads the picture without GL; draw, and the destruction of a
// sky once drawn, need the game window's GL context.
#include <memory>
#include <string>

class Texture;

// Texture coordinates of a sky vertex.
struct SkyTexCoord {
    float s;  // around the vertical axis, 0..1, repeating every half turn
    float t;  // 0 straight up, 0.5 at the horizon, 1 straight down
};

// The sky's texture rule for a direction (x, y, z), not all zero:
//   s = (atan(z / x) + pi/2) / pi   (the one-argument arc tangent, so the
//                                    picture goes round the viewer twice)
//   t = acos(y / |(x, y, z)|) / pi
// Every cube corner gets s = 0.75 where x and z share their sign and 0.25
// where they differ, and t = acos(1/sqrt 3)/pi, about 0.3041, above the
// horizon and about 0.6959 below it, whatever the cube's size. Needs no GL.
SkyTexCoord skyTexCoord(float x, float y, float z);

class SkyBox {
public:
    // Loads textures/textureFile (no alpha file). A missing or unreadable
    // picture throws FatalError and leaves nothing held.
    SkyBox(float radius, const std::string& textureFile);
    ~SkyBox();  // lets go of the picture

    SkyBox(const SkyBox&) = delete;
    SkyBox& operator=(const SkyBox&) = delete;

    // Binds the picture and draws the six faces as one GL_QUADS sequence
    // (top, bottom, left, right, back, front). Sets no colour, blending,
    // lighting or depth state of its own.
    void draw() const;
    // True when the picture has no alpha channel (one shared by name with an
    // alpha file has).
    bool isOpaque() const;

    // Emits one vertex with its texture coordinates from skyTexCoord.
    static void skyVertex(float x, float y, float z);

    float getRadius() const { return radius; }
    const Texture* getTexture() const { return texture.get(); }

private:
    float radius;                      // half the cube's side: faces at x, y, z = +-radius
    std::unique_ptr<Texture> texture;  // the sky picture
};
