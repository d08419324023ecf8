// Process entry: hands the command line to the game's launch and frame loop.
#include "app/game_wiring.h"

int main(int argc, char** argv) { return runGame(argc, argv, kel::DesktopPlatform::Services{}); }
