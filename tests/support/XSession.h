#pragma once
// Drives a real program on the X display in $DISPLAY as a player would: real
// input events through the XTest extension, pictures read back from the
// window with XGetImage.
#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

// A screenshot of a window: RGB bytes, top row first.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    struct Pixel { int r, g, b; };
    // x from the left, y from the top, in window pixels.
    Pixel at(int x, int y) const;
    // Mean colour of the rectangle [x0, x1) x [y0, y1).
    Pixel mean(int x0, int y0, int x1, int y1) const;
    // Writes the picture as a BMP file, for looking at after a run.
    bool save(const std::string& path) const;
};

class XSession {
public:
    // On the display named, or on $DISPLAY when it is empty.
    explicit XSession(const std::string& displayName = "");
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // The mapped top-level window titled exactly title, waiting up to timeoutMs.
    Window waitForWindow(const std::string& title, int timeoutMs = 20000);
    std::string title(Window window);
    // 0 x 0 once the window has gone.
    void size(Window window, int& width, int& height);
    // Its top-left corner on the screen.
    void position(Window window, int& x, int& y);

    // Pointer and keys, in window coordinates (y from the top).
    void movePointer(Window window, int x, int y);
    void pressButton(int button);
    void releaseButton(int button);
    // Moves the pointer into the window (which gives it the keyboard focus)
    // and taps the key named by an X keysym name such as "q" or "Escape".
    void tapKey(Window window, const std::string& keysymName);
    void keyDown(const std::string& keysymName) { key(keysymName, true); }
    void keyUp(const std::string& keysymName) { key(keysymName, false); }

    // The title as UTF-8 (_NET_WM_NAME), which window managers show.
    std::string utf8Title(Window window);
    // The window's class (WM_CLASS, its class part) and process id (_NET_WM_PID, 0 without one).
    std::string windowClass(Window window);
    long windowPid(Window window);
    // Its icons (_NET_WM_ICON), one after another: width, height, then the
    // pixels as 0xAARRGGBB, top row first. Empty without one.
    std::vector<unsigned long> windowIcon(Window window);
    // What a window manager does: unmap (iconify) and map again, resize.
    void unmapWindow(Window window);
    void mapWindow(Window window);
    void resizeWindow(Window window, int width, int height);
    // Takes the keyboard focus away from every window, as another window or a
    // window manager's grab does, and gives it back to the window under the pointer.
    void takeKeyboard();
    void giveBackKeyboard();

    // Throws when the window has gone.
    Screenshot capture(Window window);

    // Ways another client can take a program's window away: destroy it, cut
    // the program's connection (as xdotool windowkill does), or ask it to
    // close as a window manager's close button does.
    void destroyWindow(Window window);
    void killClient(Window window);
    void askToClose(Window window);

private:
    // A format-32 CARDINAL property's values; empty without one.
    std::vector<unsigned long> cardinals(Window window, const char* property);
    void key(const std::string& keysymName, bool down);
    void flush();
    Display* display_;
};
