#pragma once
// One placed, drawable thing in the scene: the vehicle, a tree, an orb. It has
// its own transform and material, and shares its geometry (display list),
// texture and bounding radius with every Object of the same model name through
// the model cache. It may stand on a terrain, which it borrows.
#include <GL/gl.h>

#include <string>

#include "view/Vector3.h"

class Terrain;
class Texture;

class Object {
public:
    static constexpr int modelFileType = -1;  // geometry read from an OBJ file
    static constexpr int sphereType = 1;      // the builtin unit sphere

    // A model file from "models/", with an optional texture from "./textures/"
    // (null for none) and an optional terrain to stand on. A later Object of
    // an already loaded model takes the first one's texture and terrain.
    Object(const char* modelFile, const char* textureFile, Terrain* terrain);
    Object(const char* modelFile, const char* textureFile);
    explicit Object(const char* modelFile);
    // A builtin model; sphereType is the only one.
    Object(int builtinType, Terrain* terrain);
    explicit Object(int builtinType);
    ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void setPosition(float x, float y, float z) { position = {x, y, z}; }
    void getPosition(float& x, float& y, float& z) const { x = position.x; y = position.y; z = position.z; }
    Vector3 getPosition() const { return position; }
    void setRotation(float x, float y, float z) { rotation = {x, y, z}; }
    void getRotation(float& x, float& y, float& z) const { x = rotation.x; y = rotation.y; z = rotation.z; }
    Vector3 getRotation() const { return rotation; }
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
    Vector3 getModelRotation() const { return modelRotation; }
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

    // Bounding radius in model units, before scale.
    void setRadius(float r);
    float getRadius() const { return radius; }

    int getBuiltinType() const { return builtinType; }
    GLuint getDisplayList() const { return displayList; }
    const Texture* getTexture() const { return texture; }
    const Terrain* getTerrain() const { return terrain; }
    const std::string& getModelName() const { return modelName; }

    // Draws with T * S * [matrix] * rotations; with a matrix (the shadow
    // pass's projection) the tilt about x is left out.
    void draw(const float* matrix = nullptr) const;
    // The same shape as draw(matrix) rasterises, for a flat silhouette in the
    // current colour with lighting and texturing off: positions alone, and
    // neither texture nor material, which would not show.
    void drawSilhouette(const float* matrix) const;
    // True when the shape closes around its volume, so that its faces turned
    // towards a viewer cover all that its faces turned away do.
    bool hasClosedSurface() const { return closedSurface; }

    // The largest distance of the drawn geometry from the object's position.
    float getDrawnRadius() const { return scale * boundingRadius; }

    // Stands the object on its terrain at (x, z): height and tilt from the
    // four surrounding grid points. Throws FatalError without a terrain.
    void setPositionOnTerrain(float x, float z);
    // Moves along the heading (rotation.y + modelRotation.y): heading 0 is +x.
    void moveForward(float distance);
    // True when the bounding spheres touch or overlap.
    bool collidesWith(const Object& other) const;
    // Each component below its minimum (or NaN) becomes the minimum, else
    // above its maximum becomes the maximum.
    void clampPosition(float minX, float maxX, float minY, float maxY, float minZ, float maxZ);

    static float cosineInterpolate(float a, float b, float t);

private:
    void applyTransform(const float* matrix) const;
    void construct(const char* name, const char* textureFile, Terrain* givenTerrain, int type);
    float heightAt(int x, int z) const;
    static void set(float* colour, float r, float g, float b, float a);

    Vector3 position{0, 0, 0};
    Vector3 rotation{0, 0, 0};       // degrees; y is the heading
    Vector3 modelRotation{0, 0, 0};  // fixed correction of the model, degrees
    float scale = 1.0f;
    int builtinType = modelFileType;
    int rotationOrder[3] = {0, 2, 1};  // position of the x, y, z rotation: x, z, y
    float shininess = 0.0f;
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    GLuint displayList = 0;      // shared by all Objects of the model name
    GLuint silhouetteList = 0;   // shared likewise
    float boundingRadius = 0.0f; // of the model's geometry, in model units
    bool closedSurface = false;  // shared likewise
    std::string modelName;       // the cache key
    float radius = 0.0f;
    Texture* texture = nullptr;  // shared; deleted by the model cache with the last Object
    Terrain* terrain = nullptr;  // borrowed from the game
};
