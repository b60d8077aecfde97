#pragma once
// The process-wide cache that lets all Objects of one model name share one
// display list, one texture and one bounding radius. The first Object of a
// name loads and compiles the model; later ones copy the shared values from
// the cache entry; the last one to go deletes the list and the texture.
//
// The shared values live in the entry itself, so Objects made after the one
// that loaded the model was destroyed still get them.
#include <GL/gl.h>

#include <map>
#include <string>

class Object;
class Terrain;
class Texture;

struct ModelCacheEntry {
    int useCount = 0;             // live Objects using this model
    bool loaded = false;          // the shared values below are valid
    GLuint displayList = 0;
    GLuint silhouetteList = 0;    // positions only; the display list itself for the sphere
    float boundingRadius = 0.0f;  // of the geometry, whatever radius collisions use
    bool closedSurface = false;   // the mesh closes around its volume (always for the sphere)
    Texture* texture = nullptr;   // owned by the entry's Objects; deleted with the last
    Terrain* terrain = nullptr;   // borrowed
    float radius = 0.0f;          // the loading Object's current radius
    int builtinType = -1;
    const Object* owner = nullptr;  // the Object that loaded the model, while it lives
};

// Name of the builtin sphere's entry.
extern const char* const internalSphereName;

// Lives for the whole process; entries are never removed, only reset.
std::map<std::string, ModelCacheEntry>& modelCache();

// Live Objects using a model name (0 for an unknown name).
int modelUseCount(const std::string& name);
