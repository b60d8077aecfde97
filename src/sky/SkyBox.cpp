#include "sky/SkyBox.h"

#include <GL/gl.h>

#include <cmath>
#include <memory>

#include "base/Pi.h"
#include "texture/Texture.h"

namespace {
}

SkyTexCoord skyTexCoord(float x, float y, float z) {
    const double r = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y +
                               static_cast<double>(z) * z);
    const double s = (std::atan(static_cast<double>(z) / x) + pi / 2) / pi;
    const double t = std::acos(y / r) / pi;
    return {static_cast<float>(s), static_cast<float>(t)};
}

SkyBox::SkyBox(float radius, const std::string& textureFile)
    : radius(radius), texture(std::make_unique<Texture>(textureFile)) {}

SkyBox::~SkyBox() = default;

bool SkyBox::isOpaque() const { return !texture->hasAlpha(); }

void SkyBox::skyVertex(float x, float y, float z) {
    const SkyTexCoord c = skyTexCoord(x, y, z);
    glTexCoord2f(c.s, c.t);
    glVertex3f(x, y, z);
}

void SkyBox::draw() const {
    const float r = radius;
    // Each face lists its four corners; the six faces form one quad sequence.
    static const float corners[6][4][3] = {
        {{1, 1, 1}, {-1, 1, 1}, {-1, 1, -1}, {1, 1, -1}},        // top
        {{1, -1, 1}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}},    // bottom
        {{-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}},    // left
        {{1, 1, 1}, {1, 1, -1}, {1, -1, -1}, {1, -1, 1}},        // right
        {{1, 1, -1}, {-1, 1, -1}, {-1, -1, -1}, {1, -1, -1}},    // back
        {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}},        // front
    };
    texture->bind();
    glBegin(GL_QUADS);
    for (const auto& face : corners)
        for (const auto& corner : face) skyVertex(r * corner[0], r * corner[1], r * corner[2]);
    glEnd();
}
