// The day sky's GL side: its faces, with the picture bound (and uploaded by
// the first draw). Making a SkyBox (SkyBox.cpp) makes no GL call.
#include <GL/gl.h>

#include "sky/SkyBox.h"
#include "texture/Texture.h"

void SkyBox::skyVertex(float x, float y, float z) {
    const SkyTexCoord c = skyTexCoord(x, y, z);
    glTexCoord2f(c.s, c.t);
    glVertex3f(x, y, z);
}

void SkyBox::draw() const {
    const float r = radius;
    // Each face lists its four corners; the six faces form one quad sequence.
    static const float corners[6][4][3] = {
        {{1, 1, 1}, {-1, 1, 1}, {-1, 1, -1}, {1, 1, -1}},        // top
        {{1, -1, 1}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}},    // bottom
        {{-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}},    // left
        {{1, 1, 1}, {1, 1, -1}, {1, -1, -1}, {1, -1, 1}},        // right
        {{1, 1, -1}, {-1, 1, -1}, {-1, -1, -1}, {1, -1, -1}},    // back
        {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}},        // front
    };
    texture->bind();
    glBegin(GL_QUADS);
    for (const auto& face : corners)
        for (const auto& corner : face) skyVertex(r * corner[0], r * corner[1], r * corner[2]);
    glEnd();
}
