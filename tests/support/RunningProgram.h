#pragma once
// One of the game's programs started in a folder, its window found on the
// display, and a player's hands on it: keys, captures, and waiting for what
// the window shows.
#include <functional>
#include <string>
#include <vector>

#include "support/GameProcess.h"
#include "support/XSession.h"

int brightness(const Screenshot::Pixel& p);  // mean of the three channels, 0 to 255
int brightness(const Screenshot& shot);       // of the whole picture
// The game has drawn a frame: its HUD panel, drawn last in every frame, is bright.
bool showsGameFrame(const Screenshot& shot);

struct RunningProgram {
    // Starts program (a programPath) in workDir with the NAME=value settings
    // added to its environment, and waits for its window, titled with its path.
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
    // A left click at (x, y) in window pixels, the pointer brought there first.
    void click(int x, int y);
    Screenshot shot() { return x.capture(window); }
    // Keeps a capture in the test's temporary folder, to look at after a run.
    static void keep(const Screenshot& picture, const std::string& name);
};
