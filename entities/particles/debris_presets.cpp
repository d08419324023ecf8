#include "entities/particles/debris_presets.h"

#include <numbers>
#include <vector>

#include "entities/particles/debris_behaviors.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_list.h"
#include "entities/particles/debris_count.h"
#include "entities/particles/debris_progress.h"
#include "world/cells/map_block.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// The impulse sets (strength min, max; angle spread, base).
DebrisImpulseParametric& fan() {
  static DebrisImpulseParametric impulse(2.0f, 3.0f, 3 * kPi / 4, kPi / 8);
  return impulse;
}
DebrisImpulseParametric& strongFan() {
  static DebrisImpulseParametric impulse(3.0f, 5.0f, 3 * kPi / 4, kPi / 8);
  return impulse;
}
DebrisImpulseParametric& upSlow() {
  static DebrisImpulseParametric impulse(0.05f, 0.1f, kPi / 16, 15 * kPi / 32);
  return impulse;
}
DebrisImpulseParametric& up() {
  static DebrisImpulseParametric impulse(0.1f, 0.2f, kPi / 16, 15 * kPi / 32);
  return impulse;
}
DebrisImpulseParametric& upFast() {
  static DebrisImpulseParametric impulse(0.2f, 0.5f, kPi / 16, 15 * kPi / 32);
  return impulse;
}
DebrisImpulseParametric& burst() {
  static DebrisImpulseParametric impulse(3.0f, 4.0f, 2 * kPi, 0);
  return impulse;
}
DebrisImpulseBuilder& still() {
  static DebrisImpulseBuilder impulse;
  return impulse;
}

// One shared builder per list.
DebrisSpecRects& listRects(uint16_t index) {
  static std::vector<DebrisSpecRects> lists = [] {
    std::vector<DebrisSpecRects> made;
    made.reserve(kDebrisRectListCount);
    for (uint16_t i = 0; i < kDebrisRectListCount; ++i) made.emplace_back(&debrisRectList(i));
    return made;
  }();
  return lists[index < kDebrisRectListCount ? index : 0];
}

BehaviorSetupLambda& hideScale() {
  static BehaviorSetupLambda setup([](DebrisEntity* particle) { particle->look.scale = 0; });
  return setup;
}
BehaviorSetupLambda& hideOpacity() {
  static BehaviorSetupLambda setup([](DebrisEntity* particle) { particle->look.opacity = 0; });
  return setup;
}
BehaviorSetupLambda& hideSprite() {
  static BehaviorSetupLambda setup([](DebrisEntity* particle) { particle->look.visible = false; });
  return setup;
}

const DebrisBehaviors& plainLight() {
  static const DebrisBehaviors behaviors{.light = &lightDefault()};
  return behaviors;
}
const DebrisBehaviors& darkenedLight() {
  static const DebrisBehaviors behaviors{.light = &lightDarkened()};
  return behaviors;
}

// Makes a particle in the list's world (none while the list serves no world).
DebrisEntity* make(DebrisList& list, BuilderPosition& position, DebrisImpulseBuilder& impulse,
                   DebrisRectBuilder& rect, DebrisLayer layer, DebrisMotion motion, const DebrisBehaviors& behaviors) {
  if (list.world() == nullptr) return nullptr;
  return &list.add(new DebrisEntity(*list.world(), position, impulse, rect, layer, motion, behaviors));
}

// Up to `count` particles, stopping at the live limit.
template <class Make>
void makeUpTo(uint32_t count, const Make& makeOne) {
  for (uint32_t i = 0; i < count && !debrisCount().full(); ++i) makeOne();
}

void sparkleRange(LightSparklePositionBuilder& at, float x0, float x1, float y0, float y1) {
  at.xMin = x0;
  at.xMax = x1;
  at.yMin = y0;
  at.yMax = y1;
}

// The offsets of a glint by the emitter's position kind; false where no glint belongs.
bool placeSparkle(LightSparklePositionBuilder& at, const MapBlock& cell, const SparkleSource* source) {
  const uint8_t kind = source != nullptr ? source->positionKind : 0;
  switch (kind) {
    case 0: sparkleRange(at, -4, 4, 4, 8); return true;
    case 1: {
      const uint8_t variant = cell.frontVariant();
      if (variant == 0) return placeSparkle(at, cell, nullptr);
      if (variant != 1) return false;
      if (source->orientation == 0) {
        sparkleRange(at, -11.5f, -3.5f, 4, 8);
      } else {
        sparkleRange(at, 3.5f, 11.5f, 4, 8);
      }
      return true;
    }
    case 2: sparkleRange(at, -4, 4, 12, 14); return true;
    case 3: sparkleRange(at, -7.5f, 7.5f, -7.5f, -7.5f); return true;
    case 4: sparkleRange(at, -4, 4, -12, -14); return true;
    case 5: sparkleRange(at, -7.5f, 7.5f, 3.5f, 11.5f); return true;
    case 6: sparkleRange(at, -7.5f, 7.5f, -4, 4); return true;
    default: return false;
  }
}

}  // namespace

