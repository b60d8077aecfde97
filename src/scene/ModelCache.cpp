#include "scene/ModelCache.h"

#include "base/FatalError.h"
#include "scene/Model.h"
#include "texture/Texture.h"

const char* const internalSphereName = "_internal_sphere";

ModelCache& modelCache() {
    // Never destroyed, so an Object that outlives main's locals can still
    // let go of its model.
    static auto* cache = new ModelCache;
    return *cache;
}

int modelUseCount(const std::string& name) {
    return modelCache().holderCount(name);
}

// The mesh is kept only until the display lists are compiled from it; the
// radius and the closed surface are measured now.
SharedModel::SharedModel(const std::string& name, const char* textureFile, Terrain* terrain,
                         int builtinType)
    : terrain(terrain), builtinType(builtinType) {
    const bool fromFile = builtinType == modelFileType;
    if (fromFile) {
        mesh = std::make_unique<Model>();
        if (!mesh->load(name)) throw FatalError("Error loading model " + name);
    }
    if (textureFile) texture = std::make_unique<Texture>(textureFile);
    radius = fromFile ? mesh->boundingRadius() : 1.0f;
    boundingRadius = radius;
    closedSurface = fromFile ? mesh->hasClosedSurface() : true;
}

SharedModel::~SharedModel() = default;
