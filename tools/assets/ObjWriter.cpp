#include "ObjWriter.h"

#include <cmath>
#include <cstdio>

namespace {

// Rounded to the written precision, with -0 shown as 0.
double tidy(double value) {
    double rounded = std::round(value * 1e5) / 1e5;
    return rounded == 0 ? 0.0 : rounded;
}

}  // namespace

bool writeObj(const std::string& path, const Mesh& mesh, const std::string& comment) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return false;
    std::fprintf(file, "# %s\n", comment.c_str());
    for (const Vec3& p : mesh.positions) std::fprintf(file, "v %.5f %.5f %.5f\n", tidy(p.x), tidy(p.y), tidy(p.z));
    for (const Vec2& t : mesh.texCoords) std::fprintf(file, "vt %.5f %.5f\n", tidy(t.u), tidy(t.v));
    for (const Vec3& n : mesh.normals) std::fprintf(file, "vn %.5f %.5f %.5f\n", tidy(n.x), tidy(n.y), tidy(n.z));
    for (const auto& triangle : mesh.triangles) {
        std::fputs("f", file);
        for (const Corner& c : triangle) std::fprintf(file, " %d/%d/%d", c.position + 1, c.texCoord + 1, c.normal + 1);
        std::fputs("\n", file);
    }
    bool ok = !std::ferror(file);
    return std::fclose(file) == 0 && ok;
}
