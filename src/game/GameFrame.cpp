#include "frame/FrameView.h"

#include <GL/gl.h>

#include "frame/FrameMemory.h"
#include "game/GameWorld.h"
#include "shadow/ShadowPass.h"
#include "lighting/DirectionalLight.h"
#include "scene/Object.h"
#include "terrain/Terrain.h"
#include "view/Camera.h"

bool shadowPassRuns(const GameWorld& world) { return world.shadowsOn && world.sunHeight > 0; }

FrameView makeFrameView(const GameWorld& world, FrameMemory& memory) {
    const GameScene& scene = world.scene;
    const Terrain& terrain = *scene.terrain;
    FrameView frame{};

    glLoadIdentity();
    scene.camera->apply();
    glGetDoublev(GL_PROJECTION_MATRIX, frame.projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, frame.modelview);
    glGetIntegerv(GL_VIEWPORT, frame.viewport);
    glLoadIdentity();
    frame.view = ViewVolume(frame.projection, frame.modelview);
    memory.drawnQuads.select(terrain.getPieces(), frame.view);
    frame.terrain = &terrain;
    frame.quads = &memory.drawnQuads;

    frame.towardsSun = {0, 1, 0};
    scene.sun->getDirection(frame.towardsSun.x, frame.towardsSun.y, frame.towardsSun.z);
    frame.sunHeight = world.sunHeight;
    frame.sunAngle = world.sunAngle;
    frame.sun = scene.sun.get();
    for (int i = 0; i < headlightCount; ++i) frame.headlights[i] = scene.headlights[i].get();
    frame.headlightsOn = world.headlightsOn;
    const Object& vehicle = *scene.vehicle;
    frame.vehiclePosition = vehicle.getPosition();
    frame.vehicleRotation = vehicle.getRotation();

    frame.sky = scene.sky.get();
    frame.stars = scene.stars.get();
    frame.viewMode = world.cameraMode;
    frame.headingDegrees = vehicle.getRotationY();

    const Object* const* scenery = world.scenery.data();
    frame.trees = {scenery, treeCount};
    frame.orbs = {scenery + treeCount, orbCount};
    frame.vehicle = world.cameraMode == ViewMode::chase ? &vehicle : nullptr;
    frame.casters = {scenery, world.scenery.size()};

    frame.showOverlay = world.showOverlay;
    frame.score = world.score;
    frame.fps = world.fps;

    frame.shadowed = shadowPassRuns(world);
    if (frame.shadowed) {
        // Only the drawn quads' values are read, so the pass need only serve
        // them; the overlay shows every quad.
        frame.shadows = &shadowPass(frame.casters, frame.towardsSun, terrain.getWidth(), terrain.getDepth(),
                                    world.showOverlay ? nullptr : &memory.drawnQuads, memory.shadowBuffers);
    }
    return frame;
}
