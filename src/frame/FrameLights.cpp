#include "frame/FrameLights.h"

#include <GL/gl.h>

#include "frame/FrameView.h"
#include "lighting/DirectionalLight.h"
#include "lighting/SpotLight.h"
#include "platform/GlStateScope.h"

FrameLights::FrameLights() = default;
FrameLights::~FrameLights() = default;

void FrameLights::make() {
    if (made()) return;
    sun = std::make_unique<DirectionalLight>();
    for (int i = 0; i < headlightCount; ++i) {
        headlights[i] = std::make_unique<SpotLight>();
        SpotLight& headlight = *headlights[i];
        // In the vehicle's own frame: either side, ahead of its centre.
        headlight.setPosition(i == 0 ? 1.0f : -1.0f, 0.5f, 1.8f);
        headlight.setDirection(0, 0, 1);
        headlight.disable();
    }
}

void FrameLights::release() {
    for (auto& headlight : headlights) headlight.reset();
    sun.reset();
}

void FrameLights::send(const FrameView& frame) {
    // Switching on brings back full white, which the strength then dims; a
    // switched-off light keeps its slot dark.
    if (frame.sunOn) {
        sun->enable();
        sun->setIntensity(frame.sunStrength);
    } else {
        sun->disable();
    }
    sun->setDirection(frame.towardsSun.x, frame.towardsSun.y, frame.towardsSun.z);
    sun->apply();

    for (const auto& headlight : headlights) {
        if (frame.headlightsOn) {
            headlight->enable();
        } else {
            headlight->disable();
        }
    }
    if (!frame.headlightsOn) return;
    // In the vehicle's own frame without its model rotation, so they shine
    // along its direction of travel.
    const Vector3& p = frame.vehiclePosition;
    const Vector3& r = frame.vehicleRotation;
    GlStateScope savedView(0, 0, GlStateScope::saveMatrices);
    glTranslatef(p.x, p.y, p.z);
    glRotatef(r.y, 0, 1, 0);
    glRotatef(r.x, 1, 0, 0);
    glRotatef(r.z, 0, 0, 1);
    for (const auto& headlight : headlights) headlight->apply();
}
