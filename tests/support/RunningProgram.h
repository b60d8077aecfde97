#pragma once
// One of the game's programs started in a folder, its window found on the
// display, and a player's hands on it: keys, captures, and waiting for what
// the window shows.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/GameProcess.h"
#include "support/XSession.h"

int brightness(const Screenshot::Pixel& p);  // mean of the three channels, 0 to 255
int brightness(const Screenshot& shot);       // of the whole picture
// The game has drawn a frame: its HUD panel, drawn last in every frame, is bright.
bool showsGameFrame(const Screenshot& shot);
// The shadow overlay ('s') of a 128 x 128 terrain in a 1024 x 768 window: its
// lower-left corner at (20, 20) from the window's bottom, that is rows 620 to
// 747 from the top.
constexpr int overlayLeft = 20, overlayTop = 768 - 20 - 128, overlaySize = 128;
// The overlay's pixels whose brightness passes.
int overlayPixels(const Screenshot& shot, bool (*passes)(int brightness));
// The game shows its overlay, mostly white (lit) where the ground is dark at dawn.
bool showsOverlay(const Screenshot& shot);
// The overlay shows the objects' shadows with the sun well up: more than 60
// of its pixels dark, at least 80 % white.
bool showsShadowsInOverlay(const Screenshot& shot);

// Asks condition every 25 ms until it holds or timeoutMs passes; true if it held.
// Tests wait so, never a fixed time: a slower machine gives the same verdict.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);

struct RunningProgram {
    // Starts program (a programPath) in workDir with the NAME=value settings
    // added to its environment, and waits for its window, titled with its path;
    // on another display with a DISPLAY= setting (startVirtualDisplay).
    RunningProgram(const std::string& program, const std::string& workDir,
                   const std::vector<std::string>& environment = {},
                   GameProcess::Output output = GameProcess::Output::Captured);

    GameProcess process;
    XSession x;
    Window window;

    // Captures until picture accepts one (the last one is left in shot), the
    // program ends or timeoutMs passes.
    bool waitForPicture(const std::function<bool(const Screenshot&)>& picture, Screenshot& shot,
                        int timeoutMs = 20000);
    // The game's first frame is on screen: the HUD panel, drawn last in every
    // frame, is bright. For the menu: the window is no longer black.
    bool waitForFirstFrame(int timeoutMs = 20000);
    void key(const std::string& name) { x.tapKey(window, name); }
    // Taps the key; true once the program has ended by itself with status 0
    // (within 10 s).
    bool endsOnKey(const std::string& name);
    // Waits until the program has used less than 50 ms of processor time in
    // half a second: it has settled, say, after its window was hidden.
    bool waitUntilIdle(int timeoutMs = 20000);
    // A left click at (x, y) in window pixels, the pointer brought there first.
    void click(int x, int y);
    Screenshot shot() { return x.capture(window); }
    // Keeps a capture to look at should the test fail: the pictures kept are
    // written to kept-pictures/<test>-<pid>/ in the working folder (the build
    // tree's tests/) when the program is let go of after a failure.
    void keep(const Screenshot& picture, const std::string& name) { kept_.emplace_back(name, picture); }
    ~RunningProgram();

private:
    std::vector<std::pair<std::string, Screenshot>> kept_;
};
