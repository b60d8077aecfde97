#pragma once
// The ground: a grid of heights read from the red channel of a BMP height map,
// one grid step per world unit. Point (x, z) stands at world (x, height, z);
// x runs along the picture's rows, z along its columns from the file's first
// (bottom) row. Immutable after loading apart from setHeight.
#include <cstdint>
#include <memory>
#include <vector>

#include "terrain/VisibleQuads.h"

class Texture;
class ViewVolume;

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

    // Every height at once, index x + z * width.
    const std::vector<float>& getHeights() const { return heights; }

    float getMaxHeight() const { return highest; }  // -1 for an empty grid
    float getMinHeight() const { return lowest; }   // 65535 for an empty grid

    // Draws lit, textured quads. shadowGrid holds one brightness (0..1) per grid
    // point, indexed [(width-1-x) * depth + (depth-1-z)]; each quad takes the
    // value of its corner (x, z) as its diffuse colour. Null draws unshadowed.
    // Given the view the picture will be seen through, quads wholly outside
    // it are not sent.
    void draw(const float* shadowGrid, const ViewVolume* view = nullptr) const;
    // The same in two steps, for a frame that needs to know the quads before
    // drawing them: the quads draw would send given that view (null: every
    // quad), then those quads drawn. chosen must come from this terrain's
    // quadsToDraw, for the frame being drawn.
    const VisibleQuads* quadsToDraw(const ViewVolume* view) const;
    void drawChosen(const float* shadowGrid, const VisibleQuads* chosen) const;
    void draw() const { draw(nullptr); }
    // The same picture, sent vertex by vertex (the pixel-identity reference).
    void drawVertexByVertex(const float* shadowGrid) const;
    // The ground's material: dim ambient, white diffuse, no shine.
    static void applyMaterial();

    // The not-normalised normal (normalX, 1, normalZ) of a grid point.
    float getNormalX(uint32_t x, uint32_t z) const;
    float getNormalZ(uint32_t x, uint32_t z) const;

private:
    struct QuadVertex {
        float texCoord[2];
        float normal[3];
        float position[3];
    };
    void textureSteps(float& du, float& dv) const;
    template <typename QuadStart, typename Corner>
    void forEachQuad(QuadStart quad, Corner corner) const;
    void prepareQuads();
    void measureHeightRange();
    void shadeQuads(const float* shadowGrid, int firstVertex, int vertexCount) const;

    uint32_t width = 0;
    uint32_t depth = 0;
    std::vector<float> heights;   // index x + z * width; 0 .. 25.5
    float highest = -1.0f;        // of heights, kept by measureHeightRange
    float lowest = 65535.0f;
    std::unique_ptr<Texture> texture;
    std::vector<float> normalX;   // same indexing as heights
    std::vector<float> normalZ;
    std::vector<QuadVertex> quadVertices;     // 4 per quad, ready for glDrawArrays
    mutable std::vector<float> quadShades;    // RGB per quad vertex from the shadow grid
    mutable VisibleQuads visibleQuads;        // the runs sent this frame
};
