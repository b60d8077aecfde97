// The real programs in a virtual display, driven with X key events: how they
// start, quit and end when their window goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "assets/Icon.h"
#include "support/GeneratedAssets.h"
#include "support/PrivateDisplay.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"
#include "support/TempWorkDir.h"

namespace {

const std::string brellowPath = programPath("brellow");

// The window is titled with the path the game was started by (RunningProgram
// finds it so), also as UTF-8 for the window managers that show it, whatever
// letters the path holds.
TEST(Startup, GreetsOpensAWindowTitledWithItsPathInAnyLettersAndQuitsWithQButNotUpperCaseQ) {
    TempWorkDir work;
    const std::string folder = work.path() + "/brellow-ünïcødé 游戏";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/brellow";
    std::filesystem::create_symlink(brellowPath, path);
    RunningProgram game(path, generatedAssetsDir());
    ASSERT_NE(game.window, 0u) << game.process.standardError();
    int width, height;
    game.x.size(game.window, width, height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    EXPECT_TRUE(waitUntil([&] { return game.x.utf8Title(game.window) == path; })) << game.x.utf8Title(game.window);
    EXPECT_EQ(std::tuple(game.x.windowClass(game.window), game.x.windowPid(game.window)),
              std::tuple(std::string("brellow"), static_cast<long>(game.process.pid())));
    // Its icon, first at a size a title bar or dock can use, as the asset generator paints it.
    std::vector<unsigned long> icon = game.x.windowIcon(game.window);
    ASSERT_GE(icon.size(), 2u);
    ASSERT_TRUE(icon[0] == icon[1] && icon[0] >= 16 && icon[0] <= 256) << icon[0] << " x " << icon[1];
    std::vector<unsigned long> painted{icon[0], icon[1]};
    const std::vector<unsigned char> rgba = paintIcon(static_cast<int>(icon[0])).rgba;
    for (size_t i = 0; i < rgba.size(); i += 4)
        painted.push_back(rgba[i + 3] * 0x1000000UL + rgba[i] * 0x10000UL + rgba[i + 1] * 0x100UL + rgba[i + 2]);
    icon.resize(std::min(icon.size(), painted.size()));
    EXPECT_TRUE(icon == painted) << "the window's icon is not the painted one";

    // 'Q', then 's': once the overlay shows, the game has read the 'Q' too.
    ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
    game.key("Q");
    game.key("s");
    Screenshot overlay;
    EXPECT_TRUE(game.waitForPicture(showsOverlay, overlay)) << "'Q' must not end the game";
    EXPECT_TRUE(game.endsOnKey("q")) << game.process.exitStatus();
    std::vector<std::string> lines = game.process.outputLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Brellow 4 initialized.  Hi.");
}

// As in "brellow | head -n 1" once head has gone, or started with standard
// output or standard error closed by a launcher: the lines that cannot be
// written are dropped, and the X connection, which would otherwise take the
// closed descriptor, stays the game's own. (The seed that is not a number
// makes the game write a warning on standard error.)
TEST(Startup, OutputThatCannotBeWrittenIsDroppedAndPlayGoesOn) {
    for (GameProcess::Output output : {GameProcess::Output::PipeWithNoReader, GameProcess::Output::OutputClosed,
                                       GameProcess::Output::ErrorsClosed}) {
        SCOPED_TRACE(static_cast<int>(output));
        RunningProgram game(brellowPath, generatedAssetsDir(), {"BRELLOW_SEED=abc"}, output);
        ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
        game.key("s");
        Screenshot overlay;
        EXPECT_TRUE(game.waitForPicture(showsOverlay, overlay)) << "status " << game.process.exitStatus();
        EXPECT_TRUE(game.endsOnKey("q")) << "hung or failed: status " << game.process.exitStatus();
    }
}

TEST(Startup, EitherProgramEndsWithOneLineWhenItsWindowGoes) {
    const std::pair<const char*, void (XSession::*)(Window)> ways[] = {
        {"destroyed", &XSession::destroyWindow},
        {"connection cut", &XSession::killClient},
        {"asked to close", &XSession::askToClose},
    };
    for (const std::string& program : {brellowPath, programPath("brellow-menu")})
        for (const auto& [way, takeAway] : ways) {
            SCOPED_TRACE(program + ", window " + way);
            RunningProgram running(program, generatedAssetsDir());
            ASSERT_TRUE(running.waitForFirstFrame()) << running.process.standardError();
            (running.x.*takeAway)(running.window);
            ASSERT_TRUE(running.process.waitForExit(10000)) << "still running without its window";
            EXPECT_EQ(running.process.exitStatus(), 1);
            EXPECT_EQ(running.process.standardError(), "The window was closed.\n");
        }
}

}  // namespace

// Over indirect rendering, as from a remote X server, no vertex buffer can
// be mapped: the game says in one line how it sends the terrain, and goes on.
TEST(Startup, WithoutBufferObjectsTheGameSaysSoInOneLineAndPlays) {
    RunningProgram game(programPath("brellow"), generatedAssetsDir(),
                        {"DISPLAY=" + startVirtualDisplay("1280x1024x24", true), "LIBGL_ALWAYS_INDIRECT=1"});
    // This server's indirect frames do not reach the window's pixels, so the
    // game is seen drawing by its note and by still running after it.
    ASSERT_TRUE(waitUntil([&] { return !game.process.standardError().empty() || !game.process.running(); }));
    ASSERT_TRUE(game.process.running()) << game.process.standardError();
    EXPECT_TRUE(game.endsOnKey("q")) << game.process.exitStatus();
    EXPECT_EQ(game.process.standardError(), "This OpenGL names no version, so it may have no vertex buffer objects; "
                                            "the terrain is sent from client-side vertex arrays.\n");
}
