#include "scene/ModelCache.h"

#include <GL/freeglut.h>

#include <algorithm>

#include "base/FatalError.h"
#include "platform/GlStateScope.h"
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

namespace {

// Runs the list once where nothing can be drawn (an empty scissor box), to
// see which of the current normal and texture coordinate it changes, and to
// what. (Feedback mode would do as well, but some rasterisers build a costly
// program for it.)
void recordWhatListLeaves(GLuint list, SharedModel& model) {
    const GlStateScope saved(GL_CURRENT_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT);
    // Values no model sends, so a change shows.
    const GLfloat unsetNormal[3] = {-1234.5f, 678.25f, -9.125f};
    const GLfloat unsetTexCoord[4] = {-4321.5f, 876.25f, -3.125f, 7.5f};
    glNormal3fv(unsetNormal);
    glTexCoord4fv(unsetTexCoord);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 0, 0);
    glCallList(list);
    glGetFloatv(GL_CURRENT_NORMAL, model.leftNormal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, model.leftTexCoord);
    model.leavesNormal = !std::equal(model.leftNormal, model.leftNormal + 3, unsetNormal);
    model.leavesTexCoord = !std::equal(model.leftTexCoord, model.leftTexCoord + 4, unsetTexCoord);
}

}  // namespace

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
    recordWhatListLeaves(displayList, *this);
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
