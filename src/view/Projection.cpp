#include "view/Projection.h"

#include <GL/glu.h>

void loadGameProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfViewDegrees, aspectRatio, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
}
