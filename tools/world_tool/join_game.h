#pragma once
// `world_tool join HOST:PORT --name NAME [--character FILE] --script FILE`: a player joins a host,
// headless, through the program's one way in (`ClientGameSwap::joinWorld` with the direct
// transport the platform makes, the joined game and its `NetClient`), in the game's own save
// folder (the character NAME there, or the --character file copied in). Once it stands in the
// host's world it plays the script (play_script.h) at a frame of 1/60 s paced to the clock, each
// step as the interface would do it through the joined game: a mine or a place waits for the
// host's answer on the cell (at most 3 seconds; a place the host did not take is tried again a few
// times, once the cell looks clear), a trade for the other player, `last look` for the host's last
// look (last_look.h). As the program's view does, each frame also steps the copies of the other
// players.
//
// After each step it prints what it sees: its cell, health, inventory, the items lying in its
// copy of the world and the cells' checksum of that copy; and each text the player is told, as
// it comes. At the end it leaves the host (as the pause view's leave does) and prints the bytes
// it received and their rate.

#include <cstdio>

namespace world_tool {

struct ToolArgs;

int runJoin(const ToolArgs& args, std::FILE* out, std::FILE* err);

}  // namespace world_tool
