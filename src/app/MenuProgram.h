#pragma once
// The menu program's loop: show the menu, act on the choice, and show the
// menu again after each game, until the player chooses Exit.
#include "game/GameSnapshot.h"
#include "menu/MainMenu.h"

using ShowMenuFunction = MenuChoice (*)();
using PlayGameFunction = void (*)(GameSnapshot* snapshot, bool newGame);

// New Game plays a new game; Resume Game continues the last game from its
// snapshot, or plays a new one when no game has been played yet; Exit
// returns. The snapshot lives in this call, so it is kept from one game to
// the next for as long as the menu program runs. Plain code: the screens
// come in as functions, so the loop is tested with stand-ins.
void runMenuProgram(ShowMenuFunction showMenu, PlayGameFunction playGame);
