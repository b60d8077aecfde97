// The night sky's GL side: the stars, and the moon with its picture (uploaded
// by the first draw). Making a NightSky (NightSky.cpp) makes no GL call.
#include <GL/gl.h>

#include "platform/GlStateScope.h"
#include "sky/NightSky.h"
#include "texture/Texture.h"

void NightSky::draw(float alpha) const {
    const GlStateScope saved(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_POINT_BIT, 0, GlStateScope::saveMatrices);
    glDisable(GL_TEXTURE_2D);
    glPointSize(1.7f);
    glEnable(GL_POINT_SMOOTH);
    glBegin(GL_POINTS);
    for (const Star& star : stars) {
        glColor4f(star.brightness, star.brightness, star.brightness, alpha);
        glVertex3f(star.x, star.y, star.z);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);

    // The moon's side is a third of the radius. Texture row t = 0, the first
    // row of the picture's pixel buffer, runs along the top edge.
    const float a = -moonPosition.z / 6.0f;
    glTranslatef(moonPosition.x, moonPosition.y, moonPosition.z);
    moonTexture->bind();
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(1, 0);
    glVertex3f(a, a, 0);
    glTexCoord2f(1, 1);
    glVertex3f(a, -a, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-a, -a, 0);
    glTexCoord2f(0, 0);
    glVertex3f(-a, a, 0);
    glEnd();
}
