// brellow-menu: opens the window, shows the main menu and plays the games it
// asks for, returning to the menu after each one, until the player exits.
#include "app/ProgramMain.h"
#include "game/GameScreen.h"
#include "app/MenuProgram.h"

namespace {
// The real menu screen: its pictures loaded afresh each time it shows.
MenuChoice showMainMenu() {
    loadMenu();
    return runMenu();
}

void menuAndGames() { runMenuProgram(showMainMenu, runGame); }
}  // namespace

int main(int argc, char** argv) { return runProgram(argc, argv, menuAndGames); }
