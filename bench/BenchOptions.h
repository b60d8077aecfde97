#pragma once
// What one benchmark invocation measures, read from the command line. Plain
// C++ so the parsing can be tested without a window.
#include <string>
#include <vector>

constexpr double wholeDayAndNightMs = 78540;  // sunrise to sunrise at the game's sun rate

struct BenchOptions {
    std::vector<int> sizes = {128, 1024, 2048, 4096};  // terrain grid points a side, as asked for
    double stepMs = 50;             // game time per frame (ms): a day and night in 1,572 frames;
                                    // at most the longest step the game plays whole (250)
    int frames = 0;                 // frames per terrain size; 0 = a whole day and night
    int driftFrames = 10000;        // frames of the memory-drift run at 128; 0 skips it
    int driftSize = 128;            // terrain of the memory-drift run
    int profileEvery = 4;           // every k-th frame is profiled pass by pass; 0 = none
    int turnPixels = 1;             // pointer travel per frame while steering, window pixels
    unsigned seed = 4;              // fixes the world's layout
    std::string jsonPath = "bench-results.json";
    bool help = false;
    bool plainDrawing = false;      // every drawing shortcut off: the "before" figures
    bool clientArraysToo = false;   // each size is also run with the terrain in client-side arrays

    // Frames of one size's run: the option, or enough whole steps to go from
    // sunrise round to the next sunrise.
    int framesPerSize() const;
};

// The grid the game is given for a requested size. The vehicle starts on grid
// point (64, 64), so no terrain is made smaller than 65 points a side.
int terrainGridSize(int requestedSize);

// Fills options from argv. On a bad argument returns false with a one-line
// reason in error.
bool parseBenchOptions(int argc, const char* const* argv, BenchOptions& options, std::string& error);

const char* benchUsage();
