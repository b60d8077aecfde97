#pragma once
// Helpers shared by the sky tests: the sky's pictures in ./textures/ and the
// game's view to draw it in.
#include <GL/gl.h>
#include <GL/glu.h>

#include "support/TestPictures.h"

namespace skytest {

// White 8 x 8 sky, moon and moon mask pictures.
inline void writeSkyPictures() {
    for (const char* name : {"textures/Sky.bmp", "textures/Moon.bmp", "textures/MoonAlpha.bmp"})
        writeSolidPicture(name, 8, 8, {255, 255, 255});
}

// The game's view: 45 degrees, 4:3, the whole window, looking along -z from
// the origin, black background, unlit as the sky pass draws.
inline void setGameView() {
    glViewport(0, 0, 1024, 768);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 4.0 / 3.0, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace skytest
