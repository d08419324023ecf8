#pragma once
// The named effects of projectile rows (the slots of `BulletEffects`): sticking and re-arming,
// fuses, glides, blasts, smoke, chipping walls, released mobs, trails and firework bursts. Each
// acts on the bullet's own world; what needs rules does nothing where none run (a client follows
// the host's entities), and what needs a cell does nothing off the map rows.
//
// Main thread only.

#include <cstdint>

#include "world/explosions/explosion_system.h"

class BulletEntity;

namespace projectile_effect {

constexpr uint16_t kFireworkItem = 1298;  // its ranged definition names the sub-rocket row
constexpr uint16_t kRandomCapsuleRow = 34;

// Hit-wall sides: 0 left wall, 1 floor, 2 right wall, 3 ceiling.
void stick(BulletEntity& bullet, uint8_t side);
// As `stick` without turning, and the fuse starts again at 30 ticks.
void stickAndRearm(BulletEntity& bullet, uint8_t side);
void fuseTick(BulletEntity& bullet);
void timedBlast(BulletEntity& bullet);
void glide(BulletEntity& bullet);
void blastOnEnd(BulletEntity& bullet, const BlastSpec& spec);
void swellingSmoke(BulletEntity& bullet);
void chipTheWall(BulletEntity& bullet, uint8_t side);
void releaseMob(BulletEntity& bullet);
void trail(BulletEntity& bullet);
void fireworkBurst(BulletEntity& bullet);

// The blast of the timed charge and of exploding mobs.
constexpr BlastSpec kSmallBlast = {8, 2, 4, 2, 2, 2, 22};

}  // namespace projectile_effect
