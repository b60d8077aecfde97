#include "terrain/Terrain.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "base/AssetPaths.h"
#include "base/FatalError.h"
#include "image/Bmp.h"
#include "texture/Texture.h"

namespace {
constexpr float heightPerRedStep = 0.1f;  // red 255 is height 25.5
}

Terrain::Terrain(const char* heightMapFile, const char* textureFile) {
    const std::string path = texturePath(heightMapFile);
    Image image;
    std::string refusal;
    if (!readBmp(path.c_str(), image, &refusal))
        throw FatalError(std::string("Failed to load heightmap ") + heightMapFile, refusal);
    // A grid of one row or column has no quad: no ground would be drawn, and
    // the vehicle could not move along it.
    if (image.width < 2 || image.height < 2)
        throw FatalError(std::string("Failed to load heightmap ") + heightMapFile,
                         "The height map " + path + " is " + std::to_string(image.width) + " x " +
                             std::to_string(image.height) + " points; it needs at least 2 each way.");
    width = image.width;
    depth = image.height;
    size_t points = size_t{width} * depth;
    try {
        heights.assign(points, 0.0f);
        normalX.assign(points, 0.0f);
        normalZ.assign(points, 0.0f);
    } catch (const std::bad_alloc&) {
        throw FatalError("Out of memory while loading " + path);
    }

    for (uint32_t z = 0; z < depth; ++z)
        for (uint32_t x = 0; x < width; ++x)
            setPoint(heights, x, z, image.data[3 * (size_t{z} * width + x)] * heightPerRedStep);
    image.data.reset();

    // Only interior points get a slope; the border keeps the normal (0, 1, 0).
    for (uint32_t z = 1; z + 1 < depth; ++z)
        for (uint32_t x = 1; x + 1 < width; ++x) {
            float here = 0, left = 0, behind = 0;
            getPoint(heights, x, z, here);
            getPoint(heights, x - 1, z, left);
            getPoint(heights, x, z - 1, behind);
            setPoint(normalX, x, z, left - here);
            setPoint(normalZ, x, z, behind - here);
        }

    if (textureFile) texture = std::make_unique<Texture>(textureFile);
    measureHeightRange();
    prepareTextureCoordinates();
    pieces.prepare(heights, width, depth);
}

Terrain::~Terrain() = default;

bool Terrain::getPoint(const std::vector<float>& array, uint32_t x, uint32_t z, float& value) const {
    if (!isInBounds(x, z)) {
        std::fprintf(stderr, "WARNING: Attempted to read point out of bounds: %u, %u\n", x, z);
        return false;
    }
    value = array[x + size_t{z} * width];
    return true;
}

bool Terrain::setPoint(std::vector<float>& array, uint32_t x, uint32_t z, float value) {
    if (!isInBounds(x, z)) {
        std::fprintf(stderr, "WARNING: Attempted to write point out of bounds: %u, %u\n", x, z);
        return false;
    }
    array[x + size_t{z} * width] = value;
    return true;
}

bool Terrain::getHeight(uint32_t x, uint32_t z, float& height) const {
    return getPoint(heights, x, z, height);
}

bool Terrain::setHeight(uint32_t x, uint32_t z, float height) {
    if (!setPoint(heights, x, z, height)) return false;
    measureHeightRange();
    pieces.prepare(heights, width, depth);  // the choice of quads follows the new height
    return true;
}

float Terrain::getNormalX(uint32_t x, uint32_t z) const {
    float value = 0;
    getPoint(normalX, x, z, value);
    return value;
}

float Terrain::getNormalZ(uint32_t x, uint32_t z) const {
    float value = 0;
    getPoint(normalZ, x, z, value);
    return value;
}

// Summed step by step rather than multiplied out, as the quads were always
// textured; the last column's u may fall a little short of 1.
void Terrain::prepareTextureCoordinates() {
    const float du = texture && width > 1 ? 1.0f / static_cast<float>(width - 1) : 0.0f;
    const float dv = texture && depth > 1 ? 1.0f / static_cast<float>(depth - 1) : 0.0f;
    columnU.assign(width, 0.0f);
    rowV.assign(depth, 0.0f);
    for (uint32_t x = 1; x < width; ++x) columnU[x] = columnU[x - 1] + du;
    for (uint32_t z = 1; z < depth; ++z) rowV[z] = rowV[z - 1] + dv;
}

// The sky bound asks for both every frame, so they are kept rather than
// searched for; every change of a height comes through here.
void Terrain::measureHeightRange() {
    highest = -1.0f;
    lowest = 65535.0f;
    for (float h : heights) {
        if (h > highest) highest = h;
        if (h < lowest) lowest = h;
    }
}
