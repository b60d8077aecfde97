#pragma once
// The game's generated assets, written once per test run into a folder of
// their own, and a scope that works inside that folder.
#include <string>

const std::string& generatedAssetsDir();

class InGeneratedAssets {
public:
    InGeneratedAssets();   // enters generatedAssetsDir()
    ~InGeneratedAssets();  // returns to the previous working directory
    InGeneratedAssets(const InGeneratedAssets&) = delete;
    InGeneratedAssets& operator=(const InGeneratedAssets&) = delete;

private:
    std::string previous_;
};
