#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "scene/Model.h"

bool Model::hasClosedSurface() const {
    if (faces.empty()) return false;
    using Position = std::array<float, 3>;
    // Per edge, taken from its smaller end: faces going along it minus faces
    // going against it. Indices are compared by the positions they name, so
    // vertices repeated for a texture seam still join their neighbours.
    std::map<std::pair<Position, Position>, int> balance;
    for (const Face& face : faces) {
        Position corners[3];
        for (int c = 0; c < 3; ++c) {
            const ModelVertex& v = vertices[face.vertexIndex[c] - 1];
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return false;
            corners[c] = {v.x, v.y, v.z};
        }
        for (int c = 0; c < 3; ++c) {
            const Position& from = corners[c];
            const Position& to = corners[(c + 1) % 3];
            if (from == to) continue;  // a collapsed edge bounds nothing
            if (from < to) {
                ++balance[{from, to}];
            } else {
                --balance[{to, from}];
            }
        }
    }
    for (const auto& edge : balance)
        if (edge.second != 0) return false;
    return true;
}
