// The menu program's loop with stand-in screens: which games the choices
// start, and with which snapshot.
#include <gtest/gtest.h>

#include <vector>

#include "app/MenuProgram.h"

namespace {

std::vector<MenuChoice> choices;  // what the stand-in menu answers, in turn
size_t menusShown = 0;

struct PlayedGame {
    GameSnapshot* snapshot;
    bool newGame;
    GameSnapshot received;  // the snapshot's contents when the game started
};
std::vector<PlayedGame> games;

MenuChoice fakeMenu() {
    // Running out of answers ends the loop rather than the test run.
    return menusShown < choices.size() ? choices[menusShown++] : Exit;
}

// Each game leaves the vehicle one step further along x.
void fakeGame(GameSnapshot* snapshot, bool newGame) {
    games.push_back({snapshot, newGame, *snapshot});
    snapshot->position.x = newGame ? 1.0f : snapshot->position.x + 1.0f;
    snapshot->cameraMode = ViewMode::ride;
}

void runWith(std::vector<MenuChoice> answers) {
    choices = std::move(answers);
    menusShown = 0;
    games.clear();
    runMenuProgram(fakeMenu, fakeGame);
}

TEST(MenuChoices, EachChoiceStartsItsGameAndTheMenuComesBackAfterIt) {
    runWith({ResumeGame, NewGame, ResumeGame, ResumeGame, NewGame, Exit});
    EXPECT_EQ(menusShown, 6u);
    ASSERT_EQ(games.size(), 5u);

    // Resume before any game has been played starts a new one; later resumes
    // continue from what the previous game left.
    const bool newGames[] = {true, true, false, false, true};
    for (size_t i = 0; i < games.size(); ++i) EXPECT_EQ(games[i].newGame, newGames[i]) << "game " << i;
    EXPECT_FLOAT_EQ(games[2].received.position.x, 1.0f);
    EXPECT_EQ(games[2].received.cameraMode, ViewMode::ride);
    EXPECT_FLOAT_EQ(games[3].received.position.x, 2.0f);

    for (const PlayedGame& game : games) EXPECT_EQ(game.snapshot, games[0].snapshot);
}

TEST(MenuChoices, ExitEndsTheLoopWithoutAGame) {
    runWith({Exit, NewGame});
    EXPECT_EQ(menusShown, 1u);
    EXPECT_TRUE(games.empty());
}

}  // namespace
