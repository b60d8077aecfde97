// The asset generator's terrain size, which the benchmark's larger and
// smaller landscapes come from.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "assets/AssetGenerator.h"
#include "assets/HeightMap.h"

namespace {

uint64_t fnv1a(const std::string& bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001b3ull;
    return hash;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Largest red step between neighbours; the game's driving needs it small.
int steepestStep(const Canvas& map) {
    int steepest = 0;
    for (int z = 0; z < map.height(); ++z)
        for (int x = 0; x + 1 < map.width(); ++x) {
            steepest = std::max(steepest, std::abs(map.get(x + 1, z).r - map.get(x, z).r));
            steepest = std::max(steepest, std::abs(map.get(z, x + 1).r - map.get(z, x).r));
        }
    return steepest;
}

class TerrainSize : public testing::Test {
protected:
    void SetUp() override {
        dir = "/tmp/brellow-bench-test-" + std::to_string(getpid());
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string dir;
};

}  // namespace

TEST_F(TerrainSize, TheDefaultHeightMapKeepsItsBytes) {
    std::ostringstream out, err;
    ASSERT_TRUE(generateAssets(dir, out, err)) << err.str();
    const std::string bytes = fileBytes(dir + "/textures/Terrain.bmp");
    EXPECT_EQ(bytes.size(), 49206u);
    EXPECT_EQ(fnv1a(bytes), 0xc27eb5267ebf716eull) << "the 128 x 128 height map changed";
}

TEST_F(TerrainSize, OtherSizesAreSquareDrivableAndBounded) {
    for (int size : {65, 256}) {
        Canvas map = makeHeightMap(size);
        EXPECT_EQ(map.width(), size);
        EXPECT_EQ(map.height(), size);
        EXPECT_LE(steepestStep(map), kHeightMapMaxStep + 1) << size;
    }
    std::ostringstream out, err;
    AssetOptions tooSmall;
    tooSmall.terrainSize = 64;  // the vehicle's start (64, 64) would lie off the map
    EXPECT_FALSE(generateAssets(dir, out, err, tooSmall));
    EXPECT_NE(err.str().find("64"), std::string::npos) << err.str();
}
