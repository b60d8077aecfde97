#include "PlainTerrainFrame.h"

#include <GL/freeglut.h>

#include "frame/FrameDrawing.h"
#include "frame/FrameView.h"
#include "platform/GameWindow.h"
#include "reference/ReferenceFrame.h"
#include "view/SceneGlState.h"

void drawPlainTerrainFrame(const FrameView& frame, FrameLights& lights) {
    setSceneGlState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    sendView(frame, lights);
    drawTerrainVertexByVertex(*frame.terrain, *frame.quads, nullptr);
    showFrame();
}
