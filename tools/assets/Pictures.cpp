#include "Pictures.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "Random.h"
#include "TextureLayout.h"

namespace {

constexpr double kMoonRadius = 60.0;  // pixels; leaves a black margin for the mask

double smoothStep(double edge0, double edge1, double x) {
    double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// How much of pixel (x, y) the moon's disc covers, with a one-pixel soft edge.
double moonCoverage(int x, int y) {
    double centre = (kMoonSize - 1) / 2.0;
    double distance = std::hypot(x - centre, y - centre);
    return std::clamp(kMoonRadius + 0.5 - distance, 0.0, 1.0);
}

void paintCamoPattern(Canvas& canvas, int firstRow) {
    const Rgb olive{92, 98, 52}, tan{156, 140, 98}, brown{96, 70, 42}, black{34, 34, 28};
    for (int y = firstRow; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            double blobs = fractalNoise(x / 36.0, y / 36.0, 3, 0, 77u);
            double spots = fractalNoise(x / 28.0, y / 28.0, 3, 0, 78u);
            Rgb colour = blobs < 0.42 ? olive : blobs < 0.56 ? tan : brown;
            if (spots > 0.63) colour = black;
            canvas.set(x, y, scaled(colour, 0.94 + 0.12 * latticeValue(x, y, 79u)));
        }
}

void paintVehicleBands(Canvas& canvas) {
    // Tyres: the tread runs around the wheel, which is along u.
    for (int y = 0; y < kCamoTyreRows; ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            bool lug = (x / 4) % 2 == 0 && y > 3 && y < kCamoTyreRows - 4;
            canvas.set(x, y, scaled(Rgb{36, 36, 38}, lug ? 1.35 : 0.85));
        }
    int glassTop = kCamoTyreRows + kCamoGlassRows;
    for (int y = kCamoTyreRows; y < glassTop; ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            double glint = 0.5 + 0.5 * std::sin((x + 3.0 * y) / 20.0);
            canvas.set(x, y, mix(Rgb{38, 52, 66}, Rgb{92, 112, 130}, 0.35 * glint));
        }
    canvas.fillRect(0, glassTop, canvas.width(), glassTop + kCamoLampRows, Rgb{238, 232, 190});
}

}  // namespace

Canvas makeGrass() {
    Canvas canvas(kGrassSize, kGrassSize);
    const Rgb dark{46, 92, 34}, light{98, 146, 52}, dry{138, 136, 70};
    for (int y = 0; y < kGrassSize; ++y)
        for (int x = 0; x < kGrassSize; ++x) {
            double patches = fractalNoise(x / 64.0, y / 64.0, 4, 8, 11u);
            double dryness = smoothStep(0.6, 0.75, fractalNoise(x / 96.0, y / 96.0, 2, 0, 12u));
            Rgb colour = mix(mix(dark, light, patches), dry, 0.7 * dryness);
            double blades = 0.82 + 0.3 * latticeValue(x, y, 13u);
            canvas.set(x, y, scaled(colour, blades));
        }
    return canvas;
}

Canvas makeCamo() {
    Canvas canvas(kCamoSize, kCamoSize);
    paintVehicleBands(canvas);
    paintCamoPattern(canvas, kCamoTyreRows + kCamoGlassRows + kCamoLampRows);
    return canvas;
}

Canvas makeTreeBark() {
    const int size = kTreeTextureSize;
    Canvas canvas(size, size);
    const Rgb bark{92, 64, 40}, crevice{48, 32, 22};
    const Rgb shadowLeaf{24, 66, 26}, sunLeaf{84, 142, 48};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (x < size / 2) {
                // Long vertical furrows: noise stretched along the trunk.
                double furrow = valueNoise(x / 3.0, y / 40.0, 0, 21u);
                Rgb colour = mix(crevice, bark, smoothStep(0.25, 0.55, furrow));
                canvas.set(x, y, scaled(colour, 0.85 + 0.3 * latticeValue(x, y, 22u)));
            } else {
                double clumps = fractalNoise(x / 14.0, y / 14.0, 3, 0, 23u);
                Rgb colour = mix(shadowLeaf, sunLeaf, smoothStep(0.3, 0.75, clumps));
                double leaf = latticeValue(x / 2, y / 2, 24u);
                canvas.set(x, y, scaled(colour, 0.75 + 0.45 * leaf));
            }
        }
    return canvas;
}

