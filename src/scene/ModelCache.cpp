#include "scene/ModelCache.h"

#include <GL/freeglut.h>

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

SharedModel::SharedModel(const std::string& name, const char* textureFile, Terrain* terrain,
                         int builtinType)
    : terrain(terrain), builtinType(builtinType) {
    // The mesh is needed only to compile the display lists and to measure
    // the radius, so it does not outlive the construction.
    Model model;
    const bool fromFile = builtinType == modelFileType;
    if (fromFile && !model.load(name)) throw FatalError("Error loading model " + name);
    if (textureFile) texture = std::make_unique<Texture>(textureFile);
    radius = fromFile ? model.boundingRadius() : 1.0f;
    boundingRadius = radius;
    closedSurface = fromFile ? model.hasClosedSurface() : true;

    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    if (fromFile) {
        model.draw();
    } else {
        glutSolidSphere(1.0, 16, 16);
    }
    glEndList();
    silhouetteList = displayList;
    if (fromFile) {
        silhouetteList = glGenLists(1);
        glNewList(silhouetteList, GL_COMPILE);
        model.drawPositions();
        glEndList();
    }
}

SharedModel::~SharedModel() {
    glDeleteLists(displayList, 1);
    if (silhouetteList != displayList) glDeleteLists(silhouetteList, 1);
}
