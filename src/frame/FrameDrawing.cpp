#include "frame/FrameDrawing.h"

#include <GL/gl.h>

#include "frame/FrameView.h"
#include "hud/Hud.h"
#include "shadow/ShadowOverlay.h"
#include "frame/FrameMemory.h"
#include "shadow/ShadowPass.h"
#include "platform/FramePasses.h"
#include "platform/GlStateScope.h"
#include "scene/Object.h"
#include "sky/SkyPass.h"
#include "terrain/Terrain.h"
#include "view/SceneGlState.h"
#include "sky/SkyBound.h"

namespace {

// An object wholly outside the view would put no fragment on the screen, so
// it is not drawn; nothing drawn after it needs what it would have left.
void drawIfSeen(const Object& object, const ViewVolume& view) {
    if (!view.excludesSphere(object.getPosition(), object.getDrawnRadius())) object.draw();
}

void drawObjects(const ObjectList& objects, const ViewVolume& view) {
    for (const Object* object : objects) drawIfSeen(*object, view);
}

// The sky is drawn after the scene and keeps only the pixels the scene left
// at the cleared depth: pushed to the far plane it fails the depth test
// everywhere else, and where it passes it blends over the black clear
// exactly as it would have drawn first. Most of the chase view is ground, so
// most of the sky's texturing is skipped.
void drawSkyBehindScene(const FrameView& frame) {
    // Rows that the terrain surely covers are left out altogether: a fragment
    // that fails the depth test still costs a software rasteriser much of
    // what a drawn one does.
    const Terrain& terrain = *frame.terrain;
    const TerrainBounds bounds{static_cast<float>(terrain.getWidth()), static_cast<float>(terrain.getDepth()),
                               terrain.getMinHeight(), terrain.getMaxHeight(), terrain.getHeights().data()};
    const int* viewport = frame.viewport;
    const int lowestRow = lowestBackgroundRow(frame.modelview, frame.projection, viewport, bounds);
    GlStateScope saved(GL_DEPTH_BUFFER_BIT | GL_VIEWPORT_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT, 0,
                       GlStateScope::saveMatrices);
    glScissor(viewport[0], lowestRow, viewport[2], viewport[1] + viewport[3] - lowestRow);
    glEnable(GL_SCISSOR_TEST);

    glDepthRange(1, 1);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    // Around the eye, without the view transform, so the sky never moves with
    // the camera's position and is never reached.
    glLoadIdentity();
    skyPass(*frame.sky, *frame.stars, frame.sunHeight, frame.sunAngle, frame.viewMode, frame.headingDegrees);
}

}  // namespace

void sendView(const FrameView& frame, FrameLights& lights) {
    glViewport(frame.viewport[0], frame.viewport[1], frame.viewport[2], frame.viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(frame.projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(frame.modelview);
    lights.make();
    lights.send(frame);  // after the view, so the sun is fixed in the world
}

void drawFrame(const FrameView& frame, FrameMemory& memory) {
    setSceneGlState();  // the base every pass starts from, whatever came before the frame
    const Terrain& terrain = *frame.terrain;
    const ShadowGrid* shadows = nullptr;
    if (frame.shadowed) {
        // Only the drawn quads' values are read, so the pass need only serve
        // them; the overlay shows every quad.
        shadows = &shadowPass(frame.casters, frame.towardsSun, terrain.getWidth(), terrain.getDepth(),
                              frame.showOverlay ? nullptr : frame.quads, memory.shadowBuffers);
    }

    // Also drawn in the back buffer and read back, before the clear.
    memory.lettering.prepare();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    endFramePass(FramePass::clear);
    sendView(frame, memory.lights);
    endFramePass(FramePass::view);

    terrain.draw(*frame.quads, shadows, memory.terrainBatch, &frame.pixelCentres);
    endFramePass(FramePass::terrain);
    drawObjects(frame.trees, frame.view);
    endFramePass(FramePass::trees);
    glDisable(GL_TEXTURE_2D);
    drawObjects(frame.orbs, frame.view);
    glEnable(GL_TEXTURE_2D);
    endFramePass(FramePass::orbs);
    if (frame.vehicle) drawIfSeen(*frame.vehicle, frame.view);
    endFramePass(FramePass::vehicle);

    drawSkyBehindScene(frame);
    endFramePass(FramePass::sky);

    if (frame.showOverlay) drawShadowOverlay(shadows, terrain.getWidth(), terrain.getDepth());
    endFramePass(FramePass::overlay);
    drawHud(frame.score, frame.fps, &memory.lettering);
    endFramePass(FramePass::hud);
}
