// The game's drawing against the plain reference frame (reference/ReferenceFrame.h)
// over scripted games of three known worlds: every time of day, both views,
// headlights, the overlay, views across the terrain from its edges, and trees
// whose model has no normals or no texture coordinates.
//
// What a pass leaves is what the next draws with, so at each pass mark from
// the terrain on the GL state (GlStateSnapshot.h) must be the reference's; at
// the sky's, which the reference draws elsewhere, the switches and the blend
// function. Each kind of pixel difference is counted, and one of no kind
// fails: rounding (roundingLevels); a fold shaded otherwise (closeLevels), as
// a software rasteriser splits a quad along one diagonal or the other as
// something else in its draw needs clipping or not, and the game's draws hold
// other quads than the reference's; an edge moved by a pixel; and a crack the
// rasteriser leaves between two ground triangles (softpipe does), black in
// the game's frame, which skips the sky below the rows the ground surely
// covers, where the reference's sky shows through.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cctype>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "frame/FrameMemory.h"
#include "frame/FrameView.h"
#include "frame/FrameDrawing.h"
#include "game/GameFrame.h"
#include "game/GameScreen.h"
#include "game/GameInput.h"
#include "game/GameUpdate.h"
#include "game/GameWorld.h"
#include "image/Bmp.h"
#include "platform/FramePasses.h"
#include "scene/Object.h"
#include "support/GeneratedAssets.h"
#include "support/GlStateSnapshot.h"
#include "reference/ReferenceFrame.h"
#include "support/TempWorkDir.h"
#include "support/WindowReadBack.h"
#include "terrain/Terrain.h"

namespace {

constexpr int roundingLevels = 2;
constexpr int closeLevels = 24;
constexpr size_t maxShadedPixels = 3000;  // a frame (of 786,432), as are the next two
constexpr size_t maxMovedEdges = 50;
constexpr size_t maxCracks = 8;

// What one drawing of a frame left at each pass mark, and its picture as the
// HUD finished it, before any swap.
struct DrawnFrame {
    GlStateSnapshot states[static_cast<int>(FramePass::count)];
    bool marked[static_cast<int>(FramePass::count)] = {};
    std::vector<unsigned char> picture;
};
DrawnFrame* drawing = nullptr;

void recordPass(FramePass pass) {
    if (!drawing) return;
    drawing->states[static_cast<int>(pass)] = takeGlStateSnapshot();
    drawing->marked[static_cast<int>(pass)] = true;
    if (pass == FramePass::hud) drawing->picture = readWindow();
}

// How a model is written: as generated, or with normals or texture
// coordinates left out of its vertices and faces.
enum class TreeModel { generated, withoutNormals, withoutTexCoords };

// Rewrites models/<name> of the current folder: its v/vt/vn corners become
// v/vt or v//vn.
void stripModel(const std::string& name, TreeModel model) {
    const std::string path = "models/" + name;
    std::ifstream in(path);
    std::stringstream out;
    const bool noNormals = model == TreeModel::withoutNormals;
    const std::regex corner(noNormals ? "(\\d+/\\d*)/\\d+" : "(\\d+)/\\d*(/\\d+)");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(noNormals ? "vn " : "vt ", 0) != 0)
            out << (line.rfind("f ", 0) == 0 ? std::regex_replace(line, corner, noNormals ? "$1" : "$1/$2") : line) << "\n";
    std::ofstream(path) << out.str();
}

// Pixels of one frame, or of a run, by the kind of difference.
struct PixelCounts {
    size_t rounding = 0, shaded = 0, moved = 0, cracks = 0, unexplained = 0;
    size_t off() const { return rounding + shaded + moved + cracks + unexplained; }
    void add(const PixelCounts& o) {
        rounding += o.rounding, shaded += o.shaded, moved += o.moved, cracks += o.cracks, unexplained += o.unexplained;
    }
};

