#pragma once
#include <string>

// A folder holding freshly generated game assets (textures/ and models/),
// made once per test run by the real asset generator.
const std::string& gameAssetsDir();
