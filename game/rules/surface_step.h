#pragma once
// The random surface step: around a player, ground that lies open to the sky grows one surface
// decoration, chosen by the world's weather. In clear weather soil in daylight (its sky light, not
// the light of torches and lamps) grows the cover the content
// tables name for its block; in snow the top ground cell of a column gathers a snow cover, which
// first clears the removable attachments of the cell. Rain and acid rain grow nothing. A leaf left
// without support decays first. Every change is an edit through the rules, without a player.
//
// The rectangle searched is the window of cells the world view keeps around a player; the edge
// (the rules' random tick) reads the view's counts and passes them in. Main thread only.

#include <cstdint>

class LogicCells;
class LogicPlayers;
class PlayerGraphical;
class World;
struct VisibleCellCounts;

namespace surface_step {
// The weather kinds with a rule.
constexpr uint8_t kClearKind = 0;
constexpr uint8_t kSnowKind = 2;
constexpr uint16_t kSnowCover = 14;
// Clear-weather cover grows only above this level of daylight.
constexpr uint8_t kDimmestLight = 9;
// The share of the rules' random ticks that run the step.
constexpr float kTickChance = 0.75f;
}  // namespace surface_step

// True when a decoration was added.
bool randomSurfaceStep(World& world, LogicCells& rules, const PlayerGraphical& player, const VisibleCellCounts& view);
// The rules' random tick: with the tick chance, the surface step around one present player drawn
// at random (`LogicPlayers::somePlayer`: alone, the local player).
bool randomSurfaceTick(World& world, LogicCells& rules, LogicPlayers& players, const VisibleCellCounts& view);
