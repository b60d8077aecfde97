// The real brellow binary in the virtual display, driven with X key events.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "e2e/GameProcess.h"
#include "e2e/XSession.h"
#include "support/GeneratedAssets.h"

namespace {

const std::string brellowPath = std::string(BRELLOW_BIN_DIR) + "/brellow";

struct StartedGame {
    GameProcess process{{brellowPath}, generatedAssetsDir()};
    XSession x;
    Window window = x.waitForWindow(brellowPath);
};

TEST(Startup, GreetsOpensTitledWindowAndQuitsWithQ) {
    StartedGame game;
    ASSERT_NE(game.window, 0u) << game.process.standardError();
    int width, height;
    game.x.size(game.window, width, height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    EXPECT_EQ(game.x.title(game.window), brellowPath);

    game.x.tapKey(game.window, "q");
    ASSERT_TRUE(game.process.waitForExit(10000));
    EXPECT_EQ(game.process.exitStatus(), 0);
    std::vector<std::string> lines = game.process.outputLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Brellow 4 initialized.  Hi.");
}

TEST(Startup, OutputThatCannotBeWrittenIsDroppedAndPlayGoesOn) {
    // As in "brellow | head -n 1" once head has gone.
    GameProcess process({brellowPath}, generatedAssetsDir(), {}, GameProcess::Output::PipeWithNoReader);
    XSession x;
    Window window = x.waitForWindow(brellowPath);
    ASSERT_NE(window, 0u) << process.standardError();
    EXPECT_FALSE(process.waitForExit(1000)) << "status " << process.exitStatus();
    x.tapKey(window, "q");
    ASSERT_TRUE(process.waitForExit(10000));
    EXPECT_EQ(process.exitStatus(), 0);
    EXPECT_EQ(process.standardError(), "");
}

TEST(Startup, EitherProgramEndsWithOneLineWhenItsWindowGoes) {
    struct Program {
        std::string path;
        int x0, y0, x1, y1;  // a part of the window that is bright once it has drawn
    };
    const Program programs[] = {{brellowPath, 12, 12, 110, 54},  // the HUD panel
                                {std::string(BRELLOW_BIN_DIR) + "/brellow-menu", 0, 0, 1024, 768}};
    const std::pair<const char*, void (XSession::*)(Window)> ways[] = {
        {"destroyed", &XSession::destroyWindow},
        {"connection cut", &XSession::killClient},
        {"asked to close", &XSession::askToClose},
    };
    for (const Program& program : programs)
        for (const auto& [way, takeAway] : ways) {
            SCOPED_TRACE(program.path + ", window " + way);
            GameProcess process({program.path}, generatedAssetsDir());
            XSession x;
            Window window = x.waitForWindow(program.path);
            ASSERT_NE(window, 0u) << process.standardError();
            bool drawn = false;
            while (!drawn && process.running()) {
                Screenshot shot = x.capture(window);
                Screenshot::Pixel p = shot.mean(program.x0, program.y0, program.x1, program.y1);
                drawn = (p.r + p.g + p.b) / 3 > 20;
                if (!drawn) std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            ASSERT_TRUE(drawn) << process.standardError();
            (x.*takeAway)(window);
            ASSERT_TRUE(process.waitForExit(10000)) << "still running without its window";
            EXPECT_EQ(process.exitStatus(), 1);
            EXPECT_EQ(process.standardError(), "The window was closed.\n");
        }
}

TEST(Startup, EscapeQuitsButUpperCaseQDoesNot) {
    StartedGame game;
    ASSERT_NE(game.window, 0u) << game.process.standardError();
    game.x.tapKey(game.window, "Q");
    EXPECT_FALSE(game.process.waitForExit(1000)) << "'Q' must not end the game";
    game.x.tapKey(game.window, "Escape");
    ASSERT_TRUE(game.process.waitForExit(10000));
    EXPECT_EQ(game.process.exitStatus(), 0);
}

}  // namespace

namespace {

TEST(Startup, AMissingPictureEndsTheGameWithItsMessageAndStatusOne) {
    std::string dir = ::testing::TempDir() + "brellow-missing-grass";
    std::filesystem::remove_all(dir);
    std::filesystem::copy(generatedAssetsDir(), dir, std::filesystem::copy_options::recursive);
    std::filesystem::remove(dir + "/textures/Grass.bmp");

    GameProcess process({brellowPath}, dir);
    ASSERT_TRUE(process.waitForExit(20000));
    EXPECT_EQ(process.exitStatus(), 1);
    std::vector<std::string> lines = process.outputLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Brellow 4 initialized.  Hi.");
    EXPECT_EQ(lines[1], " *** LOADING NEW TEXTURE Grass.bmp");
    EXPECT_EQ(lines[2], "File Not Found : ./textures/Grass.bmp");
    EXPECT_EQ(process.standardError(), "Error loading texture ./textures/Grass.bmp\n");
    std::filesystem::remove_all(dir);
}

}  // namespace
