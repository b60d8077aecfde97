#include "scene/Object.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/FatalError.h"
#include "scene/Model.h"
#include "scene/ModelCache.h"
#include "terrain/Terrain.h"
#include "texture/Texture.h"

namespace {
constexpr double pi = 3.14159265358979323846;
constexpr float liftAboveGround = 0.1f;  // keeps objects just clear of the surface
}

Object::Object(const char* modelFile, const char* textureFile, Terrain* givenTerrain) {
    construct(modelFile, textureFile, givenTerrain, modelFileType);
}
Object::Object(const char* modelFile, const char* textureFile) {
    construct(modelFile, textureFile, nullptr, modelFileType);
}
Object::Object(const char* modelFile) { construct(modelFile, nullptr, nullptr, modelFileType); }
Object::Object(int type, Terrain* givenTerrain) { construct(nullptr, nullptr, givenTerrain, type); }
Object::Object(int type) { construct(nullptr, nullptr, nullptr, type); }

void Object::construct(const char* name, const char* textureFile, Terrain* givenTerrain, int type) {
    // A builtin model other than the sphere has no name to look up.
    if (!name && type != sphereType) throw FatalError("Invalid builtin type");
    const std::string key = name ? name : internalSphereName;
    ModelCacheEntry& entry = modelCache()[key];

    if (entry.loaded && entry.useCount > 0) {
        std::printf(" *** REUSING OLD MODEL %s\n", key.c_str());
        displayList = entry.displayList;
        silhouetteList = entry.silhouetteList;
        boundingRadius = entry.boundingRadius;
        closedSurface = entry.closedSurface;
        texture = entry.texture;
        terrain = entry.terrain;
        radius = entry.radius;
        builtinType = entry.builtinType;
        modelName = key;
        ++entry.useCount;
        return;
    }

    std::printf(" *** LOADING NEW MODEL %s\n", key.c_str());
    entry = ModelCacheEntry{};
    entry.useCount = 1;
    try {
        // The mesh is needed only to compile the display list and to measure
        // the radius, so it does not outlive the construction.
        Model model;
        if (type == modelFileType && !model.load(key.c_str()))
            throw FatalError("Error loading model " + key);
        if (textureFile) texture = new Texture(textureFile);
        terrain = givenTerrain;
        builtinType = type;
        if (type == modelFileType) {
            radius = model.boundingRadius();
            closedSurface = model.hasClosedSurface();
        } else if (type == sphereType) {
            radius = 1.0f;
            closedSurface = true;
        } else {
            throw FatalError("Invalid builtin type");
        }
        boundingRadius = radius;
        displayList = glGenLists(1);
        glNewList(displayList, GL_COMPILE);
        if (type == modelFileType) {
            model.draw();
        } else {
            glutSolidSphere(1.0, 16, 16);
        }
        glEndList();
        silhouetteList = displayList;
        if (type == modelFileType) {
            silhouetteList = glGenLists(1);
            glNewList(silhouetteList, GL_COMPILE);
            model.drawPositions();
            glEndList();
        }
    } catch (...) {
        // A failed construction holds nothing: the name is free to load again.
        delete texture;
        entry.useCount = 0;
        throw;
    }
    modelName = key;
    entry.loaded = true;
    entry.displayList = displayList;
    entry.silhouetteList = silhouetteList;
    entry.boundingRadius = boundingRadius;
    entry.closedSurface = closedSurface;
    entry.texture = texture;
    entry.terrain = terrain;
    entry.radius = radius;
    entry.builtinType = builtinType;
    entry.owner = this;
}

Object::~Object() {
    ModelCacheEntry& entry = modelCache()[modelName];
    if (entry.owner == this) entry.owner = nullptr;
    if (entry.useCount > 0) --entry.useCount;
    if (entry.useCount == 0) {
        delete texture;
        glDeleteLists(displayList, 1);
        if (silhouetteList != displayList) glDeleteLists(silhouetteList, 1);
        entry.loaded = false;
        entry.texture = nullptr;
    }
}

void Object::setRadius(float r) {
    radius = r;
    // Later Objects of the model copy the loading Object's current radius.
    ModelCacheEntry& entry = modelCache()[modelName];
    if (entry.owner == this) entry.radius = r;
}

void Object::setRotationOrder(int xPosition, int yPosition, int zPosition) {
    int positions[3] = {xPosition, yPosition, zPosition};
    std::sort(positions, positions + 3);
    if (positions[0] != 1 || positions[1] != 2 || positions[2] != 3) return;
    rotationOrder[0] = xPosition - 1;
    rotationOrder[1] = yPosition - 1;
    rotationOrder[2] = zPosition - 1;
}

void Object::getRotationOrder(int& xIndex, int& yIndex, int& zIndex) const {
    xIndex = rotationOrder[0];
    yIndex = rotationOrder[1];
    zIndex = rotationOrder[2];
}

