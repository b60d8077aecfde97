// Drawing an Object: its transform, texture and material, and its model's
// display lists, which the first draw of any Object of the model compiles
// (ModelUpload.cpp). The rest of Object (Object.cpp) makes no GL call.
#include <GL/gl.h>

#include "platform/GlStateScope.h"
#include "scene/ModelCache.h"
#include "scene/Object.h"
#include "texture/Texture.h"

void Object::applyTransform(const float* matrix) const {
    glTranslatef(position.x, position.y, position.z);
    glScalef(scale, scale, scale);
    if (matrix) glMultMatrixf(matrix);

    // The same turns with the shadow matrix as without: the silhouette is
    // the shape as drawn, so a felled tree casts a lying tree's shadow.
    struct Turn { float angle, x, y, z; } turns[3];
    turns[rotationOrder[0]] = {rotation.x + modelRotation.x, 1, 0, 0};
    turns[rotationOrder[1]] = {rotation.y + modelRotation.y, 0, 1, 0};
    turns[rotationOrder[2]] = {rotation.z + modelRotation.z, 0, 0, 1};
    for (const Turn& turn : turns) glRotatef(turn.angle, turn.x, turn.y, turn.z);
}

// A model without a texture binds the default texture, which holds no
// picture: GL then textures as if texturing were off, where the last
// texture bound would otherwise show through.
void Object::applyTextureAndMaterial() const {
    if (model->texture) {
        model->texture->bind();
    } else {
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
}

// Only the placement is put back: the texture and material are the
// object's own, set whole by every draw.
void Object::draw(const float* matrix) const {
    model->upload();
    const GlStateScope placed(0, 0, GlStateScope::saveMatrices);
    applyTransform(matrix);
    applyTextureAndMaterial();
    glCallList(model->drawList());
}

void Object::drawSilhouette(const float* matrix) const {
    model->upload();
    const GlStateScope placed(0, 0, GlStateScope::saveMatrices);
    applyTransform(matrix);
    glCallList(model->positionsList());
}
