// brellow-assets [--terrain-size N] DIR: writes the game's pictures and models
// under DIR/textures/ and DIR/models/. The terrain size changes only the
// height map; the benchmark uses it to measure larger and smaller landscapes.
// brellow-assets --icons DIR: writes the desktop icon as DIR/NxN/apps/brellow.png,
// the layout of the hicolor icon theme, for installing.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "AssetGenerator.h"

namespace {
int usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--terrain-size N] DIR\n       %s --icons DIR\n", program, program);
    return 1;
}
}  // namespace

int main(int argc, char** argv) {
    AssetOptions options;
    const char* dir = nullptr;
    bool icons = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--terrain-size") == 0 && i + 1 < argc) {
            char* end = nullptr;
            long size = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || size < kHeightMapMinSize || size > kHeightMapMaxSize) {
                std::fprintf(stderr, "%s: --terrain-size takes %d to %d grid points\n", argv[0],
                             kHeightMapMinSize, kHeightMapMaxSize);
                return 1;
            }
            options.terrainSize = static_cast<int>(size);
        } else if (std::strcmp(argv[i], "--icons") == 0) {
            icons = true;
        } else if (argv[i][0] == '-' || dir) {
            return usage(argv[0]);
        } else {
            dir = argv[i];
        }
    }
    if (!dir) return usage(argv[0]);
    if (icons) return generateIcons(dir, std::cout, std::cerr) ? 0 : 1;
    return generateAssets(dir, std::cout, std::cerr, options) ? 0 : 1;
}
