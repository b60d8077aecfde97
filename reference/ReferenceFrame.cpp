#include "reference/ReferenceFrame.h"

#include <GL/gl.h>

#include "frame/FrameDrawing.h"
#include "frame/FrameView.h"
#include "hud/Hud.h"
#include "shadow/ShadowOverlay.h"
#include "shadow/ShadowPicture.h"
#include "shadow/ShadowReach.h"
#include "platform/FramePasses.h"
#include "scene/Object.h"
#include "sky/SkyPass.h"
#include "terrain/Terrain.h"
#include "view/SceneGlState.h"

namespace {

ShadowBuffers referenceShadowBuffers;  // apart from the game's, which the frame compared leaves as it is

}  // namespace

const ShadowGrid& referenceShadowGrid(const FrameView& frame) {
    const Terrain& terrain = *frame.terrain;
    float matrix[16];
    makeShadowMatrix(frame.towardsSun, matrix);
    const ShadowPicture picture(terrain.getWidth(), terrain.getDepth(), true, referenceShadowBuffers);
    forEachShadowTile(referenceShadowBuffers, [&](const ShadowTile&) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (const Object* caster : frame.casters) caster->draw(matrix);
        endFramePass(FramePass::shadowRender);
    });
    return referenceShadowBuffers.shadowGrid;
}

void drawTerrainVertexByVertex(const Terrain& terrain, const VisibleQuads& quads, const ShadowGrid* shadows) {
    terrain.bindTexture();
    Terrain::applyMaterial();
    if (terrain.getWidth() < 2 || terrain.getDepth() < 2) return;  // no quads
    const std::vector<float>& heights = terrain.getHeights();
    const std::vector<float>& normalX = terrain.getNormalsX();
    const std::vector<float>& normalZ = terrain.getNormalsZ();
    const uint32_t width = terrain.getWidth();
    glBegin(GL_QUADS);
    terrain.forEachQuad(
        quads,
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

void drawTerrainVertexByVertex(const Terrain& terrain, const ShadowGrid* shadows) {
    VisibleQuads every;
    every.selectAll(terrain.getPieces());
    drawTerrainVertexByVertex(terrain, every, shadows);
}

void drawReferenceFrame(const FrameView& frame, FrameLights& lights) {
    setSceneGlState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const ShadowGrid* shadows = frame.shadowed ? &referenceShadowGrid(frame) : nullptr;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glDisable(GL_DEPTH_TEST);
    glLoadIdentity();
    skyPass(*frame.sky, *frame.stars, frame.sunHeight, frame.sunAngle, frame.viewMode, frame.headingDegrees);
    glEnable(GL_DEPTH_TEST);
    endFramePass(FramePass::sky);

    sendView(frame, lights);
    drawTerrainVertexByVertex(*frame.terrain, shadows);
    endFramePass(FramePass::terrain);
    for (const Object* tree : frame.trees) tree->draw();
    endFramePass(FramePass::trees);
    glDisable(GL_TEXTURE_2D);
    for (const Object* orb : frame.orbs) orb->draw();
    glEnable(GL_TEXTURE_2D);
    endFramePass(FramePass::orbs);
    if (frame.vehicle) frame.vehicle->draw();
    endFramePass(FramePass::vehicle);

    if (frame.showOverlay) drawShadowOverlay(shadows, frame.terrain->getWidth(), frame.terrain->getDepth());
    endFramePass(FramePass::overlay);
    drawHud(frame.score, frame.fps);
    endFramePass(FramePass::hud);
}
