#include "support/GeneratedAssets.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "assets/AssetGenerator.h"

namespace {
void removeGeneratedAssets() {
    std::error_code ignored;
    std::filesystem::remove_all(generatedAssetsDir(), ignored);
}
}  // namespace

const std::string& generatedAssetsDir() {
    static const std::string dir = [] {
        std::string path = "/tmp/brellow-test-assets-" + std::to_string(getpid());
        std::ostringstream out, err;
        if (!generateAssets(path, out, err)) throw std::runtime_error(err.str());
        return path;
    }();
    static const bool cleanupRegistered = (std::atexit(removeGeneratedAssets), true);
    (void)cleanupRegistered;
    return dir;
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
