#pragma once
// The particle effects of the game. Callers name the effect and give its place, count and size;
// each preset assembles its particles from builders and behaviours it keeps in function-level
// statics (only the per-call fields are rewritten) and adds them to the world's particle list.
//
// The presets that take a count make up to that many particles and stop as soon as the live
// limit (1,024) is reached; those marked "limit" make nothing at the limit; the ambient ones (special
// and emitter blocks, sparkles, offset glints, firework sparks, trails) make one particle and do
// not check. Nothing is made while the list serves no world.
//
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"
#include "content/art/debris_rect_lists.h"

class DebrisList;
class MapBlock;

// The light emitter a glint comes from: its particle list and the position kind (0-7) that
// places the glint; `orientation` is the emitting block's facing (kind 1 only).
struct SparkleSource {
  uint8_t list = 0;
  uint8_t positionKind = 0;
  uint8_t orientation = 0;
};

void spawnSpecialBlockDebris(DebrisList& list, MapBlock& cell);
void spawnEmitterBlockDebris(DebrisList& list, MapBlock& cell);
// Limit.
void spawnWaterBubbleDebris(DebrisList& list, MapBlock& liquidCell);
// A null source is position kind 0; kind 7 (and a kind-1 variant past 1) makes nothing.
void spawnSparkleDebris(DebrisList& list, engine::Vec2 point, MapBlock& cell, const SparkleSource* source, bool lit);
void spawnOffsetDebris(DebrisList& list, engine::Vec2 point);
void spawnFireworkSparks(DebrisList& list, MapBlock* cell, engine::Vec2 point, uint8_t colour);
void spawnTrailParticle(DebrisList& list, engine::Vec2 point);
// Limit.
void spawnWeatherFlakeDebris(DebrisList& list, MapBlock& cell);
// Limit. A streak falls as a long drop; otherwise as a short one.
void spawnWeatherDropDebris(DebrisList& list, MapBlock& cell, bool streak);
// Chips cut from the block's picture (the back layer's darkened).
void spawnCutDebris(DebrisList& list, uint16_t blockId, uint8_t variant, bool darkened, uint32_t count,
                    MapBlock& cell, float size);
// Chips cut from an entity's picture; big ones fly harder.
void spawnSpriteCutDebris(DebrisList& list, DebrisRect source, uint32_t count, engine::Vec2 point, bool big);
void spawnDirectedParticle(DebrisList& list, uint32_t count, engine::Vec2 point, float strength, float angle,
                           float scatter);
// Thirty pieces.
void spawnRectDebrisAround(DebrisList& list, engine::Vec2 point, float scatter);
// A delayed burst stays hidden until its progress passes 0.4.
void spawnTileDebris(DebrisList& list, uint16_t listIndex, uint32_t count, MapBlock& cell, float size, bool delayed);
