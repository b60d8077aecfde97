// Loading and measuring a Model; plain C++. The drawing is in ModelDraw.cpp.
#include "scene/Model.h"

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

void resolveRelativeIndices(Face& face, size_t vertices, size_t texCoords, size_t normals) {
    for (int c = 0; c < 3; ++c) {
        resolveRelative(face.vertexIndex[c], vertices);
        resolveRelative(face.texCoordIndex[c], texCoords);
        resolveRelative(face.normalIndex[c], normals);
    }
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

bool Model::faceInRange(const Face& face) const {
    for (int c = 0; c < 3; ++c) {
        if (!indexInRange(face.vertexIndex[c], vertexCount)) return false;
        if (texCoordCount > 0 && !indexInRange(face.texCoordIndex[c], texCoordCount)) return false;
        if (normalCount > 0 && !indexInRange(face.normalIndex[c], normalCount)) return false;
    }
    return true;
}

void Model::parse(std::FILE* file, const std::string& path) {
    const ObjFaceForm form = objFaceFormFor(texCoordCount > 0, normalCount > 0);
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
        case ObjLineKind::Face: {
            Face face;
            bool good = readObjFace(line, form, face);
            if (good) {
                resolveRelativeIndices(face, nextVertex, nextTexCoord, nextNormal);
                good = faceInRange(face);
            }
            if (good) {
                faces.push_back(face);
            } else if (badFaces++ == 0) {
                firstBadFaceLine = reader.lineNumber();
            }
            break;
        }
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

// Gives the corners of a file without normals or texture coordinates their
// own, so that draw() never leaves a corner to whatever GL has current.
void Model::completeCorners() {
    if (normalCount == 0) {
        normals.clear();
        normals.reserve(faces.size());
        for (Face& face : faces) {
            normals.push_back(flatNormal(vertices[face.vertexIndex[0] - 1], vertices[face.vertexIndex[1] - 1],
                                         vertices[face.vertexIndex[2] - 1]));
            for (int& index : face.normalIndex) index = static_cast<int>(normals.size());
        }
    }
    if (texCoordCount == 0) {
        texCoords.assign(1, ModelTexCoord{0.0f, 0.0f});
        for (Face& face : faces)
            for (int& index : face.texCoordIndex) index = 1;
    }
}

float Model::boundingRadius() const {
    float radius = 0.0f;
    for (const ModelVertex& v : vertices) {
        float distance = std::sqrt(squaredPart(v.x) + squaredPart(v.y) + squaredPart(v.z));
        if (distance > radius) radius = distance;
    }
    return radius;
}
