// A model's GL side: the display lists, compiled from the mesh (or GLUT's
// sphere) when an Object of the model is first drawn. Building a model
// (ModelCache.cpp) makes no GL call, so this file is linked only by
// programs that draw.
#include <GL/freeglut.h>

#include "platform/GlStateScope.h"
#include "scene/Model.h"
#include "scene/ModelCache.h"

namespace {

void deleteList(unsigned list) { glDeleteLists(list, 1); }

// Compiles what draw sends into a new display list.
template <typename Draw>
UploadedName compiledList(Draw draw) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    draw();
    glEndList();
    return UploadedName(list, deleteList);
}

}  // namespace

// The first draw may come in the middle of a frame: GLUT's sphere sets its
// vertex arrays outside the list, so they are put back as they were.
void SharedModel::upload() {
    if (uploaded()) return;
    if (builtinType == sphereType) {
        const GlStateScope arrays(0, GL_CLIENT_VERTEX_ARRAY_BIT);
        displayList = compiledList([] { glutSolidSphere(1.0, 16, 16); });
        return;
    }
    displayList = compiledList([this] { mesh->draw(); });
    silhouetteList = compiledList([this] { mesh->drawPositions(); });
    mesh.reset();
}
