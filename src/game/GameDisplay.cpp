#include "game/GameDisplay.h"

#include <GL/freeglut.h>

#include "app/FastPaths.h"
#include "platform/FramePasses.h"
#include "game/GameWorld.h"
#include "hud/Hud.h"
#include "hud/ShadowOverlay.h"
#include "hud/ShadowPass.h"
#include "lighting/DirectionalLight.h"
#include "lighting/SpotLight.h"
#include "scene/Object.h"
#include "sky/SkyPass.h"
#include "terrain/Terrain.h"
#include "view/Camera.h"
#include "view/SkyBound.h"
#include "view/ViewVolume.h"

namespace {

// The headlights sit in the vehicle's own frame without its model rotation,
// so they shine along its direction of travel.
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

// An object wholly outside the view would put no fragment on the screen; its
// texture and material would not outlast it either, since every object sets
// its own.
void drawIfSeen(const Object& object, const ViewVolume& view) {
    if (fastPaths.viewCulling && view.excludesSphere(object.getPosition(), object.getDrawnRadius())) return;
    object.draw();
}

// The sky is drawn around the eye before the view transform, so it never
// moves with the camera's position and is never reached.
void drawSky() {
    glLoadIdentity();
    skyPass();
}

// Drawn after the scene, the sky keeps only the pixels the scene left at the
// cleared depth: pushed to the far plane it fails the depth test everywhere
// else, and where it passes it blends over the black clear exactly as it did
// when drawn first. Most of the chase view is ground, so most of the sky's
// texturing is skipped.
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
    drawSky();
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glDepthRange(0, 1);
    glDisable(GL_SCISSOR_TEST);
}

}  // namespace

void gameDisplay() {
    // By day the objects' silhouettes are rendered and read back first; the
    // pass clears the whole frame itself when it has done.
    const bool shadowed = world.shadowsOn && world.sunHeight > 0;
    if (!shadowed || !fastPaths.fewerClears) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The view is known before the shadow pass, so that the pass need only
    // serve the quads the frame will draw; the overlay shows every quad.
    glLoadIdentity();
    world.camera->apply();
    const ViewVolume view = ViewVolume::current();
    glLoadIdentity();
    const VisibleQuads* drawnQuads = world.terrain->quadsToDraw(&view);
    const float* shadowGrid = shadowed ? shadowPass(world.showOverlay ? nullptr : drawnQuads) : nullptr;

    if (!fastPaths.skyBehindScene) {
        glDisable(GL_DEPTH_TEST);
        drawSky();
        glEnable(GL_DEPTH_TEST);
        endFramePass(FramePass::sky);
    }

    glLoadIdentity();
    world.camera->apply();
    world.sun->apply();  // after the view, so the sun is fixed in the world
    if (world.headlightsOn) applyHeadlights();

    world.terrain->drawChosen(shadowGrid, drawnQuads);
    endFramePass(FramePass::terrain);
    for (const Object* tree : world.trees) drawIfSeen(*tree, view);
    endFramePass(FramePass::trees);
    glDisable(GL_TEXTURE_2D);
    for (const Object* orb : world.orbs) drawIfSeen(*orb, view);
    glEnable(GL_TEXTURE_2D);
    endFramePass(FramePass::orbs);
    if (world.cameraMode == 0) drawIfSeen(*world.vehicle, view);  // the ride view sits inside it
    endFramePass(FramePass::vehicle);

    if (fastPaths.skyBehindScene) {
        drawSkyBehindScene();
        endFramePass(FramePass::sky);
    }

    if (world.showOverlay)
        drawShadowOverlay(shadowGrid, world.terrain->getWidth(), world.terrain->getDepth());
    endFramePass(FramePass::overlay);
    drawHud();
    endFramePass(FramePass::hud);
    glutSwapBuffers();
    endFramePass(FramePass::swap);
    ++world.framesCounted;
}
