#include "platform/WindowIcon.h"

#include <X11/Xatom.h>

#include <vector>

void setWindowIcon(Display* display, Window window) {
    // Xlib takes a format-32 property as an array of long, whatever long's
    // width; the icon is kept as 32-bit values so the programs stay small.
    const std::vector<long> cardinals(windowIconCardinals, windowIconCardinals + windowIconCardinalCount);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(cardinals.data()), static_cast<int>(cardinals.size()));
}
