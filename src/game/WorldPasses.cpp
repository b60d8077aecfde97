#include "game/WorldPasses.h"

#include "frame/FrameMemory.h"
#include "game/GameWorld.h"
#include "shadow/ShadowPass.h"
#include "lighting/DirectionalLight.h"
#include "scene/Object.h"
#include "sky/SkyPass.h"
#include "terrain/Terrain.h"

const ShadowGrid& shadowPass() {
    const GameScene& scene = world.scene;
    Vector3 towardsSun{0, 1, 0};
    scene.sun->getDirection(towardsSun.x, towardsSun.y, towardsSun.z);
    const ObjectList casters{world.scenery.data(), world.scenery.size()};
    return shadowPass(casters, towardsSun, scene.terrain->getWidth(), scene.terrain->getDepth(), nullptr,
                      frameMemory.shadowBuffers);
}

const ShadowGrid& readShadowGrid(int pixelWidth, int pixelHeight) {
    return readShadowGrid(pixelWidth, pixelHeight, frameMemory.shadowBuffers);
}

void skyPass() {
    const GameScene& scene = world.scene;
    skyPass(*scene.sky, *scene.stars, world.sunHeight, world.sunAngle, world.cameraMode,
            scene.vehicle->getRotationY());
}
