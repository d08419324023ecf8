#pragma once
// `world_tool host`: a hosting game, headless. The same session, rules and endpoint as the program
// hosts with (`hostWorld` over the game played alone, the direct transport the platform makes),
// in the game's own save folder (the host's character "Host" and a new world entry of the planet
// and size, generated from the seed). Its frames run at a fixed step of 1/60 s on the engine's
// scheduler, paced to the clock; each steps the host's own player and, as the program's view does,
// the copies of the clients' players. It ends after --seconds of play or on an interrupt (Ctrl-C)
// and saves the world either way (copied to --save FILE when given).
//
// It prints where it listens, each client's joining and leaving, and every second the frames'
// time (mean and worst), the messages and bytes received and sent, and the players present; at
// the end the frame times over the whole run and after the last joined player entered the world
// (median, 99th percentile, worst: the wall time, and the main thread's processor time, which a
// busy machine does not inflate), the items lying in the world and the cells' checksum of its
// world. A player leaving is printed with the items and the cells' checksum the host's world holds
// then, to compare with what the player saw last.

#include <cstdio>

namespace world_tool {

struct ToolArgs;

int runHost(const ToolArgs& args, std::FILE* out, std::FILE* err);

}  // namespace world_tool
