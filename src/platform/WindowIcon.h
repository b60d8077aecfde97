#pragma once
// The window's own icon (_NET_WM_ICON), which docks, task bars and task
// switchers show, and window managers in the title bar: the desktop icon,
// carried in the program so no file is read for it.
#include <X11/Xlib.h>

#include <cstddef>
#include <cstdint>

// The icon at each size the window offers, one after another: the width,
// the height, then the pixels as 0xAARRGGBB (straight alpha), top row first
// — the property's own layout. Written by the build from the asset
// generator's painting (tools/window-icon).
extern const uint32_t windowIconCardinals[];
extern const size_t windowIconCardinalCount;

// Sets the window's _NET_WM_ICON to the icon above.
void setWindowIcon(Display* display, Window window);
