#pragma once
// Small random draws shared by the sound code and the game: all go through engine::randomNext so
// a seeded run replays the same sounds, particles and angles.

namespace kel {

// Uniform in [base, base + span]: randomNext() / 32767 x span + base.
float randomRange(float span, float base);

// True with probability p: p > randomNext() / 32768.
bool randomChance(float p);

// base +- spread degrees (integer maths), returned in radians. A spread of 0 or less gives base.
float randomAngle(int base, int spread);

}  // namespace kel