class ReferenceFrame : public testing::Test {
protected:
    void TearDown() override {
        setFramePassListener(nullptr);
        endWorld();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    // Builds the world of seed in the current folder and plays it.
    void startWorld(uint32_t seed) {
        testing::internal::CaptureStdout();
        initWorld(world, seed);
        testing::internal::GetCapturedStdout();
        clockNow = 1000;
        setFramePassListener(recordPass);
        pressMouseButton(world, true, true, 0, 0);  // driving, so the scene moves
    }

    // Gives back the world and what its frames drew with, as a game's end does.
    void endWorld() {
        releaseWorld(world);
        screen.frame.release();
    }

    // Plays on for stepMs of game time, turning steadily.
    void play(int32_t stepMs) {
        for (int32_t end = clockNow + stepMs; clockNow < end;) {
            clockNow += 250;
            updateWorld(world, takeStepMs(world, clockNow));
            dragPointer(world, world.lastMouseX + 1, world.lastMouseY);
        }
    }

    // Stands the vehicle near one of the terrain's edges, facing across it.
    void standAtEdge(int edge) {
        const float w = static_cast<float>(world.scene.terrain->getWidth());
        const float d = static_cast<float>(world.scene.terrain->getDepth());
        const float at[4][3] = {{2, d / 2, 0}, {w - 3, d / 3, 180}, {w / 2, 2, 90}, {w / 3, d - 3, -90}};
        world.scene.vehicle->setPositionOnTerrain(at[edge][0], at[edge][1]);
        world.scene.vehicle->setRotationY(at[edge][2]);
    }

    // The largest difference of any channel between pixel p of one frame and
    // pixel q of another.
    static int levelsApart(const std::vector<unsigned char>& a, size_t p, const std::vector<unsigned char>& b,
                           size_t q) {
        int levels = 0;
        for (size_t c = 0; c < 3; ++c) levels = std::max(levels, std::abs(a[3 * p + c] - b[3 * q + c]));
        return levels;
    }

    // Does test(q) hold for some pixel q next to (x, y), or at it when withSelf?
    template <class Test>
    static bool anyNeighbour(int x, int y, bool withSelf, Test test) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if ((!withSelf && dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= 1024 || ny >= 768) continue;
                if (test(size_t(ny) * 1024 + nx)) return true;
            }
        return false;
    }

    static bool isBlack(const std::vector<unsigned char>& frame, size_t p) {
        return frame[3 * p] == 0 && frame[3 * p + 1] == 0 && frame[3 * p + 2] == 0;
    }

    // The state each drawing left at the marks of the sky and from the terrain's to the HUD's must be the same.
    void compareStates(const DrawnFrame& game, const DrawnFrame& reference, const std::string& what) {
        for (FramePass pass : {FramePass::sky, FramePass::terrain, FramePass::trees, FramePass::orbs,
                               FramePass::vehicle, FramePass::overlay, FramePass::hud}) {
            const int mark = static_cast<int>(pass);
            const StateParts parts = pass == FramePass::sky ? StateParts::switchesAndBlend : StateParts::all;
            ASSERT_TRUE(game.marked[mark] && reference.marked[mark]) << what << ": " << framePassName(pass);
            int fields = 0;
            for (const std::string& field : stateDifferences(game.states[mark], reference.states[mark], parts, &fields))
                ADD_FAILURE() << what << ": after the " << framePassName(pass) << " pass the " << field << " differs";
            stateFieldsCompared += fields;
        }
    }

    // Keeps both pictures of a failed frame, named for it and for this process.
    static void keepFrames(const std::vector<unsigned char>& fast, const std::vector<unsigned char>& plain,
                           const std::string& what) {
        std::string name = what;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '-';
        for (const auto& [picture, kind] : {std::pair{&fast, "game"}, std::pair{&plain, "reference"}}) {
            const std::string path = testing::TempDir() + "brellow-" + name + "-" + kind + "-" +
                                     std::to_string(getpid()) + ".bmp";
            writeBmp(path.c_str(), 1024, 768, picture->data());
            std::printf("kept %s\n", path.c_str());
        }
    }

