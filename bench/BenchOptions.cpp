#include "BenchOptions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "game/GameUpdate.h"

namespace {

constexpr int smallestGrid = 65;
constexpr int largestGrid = 4096;

bool parseInt(const char* text, long low, long high, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= low && value <= high;
}

bool parseSizes(const char* text, std::vector<int>& sizes) {
    sizes.clear();
    const char* start = text;
    while (true) {
        char* end = nullptr;
        long size = std::strtol(start, &end, 10);
        if (end == start || size < 1 || size > largestGrid) return false;
        sizes.push_back(static_cast<int>(size));
        if (*end == '\0') return true;
        if (*end != ',') return false;
        start = end + 1;
    }
}

}  // namespace

int BenchOptions::framesPerSize() const {
    if (frames > 0) return frames;
    return static_cast<int>(std::ceil(wholeDayAndNightMs / stepMs)) + 1;
}

int terrainGridSize(int requestedSize) { return requestedSize < smallestGrid ? smallestGrid : requestedSize; }

bool parseBenchOptions(int argc, const char* const* argv, BenchOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--plain") {
            options.plainDrawing = true;
            continue;
        }
        if (name == "--client-arrays") {
            options.clientArraysToo = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = "unknown option or missing value: " + name;
            return false;
        }
        const char* value = argv[++i];
        long number = 0;
        bool ok = true;
        if (name == "--frames") {
            ok = parseInt(value, 1, 10000000, number);
            options.frames = static_cast<int>(number);
        } else if (name == "--drift-frames") {
            ok = parseInt(value, 0, 10000000, number);
            options.driftFrames = static_cast<int>(number);
        } else if (name == "--drift-size") {
            ok = parseInt(value, 1, largestGrid, number);
            options.driftSize = static_cast<int>(number);
        } else if (name == "--profile-every") {
            ok = parseInt(value, 0, 1000000, number);
            options.profileEvery = static_cast<int>(number);
        } else if (name == "--turn") {
            ok = parseInt(value, -100, 100, number);
            options.turnPixels = static_cast<int>(number);
        } else if (name == "--seed") {
            ok = parseInt(value, 0, 4294967295L, number);
            options.seed = static_cast<unsigned>(number);
        } else if (name == "--step") {
            char* end = nullptr;
            options.stepMs = std::strtod(value, &end);
            // A longer step would be played cut short and the frames would
            // no longer go round a day and night.
            ok = end != value && *end == '\0' && options.stepMs >= 1 && options.stepMs <= 10000 &&
                 playedStepMs(static_cast<int32_t>(std::ceil(options.stepMs)), 0) >= options.stepMs;
        } else if (name == "--sizes") {
            ok = parseSizes(value, options.sizes);
        } else if (name == "--json") {
            ok = value[0] != '\0';
            options.jsonPath = value;
        } else {
            error = "unknown option: " + name;
            return false;
        }
        if (!ok) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

const char* benchUsage() {
    return "usage: brellow-bench [options]\n"
           "  --sizes LIST         terrain sizes, grid points a side, up to 4096 (default\n"
           "                       128,1024,2048,4096; below 65 the terrain is made 65, the\n"
           "                       vehicle starts at 64,64)\n"
           "  --frames N           frames per size and scene (default: a whole day and night)\n"
           "  --step MS            game time per frame, up to 250 (default 50; 250 goes round a\n"
           "                       day and night in 316 frames)\n"
           "  --drift-frames N     frames of the resident-memory run (default 10000; 0 skips)\n"
           "  --drift-size N       terrain of that run (default 128)\n"
           "  --profile-every K    profile every K-th frame pass by pass (default 4; 0 none)\n"
           "  --turn PX            pointer travel per frame while steering (default 1)\n"
           "  --seed S             world layout (default 4)\n"
           "  --json PATH          results file (default bench-results.json)\n"
           "  --plain              draw the tests' plain reference frame instead of the game's\n"
           "  --client-arrays      run each size again with the terrain sent from client-side\n"
           "                       vertex arrays, as without buffer objects, and compare\n";
}
