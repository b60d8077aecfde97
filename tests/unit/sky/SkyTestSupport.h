#pragma once
// Helpers shared by the sky tests: the sky's pictures in ./textures/ and the
// game's view to draw it in.
#include <GL/gl.h>

#include "support/TestPictures.h"
#include "view/SceneGlState.h"

namespace skytest {

// White 8 x 8 sky, moon and moon mask pictures.
inline void writeSkyPictures() {
    for (const char* name : {"textures/Sky.bmp", "textures/Moon.bmp", "textures/MoonAlpha.bmp"})
        writeSolidPicture(name, 8, 8, {255, 255, 255});
}

// The scene's state, looking along -z from the origin over a black
// background, without depth testing, as the plain frame draws the sky.
inline void setGameView() {
    setSceneGlState();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace skytest
