#pragma once
// A light at infinity, such as the sun: apply() sends the direction with
// w = 0, so GL lights everything from that direction. The stored position is
// never sent.
#include "lighting/Light.h"

class DirectionalLight final : public Light {
public:
    DirectionalLight() = default;
    ~DirectionalLight() = default;

    void apply() override;

private:
    float directionW = 0.0f;  // makes (direction, 0) a point at infinity
};
