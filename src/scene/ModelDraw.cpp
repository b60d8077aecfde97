// Drawing a Model: the one place where the mesh meets GL. Every kept face has
// its indices inside the sequences (Model::parse checked them, and
// completeCorners gave those the file lacks), so none is checked here.
#include <GL/gl.h>

#include "scene/Model.h"

void Model::draw() const {
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        for (int c = 0; c < 3; ++c) {
            const ModelTexCoord& t = texCoords[face.texCoordIndex[c] - 1];
            glTexCoord2f(t.u, t.v);
            const ModelVertex& n = normals[face.normalIndex[c] - 1];
            glNormal3f(n.x, n.y, n.z);
            const ModelVertex& v = vertices[face.vertexIndex[c] - 1];
            glVertex3f(v.x, v.y, v.z);
        }
    }
    glEnd();
}

void Model::drawPositions() const {
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        for (int c = 0; c < 3; ++c) {
            const ModelVertex& v = vertices[face.vertexIndex[c] - 1];
            glVertex3f(v.x, v.y, v.z);
        }
    }
    glEnd();
}
