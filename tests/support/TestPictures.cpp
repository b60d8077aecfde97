#include "support/TestPictures.h"

#include <stdexcept>
#include <vector>

#include "image/Bmp.h"

void writeTestPicture(const std::string& path, uint32_t width, uint32_t height,
                      const std::function<Rgb(uint32_t, uint32_t)>& pixel) {
    std::vector<unsigned char> data;
    data.reserve(size_t{width} * height * 3);
    for (uint32_t row = 0; row < height; ++row)
        for (uint32_t x = 0; x < width; ++x) {
            const Rgb colour = pixel(x, row);
            data.insert(data.end(), {colour.r, colour.g, colour.b});
        }
    if (!writeBmp(path.c_str(), width, height, data.data())) throw std::runtime_error("cannot write " + path);
}

void writeSolidPicture(const std::string& path, uint32_t width, uint32_t height, Rgb colour) {
    writeTestPicture(path, width, height, [colour](uint32_t, uint32_t) { return colour; });
}
