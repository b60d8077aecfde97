#pragma once
// Writes every picture and model the game and its menu read, under
// dir/textures/ and dir/models/, creating the folders. The output depends on
// nothing but this code: two runs give byte-identical files.
#include <ostream>
#include <string>
#include <vector>

#include "HeightMap.h"

struct AssetOptions {
    int terrainSize = kHeightMapSize;  // height map grid points per side, 65 to 4096
};

// The files written, relative to the output folder, in the order written.
std::vector<std::string> generatedAssetFiles();

// Prints one line per file written to out. On the first failure (a folder or
// file that cannot be written, a terrain size out of range) prints one line
// naming what failed to err and returns false; a file written only in part
// is removed.
bool generateAssets(const std::string& dir, std::ostream& out, std::ostream& err,
                    const AssetOptions& options = {});

// Writes the desktop icon in each of kIconSizes as dir/NxN/apps/brellow.png,
// the layout of an icon theme's folder. Reports like generateAssets.
bool generateIcons(const std::string& dir, std::ostream& out, std::ostream& err);
