#include "ReferenceFrame.h"

#include <GL/freeglut.h>

#include "game/GameUpdate.h"
#include "game/GameWorld.h"
#include "lighting/DirectionalLight.h"
#include "reference/ReferenceFrame.h"

void ReferenceFrame::draw(const ViewSample& view) const {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadMatrixf(view.modelView);
    world.scene.sun->enable();         // full white ...
    setSunAngle(view.sunAngle);  // ... then the direction and strength of that time of day
    world.scene.sun->apply();
    drawTerrainVertexByVertex(terrain, nullptr);
    glutSwapBuffers();
    glFinish();
}
