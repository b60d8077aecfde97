// The camera's one GL call, kept out of Camera.cpp so that the views and
// their matrices link without GL.
#include <GL/glu.h>

#include "view/Camera.h"

void Camera::apply() const {
    CameraView view;
    if (!currentView(view)) return;
    if (view.turned) glRotatef(view.turnDegrees, 0, 1, 0);
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.center.x, view.center.y, view.center.z, 0, 1, 0);
}
