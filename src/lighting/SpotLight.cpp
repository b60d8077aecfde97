#include "lighting/SpotLight.h"

void SpotLight::apply() {
    if (!enabled) return;
    glLightfv(glLight(), GL_POSITION, position);
    glLightf(glLight(), GL_CONSTANT_ATTENUATION, constantAttenuation);
    glLightf(glLight(), GL_LINEAR_ATTENUATION, linearAttenuation);
    glLightf(glLight(), GL_QUADRATIC_ATTENUATION, quadraticAttenuation);
    glLightf(glLight(), GL_SPOT_CUTOFF, cutoff);
    glLightfv(glLight(), GL_SPOT_DIRECTION, direction);
    glLightf(glLight(), GL_SPOT_EXPONENT, exponent);
}

void SpotLight::setAttenuation(float constant, float linear, float quadratic) {
    constantAttenuation = constant;
    linearAttenuation = linear;
    quadraticAttenuation = quadratic;
}

void SpotLight::setCutoff(float degrees) { cutoff = degrees; }

void SpotLight::setExponent(float value) { exponent = value; }
