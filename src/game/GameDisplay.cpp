#include "game/GameDisplay.h"

#include <GL/freeglut.h>

#include "game/FrameView.h"
#include "game/GameWorld.h"
#include "hud/Hud.h"
#include "hud/ShadowOverlay.h"
#include "hud/ShadowPass.h"
#include "lighting/DirectionalLight.h"
#include "lighting/SpotLight.h"
#include "platform/FramePasses.h"
#include "scene/Object.h"
#include "sky/SkyPass.h"
#include "terrain/Terrain.h"
#include "view/Camera.h"
#include "view/SkyBound.h"

void applyHeadlights() {
    const Object& vehicle = *world.vehicle;
    Vector3 p = vehicle.getPosition();
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    glRotatef(vehicle.getRotationY(), 0, 1, 0);
    glRotatef(vehicle.getRotationX(), 1, 0, 0);
    glRotatef(vehicle.getRotationZ(), 0, 0, 1);
    for (SpotLight* headlight : world.headlights) headlight->apply();
    glPopMatrix();
}

namespace {

// An object wholly outside the view would put no fragment on the screen; its
// texture and material would not outlast it either, since every object sets
// its own.
void drawIfSeen(const Object& object, const ViewVolume& view) {
    if (view.excludesSphere(object.getPosition(), object.getDrawnRadius())) return;
    object.draw();
}

// The sky is drawn after the scene and keeps only the pixels the scene left
// at the cleared depth: pushed to the far plane it fails the depth test
// everywhere else, and where it passes it blends over the black clear
// exactly as it would have drawn first. Most of the chase view is ground, so
// most of the sky's texturing is skipped.
void drawSkyBehindScene() {
    // Rows that the terrain surely covers are left out altogether: a fragment
    // that fails the depth test still costs a software rasteriser much of
    // what a drawn one does.
    double modelview[16], projection[16];
    int viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Terrain& terrain = *world.terrain;
    const TerrainBounds bounds{static_cast<float>(terrain.getWidth()), static_cast<float>(terrain.getDepth()),
                               terrain.getMinHeight(), terrain.getMaxHeight(), terrain.getHeights().data()};
    const int lowestRow = lowestBackgroundRow(modelview, projection, viewport, bounds);
    glScissor(viewport[0], lowestRow, viewport[2], viewport[1] + viewport[3] - lowestRow);
    glEnable(GL_SCISSOR_TEST);

    glDepthRange(1, 1);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    // Around the eye, before the view transform, so the sky never moves with
    // the camera's position and is never reached.
    glLoadIdentity();
    skyPass(*world.sky, *world.stars, world.sunHeight, world.sunAngle, world.cameraMode,
            world.vehicle->getRotationY());
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glDepthRange(0, 1);
    glDisable(GL_SCISSOR_TEST);
}

}  // namespace

FrameView makeFrameView() {
    const ViewVolume view = ViewVolume::current();
    const Terrain& terrain = *world.terrain;
    world.drawnQuads.select(terrain.getPieces(), view);
    if (!world.shadowsOn || world.sunHeight <= 0) return {view, world.drawnQuads, nullptr};

    // Only the drawn quads' values are read, so the pass need only serve
    // them; the overlay shows every quad.
    Vector3 towardsSun{0, 1, 0};
    world.sun->getDirection(towardsSun.x, towardsSun.y, towardsSun.z);
    glPushMatrix();
    glLoadIdentity();
    const ShadowGrid& shadows =
        shadowPass(world.shadowCasters, towardsSun, terrain.getWidth(), terrain.getDepth(),
                   world.showOverlay ? nullptr : &world.drawnQuads, world.shadowBuffers);
    glPopMatrix();
    return {view, world.drawnQuads, &shadows};
}

void gameDisplay() {
    // By day the shadow pass clears the whole frame when it has done.
    if (!world.shadowsOn || world.sunHeight <= 0) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    world.camera->apply();
    const FrameView frame = makeFrameView();

    world.sun->apply();  // after the view, so the sun is fixed in the world
    if (world.headlightsOn) applyHeadlights();

    world.terrain->draw(frame.quads, frame.shadows, world.terrainBatch);
    endFramePass(FramePass::terrain);
    for (const Object* tree : world.trees) drawIfSeen(*tree, frame.view);
    endFramePass(FramePass::trees);
    glDisable(GL_TEXTURE_2D);
    for (const Object* orb : world.orbs) drawIfSeen(*orb, frame.view);
    glEnable(GL_TEXTURE_2D);
    endFramePass(FramePass::orbs);
    if (world.cameraMode == ViewMode::chase) drawIfSeen(*world.vehicle, frame.view);  // the ride view sits inside it
    endFramePass(FramePass::vehicle);

    drawSkyBehindScene();
    endFramePass(FramePass::sky);

    if (world.showOverlay) drawShadowOverlay(frame.shadows, world.terrain->getWidth(), world.terrain->getDepth());
    endFramePass(FramePass::overlay);
    drawHud(world.score, world.fps);
    endFramePass(FramePass::hud);
    glutSwapBuffers();
    // Let the software rasteriser finish the frame before the next update
    // starts: left to overlap with the next frame, its presentation competes
    // with it for the processor, and every so often a frame takes half as
    // long again (the benchmark's main-loop run at 512: a median of 22 ms,
    // but 33 frames a second instead of 44).
    glFinish();
    endFramePass(FramePass::swap);
    ++world.framesCounted;
}
