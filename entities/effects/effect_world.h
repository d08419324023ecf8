#pragma once
// What the entity effects share: the world's particles (from the world's own entities), the rules' presence, the explosives lock read from the world's options, and the
// draws of the one generator.
//
// Main thread only.

#include <cstdint>

class DebrisList;
class MapBlock;
class PlayerBase;
class World;

namespace effect {

// The world's particles, or null while it has no entities.
DebrisList* particlesOf(World& world);
// Rules run for the world (a local game or a host).
bool hasRules(const World& world);
// The world's explosives lock refuses the shooter: the lock is on and the shooter is someone
// other than this machine's player.
bool lockRefuses(World& world, PlayerBase* shooter);
// The player behind an owner id, or null.
PlayerBase* playerOf(World& world, uint32_t ownerId);

// True with probability p (a draw r / 32768 < p).
bool chance(float p);
// A unit value r / 32767.
float unit();
// A raw draw 0..32767.
uint32_t draw();
// Degrees to radians.
float radians(float degrees);

}  // namespace effect
