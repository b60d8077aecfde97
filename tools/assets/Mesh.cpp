#include "Mesh.h"

#include <cmath>

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

Vec3 normalized(Vec3 a) {
    double length = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return length > 0 ? a * (1.0 / length) : a;
}

int Mesh::addPosition(Vec3 p) {
    positions.push_back(p);
    return static_cast<int>(positions.size()) - 1;
}

int Mesh::addTexCoord(Vec2 t) {
    texCoords.push_back(t);
    return static_cast<int>(texCoords.size()) - 1;
}

int Mesh::addNormal(Vec3 n) {
    normals.push_back(normalized(n));
    return static_cast<int>(normals.size()) - 1;
}

void Mesh::addTriangle(Corner a, Corner b, Corner c) { triangles.push_back({a, b, c}); }