void spawnSpecialBlockDebris(DebrisList& list, MapBlock& cell) {
  static DebrisPositionTile at(13.5f, 13.5f);
  static ScaleRotateAndFadeBehavior life(120, 0, 1, 0, 0);
  static const DebrisBehaviors behaviors{.light = &lightIgnore(), .progress = &life, .setup = &hideScale()};
  at.cell = &cell;
  make(list, at, still(), listRects(8), DebrisLayer::A, {0, false, true}, behaviors);
}

void spawnEmitterBlockDebris(DebrisList& list, MapBlock& cell) {
  static DebrisPositionTile at(12, 12);
  static ScaleRotateAndFadeBehavior life(60, 0, 1.5f, 1.0f, 0.5f);
  static const DebrisBehaviors behaviors{.light = &lightIgnore(), .progress = &life, .setup = &hideScale()};
  at.cell = &cell;
  make(list, at, still(), listRects(22), DebrisLayer::A, {0, false, true}, behaviors);
}

void spawnWaterBubbleDebris(DebrisList& list, MapBlock& liquidCell) {
  static WaterBubblePositionBuilder at;
  static BehaviorProgressLambda life(true, 0, 0.2f, &debris_progress::fade);
  static const DebrisBehaviors behaviors{.light = &lightDefault(), .progress = &life};
  if (debrisCount().full()) return;
  at.cell = &liquidCell;
  make(list, at, still(), listRects(6), DebrisLayer::A, {0.3f, true, true}, behaviors);
}

void spawnSparkleDebris(DebrisList& list, engine::Vec2 point, MapBlock& cell, const SparkleSource* source, bool lit) {
  static LightSparklePositionBuilder at;
  static BehaviorProgressLambda life(true, 0, 0.25f, &debris_progress::lateFade);
  static const DebrisBehaviors litGlint{.light = &lightDefault(), .progress = &life, .setup = &hideOpacity()};
  static const DebrisBehaviors glowingGlint{.light = &lightIgnore(), .progress = &life, .setup = &hideOpacity()};
  if (!placeSparkle(at, cell, source)) return;
  at.point = point;
  const uint16_t rects = lit || source == nullptr ? 7 : source->list;
  make(list, at, upSlow(), listRects(rects), DebrisLayer::A, {0.3f, true, false}, lit ? litGlint : glowingGlint);
}

void spawnOffsetDebris(DebrisList& list, engine::Vec2 point) {
  static DebrisPositionOffsetted at(0, 0);
  static BehaviorProgressLambda life(true, 0, 0.2f, &debris_progress::popAndFade);
  static const DebrisBehaviors behaviors{.light = &lightDefault(), .progress = &life};
  at.point = point;
  make(list, at, upFast(), listRects(24), DebrisLayer::A, {0.3f, true, false}, behaviors);
}

void spawnFireworkSparks(DebrisList& list, MapBlock* cell, engine::Vec2 point, uint8_t colour) {
  static DebrisPositionFixed at;
  static FireworkSparkRectBuilder rect;
  static BehaviorProgressLambda life(true, 0, 0.2f, &debris_progress::swellAndShrink);
  at.cell = cell;
  at.point = point;
  rect.colour = colour;
  static const DebrisBehaviors behaviors{.light = &lightIgnore(), .progress = &life};
  make(list, at, burst(), rect, DebrisLayer::A, {0.27f, true, true}, behaviors);
}

void spawnTrailParticle(DebrisList& list, engine::Vec2 point) {
  static DebrisPositionOffsetted at(0, 0);
  static BehaviorProgressLambda life(true, 0, 0.15f, &debris_progress::shrink);
  static const DebrisBehaviors behaviors{.light = &lightIgnore(), .progress = &life};
  at.point = point;
  make(list, at, up(), listRects(3), DebrisLayer::A, {0.33f, true, true}, behaviors);
}