Canvas makeSky() {
    Canvas canvas(kSkyWidth, kSkyHeight);
    const Rgb zenith{22, 56, 148}, horizon{198, 222, 242}, haze{118, 134, 150}, cloud{246, 246, 250};
    for (int y = 0; y < kSkyHeight; ++y) {
        double t = (y + 0.5) / kSkyHeight;  // 0 straight up, 0.5 at the horizon
        Rgb base = t <= 0.5 ? mix(zenith, horizon, std::pow(t / 0.5, 2.0)) : mix(horizon, haze, (t - 0.5) / 0.5);
        // Clouds live in the band the sky box shows above the horizon.
        double band = smoothStep(0.26, 0.34, t) * (1.0 - smoothStep(0.44, 0.5, t));
        for (int x = 0; x < kSkyWidth; ++x) {
            // Period 8 cells of 64 pixels: the clouds wrap around seamlessly.
            double puffs = fractalNoise(x / 64.0, y / 24.0, 4, 8, 31u);
            double density = smoothStep(0.46, 0.74, puffs) * band;
            canvas.set(x, y, mix(base, cloud, 0.8 * density));
        }
    }
    return canvas;
}

Canvas makeMoon() {
    Canvas canvas(kMoonSize, kMoonSize);
    const double centre = (kMoonSize - 1) / 2.0;
    Canvas surface(kMoonSize, kMoonSize);
    for (int y = 0; y < kMoonSize; ++y)
        for (int x = 0; x < kMoonSize; ++x) {
            double maria = smoothStep(0.5, 0.62, fractalNoise(x / 26.0, y / 26.0, 3, 0, 41u));
            Rgb colour = mix(Rgb{214, 212, 204}, Rgb{132, 132, 130}, maria);
            surface.set(x, y, scaled(colour, 0.93 + 0.1 * latticeValue(x, y, 42u)));
        }

    // Craters: a soft darker floor and a bright rim on the side facing the light.
    Random random(4711u);
    for (int i = 0; i < 18; ++i) {
        double radius = random.range(3.0, 9.0);
        double angle = random.range(0, 6.2831853);
        double reach = std::sqrt(random.uniform()) * (kMoonRadius - radius - 3);
        double cx = centre + reach * std::cos(angle), cy = centre + reach * std::sin(angle);
        for (int y = static_cast<int>(cy - radius - 3); y <= cy + radius + 3; ++y)
            for (int x = static_cast<int>(cx - radius - 3); x <= cx + radius + 3; ++x) {
                double dx = (x - cx) / radius, dy = (y - cy) / radius;
                double d = std::hypot(dx, dy);
                double floor = 1.0 - 0.2 * (1.0 - smoothStep(0.55, 0.95, d));
                double facing = d > 0 ? std::max(0.0, (dx - dy) / (1.4142 * d)) : 0.0;
                double rim = 0.18 * facing * std::exp(-std::pow((d - 1.0) / 0.15, 2));
                surface.set(x, y, scaled(surface.get(x, y), floor + rim));
            }
    }

    for (int y = 0; y < kMoonSize; ++y)
        for (int x = 0; x < kMoonSize; ++x) {
            double r = std::min(std::hypot(x - centre, y - centre) / kMoonRadius, 1.0);
            double limb = 0.78 + 0.22 * std::sqrt(1 - r * r);
            canvas.set(x, y, scaled(surface.get(x, y), limb * moonCoverage(x, y)));
        }
    return canvas;
}

Canvas makeMoonAlpha() {
    Canvas canvas(kMoonSize, kMoonSize);
    for (int y = 0; y < kMoonSize; ++y)
        for (int x = 0; x < kMoonSize; ++x) {
            auto level = static_cast<unsigned char>(std::lround(255 * moonCoverage(x, y)));
            canvas.set(x, y, {level, level, level});
        }
    return canvas;
}