void Object::set(float* colour, float r, float g, float b, float a) {
    colour[0] = r;
    colour[1] = g;
    colour[2] = b;
    colour[3] = a;
}

void Object::applyTransform(const float* matrix) const {
    glTranslatef(position.x, position.y, position.z);
    glScalef(scale, scale, scale);
    if (matrix) glMultMatrixf(matrix);

    struct Turn { float angle, x, y, z; } turns[3];
    // The shadow pass flattens the object, so its tilt about x is left out.
    float angleX = matrix ? modelRotation.x : rotation.x + modelRotation.x;
    turns[rotationOrder[0]] = {angleX, 1, 0, 0};
    turns[rotationOrder[1]] = {rotation.y + modelRotation.y, 0, 1, 0};
    turns[rotationOrder[2]] = {rotation.z + modelRotation.z, 0, 0, 1};
    for (const Turn& turn : turns) glRotatef(turn.angle, turn.x, turn.y, turn.z);
}

void Object::draw(const float* matrix) const {
    glPushMatrix();
    applyTransform(matrix);
    if (texture) texture->bind();
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
    glCallList(displayList);
    glPopMatrix();
}

void Object::drawSilhouette(const float* matrix) const {
    glPushMatrix();
    applyTransform(matrix);
    glCallList(silhouetteList);
    glPopMatrix();
}

float Object::cosineInterpolate(float a, float b, float t) {
    float f = static_cast<float>((1 - std::cos(pi * t)) * 0.5);
    return a * (1 - f) + b * f;
}

// The height of a grid corner. A corner outside the grid is reported by the
// terrain, and the nearest grid point's height stands in for it.
float Object::heightAt(int x, int z) const {
    float height = 0;
    if (terrain->getHeight(static_cast<uint32_t>(x), static_cast<uint32_t>(z), height)) return height;
    if (terrain->getWidth() == 0 || terrain->getDepth() == 0) return 0;
    int nearestX = std::clamp(x, 0, static_cast<int>(terrain->getWidth()) - 1);
    int nearestZ = std::clamp(z, 0, static_cast<int>(terrain->getDepth()) - 1);
    terrain->getHeight(nearestX, nearestZ, height);
    return height;
}

void Object::setPositionOnTerrain(float x, float z) {
    if (!terrain) throw FatalError("Called setPositionOnTerrain on an Object with no terrain!");
    int x0 = static_cast<int>(std::floor(x)), x1 = static_cast<int>(std::ceil(x));
    int z0 = static_cast<int>(std::floor(z)), z1 = static_cast<int>(std::ceil(z));
    float h00 = heightAt(x0, z0);
    float h10 = heightAt(x1, z0);
    float h11 = heightAt(x1, z1);
    float h01 = heightAt(x0, z1);

    float wx = static_cast<float>((1 - std::cos(pi * (x - x0))) * 0.5);
    float wz = static_cast<float>((1 - std::cos(pi * (z - z0))) * 0.5);
    float nearRow = h00 * (1 - wx) + h10 * wx;  // along x at row z0
    float farRow = h01 * (1 - wx) + h11 * wx;   // along x at row z1
    float height = nearRow * (1 - wz) + farRow * wz;
    position = {x, height + liftAboveGround, z};

    // Slopes over one grid step: rising towards +z lifts the +z side
    // (negative x tilt); rising towards +x gives a positive z tilt.
    rotation.x = static_cast<float>(std::atan(nearRow - farRow) * 180 / pi);
    float leftColumn = h00 * (1 - wz) + h01 * wz;
    float rightColumn = h10 * (1 - wz) + h11 * wz;
    rotation.z = static_cast<float>(std::atan(rightColumn - leftColumn) * 180 / pi);
}

void Object::moveForward(float distance) {
    double heading = (rotation.y + modelRotation.y) * pi / 180;
    float nextX = static_cast<float>(position.x + distance * std::cos(heading));
    float nextZ = static_cast<float>(position.z - distance * std::sin(heading));
    if (terrain) {
        setPositionOnTerrain(nextX, nextZ);
    } else {
        position.x = nextX;
        position.z = nextZ;
    }
}

bool Object::collidesWith(const Object& other) const {
    float dx = position.x - other.position.x;
    float dy = position.y - other.position.y;
    float dz = position.z - other.position.z;
    float distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    return scale * radius + other.scale * other.radius >= distance;
}

void Object::clampPosition(float minX, float maxX, float minY, float maxY, float minZ, float maxZ) {
    auto clamp = [](float& value, float low, float high) {
        if (!(value >= low)) {
            value = low;  // NaN too
        } else if (value > high) {
            value = high;
        }
    };
    clamp(position.x, minX, maxX);
    clamp(position.y, minY, maxY);
    clamp(position.z, minZ, maxZ);
}