void spawnWeatherFlakeDebris(DebrisList& list, MapBlock& cell) {
  static DebrisPositionTile at(0, 0);
  static BehaviorPhysicsLambda sway(&debris_progress::drift);
  static BehaviorCollisionStopOnBounce landing;
  static const DebrisBehaviors behaviors{.light = &lightDefault(), .physics = &sway, .collision = &landing};
  if (debrisCount().full()) return;
  at.cell = &cell;
  make(list, at, still(), listRects(6), DebrisLayer::A, {0.294f, true, true}, behaviors);
}

void spawnWeatherDropDebris(DebrisList& list, MapBlock& cell, bool streak) {
  static DebrisPositionTile at(15, 15);
  static DebrisSpecRectsFixed longDrop(&debrisRectList(4), 0);
  static DebrisSpecRectsFixed shortDrop(&debrisRectList(5), 0);
  static BehaviorProgressLambda timer(true, 0, 0, &debris_progress::splashTimer);
  static BehaviorPhysicsLambda drown(&debris_progress::dieInLiquid);
  static BehaviorCollisionLambda landing(&debris_progress::splash);
  static const DebrisBehaviors behaviors{
      .light = &lightDefault(), .progress = &timer, .physics = &drown, .collision = &landing};
  if (debrisCount().full()) return;
  at.cell = &cell;
  make(list, at, still(), streak ? longDrop : shortDrop, DebrisLayer::A, {0.06f, true, true}, behaviors);
}

void spawnCutDebris(DebrisList& list, uint16_t blockId, uint8_t variant, bool darkened, uint32_t count,
                    MapBlock& cell, float size) {
  static DebrisPositionTile at(0, 0);
  static DebrisCutRect cut(2, 6);
  if (!list.layerOpen(DebrisLayer::B)) return;
  const DebrisRect source = list.blockPicture(blockId, variant);
  at.cell = &cell;
  at.width = at.height = size;
  cut.sourceX = source.x;
  cut.sourceY = source.y;
  cut.sourceWidth = source.width;
  cut.sourceHeight = source.height;
  const DebrisBehaviors& behaviors = darkened ? darkenedLight() : plainLight();
  makeUpTo(count, [&] { make(list, at, fan(), cut, DebrisLayer::B, {0, true, true}, behaviors); });
}

void spawnSpriteCutDebris(DebrisList& list, DebrisRect source, uint32_t count, engine::Vec2 point, bool big) {
  static DebrisPositionOffsetted at(3, 3);
  static DebrisCutRect bigCut(6, 8);
  static DebrisCutRect smallCut(2, 4);
  DebrisCutRect& cut = big ? bigCut : smallCut;
  at.point = point;
  cut.sourceX = source.x;
  cut.sourceY = source.y;
  cut.sourceWidth = source.width;
  cut.sourceHeight = source.height;
  DebrisImpulseBuilder& throwing = big ? strongFan() : fan();
  makeUpTo(count, [&] {
    make(list, at, throwing, cut, DebrisLayer::C, {0, true, true}, plainLight());
  });
}

void spawnDirectedParticle(DebrisList& list, uint32_t count, engine::Vec2 point, float strength, float angle,
                           float scatter) {
  static DebrisPositionOffsetted at(0, 0);
  static DebrisImpulseFixed throwing(0, 0);
  at.point = point;
  at.width = at.height = scatter;
  throwing.strength = strength;
  throwing.angle = angle;
  makeUpTo(count, [&] {
    make(list, at, throwing, listRects(3), DebrisLayer::A, {0, true, true}, plainLight());
  });
}

void spawnRectDebrisAround(DebrisList& list, engine::Vec2 point, float scatter) {
  static DebrisPositionOffsetted at(0, 0);
  constexpr uint32_t kPieces = 30;
  at.point = point;
  at.width = at.height = scatter;
  makeUpTo(kPieces, [&] {
    make(list, at, fan(), listRects(10), DebrisLayer::A, {0, true, true}, plainLight());
  });
}

void spawnTileDebris(DebrisList& list, uint16_t listIndex, uint32_t count, MapBlock& cell, float size, bool delayed) {
  static DebrisPositionTile at(0, 0);
  static BehaviorProgressLambda late(false, 0, 0.3f, &debris_progress::appearLate);
  static const DebrisBehaviors lateBehaviors{.light = &lightDefault(), .progress = &late, .setup = &hideSprite()};
  at.cell = &cell;
  at.width = at.height = size;
  const DebrisBehaviors& behaviors = delayed ? lateBehaviors : plainLight();
  DebrisSpecRects& rects = listRects(listIndex);
  makeUpTo(count, [&] { make(list, at, fan(), rects, DebrisLayer::A, {0, true, true}, behaviors); });
}
