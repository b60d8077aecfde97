#pragma once
// Flat drawing in the picture's pixels (the HUD, the shadow overlay, the
// menu): for as long as the scope lives, x runs from 0 to 1024 across and y
// from 0 to 768 up, with the origin at the picture's bottom-left corner, and
// texturing, lighting and depth testing are off. On leaving, both matrices
// and every switch are as they were found, with the modelview matrix
// current.
#include "platform/GlStateScope.h"

class WindowCoordinates {
public:
    WindowCoordinates();
    WindowCoordinates(const WindowCoordinates&) = delete;
    WindowCoordinates& operator=(const WindowCoordinates&) = delete;

private:
    GlStateScope saved;
};
