#pragma once
// Where the game's files are read from, under the working directory: the
// pictures (the height map among them) and the models.
#include <string>

inline std::string texturePath(const std::string& fileName) { return "./textures/" + fileName; }
inline std::string modelPath(const std::string& fileName) { return "models/" + fileName; }
