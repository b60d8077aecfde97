// The real brellow binary in the virtual display, driven with X key events.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/GameProcess.h"
#include "e2e/XSession.h"
#include "e2e/GameAssets.h"

namespace {

const std::string brellowPath = std::string(BRELLOW_BIN_DIR) + "/brellow";

struct StartedGame {
    GameProcess process{{brellowPath}, gameAssetsDir()};
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
    GameProcess process({brellowPath}, gameAssetsDir(), {}, GameProcess::Output::PipeWithNoReader);
    XSession x;
    Window window = x.waitForWindow(brellowPath);
    ASSERT_NE(window, 0u) << process.standardError();
    EXPECT_FALSE(process.waitForExit(1000)) << "status " << process.exitStatus();
    x.tapKey(window, "q");
    ASSERT_TRUE(process.waitForExit(10000));
    EXPECT_EQ(process.exitStatus(), 0);
    EXPECT_EQ(process.standardError(), "");
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
    std::filesystem::copy(gameAssetsDir(), dir, std::filesystem::copy_options::recursive);
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
