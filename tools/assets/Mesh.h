#pragma once
// A triangle mesh with positions, texture coordinates and normals, built up
// shape by shape and written out as an OBJ file.
#include <array>
#include <vector>

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
struct Vec2 {
    double u = 0, v = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double s);
Vec3 cross(Vec3 a, Vec3 b);
Vec3 normalized(Vec3 a);  // a itself when its length is 0

// One corner of a triangle: 0-based indices into the mesh's three lists.
struct Corner {
    int position = 0, texCoord = 0, normal = 0;
};

struct Mesh {
    std::vector<Vec3> positions;
    std::vector<Vec2> texCoords;
    std::vector<Vec3> normals;
    std::vector<std::array<Corner, 3>> triangles;  // counter-clockwise seen from outside

    int addPosition(Vec3 p);
    int addTexCoord(Vec2 t);
    int addNormal(Vec3 n);  // stored normalised
    void addTriangle(Corner a, Corner b, Corner c);
};
