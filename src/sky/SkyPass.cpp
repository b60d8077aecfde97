#include "sky/SkyPass.h"

#include <GL/gl.h>

#include <cmath>

#include "platform/GlStateScope.h"
#include "base/Pi.h"
#include "sky/NightSky.h"
#include "sky/SkyBox.h"

namespace {
constexpr double halfPi = pi / 2;
constexpr float dusk = 0.2f;  // sun height below which the night sky shows
constexpr float fadeRate = 5.0f;  // 1 / dusk
}

SkyTint skyTint(float sunHeight, float sunAngle) {
    // A sine computed at exactly pi in single precision comes out a hair
    // below zero; treat it as the horizon so the square roots stay real.
    const float L = sunHeight > 0.0f ? sunHeight : 0.0f;
    SkyTint tint{};
    const float fade = fadeRate * L;
    tint.skyAlpha = L > dusk ? 1.0f : fade * fade;
    tint.red = std::sqrt(L);
    tint.green = L;
    tint.blue = sunAngle >= halfPi ? std::sqrt(L) : L;
    tint.nightSkyDrawn = !(L > dusk);
    const float rise = 1.0f - fade;
    tint.nightSkyAlpha = tint.nightSkyDrawn ? rise * rise : 0.0f;
    return tint;
}

void skyPass(const SkyBox& sky, const NightSky& stars, float sunHeight, float sunAngle, ViewMode view,
             float headingDegrees) {
    const GlStateScope saved(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT);
    if (view == ViewMode::ride) glRotatef(-headingDegrees, 0, 1, 0);

    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The texture environment is GL_MODULATE: the colour tints the sky
    // picture and its alpha fades it.
    const SkyTint tint = skyTint(sunHeight, sunAngle);
    glColor4f(tint.red, tint.green, tint.blue, tint.skyAlpha);
    // By day a sky picture without alpha of its own is fully opaque, and
    // blending it at alpha 1 writes exactly its colour: reading the pixels
    // beneath would be wasted work.
    if (tint.skyAlpha == 1.0f && sky.isOpaque()) glDisable(GL_BLEND);
    sky.draw();
    glEnable(GL_BLEND);
    if (tint.nightSkyDrawn) stars.draw(tint.nightSkyAlpha);
}
