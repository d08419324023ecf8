#pragma once
// A picture of the running game's view, drawn exactly as the game draws it: the main layer with
// the world's layer tree around the player, rendered by the director into its window and read
// back. Without a window (a headless tool) one of the given size is opened first and kept for the
// rest of the process; a window that exists keeps its size. Needs a display (a virtual one does).
//
// Main thread only.

#include <cstdint>
#include <string>
#include <vector>

struct RunningWorld;

struct WorldShot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBBAA, rows from the top
};

// `graphicsFolder`: where the atlases are read when none are loaded yet (empty: the platform's).
// False with `error` set when no window can be opened or the running world has no player.
bool captureWorldView(RunningWorld& running, int width, int height, const std::string& graphicsFolder,
                      WorldShot& shot, std::string& error);
