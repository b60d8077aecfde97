#pragma once
// The game's generated assets, written once per test run into a folder of
// their own, and a scope that works inside that folder.
#include <string>

const std::string& generatedAssetsDir();

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
