#pragma once
// A positioned cone of light with distance attenuation, such as a headlight.
// The setters only store; apply() sends everything under the current
// modelview matrix, so a headlight given in the vehicle's own frame moves
// with the vehicle.
#include "lighting/Light.h"

class SpotLight final : public Light {
public:
    SpotLight() = default;
    ~SpotLight() = default;

    void apply() override;

    void setAttenuation(float constant, float linear, float quadratic);
    void setCutoff(float degrees);  // half-angle of the cone
    void setExponent(float value);  // how fast the light falls off off-axis

    float getLinearAttenuation() const { return linearAttenuation; }
    float getCutoff() const { return cutoff; }

private:
    float constantAttenuation = 0.0f;
    float linearAttenuation = 0.05f;    // per world unit
    float quadraticAttenuation = 0.01f; // per square world unit
    float cutoff = 30.0f;               // degrees
    float exponent = 0.5f;
};
