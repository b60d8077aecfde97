#include "app/MenuProgram.h"

void runMenuProgram(ShowMenuFunction showMenu, PlayGameFunction playGame) {
    GameSnapshot snapshot;
    bool gamePlayed = false;
    for (;;) {
        switch (showMenu()) {
        case NewGame:
            playGame(&snapshot, true);
            break;
        case ResumeGame:
            // With no earlier game the snapshot holds nothing to resume.
            playGame(&snapshot, !gamePlayed);
            break;
        case Exit:
        default:
            return;
        }
        gamePlayed = true;
    }
}
