#include "game/GameFrame.h"

#include <algorithm>
#include <iterator>

#include "game/GameWorld.h"
#include "platform/GameWindow.h"
#include "scene/Object.h"
#include "terrain/Terrain.h"
#include "view/Camera.h"
#include "view/ViewMatrices.h"

bool shadowPassRuns(const GameWorld& world) { return world.shadowsOn && world.sunHeight > 0; }

FrameView makeFrameView(const GameWorld& world, VisibleQuads& drawnQuads) {
    const GameScene& scene = world.scene;
    const Terrain& terrain = *scene.terrain;
    FrameView frame{};

    const ViewMatrices matrices = cameraViewMatrices(*scene.camera);
    std::copy(std::begin(matrices.projection), std::end(matrices.projection), frame.projection);
    std::copy(std::begin(matrices.modelview), std::end(matrices.modelview), frame.modelview);
    const PictureRectangle picture = pictureRectangle();
    frame.viewport[0] = picture.x;
    frame.viewport[1] = picture.y;
    frame.viewport[2] = picture.width;
    frame.viewport[3] = picture.height;
    frame.view = ViewVolume(frame.projection, frame.modelview);
    frame.pixelCentres = PixelCentres(frame.projection, frame.modelview, frame.viewport);
    // From the driver's seat, looking level across the ground, nearer hills
    // hide most of what the view takes in, and finding it costs far less
    // than drawing it. From the chase seat, high up and looking down, they
    // hide about a fifth, and finding that costs more than drawing it.
    const bool lookForHiddenGround = world.cameraMode == ViewMode::ride;
    drawnQuads.select(terrain.getPieces(), frame.view, lookForHiddenGround ? terrain.getHeights().data() : nullptr);
    frame.terrain = &terrain;
    frame.quads = &drawnQuads;
    frame.shadowed = shadowPassRuns(world);

    frame.towardsSun = world.towardsSun;
    frame.sunHeight = world.sunHeight;
    frame.sunAngle = world.sunAngle;
    frame.sunOn = world.sunOn;
    frame.sunStrength = world.sunStrength;
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
    return frame;
}
