#include "sky/SkyBox.h"

#include <cmath>
#include <memory>

#include "base/Pi.h"
#include "texture/Texture.h"

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
