#include "Canvas.h"

#include <algorithm>
#include <cmath>

#include "image/Bmp.h"

namespace {

unsigned char clampByte(double value) {
    return static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t),
            clampByte(a.b + (b.b - a.b) * t)};
}

Rgb scaled(Rgb colour, double factor) {
    return {clampByte(colour.r * factor), clampByte(colour.g * factor), clampByte(colour.b * factor)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 3) {
    fillRect(0, 0, width, height, fill);
}

Rgb Canvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    size_t i = (static_cast<size_t>(y) * width_ + x) * 3;
    return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
}

void Canvas::set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    size_t i = (static_cast<size_t>(y) * width_ + x) * 3;
    pixels_[i] = colour.r;
    pixels_[i + 1] = colour.g;
    pixels_[i + 2] = colour.b;
}

void Canvas::blend(int x, int y, Rgb colour, double amount) {
    set(x, y, mix(get(x, y), colour, amount));
}

void Canvas::fillRect(int left, int bottom, int right, int top, Rgb colour) {
    for (int y = std::max(bottom, 0); y < std::min(top, height_); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x) set(x, y, colour);
}

bool Canvas::save(const std::string& path) const {
    return writeBmp(path.c_str(), static_cast<uint32_t>(width_), static_cast<uint32_t>(height_), pixels_.data());
}
