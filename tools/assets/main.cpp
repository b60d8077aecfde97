// brellow-assets DIR: writes the game's pictures and models under
// DIR/textures/ and DIR/models/.
#include <cstdio>
#include <iostream>

#include "AssetGenerator.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 1;
    }
    return generateAssets(argv[1], std::cout, std::cerr) ? 0 : 1;
}
