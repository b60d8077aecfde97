// Loading and measuring a Model; plain C++. The drawing is in ModelDraw.cpp.
#include "scene/Model.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "base/AssetPaths.h"
#include "base/FatalError.h"
#include "base/FileCloser.h"
#include "base/RegularFile.h"

namespace {

bool indexInRange(int index, int count) { return index >= 1 && index <= count; }

// A negative index counts back from the last of its kind read so far: -1 is
// the latest. What it comes to is checked with the others.
void resolveRelative(int& index, size_t readSoFar) {
    if (index < 0) index = static_cast<int>(static_cast<long long>(readSoFar) + 1 + index);
}

void resolveRelativeIndices(ObjCorner& corner, size_t vertices, size_t texCoords, size_t normals) {
    resolveRelative(corner.vertexIndex, vertices);
    resolveRelative(corner.texCoordIndex, texCoords);
    resolveRelative(corner.normalIndex, normals);
}

// A coordinate's share of a squared distance. An inf or nan takes no part:
// one such vertex would otherwise make the radius infinite, and the model
// would collide with everything.
float squaredPart(float coordinate) { return std::isfinite(coordinate) ? coordinate * coordinate : 0.0f; }

// A face's flat normal as modelling tools work it out: the cross product of
// the edges from its first corner to the second and to the third, made unit
// length, so it points to the side from which the corners run
// counter-clockwise (the front face). Worked in double, where no product of
// finite floats overflows. A face without area, or with a coordinate that is
// not a finite number, has no direction: it gets straight up rather than a
// NaN, which would light it as nothing GL defines.
ModelVertex flatNormal(const ModelVertex& a, const ModelVertex& b, const ModelVertex& c) {
    const double ux = double{b.x} - a.x, uy = double{b.y} - a.y, uz = double{b.z} - a.z;
    const double vx = double{c.x} - a.x, vy = double{c.y} - a.y, vz = double{c.z} - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0) || !std::isfinite(length)) return {0.0f, 1.0f, 0.0f};
    return {static_cast<float>(nx / length), static_cast<float>(ny / length), static_cast<float>(nz / length)};
}

}  // namespace

bool Model::load(const std::string& fileName) {
    const std::string path = modelPath(fileName);
    if (!isRegularFile(path.c_str())) return false;
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return false;
    FileCloser closer{file};

    countElements(file);
    try {
        allocate();
        if (std::fseek(file, 0, SEEK_SET) != 0) return false;
        parse(file, path);
        completeCorners();
    } catch (const std::bad_alloc&) {
        // The sizes come from the file, so the file is what the player needs to know.
        throw FatalError("Out of memory while loading " + path);
    }
    loaded = true;
    return true;
}

void Model::countElements(std::FILE* file) {
    vertexCount = texCoordCount = normalCount = faceCount = 0;
    ObjLineReader reader(file);
    while (reader.next()) {
        switch (classifyObjLine(reader.text())) {
        case ObjLineKind::Vertex: ++vertexCount; break;
        case ObjLineKind::TexCoord: ++texCoordCount; break;
        case ObjLineKind::Normal: ++normalCount; break;
        case ObjLineKind::Face: ++faceCount; break;
        case ObjLineKind::Ignored: break;
        }
    }
}

void Model::allocate() {
    vertices.assign(vertexCount, ModelVertex{0.0f, 0.0f, 0.0f});
    texCoords.assign(texCoordCount, ModelTexCoord{0.0f, 0.0f});
    normals.assign(normalCount, ModelVertex{0.0f, 0.0f, 0.0f});
    faces.clear();
    faces.reserve(faceCount);
}

// Only the indices the face's form has are looked at; the others are 0.
bool Model::cornerInRange(const ObjCorner& corner, ObjFaceForm form) const {
    if (!indexInRange(corner.vertexIndex, vertexCount)) return false;
    if (hasTexCoords(form) && !indexInRange(corner.texCoordIndex, texCoordCount)) return false;
    if (hasNormals(form) && !indexInRange(corner.normalIndex, normalCount)) return false;
    return true;
}

