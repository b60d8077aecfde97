#pragma once
// The game's generated assets, written by the build into a folder the tests
// only read (BRELLOW_TEST_ASSETS_DIR), copies of them to damage, and a scope
// that works inside the folder.
#include <string>

const std::string& generatedAssetsDir();

// Copies the generated textures/ and models/ into dir (made if need be),
// over whatever files of those names it holds.
void copyGeneratedAssets(const std::string& dir);

// Writes the game's assets into dir with a height map of terrainSize grid
// points a side; throws with the generator's message when it cannot.
void generateAssetsWithTerrain(const std::string& dir, int terrainSize);

class InGeneratedAssets {
public:
    InGeneratedAssets();   // enters generatedAssetsDir()
    ~InGeneratedAssets();  // returns to the previous working directory
    InGeneratedAssets(const InGeneratedAssets&) = delete;
    InGeneratedAssets& operator=(const InGeneratedAssets&) = delete;

private:
    std::string previous_;
};
