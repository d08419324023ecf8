#pragma once
// A player with empty hands calls the thrown toys near a point: each toy within reach is pushed away
// from the point, harder the farther it lies (nearer with the toy mechanics inverted), as strongly
// as its kind lets itself be pushed. The pushes and the sound go through the rules, so a host can
// repeat them to its peers.

#include "engine/base/geometry.h"

class LogicEntities;
class LogicPlayers;
class PlayerBase;
class RuleEntities;
class World;

namespace toy_signal {
constexpr float kReach = 300.0f;  // pixels from the point
constexpr uint16_t kSound = 62;
}  // namespace toy_signal

// `Logic::signalEntitiesNear`: true when a toy was pushed.
bool signalToysNear(World& world, LogicPlayers& players, LogicEntities& rules, RuleEntities& entities, const PlayerBase* player,
                    engine::Vec2 point, bool invert);
