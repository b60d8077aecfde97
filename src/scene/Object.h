#pragma once
// One placed, drawable thing in the scene: the vehicle, a tree, an orb. It has
// its own transform, material and collision radius, and holds a share of the
// model of its name in the model cache: display lists, texture and the
// terrain it stands on, which the first Object of the name was given.
// Making, moving and placing Objects makes no GL call; drawing them
// (ObjectDrawing.cpp) compiles their model and uploads its picture the first
// time.
#include <GL/gl.h>

#include "scene/ModelCache.h"
#include "base/Vector3.h"

class Terrain;
class Texture;

class Object {
public:
    static constexpr int modelFileType = ::modelFileType;  // geometry read from an OBJ file
    static constexpr int sphereType = ::sphereType;        // the builtin unit sphere

    // A model file from "models/", with an optional texture from "./textures/"
    // (null for none) and an optional terrain to stand on. A later Object of
    // an already loaded model takes the first one's texture and terrain.
    Object(const char* modelFile, const char* textureFile, Terrain* terrain);
    Object(const char* modelFile, const char* textureFile);
    explicit Object(const char* modelFile);
    // A builtin model; sphereType is the only one.
    Object(int builtinType, Terrain* terrain);
    explicit Object(int builtinType);
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void setPosition(float x, float y, float z) { position = {x, y, z}; }
    Vector3 getPosition() const { return position; }
    void getPosition(float& x, float& y, float& z) const {
        x = position.x;
        y = position.y;
        z = position.z;
    }
    void setRotation(float x, float y, float z) { rotation = {x, y, z}; }
    Vector3 getRotation() const { return rotation; }
    void getRotation(float& x, float& y, float& z) const {
        x = rotation.x;
        y = rotation.y;
        z = rotation.z;
    }
    void setRotationX(float degrees) { rotation.x = degrees; }
    void setRotationY(float degrees) { rotation.y = degrees; }
    void setRotationZ(float degrees) { rotation.z = degrees; }
    float getRotationX() const { return rotation.x; }
    float getRotationY() const { return rotation.y; }
    float getRotationZ() const { return rotation.z; }
    // Angles are never wrapped into 0..360.
    void rotateX(float degrees) { rotation.x += degrees; }
    void rotateY(float degrees) { rotation.y += degrees; }
    void rotateZ(float degrees) { rotation.z += degrees; }
    void setModelRotation(float x, float y, float z) { modelRotation = {x, y, z}; }
    void setModelRotationX(float degrees) { modelRotation.x = degrees; }
    void setModelRotationY(float degrees) { modelRotation.y = degrees; }
    void setModelRotationZ(float degrees) { modelRotation.z = degrees; }
    void setScale(float s) { scale = s; }
    float getScale() const { return scale; }
    // 1-based positions (a permutation of 1, 2, 3) at which the x, y and z
    // rotations are applied; anything else leaves the order unchanged.
    void setRotationOrder(int xPosition, int yPosition, int zPosition);
    void getRotationOrder(int& xIndex, int& yIndex, int& zIndex) const;

    void setShininess(float s) { shininess = s; }
    void setAmbient(float r, float g, float b, float a) { set(ambient, r, g, b, a); }
    void setDiffuse(float r, float g, float b, float a) { set(diffuse, r, g, b, a); }
    void setSpecular(float r, float g, float b, float a) { set(specular, r, g, b, a); }
    void setEmission(float r, float g, float b, float a) { set(emission, r, g, b, a); }
    const float* getAmbient() const { return ambient; }
    const float* getDiffuse() const { return diffuse; }

    // Collision radius in model units, before scale. It starts as the
    // model's bounding radius; the Object that loaded the model passes its
    // current value on to later Objects of the name.
    void setRadius(float r);
    float getRadius() const { return radius; }

    int getBuiltinType() const { return model->builtinType; }
    GLuint getDisplayList() const { return model->drawList(); }  // 0 until an Object of the model is drawn
    const Texture* getTexture() const { return model->texture.get(); }  // null for none

    // Draws with T * S * [matrix] * rotations, the matrix being the shadow
    // pass's projection, which flattens the object as turned. It binds its own
    // texture (none without one) and sets its whole material first, so it
    // looks the same whatever was drawn or skipped before it.
    void draw(const float* matrix = nullptr) const;
    // The same shape as draw(matrix) rasterises, for a flat silhouette in the
    // current colour with lighting and texturing off: positions alone, and
    // neither texture nor material, which would not show.
    void drawSilhouette(const float* matrix) const;
    // True when the shape closes around its volume, so that its faces turned
    // towards a viewer cover all that its faces turned away do.
    bool hasClosedSurface() const { return model->closedSurface; }

    // The largest distance of the drawn geometry from the object's position.
    float getDrawnRadius() const { return scale * model->boundingRadius; }

    // a (1 - f) + b f with f = (1 - cos(pi t)) / 2 in single precision: eases
    // in and out at t = 0 and 1, so heights between grid points do not kink.
    static float cosineInterpolate(float a, float b, float t);

    // Stands the object on its terrain at (x, z): height and tilt from the
    // four surrounding grid points. Throws FatalError without a terrain.
    void setPositionOnTerrain(float x, float z);
    // Moves along the heading (rotation.y + modelRotation.y): heading 0 is +x.
    void moveForward(float distance);
    // Where moveForward(distance) would take the object, before any terrain.
    Vector3 forwardPoint(float distance) const;
    // True when the bounding spheres touch or overlap.
    bool collidesWith(const Object& other) const;
    // Each component below its minimum (or NaN) becomes the minimum, else
    // above its maximum becomes the maximum.
    void clampPosition(float minX, float maxX, float minY, float maxY, float minZ, float maxZ);

private:
    // The one construction all others lead to; name is null for a builtin.
    Object(const char* name, const char* textureFile, Terrain* terrain, int builtinType);
    void applyTransform(const float* matrix) const;
    void applyTextureAndMaterial() const;
    static void set(float* colour, float r, float g, float b, float a);

    Vector3 position{0, 0, 0};
    Vector3 rotation{0, 0, 0};       // degrees; y is the heading
    Vector3 modelRotation{0, 0, 0};  // fixed correction of the model, degrees
    float scale = 1.0f;
    int rotationOrder[3] = {0, 2, 1};  // position of the x, y, z rotation: x, z, y
    float shininess = 0.0f;
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float radius = 0.0f;
    ModelCache::Hold model;     // this Object's share of its model
    bool loadedModel = false;   // this Object built the model, so its radius is passed on
};
