#pragma once
// The process-wide cache that lets all Objects of one model name share one
// model: its display lists, texture, terrain and bounding radius. The first
// Object of a name builds the SharedModel; later ones hold a share of it;
// the last one to go destroys it, which deletes the lists (once compiled)
// and lets go of the texture. The next Object of that name then builds it
// anew. Building reads the files and makes no GL call; the lists are
// compiled when any Object of the name is first drawn (ModelUpload.cpp).
#include <GL/gl.h>

#include <memory>
#include <string>

#include "base/SharedByName.h"
#include "base/UploadedName.h"

class Model;
class Terrain;
class Texture;

// What a model is made from: builtinType of SharedModel and of Object.
constexpr int modelFileType = -1;  // geometry read from an OBJ file in models/
constexpr int sphereType = 1;      // the builtin unit sphere

struct SharedModel {
    // Loads the model (modelFileType: "models/" + name; sphereType: the
    // builtin sphere), then the texture if textureFile is not null. Throws
    // FatalError "Error loading model <name>" or the texture's error,
    // holding nothing.
    SharedModel(const std::string& name, const char* textureFile, Terrain* terrain, int builtinType);
    ~SharedModel();
    SharedModel(const SharedModel&) = delete;
    SharedModel& operator=(const SharedModel&) = delete;

    // Compiles both display lists on the first call and lets the mesh go;
    // later calls do nothing. Needs the GL context and no list being
    // compiled.
    void upload();
    bool uploaded() const { return static_cast<bool>(displayList); }
    // The lists' names; 0 until the upload.
    GLuint drawList() const { return displayList.get(); }
    GLuint positionsList() const { return silhouetteList ? silhouetteList.get() : displayList.get(); }

    UploadedName displayList;
    UploadedName silhouetteList;       // positions only; none for the sphere, which uses its display list
    std::unique_ptr<Model> mesh;       // read from the file, until the upload; null for the sphere
    float boundingRadius = 0.0f;       // of the geometry, whatever radius collisions use
    bool closedSurface = false;        // the mesh closes around its volume (always for the sphere)
    std::unique_ptr<Texture> texture;  // null for none
    Terrain* terrain = nullptr;        // borrowed from the game
    int builtinType;
    float radius = 0.0f;  // what the next Object of the name starts with: the loading Object's current radius
};

using ModelCache = SharedByName<SharedModel>;

// Name of the builtin sphere's entry.
extern const char* const internalSphereName;

// Lives for the whole process.
ModelCache& modelCache();

// Live Objects using a model name (0 for an unknown name).
int modelUseCount(const std::string& name);
