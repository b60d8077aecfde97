#include "support/XSession.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "image/Bmp.h"

namespace {
void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A program under test may close its window at any moment (a fatal error
// while it starts, say). Requests on a window that has just gone then fail
// with BadWindow or BadMatch; Xlib's default handler would end this process,
// so such errors only make the request fail.
int ignoreVanishedWindow(Display*, XErrorEvent*) { return 0; }
}

Screenshot::Pixel Screenshot::at(int x, int y) const {
    size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

Screenshot::Pixel Screenshot::mean(int x0, int y0, int x1, int y1) const {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            Pixel p = at(x, y);
            r += p.r; g += p.g; b += p.b; ++n;
        }
    if (n == 0) return {0, 0, 0};
    return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

bool Screenshot::save(const std::string& path) const {
    // BMP rows run bottom-up.
    std::vector<uint8_t> flipped(rgb.size());
    size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy(rgb.begin() + y * row, rgb.begin() + (y + 1) * row,
                  flipped.begin() + (height - 1 - y) * row);
    return writeBmp(path.c_str(), width, height, flipped.data());
}

XSession::XSession(const std::string& displayName)
    : display_(XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str())) {
    if (!display_) throw std::runtime_error("cannot open the X display");
    XSetErrorHandler(ignoreVanishedWindow);
    int event, error, major, minor;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        throw std::runtime_error("the X display has no XTest extension");
}

XSession::~XSession() { XCloseDisplay(display_); }

void XSession::flush() {
    XSync(display_, False);
    pause(30);
}

std::string XSession::title(Window window) {
    char* name = nullptr;
    std::string result;
    if (XFetchName(display_, window, &name) && name) {
        result = name;
        XFree(name);
    }
    return result;
}

std::string XSession::utf8Title(Window window) {
    const Atom property = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* value = nullptr;
    std::string result;
    if (XGetWindowProperty(display_, window, property, 0, 4096, False, utf8, &type, &format, &count, &after,
                           &value) == Success && value) {
        if (type == utf8 && format == 8) result.assign(reinterpret_cast<char*>(value), count);
        XFree(value);
    }
    return result;
}

std::string XSession::windowClass(Window window) {
    XClassHint hint{};
    if (!XGetClassHint(display_, window, &hint)) return "";
    const std::string result = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return result;
}

std::vector<unsigned long> XSession::cardinals(Window window, const char* property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* value = nullptr;
    std::vector<unsigned long> result;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, property, False), 0, 1 << 20, False, XA_CARDINAL,
                           &type, &format, &count, &after, &value) == Success && value) {
        // Xlib hands 32-bit values over as longs, sign-extended where long is wider.
        const long* values = reinterpret_cast<long*>(value);
        if (type == XA_CARDINAL && format == 32)
            for (unsigned long i = 0; i < count; ++i) result.push_back(values[i] & 0xffffffffUL);
        XFree(value);
    }
    return result;
}

long XSession::windowPid(Window window) {
    const std::vector<unsigned long> pid = cardinals(window, "_NET_WM_PID");
    return pid.size() == 1 ? static_cast<long>(pid[0]) : 0;
}

std::vector<unsigned long> XSession::windowIcon(Window window) { return cardinals(window, "_NET_WM_ICON"); }

void XSession::unmapWindow(Window window) { XUnmapWindow(display_, window); flush(); }
void XSession::mapWindow(Window window) { XMapWindow(display_, window); flush(); }
void XSession::takeKeyboard() { XSetInputFocus(display_, None, RevertToNone, CurrentTime); flush(); }
void XSession::giveBackKeyboard() { XSetInputFocus(display_, PointerRoot, RevertToNone, CurrentTime); flush(); }
void XSession::resizeWindow(Window window, int width, int height) {
    XResizeWindow(display_, window, width, height);
    flush();
}
void XSession::destroyWindow(Window window) { XDestroyWindow(display_, window); flush(); }
void XSession::killClient(Window window) { XKillClient(display_, window); flush(); }

Window XSession::waitForWindow(const std::string& wanted, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display_, children[i], &attributes) &&
                    attributes.map_state == IsViewable && title(children[i]) == wanted)
                    found = children[i];
            }
            if (children) XFree(children);
        }
        if (found) return found;
        pause(50);
    }
    return 0;
}

void XSession::size(Window window, int& width, int& height) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes)) attributes.width = attributes.height = 0;
    width = attributes.width;
    height = attributes.height;
}

void XSession::position(Window window, int& x, int& y) {
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
}

void XSession::movePointer(Window window, int x, int y) {
    int screenX, screenY;
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), x, y, &screenX, &screenY,
                          &child);
    XTestFakeMotionEvent(display_, DefaultScreen(display_), screenX, screenY, CurrentTime);
    flush();
}

void XSession::pressButton(int button) { XTestFakeButtonEvent(display_, button, True, CurrentTime); flush(); }
void XSession::releaseButton(int button) { XTestFakeButtonEvent(display_, button, False, CurrentTime); flush(); }

void XSession::key(const std::string& keysymName, bool down) {
    KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName.c_str()));
    if (code == 0) throw std::runtime_error("no key code for " + keysymName);
    XTestFakeKeyEvent(display_, code, down, CurrentTime);
    flush();
}

void XSession::tapKey(Window window, const std::string& keysymName) {
    int width, height;
    size(window, width, height);
    movePointer(window, width / 2, height / 2);
    bool upper = keysymName.size() == 1 && keysymName[0] >= 'A' && keysymName[0] <= 'Z';
    if (upper) keyDown("Shift_L");
    keyDown(keysymName);
    keyUp(keysymName);
    if (upper) keyUp("Shift_L");
}

Screenshot XSession::capture(Window window) {
    Screenshot shot;
    size(window, shot.width, shot.height);
    if (shot.width == 0 || shot.height == 0) throw std::runtime_error("the window has gone");
    XImage* image = XGetImage(display_, window, 0, 0, shot.width, shot.height, AllPlanes, ZPixmap);
    if (!image) throw std::runtime_error("XGetImage failed");
    shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            size_t i = (static_cast<size_t>(y) * shot.width + x) * 3;
            shot.rgb[i] = (pixel & image->red_mask) >> 16;
            shot.rgb[i + 1] = (pixel & image->green_mask) >> 8;
            shot.rgb[i + 2] = pixel & image->blue_mask;
        }
    XDestroyImage(image);
    return shot;
}

void XSession::askToClose(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    flush();
}
