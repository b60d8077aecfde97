#include "support/ReferenceFrame.h"

#include <GL/gl.h>

#include "game/GameDisplay.h"
#include "game/GameWorld.h"
#include "hud/Hud.h"
#include "hud/ShadowOverlay.h"
#include "hud/ShadowPass.h"
#include "lighting/DirectionalLight.h"
#include "scene/Object.h"
#include "sky/SkyPass.h"
#include "terrain/QuadBatch.h"
#include "terrain/Terrain.h"
#include "view/Camera.h"

namespace {

ShadowBuffers referenceShadowBuffers;  // apart from the game's, which the frame compared leaves as it is

}  // namespace

const ShadowGrid& referenceShadowGrid() {
    const Terrain& terrain = *world.terrain;
    Vector3 towardsSun{0, 1, 0};
    world.sun->getDirection(towardsSun.x, towardsSun.y, towardsSun.z);
    float matrix[16];
    makeShadowMatrix(towardsSun, matrix);
    glLoadIdentity();
    beginShadowPicture(terrain.getWidth(), terrain.getDepth(), true, referenceShadowBuffers);
    forEachShadowTile(referenceShadowBuffers, [&](const ShadowTile&) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (const Object* caster : world.shadowCasters) caster->draw(matrix);
    });
    return endShadowPicture(referenceShadowBuffers);
}

void drawTerrainVertexByVertex(const Terrain& terrain, const ShadowGrid* shadows) {
    terrain.bindTexture();
    Terrain::applyMaterial();
    const std::vector<float>& heights = terrain.getHeights();
    const std::vector<float>& normalX = terrain.getNormalsX();
    const std::vector<float>& normalZ = terrain.getNormalsZ();
    const uint32_t width = terrain.getWidth();
    glBegin(GL_QUADS);
    terrain.forEachQuad(
        [&](uint32_t x, uint32_t z) {
            if (!shadows) return;
            const float s = shadows->at(x, z);
            const GLfloat diffuse[] = {s, s, s, 1.0f};
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
        },
        [&](float u, float v, uint32_t x, uint32_t z) {
            const size_t i = x + size_t{z} * width;
            glTexCoord2f(u, v);
            glNormal3f(normalX[i], 1.0f, normalZ[i]);
            glVertex3f(static_cast<float>(x), heights[i], static_cast<float>(z));
        });
    glEnd();
}

void drawEveryQuad(const Terrain& terrain, const ShadowGrid* shadows) {
    VisibleQuads every;
    every.selectAll(terrain.getPieces());
    QuadBatch batch;
    terrain.draw(every, shadows, batch);
}

void drawReferenceFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const bool shadowed = world.shadowsOn && world.sunHeight > 0;
    const ShadowGrid* shadows = shadowed ? &referenceShadowGrid() : nullptr;

    glDisable(GL_DEPTH_TEST);
    glLoadIdentity();
    skyPass(*world.sky, *world.stars, world.sunHeight, world.sunAngle, world.cameraMode,
            world.vehicle->getRotationY());
    glEnable(GL_DEPTH_TEST);

    glLoadIdentity();
    world.camera->apply();
    world.sun->apply();
    if (world.headlightsOn) applyHeadlights();
    drawTerrainVertexByVertex(*world.terrain, shadows);
    for (const Object* tree : world.trees) tree->draw();
    glDisable(GL_TEXTURE_2D);
    for (const Object* orb : world.orbs) orb->draw();
    glEnable(GL_TEXTURE_2D);
    if (world.cameraMode == ViewMode::chase) world.vehicle->draw();

    if (world.showOverlay) drawShadowOverlay(shadows, world.terrain->getWidth(), world.terrain->getDepth());
    drawHud(world.score, world.fps);
}
