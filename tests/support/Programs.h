#pragma once
// The game's programs as the build made them, for the tests that run them.
#include <string>

// build/brellow, build/brellow-menu, ...: the programs next to the game.
std::string programPath(const std::string& name);
// The asset generator, build/tools/brellow-assets.
std::string assetToolPath();
