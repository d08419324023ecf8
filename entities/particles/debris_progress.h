#pragma once
// The life curves of the presets' particles (progress p from its start value towards 1, step s
// of 1.0 a tick) and their physics and collision responses. Each is a plain function, held by a
// shared behaviour object of the presets.
//
// Main thread only.

#include "world/cells/direction.h"

class DebrisEntity;
class MovingEntity;
struct EntityData;

namespace debris_progress {

// p += s / 30; opacity falls from full to none.
void fade(float& p, float s, DebrisEntity* particle);
// p += 0.008 a tick; hidden until 0.25, then fades from 90 % to none.
void lateFade(float& p, float s, DebrisEntity* particle);
// p += 0.02 a tick; doubles in size by 0.1, back to 1 by 0.15, fades out after 0.6.
void popAndFade(float& p, float s, DebrisEntity* particle);
// p += s / 30; grows and shows over the first 0.3, shrinks and fades over the last 0.3.
void swellAndShrink(float& p, float s, DebrisEntity* particle);
// p += s / 30; the scale is 1 - p.
void shrink(float& p, float s, DebrisEntity* particle);
// Only once started (p > 0): p += s / 5, so a splash lasts five ticks.
void splashTimer(float& p, float s, DebrisEntity* particle);
// p += s / 50; shows a hidden particle once p reaches 0.4.
void appearLate(float& p, float s, DebrisEntity* particle);

// A flake in liquid lies down (and, having no progress, ends); otherwise it sways.
void drift(float step, MovingEntity* particle, EntityData& data);
// A drop in liquid ends.
void dieInLiquid(float step, MovingEntity* particle, EntityData& data);
// A drop on a floor turns into its splash and starts the timer; any other contact ends it.
bool splash(MovingEntity* particle, EntityData& data, Direction side);

}  // namespace debris_progress
