// brellow: opens the window and runs one new game until the player quits.
#include "app/ProgramMain.h"
#include "game/GameScreen.h"

namespace {
void playOneGame() {
    GameSnapshot snapshot;
    runGame(&snapshot, true);
}
}  // namespace

int main(int argc, char** argv) { return runProgram(argc, argv, playOneGame); }