bool Model::addFace(const char* line, bool wasCut, size_t vertices, size_t texCoords, size_t normals) {
    ObjFaceForm form;
    if (!readObjFace(line, wasCut, form, corners)) return false;
    for (ObjCorner& corner : corners) {
        resolveRelativeIndices(corner, vertices, texCoords, normals);
        if (!cornerInRange(corner, form)) return false;
    }
    // A fan from the first corner covers any convex polygon.
    for (size_t c = 2; c < corners.size(); ++c) {
        const ObjCorner& a = corners[0];
        const ObjCorner& b = corners[c - 1];
        const ObjCorner& d = corners[c];
        faces.push_back(Face{{a.vertexIndex, b.vertexIndex, d.vertexIndex},
                             {a.texCoordIndex, b.texCoordIndex, d.texCoordIndex},
                             {a.normalIndex, b.normalIndex, d.normalIndex}});
    }
    return true;
}

void Model::parse(std::FILE* file, const std::string& path) {
    size_t nextVertex = 0, nextTexCoord = 0, nextNormal = 0;
    ObjLineReader reader(file);
    ObjLineNotes notes;
    int badFaces = 0, firstBadFaceLine = 0;
    // The second pass reads the same lines as the first, so the records
    // always fit; the size checks only guard against a file that grew.
    while (reader.next()) {
        const char* line = reader.text();
        const ObjLineKind kind = classifyObjLine(line);
        notes.count(line, kind, reader.wasCut());
        switch (kind) {
        case ObjLineKind::Vertex:
            if (nextVertex < vertices.size()) {
                float values[3];
                readObjFloats(line, kind, values, 3);
                vertices[nextVertex++] = ModelVertex{values[0], values[1], values[2]};
            }
            break;
        case ObjLineKind::TexCoord:
            if (nextTexCoord < texCoords.size()) {
                float values[2];
                readObjFloats(line, kind, values, 2);
                texCoords[nextTexCoord++] = ModelTexCoord{values[0], values[1]};
            }
            break;
        case ObjLineKind::Normal:
            if (nextNormal < normals.size()) {
                float values[3];
                readObjFloats(line, kind, values, 3);
                normals[nextNormal++] = ModelVertex{values[0], values[1], values[2]};
            }
            break;
        case ObjLineKind::Face:
            if (!addFace(line, reader.wasCut(), nextVertex, nextTexCoord, nextNormal) && badFaces++ == 0)
                firstBadFaceLine = reader.lineNumber();
            break;
        case ObjLineKind::Ignored:
            break;
        }
    }
    faceCount = static_cast<int>(faces.size());
    // One line for all the faces skipped, one for the other notes, and one
    // for a model that has nothing to draw.
    if (badFaces == 1) std::fprintf(stderr, "Skipping bad face in %s at line %d\n", path.c_str(), firstBadFaceLine);
    if (badFaces > 1)
        std::fprintf(stderr, "Skipping %d bad faces in %s, the first at line %d\n", badFaces, path.c_str(),
                     firstBadFaceLine);
    notes.report(path);
    if (faces.empty()) std::fprintf(stderr, "Warning: %s: no faces, so nothing of it is drawn.\n", path.c_str());
}

// Gives the corners of faces written without normals or texture
// coordinates their own, after the file's, so that draw() never leaves a
// corner to whatever GL has current. A file without "vt" lines has the
// (0, 0) even without faces.
void Model::completeCorners() {
    for (Face& face : faces) {
        if (face.normalIndex[0] != 0) continue;
        normals.push_back(flatNormal(vertices[face.vertexIndex[0] - 1], vertices[face.vertexIndex[1] - 1],
                                     vertices[face.vertexIndex[2] - 1]));
        for (int& index : face.normalIndex) index = static_cast<int>(normals.size());
    }
    const bool needsZero = texCoordCount == 0 || std::any_of(faces.begin(), faces.end(), [](const Face& face) {
                               return face.texCoordIndex[0] == 0;
                           });
    if (!needsZero) return;
    texCoords.push_back(ModelTexCoord{0.0f, 0.0f});
    const int zero = static_cast<int>(texCoords.size());
    for (Face& face : faces)
        if (face.texCoordIndex[0] == 0)
            for (int& index : face.texCoordIndex) index = zero;
}

float Model::boundingRadius() const {
    float radius = 0.0f;
    for (const ModelVertex& v : vertices) {
        float distance = std::sqrt(squaredPart(v.x) + squaredPart(v.y) + squaredPart(v.z));
        if (distance > radius) radius = distance;
    }
    return radius;
}
