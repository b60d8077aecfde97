#include "scene/Object.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/Pi.h"
#include "base/FatalError.h"
#include "scene/ModelCache.h"
#include "terrain/Terrain.h"

namespace {

constexpr float liftAboveGround = 0.1f;  // keeps objects just clear of the surface

// The weight of the far end of a cosine interpolation at t (0..1).
float cosineWeight(float t) {
    return static_cast<float>((1 - std::cos(pi * t)) * 0.5);
}

// The height of a grid corner. A corner outside the grid is reported by the
// terrain, and the nearest grid point's height stands in for it.
float heightAt(const Terrain& terrain, int x, int z) {
    float height = 0;
    if (terrain.getHeight(static_cast<uint32_t>(x), static_cast<uint32_t>(z), height)) return height;
    if (terrain.getWidth() == 0 || terrain.getDepth() == 0) return 0;
    int nearestX = std::clamp(x, 0, static_cast<int>(terrain.getWidth()) - 1);
    int nearestZ = std::clamp(z, 0, static_cast<int>(terrain.getDepth()) - 1);
    terrain.getHeight(nearestX, nearestZ, height);
    return height;
}

}  // namespace

Object::Object(const char* modelFile, const char* textureFile, Terrain* terrain)
    : Object(modelFile, textureFile, terrain, modelFileType) {}
Object::Object(const char* modelFile, const char* textureFile)
    : Object(modelFile, textureFile, nullptr, modelFileType) {}
Object::Object(const char* modelFile) : Object(modelFile, nullptr, nullptr, modelFileType) {}
Object::Object(int type, Terrain* terrain) : Object(nullptr, nullptr, terrain, type) {}
Object::Object(int type) : Object(nullptr, nullptr, nullptr, type) {}

// A later Object of a model already held takes the model as it is, with the
// first Object's texture and terrain: its own texture file and terrain are
// not used.
Object::Object(const char* name, const char* textureFile, Terrain* terrain, int type) {
    // A builtin model other than the sphere has no name to look up.
    if (!name && type != sphereType) throw FatalError("Invalid builtin type");
    const std::string key = name ? name : internalSphereName;
    model = modelCache().share(key);
    if (model) {
        std::printf(" *** REUSING OLD MODEL %s\n", key.c_str());
    } else {
        std::printf(" *** LOADING NEW MODEL %s\n", key.c_str());
        model = modelCache().add(key, key, textureFile, terrain, type);
        loadedModel = true;
    }
    radius = model->radius;
}

void Object::setRadius(float r) {
    radius = r;
    if (loadedModel) model->radius = r;
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

void Object::setPositionOnTerrain(float x, float z) {
    const Terrain* terrain = model->terrain;
    if (!terrain) throw FatalError("Called setPositionOnTerrain on an Object with no terrain!");
    int x0 = static_cast<int>(std::floor(x)), x1 = static_cast<int>(std::ceil(x));
    int z0 = static_cast<int>(std::floor(z)), z1 = static_cast<int>(std::ceil(z));
    float h00 = heightAt(*terrain, x0, z0);
    float h10 = heightAt(*terrain, x1, z0);
    float h11 = heightAt(*terrain, x1, z1);
    float h01 = heightAt(*terrain, x0, z1);

    const float tx = x - x0, tz = z - z0;
    float nearRow = cosineInterpolate(h00, h10, tx);  // along x at row z0
    float farRow = cosineInterpolate(h01, h11, tx);   // along x at row z1
    float height = cosineInterpolate(nearRow, farRow, tz);
    position = {x, height + liftAboveGround, z};

    // Slopes over one grid step: rising towards +z lifts the +z side
    // (negative x tilt); rising towards +x gives a positive z tilt.
    rotation.x = static_cast<float>(std::atan(nearRow - farRow) * 180 / pi);
    float leftColumn = cosineInterpolate(h00, h01, tz);
    float rightColumn = cosineInterpolate(h10, h11, tz);
    rotation.z = static_cast<float>(std::atan(rightColumn - leftColumn) * 180 / pi);
}

float Object::cosineInterpolate(float a, float b, float t) {
    const float f = cosineWeight(t);
    return a * (1 - f) + b * f;
}

Vector3 Object::forwardPoint(float distance) const {
    double heading = (rotation.y + modelRotation.y) * pi / 180;
    return {static_cast<float>(position.x + distance * std::cos(heading)), position.y,
            static_cast<float>(position.z - distance * std::sin(heading))};
}

void Object::moveForward(float distance) {
    const Vector3 next = forwardPoint(distance);
    if (model->terrain) {
        setPositionOnTerrain(next.x, next.z);
    } else {
        position.x = next.x;
        position.z = next.z;
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
