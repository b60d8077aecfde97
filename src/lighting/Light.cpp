#include "lighting/Light.h"

#include "base/FatalError.h"
#include "lighting/LightSlots.h"

namespace {

const GLfloat offColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat onColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};      // diffuse and specular
const GLfloat onAmbient[4] = {0.3f, 0.3f, 0.3f, 1.0f};

}  // namespace

Light::Light() : slot(allocateLightSlot()) {
    if (slot < 0) throw FatalError("Too many lights!");
    enable();
}

Light::~Light() {
    glDisable(glLight());
    freeLightSlot(slot);
}

void Light::enable() {
    glEnable(glLight());
    if (slot != 0) glLightfv(glLight(), GL_AMBIENT, onAmbient);
    glLightfv(glLight(), GL_DIFFUSE, onColour);
    glLightfv(glLight(), GL_SPECULAR, onColour);
    enabled = true;
}

void Light::disable() {
    if (slot != 0) glDisable(glLight());
    glLightfv(glLight(), GL_DIFFUSE, offColour);
    glLightfv(glLight(), GL_SPECULAR, offColour);
    if (slot != 0) glLightfv(glLight(), GL_AMBIENT, offColour);
    enabled = false;
}

void Light::setIntensity(float v) {
    if (!enabled) return;
    const GLfloat colour[4] = {v, v, v, 1.0f};
    glLightfv(glLight(), GL_DIFFUSE, colour);
    glLightfv(glLight(), GL_SPECULAR, colour);
}

void Light::setPosition(float x, float y, float z) {
    position[0] = x;
    position[1] = y;
    position[2] = z;
    position[3] = 1.0f;
}

void Light::getPosition(float& x, float& y, float& z) const {
    x = position[0];
    y = position[1];
    z = position[2];
}

void Light::setDirection(float x, float y, float z) {
    direction[0] = x;
    direction[1] = y;
    direction[2] = z;
}

void Light::getDirection(float& x, float& y, float& z) const {
    x = direction[0];
    y = direction[1];
    z = direction[2];
}
