// brellow-menu: the main menu and the games it starts.
#include "app/ProgramMain.h"

namespace {
void showMenu() {}
}  // namespace

int main(int argc, char** argv) { return runProgram(argc, argv, showMenu); }
