// Broken asset files against the real brellow. Each case damages one file in
// a copy of the generated assets and starts the game there: every damage the
// picture reader can meet on one picture, and on each other picture what its
// caller must answer (missing, an odd width, a FIFO); likewise for the models.
// A case ends either in the reader's line on standard output and the fatal
// message last on standard error with status 1, or in a game that draws its
// first frame and quits with status 0 on 'q'. Each test prints its table.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/Files.h"
#include "support/GameProcess.h"
#include "support/GeneratedAssets.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"

namespace {

namespace fs = std::filesystem;

const std::string brellowPath = programPath("brellow");
constexpr int startTimeoutMs = 30000;  // until a fatal exit or the first frame
constexpr int quitTimeoutMs = 15000;   // from 'q' to the exit

// ---- file damage -----------------------------------------------------------

uint32_t field32(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value * 256 + static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

void setField(std::string& bytes, size_t offset, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

using Damage = std::function<void(const fs::path&)>;

Damage editBytes(const std::function<void(std::string&)>& edit) {
    return [=](const fs::path& path) {
        std::string bytes = readFile(path);
        edit(bytes);
        writeFile(path, bytes);
    };
}

constexpr size_t widthField = 18, heightField = 22, planesField = 26, bppField = 28;

// Changes one header field (offset and size in bytes) of a BMP file.
Damage bmpField(size_t offset, uint32_t value, int size = 4) {
    return editBytes([=](std::string& bytes) { setField(bytes, offset, value, size); });
}

// Claims a size without changing the pixels.
Damage claimSize(uint32_t width, uint32_t height) {
    return editBytes([=](std::string& bytes) {
        setField(bytes, widthField, width, 4);
        setField(bytes, heightField, height, 4);
    });
}

// A top-down file: the height field holds minus the height.
const Damage negateHeight =
    editBytes([](std::string& bytes) { setField(bytes, heightField, 0u - field32(bytes, heightField), 4); });
// One pixel narrower: a width that is not a multiple of 4 (the generated
// pictures are powers of two). The file then holds more bytes than needed.
const Damage narrowByOne =
    editBytes([](std::string& bytes) { setField(bytes, widthField, field32(bytes, widthField) - 1, 4); });
const Damage cutHeader = editBytes([](std::string& bytes) { bytes.resize(40); });
// Keeps the header and half of the pixel block.
const Damage cutPixels = editBytes([](std::string& bytes) { bytes.resize(54 + (bytes.size() - 54) / 2); });

void removeFile(const fs::path& path) { fs::remove(path); }
void emptyFile(const fs::path& path) { writeFile(path, ""); }

// A new picture of the given size with a gentle slope of heights.
Damage pictureOfSize(uint32_t width, uint32_t height) {
    return [=](const fs::path& path) {
        writeTestPicture(path, width, height, [&](uint32_t x, uint32_t row) {
            return Rgb{static_cast<uint8_t>((x * 7 + row * 3) % 120), 120, 60};
        });
    };
}

// Replaces every line for which pick is true with replacement.
Damage rewriteLines(const std::function<bool(const std::string&)>& pick, const std::string& replacement) {
    return [=](const fs::path& path) {
        std::istringstream in(readFile(path));
        std::string out;
        for (std::string line; std::getline(in, line);) out += (pick(line) ? replacement : line) + "\n";
        writeFile(path, out);
    };
}

bool isFace(const std::string& line) { return line.rfind("f ", 0) == 0; }

// Every tenth line gets a line of rubbish after it.
void addGarbageLines(const fs::path& path) {
    const char* rubbish[] = {"v", "vt", "vn x y z", "f", "f / / /", "f a/b/c d/e/f g/h/i",
                             "\x01\x02\x7f\xff\xfe", "v nan inf -inf", "vt 1e39 -1e39",
                             "vn 1 2", "ffff 1 2 3", "   f 1/1/1 2/2/2 3/3/3", "\t v 1 2 3",
                             "f 1/1/1 2/2/2", "usemtl none", "s off", "o \xc3\xa9"};
    std::istringstream in(readFile(path));
    std::string out;
    int n = 0, next = 0;
    for (std::string line; std::getline(in, line);) {
        out += line + "\n";
        if (++n % 10 == 0) out += std::string(rubbish[next++ % std::size(rubbish)]) + "\n";
    }
    out += std::string("v 1 2 3\0 4 5\nf 1/1/1 2/2/2 3/3/3\0junk\n", 38);
    writeFile(path, out);
}

// Lines far longer than the reader's 255 characters: a long comment whose
// pieces start like vertex and face lines, a vertex line padded with
// spaces, and a face line with hundreds of extra corners.
void addLongLines(const fs::path& path) {
    std::string bytes = readFile(path);
    std::string comment = "#" + std::string(254, 'x') + "v 1 2 3" + std::string(248, ' ') + "f 1/1/1 2/2/2 3/3/3";
    std::string vertex = "v" + std::string(600, ' ') + "1 2 3";
    std::string face = "f 1/1/1 2/2/2 3/3/3";
    for (int i = 0; i < 200; ++i) face += " 4/4/4";
    writeFile(path, comment + "\n" + bytes + vertex + "\n" + face + "\n" + std::string(5000, 'z') + "\n");
}

// Special files in the asset's place: none may be opened for reading (a
// FIFO would block, /dev/zero never ends, a folder or /dev/null reads empty).
Damage replacedBy(const Damage& make) {
    return [=](const fs::path& path) {
        fs::remove(path);
        make(path);
    };
}

const std::vector<std::pair<std::string, Damage>> specialFiles = {
    {"a FIFO", replacedBy([](const fs::path& path) { mkfifo(path.c_str(), 0644); })},
    {"a folder", replacedBy([](const fs::path& path) { fs::create_directory(path); })},
    {"link to /dev/zero", replacedBy([](const fs::path& path) { fs::create_symlink("/dev/zero", path); })},
    {"link to /dev/null", replacedBy([](const fs::path& path) { fs::create_symlink("/dev/null", path); })},
};

// ---- running a case ----------------------------------------------------------

enum class Expect { Fatal, Runs };

struct Case {
    std::string file;         // under textures/ or models/
    std::string damage;       // what was done to it
    Damage apply;
    Expect expect;
    std::string readerLine;   // Fatal: the last standard output line starts so
    std::string fatalLine;    // Fatal: the standard error line of the message
    std::string reasonLine;   // Fatal: the standard error line after it starts so (none when empty)
    bool play = false;        // Runs: show the shadow overlay for a while before 'q'
    std::string warning;      // Runs: the first standard error line starts so (a regular expression)
};

Case fatalCase(const std::string& file, const std::string& damage, Damage apply,
               const std::string& readerLine, const std::string& fatalLine, const std::string& reasonLine = "") {
    return {file, damage, std::move(apply), Expect::Fatal, readerLine, fatalLine, reasonLine, false, ""};
}

Case runningCase(const std::string& file, const std::string& damage, Damage apply,
                 const std::string& warning = "", bool play = false) {
    return {file, damage, std::move(apply), Expect::Runs, "", "", "", play, warning};
}

// The only lines a running game may write on standard error: the model
// reader's skipped faces and the readers' notes on files laid out otherwise
// than they read them. The vehicle never reads the terrain outside its grid.
bool isKnownWarning(const std::string& line) {
    return line.rfind("Skipping ", 0) == 0 || line.rfind("Warning: ./textures/", 0) == 0 ||
           line.rfind("Warning: models/", 0) == 0;
}

struct Outcome {
    std::string what;         // "fatal", "ran, quit", "signal N", "hang", ...
    int status = 0;
    std::string firstErrorLine;
    std::string fatalErrorLine;  // the last line, or the one before the reason
    std::string lastErrorLine;
    std::string lastOutputLine;
    bool passed = false;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

// Starts the game on a damaged copy of the assets and watches it: it must end
// by itself (a fatal error) or draw its first frame, and then end on 'q'.
Outcome runCase(const Case& c, XSession& x) {
    TempWorkDir folder;
    copyGeneratedAssets(folder.path());
    c.apply(fs::path(folder.path()) / c.file);

    Outcome outcome;
    GameProcess process({brellowPath}, folder.path());
    bool drawn = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(startTimeoutMs);
    Window window = 0;
    while (process.running() && !drawn && std::chrono::steady_clock::now() < deadline) {
        if (!window) window = x.waitForWindow(brellowPath, 100);
        try {
            if (window) drawn = showsGameFrame(x.capture(window));
        } catch (const std::runtime_error&) {
            window = 0;  // closed by a fatal error; the loop sees the process end
        }
        if (!drawn) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (drawn) {
        if (c.play) {
            // The game plays on with its shadow overlay: two new pictures, the
            // second drawn after the game read the key, whatever the map's shape.
            x.tapKey(window, "s");
            for (int frame = 0; frame < 2; ++frame) {
                try {
                    const Screenshot last = x.capture(window);
                    waitUntil([&] { return !process.running() || x.capture(window).rgb != last.rgb; });
                } catch (const std::runtime_error&) {
                    break;  // the window has gone; the outcome says why
                }
            }
        }
        x.tapKey(window, "q");
        process.waitForExit(quitTimeoutMs);
    }
    // The outcome is what the game printed and its status, not who got there
    // first: a game that fails while it starts may have shown its window and
    // been sent 'q' before its own fatal exit, which 'q' does not change.
    const bool hangs = process.running();
    outcome.status = process.exitStatus();  // 0 while it runs
    outcome.what = hangs                 ? (drawn ? "hang after q" : "hang")
                   : outcome.status < 0  ? "signal " + std::to_string(-outcome.status)
                   : outcome.status == 0 ? (drawn ? "ran, quit" : "ended unasked")
                                         : "fatal";

    std::vector<std::string> errors = linesOf(process.standardError());
    std::vector<std::string> output = linesOf(process.standardOutput());
    if (!errors.empty()) outcome.firstErrorLine = errors.front(), outcome.lastErrorLine = errors.back();
    const size_t reasonLines = c.reasonLine.empty() ? 0 : 1;
    if (errors.size() > reasonLines) outcome.fatalErrorLine = errors[errors.size() - 1 - reasonLines];
    if (!output.empty()) outcome.lastOutputLine = output.back();

    if (c.expect == Expect::Runs) {
        outcome.passed = outcome.what == "ran, quit" && outcome.status == 0 &&
                         std::regex_search(outcome.firstErrorLine, std::regex("^" + c.warning)) &&
                         std::all_of(errors.begin(), errors.end(), isKnownWarning);
    } else {
        outcome.passed = outcome.what == "fatal" && outcome.status == 1 &&
                         outcome.fatalErrorLine == c.fatalLine &&
                         outcome.lastErrorLine.rfind(c.reasonLine.empty() ? c.fatalLine : c.reasonLine, 0) == 0 &&
                         outcome.lastOutputLine.rfind(c.readerLine, 0) == 0;
    }
    return outcome;
}

// Runs the cases one after another, prints the table and checks each row.
void runMatrix(const std::string& title, const std::vector<Case>& cases) {
    XSession x;
    std::ostringstream table;
    table << "\n" << title << "\n";
    char row[512];
    std::snprintf(row, sizeof row, "%-24s %-30s %-14s %-6s %s\n", "file", "damage", "outcome",
                  "status", "first stderr line");
    table << row;
    std::vector<std::pair<const Case*, Outcome>> failures;
    for (const Case& c : cases) {
        Outcome outcome = runCase(c, x);
        std::snprintf(row, sizeof row, "%-24s %-30s %-14s %-6d %s%s\n", c.file.c_str(),
                      c.damage.c_str(), outcome.what.c_str(), outcome.status,
                      outcome.firstErrorLine.substr(0, 100).c_str(), outcome.passed ? "" : "   <-- FAILED");
        table << row;
        if (!outcome.passed) failures.emplace_back(&c, outcome);
    }
    std::printf("%s\n", table.str().c_str());
    std::fflush(stdout);
    for (const auto& [c, outcome] : failures) {
        ADD_FAILURE() << c->file << " / " << c->damage << ": outcome " << outcome.what
                      << ", status " << outcome.status << "\n  last stdout line: "
                      << outcome.lastOutputLine << "\n  last stderr line: " << outcome.lastErrorLine
                      << (c->expect == Expect::Fatal ? "\n  expected stdout: " + c->readerLine +
                                                           "...\n  expected stderr: " + c->fatalLine
                                                     : "\n  expected a running game, stderr from: " + c->warning);
    }
}

// The damages of a picture, with the reader's line each must print: every
// damage the reader meets, or (whole false) only those whose answer depends
// on the picture's caller: missing, an odd width and a FIFO.
std::vector<Case> pictureCases(const std::string& name, bool whole) {
    const std::string path = "./textures/" + name, file = "textures/" + name;
    const std::string fatal =
        name == "Terrain.bmp" ? "Failed to load heightmap Terrain.bmp" : "Error loading texture " + path;
    const std::string notFound = "File Not Found : " + path, unreadable = "Error reading image data from " + path + ".";
    // The reader's line comes on standard output, and again, as the reason,
    // after the fatal message on standard error.
    auto fails = [&](const std::string& damage, Damage apply, const std::string& reader) {
        return fatalCase(file, damage, std::move(apply), reader, fatal, reader);
    };
    std::vector<Case> cases = {
        fails("missing", removeFile, notFound),
        runningCase(file, "width - 1 (not 4n)", narrowByOne, "Warning: " + path + ": rows padded"),
    };
    for (const auto& [damage, apply] : specialFiles)
        if (whole || damage == "a FIFO") cases.push_back(fails(damage, apply, notFound));
    if (!whole) return cases;
    cases.insert(cases.end(), {
        fails("empty", emptyFile, unreadable),
        fails("header cut at 40 bytes", cutHeader, unreadable),
        fails("truncated pixels", cutPixels, unreadable),
        fails("32 bits per pixel", bmpField(bppField, 32, 2), "Bpp from " + path + " is not 24: 32"),
        fails("8 bits per pixel", bmpField(bppField, 8, 2), "Bpp from " + path + " is not 24: 8"),
        fails("0 planes", bmpField(planesField, 0, 2), "Planes from " + path + " is not 1: 0"),
        fails("2 planes", bmpField(planesField, 2, 2), "Planes from " + path + " is not 1: 2"),
        fails("width 0", bmpField(widthField, 0), unreadable),
        fails("height 0", bmpField(heightField, 0), unreadable),
        fails("65536 x 65536 (overflow)", claimSize(65536, 65536), "Image size of " + path + " is too large"),
        fails("30000 x 30000 (> file)", claimSize(30000, 30000), unreadable),
        runningCase(file, "top-down (height -h)", negateHeight),
    });
    return cases;
}

// The damages of a model, all of them or (whole false) a missing file, a
// FIFO and one without faces. Only a file that cannot be read is fatal: bad
// faces are skipped with a warning and everything else is read as far as it
// goes.
std::vector<Case> modelCases(const std::string& name, bool whole) {
    const std::string file = "models/" + name;
    auto runs = [&](const std::string& damage, Damage apply, bool facesSkipped = true) {
        return runningCase(file, damage, std::move(apply),
                           facesSkipped ? "Skipping ([0-9]+ )?bad faces? in " + file + ",? (the first )?at line " : "");
    };
    auto everyFace = [](const std::string& replacement) { return rewriteLines(isFace, replacement); };
    // One face in three is replaced, so the model stays partly drawable.
    auto someFaces = [](const std::string& replacement) {
        auto count = std::make_shared<int>(0);
        return rewriteLines([=](const std::string& line) { return isFace(line) && ++*count % 3 == 0; }, replacement);
    };
    auto fails = [&](const std::string& damage, Damage apply) {
        return fatalCase(file, damage, std::move(apply), " *** LOADING NEW MODEL " + name,
                         "Error loading model " + name);
    };
    std::vector<Case> cases = {fails("missing", removeFile),
                               runs("vertices only, no faces", everyFace("# no face"), false)};
    for (const auto& [damage, apply] : specialFiles)
        if (whole || damage == "a FIFO") cases.push_back(fails(damage, apply));
    if (!whole) return cases;
    cases.insert(cases.end(), {
        runs("empty", emptyFile, false),
        runs("garbage lines", addGarbageLines),
        runs("huge indices", someFaces("f 999999/1/1 2147483647/2/2 99999999999999999999/3/3")),
        runs("relative indices", someFaces("f -1/-1/-1 -2/-2/-2 -3/-3/-3"), false),
        runs("relative indices before the first", someFaces("f -999/-1/-1 -2/-2/-2 -3/-3/-3")),
        runs("zero indices", someFaces("f 0/0/0 0/0/0 0/0/0")),
        // Faces of other forms than the file's others are read in their own.
        runs("faces without slashes", everyFace("f 1 2 3"), false),
        runs("faces v//n in a v/t/n file", someFaces("f 1//1 2//2 3//3"), false),
        runs("faces v/t in a v/t/n file", someFaces("f 1/1 2/2 3/3"), false),
        runs("lines over 255 characters", addLongLines, false),
    });
    return cases;
}

}  // namespace

TEST(BadAssetMatrix, DamagedPicturesEndInTheReadersLineAndTheFatalMessage) {
    std::vector<Case> cases;
    for (const std::string name :
         {"Terrain.bmp", "Grass.bmp", "Sky.bmp", "Camo.bmp", "Tree.bmp", "Moon.bmp", "MoonAlpha.bmp"})
        for (Case& c : pictureCases(name, name == "Grass.bmp")) cases.push_back(std::move(c));
    // A mask that scales to another size than the moon's picture.
    cases.push_back(fatalCase("textures/MoonAlpha.bmp", "64 x 64 (moon is 128 x 128)",
                              pictureOfSize(64, 64), " *** LOADING NEW TEXTURE Moon.bmp",
                              "Texture and alpha channel are different sizes!",
                              "./textures/Moon.bmp is 128 x 128 (128 x 128 as uploaded), ./textures/MoonAlpha.bmp "
                              "64 x 64 (64 x 64)"));
    runMatrix("Damaged pictures", cases);
}

TEST(BadAssetMatrix, DamagedModelsAreReadAsFarAsTheyGoOrEndInTheFatalMessage) {
    std::vector<Case> cases;
    for (const std::string name : {"HumVee.obj", "Tree.obj"})
        for (Case& c : modelCases(name, name == "Tree.obj")) cases.push_back(std::move(c));
    runMatrix("Damaged models", cases);
}

// Height maps of shapes the game does not expect: smaller than the vehicle's
// start at (64, 64) (it starts on the nearest grid point), one or a few
// points wide, not square, and larger than the window so that the shadow
// pass tiles. Each runs without a word; one point wide or deep, there is no
// ground to draw, and the map is refused.
TEST(BadAssetMatrix, HeightMapsOfAnyShapeRunWithShadowsAndOverlay) {
    std::vector<Case> cases;
    for (auto [width, height] : std::vector<std::pair<uint32_t, uint32_t>>{
             {1, 1}, {2, 2}, {3, 3}, {1, 64}, {64, 1}, {3, 200}, {200, 3}, {65, 130}, {130, 65},
             {64, 64}, {400, 100}, {100, 400}}) {
        const std::string size = std::to_string(width) + " x " + std::to_string(height);
        if (width < 2 || height < 2)
            cases.push_back(fatalCase("textures/Terrain.bmp", size, pictureOfSize(width, height),
                                      "Brellow 4 initialized.", "Failed to load heightmap Terrain.bmp",
                                      "The height map ./textures/Terrain.bmp is " + size + " points"));
        else
            cases.push_back(runningCase("textures/Terrain.bmp", size, pictureOfSize(width, height), "", true));
    }
    runMatrix("Height maps of unusual shapes", cases);
}
