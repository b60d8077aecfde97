#include "Noise.h"

#include <cmath>

namespace {

int wrap(int value, int period) {
    if (period <= 0) return value;
    int r = value % period;
    return r < 0 ? r + period : r;
}

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

double latticeValue(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h >> 8) * (1.0 / 16777215.0);
}

double valueNoise(double x, double y, int period, uint32_t seed) {
    double fx = std::floor(x);
    double fy = std::floor(y);
    int x0 = static_cast<int>(fx);
    int y0 = static_cast<int>(fy);
    double tx = smooth(x - fx);
    double ty = smooth(y - fy);
    int xa = wrap(x0, period), xb = wrap(x0 + 1, period);
    int ya = wrap(y0, period), yb = wrap(y0 + 1, period);
    double bottom = latticeValue(xa, ya, seed) * (1 - tx) + latticeValue(xb, ya, seed) * tx;
    double top = latticeValue(xa, yb, seed) * (1 - tx) + latticeValue(xb, yb, seed) * tx;
    return bottom * (1 - ty) + top * ty;
}

double fractalNoise(double x, double y, int octaves, int period, uint32_t seed) {
    double sum = 0, weight = 1, total = 0, scale = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * valueNoise(x * scale, y * scale, period > 0 ? period * static_cast<int>(scale) : 0,
                                   seed + 101u * static_cast<uint32_t>(i));
        total += weight;
        weight *= 0.5;
        scale *= 2;
    }
    return sum / total;
}
