#pragma once
// Writes a Mesh as a Wavefront OBJ file in the form the game's reader takes:
// "v x y z", "vt u v", "vn x y z" lines, then triangles "f v/vt/vn v/vt/vn v/vt/vn"
// with 1-based indices. Numbers have a fixed precision, so equal meshes give
// equal files.
#include <string>

#include "Mesh.h"

// comment becomes the file's first line, after "# ". False when the file
// cannot be written.
bool writeObj(const std::string& path, const Mesh& mesh, const std::string& comment);
