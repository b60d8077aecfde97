#include "ReferenceFrame.h"

#include <GL/freeglut.h>

#include "game/GameUpdate.h"
#include "game/GameWorld.h"
#include "lighting/DirectionalLight.h"
#include "terrain/Terrain.h"

namespace {
const char* const terrainTexture = "Grass.bmp";  // the picture initWorld gives the terrain
}

ReferenceFrame::ReferenceFrame(const Terrain& terrain)
    : width(terrain.getWidth()), depth(terrain.getDepth()), texture(terrainTexture) {
    heights.resize(size_t{width} * depth);
    normalX.resize(heights.size());
    normalZ.resize(heights.size());
    for (unsigned z = 0; z < depth; ++z)
        for (unsigned x = 0; x < width; ++x) {
            terrain.getHeight(x, z, heights[index(x, z)]);
            normalX[index(x, z)] = terrain.getNormalX(x, z);
            normalZ[index(x, z)] = terrain.getNormalZ(x, z);
        }
}

void ReferenceFrame::draw(const ViewSample& view) const {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadMatrixf(view.modelView);
    world.sun->enable();         // full white ...
    setSunAngle(view.sunAngle);  // ... then the direction and strength of that time of day
    world.sun->apply();

    texture.bind();
    Terrain::applyMaterial();

    const float du = 1.0f / static_cast<float>(width - 1);
    const float dv = 1.0f / static_cast<float>(depth - 1);
    auto vertex = [this](float u, float v, unsigned x, unsigned z) {
        const size_t i = index(x, z);
        glTexCoord2f(u, v);
        glNormal3f(normalX[i], 1.0f, normalZ[i]);
        glVertex3f(static_cast<float>(x), heights[i], static_cast<float>(z));
    };

    glBegin(GL_QUADS);
    float v = 0;
    for (unsigned z = 0; z + 1 < depth; ++z) {
        const float nextV = v + dv;
        float u = 0;
        for (unsigned x = 0; x + 1 < width; ++x) {
            vertex(u, v, x, z);
            vertex(u, nextV, x, z + 1);
            vertex(u + du, nextV, x + 1, z + 1);
            vertex(u + du, v, x + 1, z);
            u += du;
        }
        v = nextV;
    }
    glEnd();

    glutSwapBuffers();
    glFinish();
}
