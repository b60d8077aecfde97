#include "lighting/DirectionalLight.h"

void DirectionalLight::apply() {
    if (!enabled) return;
    const GLfloat homogeneous[4] = {direction[0], direction[1], direction[2], directionW};
    glLightfv(glLight(), GL_POSITION, homogeneous);
}
