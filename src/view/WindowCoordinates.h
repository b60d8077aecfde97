#pragma once
// Flat drawing in window pixels (the HUD, the shadow overlay, the menu): for
// as long as the scope lives, x runs from 0 to 1024 across and y from 0 to
// 768 up, with the origin at the window's bottom-left corner, and texturing,
// lighting and depth testing are off. On leaving, both matrices and every
// enable switch are as they were found, with the modelview matrix current.
class WindowCoordinates {
public:
    WindowCoordinates();
    ~WindowCoordinates();
    WindowCoordinates(const WindowCoordinates&) = delete;
    WindowCoordinates& operator=(const WindowCoordinates&) = delete;
};
