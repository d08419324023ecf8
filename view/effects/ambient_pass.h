#pragma once
// The ambient pass over the visible cells, run by the game's periodic weather task: snow flakes
// or rain drops over the open cells above the player, the worn items' effects of the local
// players, now and then a mob's voice, and for every visible cell its glints, the glow of light
// emitters, the sparks of special blocks and bubbles in still liquid.
//
// Main thread only.

#include <cstdint>
#include <functional>

class World;

// The window the pass covers: the visible column and row counts and the player's cell.
struct AmbientArea {
  int columns = 0;
  int rows = 0;
  int32_t playerX = 0;
  int32_t playerY = 0;
};

// `wornItemEffects` runs the worn items' effects of the local players (may be empty). Returns the
// open cells the rain tried, which set the rain's loudness (0 without rain).
uint32_t spawnWeatherParticles(World& world, const AmbientArea& area, const std::function<void()>& wornItemEffects);

// With probability 0.4, a mob picked at random calls out at its cell.
void playRandomMobSound(World& world);
