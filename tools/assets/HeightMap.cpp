#include "HeightMap.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Noise.h"

namespace {

constexpr double kLowestRed = 20;    // 2 world units: valleys
constexpr double kHighestRed = 200;  // 20 world units: hill tops
constexpr double kPi = 3.14159265358979323846;

// Broad hills from noise plus one long swell across the map, so the start in
// the middle sits on a slope rather than in a flat valley.
double rawHeight(int x, int z) {
    double hills = fractalNoise(x / 30.0, z / 30.0, 2, 0, 4242u);
    double swell = 0.5 + 0.5 * std::sin(2 * kPi * (x + 0.6 * z) / 150.0);
    return 0.75 * hills + 0.25 * swell;
}

}  // namespace

Canvas makeHeightMap(int size) {
    const int n = size;
    std::vector<double> field(size_t(n) * n);
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) field[z * n + x] = rawHeight(x, z);

    auto [lowIt, highIt] = std::minmax_element(field.begin(), field.end());
    double low = *lowIt, high = *highIt;
    for (double& h : field) h = kLowestRed + (h - low) / (high - low) * (kHighestRed - kLowestRed);

    // Flatten towards the middle height wherever the steepest step would make
    // a slope too steep to drive over.
    double steepest = 0;
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) {
            if (x + 1 < n) steepest = std::max(steepest, std::abs(field[z * n + x + 1] - field[z * n + x]));
            if (z + 1 < n) steepest = std::max(steepest, std::abs(field[(z + 1) * n + x] - field[z * n + x]));
        }
    if (steepest > kHeightMapMaxStep) {
        double middle = (kLowestRed + kHighestRed) / 2;
        double factor = kHeightMapMaxStep / steepest;
        for (double& h : field) h = middle + (h - middle) * factor;
    }

    Canvas map(n, n);
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) {
            auto red = static_cast<unsigned char>(std::lround(field[z * n + x]));
            map.set(x, z, {red, red, red});
        }
    return map;
}
