#include "Icon.h"

#include <algorithm>
#include <cmath>

#include "Pictures.h"
#include "TextureLayout.h"

namespace {

// Icon coordinates: u from the left, v from the bottom, both 0 to 1.
constexpr double kHorizon = 0.42;       // v where the ground meets the sky
constexpr double kCornerRadius = 0.16;  // of the rounded square
constexpr int kSamples = 4;             // per pixel and axis, for smooth edges

struct Ellipse {
    double u, v, radiusU, radiusV;
    // Squared distance from the centre, 1 on the rim.
    double reach(double pu, double pv) const {
        double du = (pu - u) / radiusU, dv = (pv - v) / radiusV;
        return du * du + dv * dv;
    }
};

constexpr Ellipse kCrown{0.31, 0.67, 0.21, 0.25};
constexpr Ellipse kOrb{0.71, 0.25, 0.13, 0.13};
constexpr Ellipse kTreeShadow{0.45, 0.31, 0.16, 0.035};
constexpr Ellipse kOrbShadow{0.80, 0.12, 0.14, 0.035};
constexpr double kTrunkLeft = 0.28, kTrunkRight = 0.34, kTrunkBase = 0.31;

// The game's pictures the scene is painted from.
struct Sources {
    Canvas sky = makeSky();
    Canvas grass = makeGrass();
    Canvas tree = makeTreeBark();
};

// s, t from 0 to 1 over the picture (t = 0 its first row), wrapping around.
Rgb sample(const Canvas& picture, double s, double t) {
    auto wrap = [](double value, int size) {
        int index = static_cast<int>(std::floor(value * size)) % size;
        return index < 0 ? index + size : index;
    };
    return picture.get(wrap(s, picture.width()), wrap(t, picture.height()));
}

// Lambert light from the upper left on a sphere point (du, dv) from its centre.
double sphereLight(double du, double dv) {
    double dz = std::sqrt(std::max(0.0, 1.0 - du * du - dv * dv));
    return std::max(0.0, -0.45 * du + 0.6 * dv + 0.66 * dz);
}

Rgb orbColour(double u, double v) {
    double du = (u - kOrb.u) / kOrb.radiusU, dv = (v - kOrb.v) / kOrb.radiusV;
    double light = sphereLight(du, dv);
    Rgb lit = scaled(Rgb{206, 28, 24}, 0.3 + 0.8 * light);
    return mix(lit, Rgb{255, 236, 230}, std::pow(light, 24.0));
}

Rgb crownColour(const Sources& sources, double u, double v) {
    double du = (u - kCrown.u) / kCrown.radiusU, dv = (v - kCrown.v) / kCrown.radiusV;
    double s = kTreeLeavesU0 + (kTreeLeavesU1 - kTreeLeavesU0) * (du + 1) / 2;
    return scaled(sample(sources.tree, s, (dv + 1) / 2), 0.55 + 0.75 * sphereLight(du, dv));
}

Rgb trunkColour(const Sources& sources, double u, double v) {
    double across = (u - kTrunkLeft) / (kTrunkRight - kTrunkLeft);
    double s = kTreeBarkU0 + (kTreeBarkU1 - kTreeBarkU0) * across;
    return scaled(sample(sources.tree, s, v), 1.2 - 0.5 * across);
}

// The grass seen in perspective, fading into the haze at the horizon.
Rgb groundColour(const Sources& sources, double u, double v) {
    double depth = 0.05 / (kHorizon - v);
    Rgb grass = sample(sources.grass, 0.5 + (u - 0.5) * depth * 0.6, depth * 0.6);
    Rgb haze = sample(sources.sky, u * 0.5, 0.49);
    grass = mix(grass, haze, std::clamp((depth - 0.4) / 1.6, 0.0, 0.7));
    if (kTreeShadow.reach(u, v) < 1 || kOrbShadow.reach(u, v) < 1) grass = scaled(grass, 0.5);
    return grass;
}

Rgb skyColour(const Sources& sources, double u, double v) {
    return sample(sources.sky, 0.1 + u * 0.5, 0.5 - 0.36 * (v - kHorizon) / (1 - kHorizon));
}

// Front to back: the orb, the tree, the ground, the sky.
Rgb sceneColour(const Sources& sources, double u, double v) {
    if (kOrb.reach(u, v) < 1) return orbColour(u, v);
    if (kCrown.reach(u, v) < 1) return crownColour(sources, u, v);
    if (u >= kTrunkLeft && u < kTrunkRight && v >= kTrunkBase && v < kCrown.v) return trunkColour(sources, u, v);
    return v < kHorizon ? groundColour(sources, u, v) : skyColour(sources, u, v);
}

bool insideRoundedSquare(double u, double v) {
    double du = std::max(0.0, std::abs(u - 0.5) - (0.5 - kCornerRadius));
    double dv = std::max(0.0, std::abs(v - 0.5) - (0.5 - kCornerRadius));
    return du * du + dv * dv <= kCornerRadius * kCornerRadius;
}

}  // namespace

RgbaPicture paintIcon(int size) {
    static const Sources sources;
    RgbaPicture icon{size, size, std::vector<unsigned char>(static_cast<size_t>(size) * size * 4)};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    double u = (x + (sx + 0.5) / kSamples) / size;
                    double v = 1 - (y + (sy + 0.5) / kSamples) / size;
                    if (!insideRoundedSquare(u, v)) continue;
                    Rgb colour = sceneColour(sources, u, v);
                    r += colour.r, g += colour.g, b += colour.b;
                    ++covered;
                }
            unsigned char* pixel = &icon.rgba[(static_cast<size_t>(y) * size + x) * 4];
            if (covered == 0) continue;  // transparent black
            pixel[0] = static_cast<unsigned char>(std::lround(r / covered));
            pixel[1] = static_cast<unsigned char>(std::lround(g / covered));
            pixel[2] = static_cast<unsigned char>(std::lround(b / covered));
            pixel[3] = static_cast<unsigned char>(std::lround(255.0 * covered / (kSamples * kSamples)));
        }
    return icon;
}
