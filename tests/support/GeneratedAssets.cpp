#include "support/GeneratedAssets.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "assets/AssetGenerator.h"

const std::string& generatedAssetsDir() {
    static const std::string dir = BRELLOW_TEST_ASSETS_DIR;
    return dir;
}

void copyGeneratedAssets(const std::string& dir) {
    namespace fs = std::filesystem;
    fs::create_directories(dir);
    fs::copy(generatedAssetsDir(), dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void generateAssetsWithTerrain(const std::string& dir, int terrainSize) {
    std::ostringstream out, err;
    AssetOptions options;
    options.terrainSize = terrainSize;
    if (!generateAssets(dir, out, err, options)) throw std::runtime_error(err.str());
}

InGeneratedAssets::InGeneratedAssets() : previous_(std::filesystem::current_path().string()) {
    std::filesystem::current_path(generatedAssetsDir());
}

InGeneratedAssets::~InGeneratedAssets() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}
