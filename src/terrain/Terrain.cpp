#include "terrain/Terrain.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "base/AssetPaths.h"
#include "base/FatalError.h"
#include "base/LargeBlocks.h"
#include "image/Bmp.h"
#include "texture/Texture.h"

namespace {
constexpr float heightPerRedStep = 0.1f;  // red 255 is height 25.5
}

Terrain::Terrain(const char* heightMapFile, const char* textureFile) {
    const std::string path = texturePath(heightMapFile);
    BmpRows rows;
    std::string refusal;
    if (!rows.open(path.c_str(), &refusal))
        throw FatalError(std::string("Failed to load heightmap ") + heightMapFile, refusal);
    // A grid of one row or column has no quad: no ground would be drawn, and
    // the vehicle could not move along it.
    if (rows.width() < 2 || rows.height() < 2)
        throw FatalError(std::string("Failed to load heightmap ") + heightMapFile,
                         "The height map " + path + " is " + std::to_string(rows.width()) + " x " +
                             std::to_string(rows.height()) + " points; it needs at least 2 each way.");
    width = rows.width();
    depth = rows.height();
    try {
        readHeights(rows, heightMapFile);
        prepareNormals();
    } catch (const std::bad_alloc&) {
        throw FatalError("Out of memory while loading " + path);
    }

    if (textureFile) texture = std::make_unique<Texture>(textureFile);
    prepareTextureCoordinates();
    pieces.prepare(heights, width, depth);
}

// Straight from the file's rows into the heights, a row at a time, keeping
// the height range on the way: the picture is never held whole.
void Terrain::readHeights(BmpRows& rows, const char* heightMapFile) {
    const size_t points = size_t{width} * depth;
    reserveLarge(heights, points);
    std::vector<unsigned char> bgr(size_t{width} * 3);
    std::vector<float> row(width);
    unsigned char lowestRed = 255, highestRed = 0;
    for (uint32_t r = 0; r < depth; ++r) {
        uint32_t pictureRow;
        std::string refusal;
        if (!rows.readRow(bgr.data(), pictureRow, &refusal))
            throw FatalError(std::string("Failed to load heightmap ") + heightMapFile, refusal);
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char red = bgr[3 * size_t{x} + 2];
            lowestRed = std::min(lowestRed, red);
            highestRed = std::max(highestRed, red);
            row[x] = red * heightPerRedStep;
        }
        heights.insert(heights.end(), row.begin(), row.end());
    }
    // A file stored top row first gave the rows from the far end.
    if (rows.topDown())
        for (uint32_t z = 0; z < depth / 2; ++z)
            std::swap_ranges(heights.begin() + size_t{z} * width, heights.begin() + size_t{z + 1} * width,
                             heights.begin() + size_t{depth - 1 - z} * width);
    // The same as measureHeightRange finds: a height grows with its red.
    lowest = lowestRed * heightPerRedStep;
    highest = highestRed * heightPerRedStep;
}

// Only interior points get a slope; the border keeps the normal (0, 1, 0).
// One pass along the rows, each with the row behind it still in the cache.
void Terrain::prepareNormals() {
    const size_t points = size_t{width} * depth;
    reserveLarge(normalX, points);
    reserveLarge(normalZ, points);
    std::vector<float> rowX(width, 0.0f), rowZ(width, 0.0f);
    normalX.insert(normalX.end(), rowX.begin(), rowX.end());  // z = 0
    normalZ.insert(normalZ.end(), rowZ.begin(), rowZ.end());
    for (uint32_t z = 1; z + 1 < depth; ++z) {
        const float* here = heights.data() + size_t{z} * width;
        const float* behind = here - width;
        for (uint32_t x = 1; x + 1 < width; ++x) {
            rowX[x] = here[x - 1] - here[x];
            rowZ[x] = behind[x] - here[x];
        }
        normalX.insert(normalX.end(), rowX.begin(), rowX.end());
        normalZ.insert(normalZ.end(), rowZ.begin(), rowZ.end());
    }
    std::fill(rowX.begin(), rowX.end(), 0.0f);  // z = depth - 1
    std::fill(rowZ.begin(), rowZ.end(), 0.0f);
    normalX.insert(normalX.end(), rowX.begin(), rowX.end());
    normalZ.insert(normalZ.end(), rowZ.begin(), rowZ.end());
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
