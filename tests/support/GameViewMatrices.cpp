#include "support/GameViewMatrices.h"

#include <GL/glu.h>

GameViewMatrices gameViewMatrices(double eyeX, double eyeY, double eyeZ, double atX, double atY, double atZ,
                                  double roll) {
    GameViewMatrices view;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45, 4.0 / 3.0, 1, 1000);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotated(roll, 0, 0, 1);
    gluLookAt(eyeX, eyeY, eyeZ, atX, atY, atZ, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, view.modelview);
    glPopMatrix();
    return view;
}

ViewVolume gameViewVolume(double eyeX, double eyeY, double eyeZ, double atX, double atY, double atZ) {
    const GameViewMatrices view = gameViewMatrices(eyeX, eyeY, eyeZ, atX, atY, atZ);
    return ViewVolume(view.projection, view.modelview);
}