    // Draws the frame both ways and compares every pixel and the state.
    void compareFrame(const std::string& what) {
        DrawnFrame game, reference;
        drawing = &game;
        displayGame(screen);
        drawing = &reference;
        drawReferenceFrame(makeFrameView(world, screen.frame.drawnQuads), screen.frame.lights);
        drawing = nullptr;
        compareStates(game, reference, what);
        const std::vector<unsigned char> &fast = game.picture, &plain = reference.picture;
        ASSERT_EQ(fast.size(), plain.size());
        PixelCounts counts;
        size_t lit = 0;
        // An edge moved: within closeLevels of a reference pixel next to it. A
        // crack: black, its every neighbour not black and within closeLevels of the reference's.
        auto alike = [&](size_t p, size_t q) { return levelsApart(fast, p, plain, q) <= closeLevels; };
        for (int y = 0; y < 768; ++y)
            for (int x = 0; x < 1024; ++x) {
                const size_t p = size_t(y) * 1024 + x;
                const int levels = levelsApart(fast, p, plain, p);
                if (levels == 0) continue;
                worstLevels = std::max(worstLevels, levels);
                if (levels <= roundingLevels) {
                    ++counts.rounding;
                } else if (levels <= closeLevels) {
                    ++counts.shaded;
                } else if (anyNeighbour(x, y, true, [&](size_t q) { return alike(p, q); })) {
                    ++counts.moved;
                } else if (isBlack(fast, p) &&
                           !anyNeighbour(x, y, false, [&](size_t q) { return isBlack(fast, q) || !alike(q, q); })) {
                    ++counts.cracks;
                } else if (counts.unexplained++ == 0) {
                    ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << levels << " levels off";
                    keepFrames(fast, plain, what);
                }
            }
        for (unsigned char byte : fast) lit += byte > 40;
        ++framesCompared;
        framesNeedingTolerance += counts.off() > 0;
        pixelsOff.add(counts);
        EXPECT_EQ(counts.unexplained, 0u) << what;
        EXPECT_LE(counts.shaded, maxShadedPixels) << what;
        EXPECT_LE(counts.moved, maxMovedEdges) << what;
        EXPECT_LE(counts.cracks, maxCracks) << what;
        EXPECT_GT(lit, fast.size() / 200) << what << ": a frame of one colour proves nothing";
    }

    // Plays a whole day and night of a world, comparing frames along it.
    void playAndCompare(uint32_t seed, TreeModel trees) {
        TempWorkDir dir;
        copyGeneratedAssets(dir.path());
        if (trees != TreeModel::generated) stripModel("Tree.obj", trees);
        startWorld(seed);
        // 70 frames a world, or fewer (BRELLOW_REFERENCE_FRAMES) for slower rasterisers.
        const char* fewer = std::getenv("BRELLOW_REFERENCE_FRAMES");
        const int frames = fewer && std::atoi(fewer) > 0 ? std::min(std::atoi(fewer), 70) : 70;
        constexpr int32_t dayAndNightMs = 78540;
        for (int frame = 0; frame < frames; ++frame) {
            play(dayAndNightMs / frames);
            const bool ride = frame % 4 == 1;
            pressKey(world, ride ? '1' : '2');
            if (frame % 5 == 2) pressKey(world, 'h');
            if (frame % 7 == 3 || frame % 7 == 4) pressKey(world, 's');
            if (frame % 6 == 5) standAtEdge(frame / 6 % 4);
            compareFrame("seed " + std::to_string(seed) + ", frame " + std::to_string(frame) +
                         (ride ? ", ride view" : ", chase view") + (world.headlightsOn ? ", headlights" : "") +
                         (world.showOverlay ? ", overlay" : ""));
        }
        endWorld();
    }

    void printFigures() const {
        const PixelCounts& all = pixelsOff;
        std::printf("[ figures  ] %d frames, %d needed the tolerance: %zu pixels off (at most %d levels): rounding "
                    "%zu, shaded %zu, edges moved %zu, cracks %zu; %zu state fields compared\n",
                    framesCompared, framesNeedingTolerance, all.off(), worstLevels, all.rounding, all.shaded,
                    all.moved, all.cracks, stateFieldsCompared);
    }

    // Puts every tree and orb behind the chase camera, out of view, so the
    // frame skips them all, and compares a frame by day and one by night.
    void compareWithEverythingElseOutOfView(const std::string& what) {
        play(19000);  // about noon
        const Vector3 p = world.scene.vehicle->getPosition();
        world.scene.vehicle->setRotationY(0);
        int k = 0;
        for (const auto& object : world.scene.trees) object->setPosition(p.x - 20 + k++, p.y, p.z - 40);
        for (const auto& object : world.scene.orbs) object->setPosition(p.x - 12 + k++ % 24, p.y + 1, p.z - 45);
        compareFrame(what + ", noon");
        play(40000);
        compareFrame(what + ", night");
    }

    GameScreen screen;
    GameWorld& world = screen.world;
    int32_t clockNow = 0;

    // What a test compared, printed for the record.
    int framesCompared = 0, framesNeedingTolerance = 0, worstLevels = 0;
    PixelCounts pixelsOff;
    size_t stateFieldsCompared = 0;
};

