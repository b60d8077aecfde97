#pragma once
// The ground: a grid of heights read from the red channel of a BMP height map,
// one grid step per world unit. Point (x, z) stands at world (x, height, z);
// x runs along the picture's rows, z along its columns from the file's first
// (bottom) row. Immutable after loading apart from setHeight.
#include <cstdint>
#include <memory>
#include <vector>

#include "terrain/VisibleQuads.h"

// The corners of quad (x, z) as (x + dx, z + dz), in the order every way of
// drawing sends them: counter-clockwise seen from above, so the front face
// points up.
constexpr uint32_t quadCorners[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};

class BmpRows;
class PixelCentres;
class QuadBatch;
class ShadowGrid;
class Texture;

class Terrain {
public:
    // Reads "./textures/<heightMapFile>"; throws FatalError "Failed to load
    // heightmap <name>" when it cannot. A null texture name means no texture.
    explicit Terrain(const char* heightMapFile, const char* textureFile = nullptr);
    ~Terrain();
    Terrain(const Terrain&) = delete;
    Terrain& operator=(const Terrain&) = delete;

    uint32_t getWidth() const { return width; }  // grid points along x
    uint32_t getDepth() const { return depth; }  // grid points along z

    bool isInBounds(uint32_t x, uint32_t z) const { return x < width && z < depth; }
    // Bounds-checked access. Out of bounds: one warning line on standard error,
    // false, and nothing read or written.
    bool getHeight(uint32_t x, uint32_t z, float& height) const;
    bool setHeight(uint32_t x, uint32_t z, float height);
    bool getPoint(const std::vector<float>& array, uint32_t x, uint32_t z, float& value) const;
    bool setPoint(std::vector<float>& array, uint32_t x, uint32_t z, float value);

    // Every height, and the normals' x and z, at once, index x + z * width.
    const std::vector<float>& getHeights() const { return heights; }
    const std::vector<float>& getNormalsX() const { return normalX; }
    const std::vector<float>& getNormalsZ() const { return normalZ; }

    float getMaxHeight() const { return highest; }  // -1 for an empty grid
    float getMinHeight() const { return lowest; }   // 65535 for an empty grid

    // Draws the chosen quads lit and textured, each darkened by the shadow
    // grid's value for its corner (x, z) when there is a grid, through the
    // batch.
    // Needs: lighting, texturing and the depth test on, textures modulated
    // (the scene's state), the view and the lights applied.
    // Leaves: its picture (or none) bound and its material; everything else
    // as it found it.
    // With centres, quads that would cover no pixel centre are left out.
    void draw(const VisibleQuads& quads, const ShadowGrid* shadows, QuadBatch& batch,
              const PixelCentres* centres = nullptr) const;
    // Every quad, without and with a shadow grid, as the core above draws
    // them (through a batch of their own, made and deleted by each call).
    void draw() const;
    void draw(const ShadowGrid& shadows) const;
    // The height ranges the frame's choice of quads is made from.
    const QuadPieces& getPieces() const { return pieces; }
    // The ground's material: dim ambient, white diffuse, no shine.
    static void applyMaterial();
    // Binds the terrain's picture; without one, the default texture, which
    // holds none, so no picture bound before shows on the ground.
    void bindTexture() const;

    // Visits the chosen quads in drawing order, row by row along +z:
    // quad(x, z) for each, then its four corners as corner(u, v, x, z),
    // counter-clockwise seen from above, with the texture coordinates every
    // way of drawing gives them.
    template <typename QuadStart, typename Corner>
    void forEachQuad(const VisibleQuads& quads, QuadStart quad, Corner corner) const;

    // The not-normalised normal (normalX, 1, normalZ) of a grid point.
    float getNormalX(uint32_t x, uint32_t z) const;
    float getNormalZ(uint32_t x, uint32_t z) const;

private:
    void readHeights(BmpRows& rows, const char* heightMapFile);
    void prepareNormals();
    void prepareTextureCoordinates();
    void measureHeightRange();
    void sendQuads(const VisibleQuads& quads, const ShadowGrid* shadows, QuadBatch& batch,
                   const PixelCentres* centres) const;

    uint32_t width = 0;
    uint32_t depth = 0;
    std::vector<float> heights;   // index x + z * width; 0 .. 25.5
    float highest = -1.0f;        // of heights, kept by measureHeightRange
    float lowest = 65535.0f;
    std::unique_ptr<Texture> texture;
    std::vector<float> normalX;   // same indexing as heights
    std::vector<float> normalZ;
    // Texture coordinates of each grid column (u) and row (v), accumulated
    // step by step along the grid; all 0 without a texture.
    std::vector<float> columnU;
    std::vector<float> rowV;
    QuadPieces pieces;  // height ranges of short runs of each row
};

template <typename QuadStart, typename Corner>
void Terrain::forEachQuad(const VisibleQuads& quads, QuadStart quad, Corner corner) const {
    quads.forEachQuad([&](uint32_t x, uint32_t z) {
        quad(x, z);
        for (const auto& step : quadCorners) {
            const uint32_t cx = x + step[0], cz = z + step[1];
            corner(columnU[cx], rowV[cz], cx, cz);
        }
    });
}