TEST_F(ReferenceFrame, ScriptedGamesOfThreeWorldsMatchThePlainFrame) {
    playAndCompare(18, TreeModel::generated);
    playAndCompare(5, TreeModel::withoutNormals);
    playAndCompare(2024, TreeModel::withoutTexCoords);
    printFigures();
}

// A large terrain: the silhouette picture spans many tiles, and most of the
// ground lies outside the view. Seen from its middle and from an edge.
TEST_F(ReferenceFrame, AThousandGridPointTerrainMatchesThePlainFrameFromItsMiddleAndItsEdge) {
    TempWorkDir dir;
    generateAssetsWithTerrain(dir.path(), 1024);
    startWorld(18);
    play(19000);  // about noon
    world.scene.vehicle->setPositionOnTerrain(512, 512);
    compareFrame("1024, middle, chase view");
    pressKey(world, '1');
    compareFrame("1024, middle, ride view");
    // Most of what the ride view takes in lies behind nearer hills: that frame
    // must have left such ground out, or it proved nothing of the shortcut.
    auto quadsChosen = [](const VisibleQuads& quads) {
        size_t count = 0;
        quads.forEachQuad([&](uint32_t, uint32_t) { ++count; });
        return count;
    };
    VisibleQuads inView;
    inView.select(world.scene.terrain->getPieces(), makeFrameView(world, screen.frame.drawnQuads).view);
    EXPECT_LT(quadsChosen(screen.frame.drawnQuads) * 2, quadsChosen(inView));
    standAtEdge(0);
    compareFrame("1024, edge, ride view");
    pressKey(world, '2');
    play(12000);  // a low afternoon sun: long shadows across tile seams
    standAtEdge(1);
    compareFrame("1024, edge, chase view");
    printFigures();
}

TEST_F(ReferenceFrame, AVehicleWithoutNormalsOrTexCoordsLooksTheSameWithEveryOtherObjectOutOfView) {
    for (int size : {128, 1024})
        for (TreeModel form : {TreeModel::withoutNormals, TreeModel::withoutTexCoords}) {
            TempWorkDir dir;
            generateAssetsWithTerrain(dir.path(), size);
            stripModel("HumVee.obj", form);
            startWorld(18);
            if (size == 1024) world.scene.vehicle->setPositionOnTerrain(512, 512);
            const char* model = form == TreeModel::withoutNormals ? ", no normals" : ", no texture coordinates";
            compareWithEverythingElseOutOfView(std::to_string(size) + model);
            endWorld();
        }
    printFigures();
}

// The shadow pass makes only the values of the quads the frame draws, from
// the objects whose silhouettes can reach them. Over a day's sun heights and
// the headings of a steady turn, every drawn quad must get the very value
// the whole picture of every object gives it, and some values must indeed be
// left out.
TEST_F(ReferenceFrame, ShadowsOfTheDrawnQuadsDoNotDependOnObjectsOutOfReach) {
    InGeneratedAssets assets;
    startWorld(18);
    const Terrain& terrain = *world.scene.terrain;
    size_t quadsCompared = 0, drawnValuesOff = 0, valuesLeftOut = 0;
    for (int32_t gameMs = 1500; gameMs < 39000; gameMs += 1500) {
        play(1500);
        const FrameView frame = makeFrameView(world, screen.frame.drawnQuads);
        ASSERT_TRUE(frame.shadowed);
        drawFrame(frame, screen.frame);
        const ShadowGrid* shadows = &screen.frame.shadowBuffers.shadowGrid;
        const ShadowGrid& all = referenceShadowGrid(frame);

        std::vector<bool> isDrawn(size_t{terrain.getWidth()} * terrain.getDepth(), false);
        frame.quads->forEachQuad([&](uint32_t x, uint32_t z) {
            isDrawn[all.index(x, z)] = true;
            ++quadsCompared;
            drawnValuesOff += shadows->at(x, z) != all.at(x, z);
        });
        ASSERT_EQ(drawnValuesOff, 0u) << "at " << gameMs;
        for (size_t cell = 0; cell < isDrawn.size(); ++cell)
            valuesLeftOut += !isDrawn[cell] && shadows->data()[cell] != all.data()[cell];
    }
    EXPECT_GT(quadsCompared, 10000u);
    EXPECT_GT(valuesLeftOut, 0u) << "no silhouette was ever left out";
}

}  // namespace
