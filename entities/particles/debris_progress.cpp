#include "entities/particles/debris_progress.h"

#include <algorithm>
#include <cmath>

#include "engine/base/random.h"
#include "entities/particles/debris_entity.h"
#include "world/cells/map_block.h"

namespace debris_progress {

namespace {

constexpr float kSplashStart = 1.0f / 8388608.0f;  // 2^-23: the smallest start of the splash timer

uint8_t opacityOf(float f) { return static_cast<uint8_t>(std::clamp(f, 0.0f, 1.0f) * 255.0f); }

bool inLiquid(const EntityData& data) {
  return data.cell != nullptr && data.cell->liquidKind() != LiquidKind::None;
}

}  // namespace

void fade(float& p, float s, DebrisEntity* particle) {
  p = std::min(1.0f, p + s / 30);
  particle->look.opacity = opacityOf(1 - p);
}

void lateFade(float& p, float, DebrisEntity* particle) {
  p += 0.008f;
  if (p < 0.25f) return;
  particle->look.opacity = opacityOf((1 - (p - 0.25f) / 0.75f) * 0.9f);
}

void popAndFade(float& p, float, DebrisEntity* particle) {
  p = std::min(1.0f, p + 0.02f);
  float scale = 1;
  if (p <= 0.1f) {
    scale = 1 + p / 0.1f;
  } else if (p <= 0.15f) {
    scale = 1 + (1 - (p - 0.1f) / 0.05f);
  }
  particle->look.scale = scale;
  if (p > 0.6f) particle->look.opacity = opacityOf(1 - (p - 0.6f) / 0.4f);
}

void swellAndShrink(float& p, float s, DebrisEntity* particle) {
  p = std::min(1.0f, p + s / 30);
  if (p >= 0.3f && p <= 0.7f) return;
  const float f = p < 0.3f ? p / 0.3f : 1 - (p - 0.7f) / 0.3f;
  particle->look.opacity = opacityOf(f);
  particle->look.scale = f;
}

void shrink(float& p, float s, DebrisEntity* particle) {
  p += s / 30;
  particle->look.scale = 1 - p;
}

void splashTimer(float& p, float s, DebrisEntity*) {
  if (p > 0) p += s / 5;
}

void appearLate(float& p, float s, DebrisEntity* particle) {
  p += s / 50;
  if (p >= 0.4f && !particle->look.visible) particle->look.visible = true;
}

void drift(float, MovingEntity* particle, EntityData& data) {
  if (inLiquid(data)) particle->onRest();
  data.vx = static_cast<float>(engine::randomNext()) / static_cast<float>(engine::RANDOM_MAX) - 0.5f;
}

void dieInLiquid(float, MovingEntity* particle, EntityData& data) {
  if (inLiquid(data)) particle->onStop();
}

bool splash(MovingEntity* particle, EntityData& data, Direction side) {
  auto* drop = static_cast<DebrisEntity*>(particle);
  if (side != Direction::Down) {
    particle->onStop();
    return true;
  }
  const DebrisRect second = drop->rectList != nullptr ? drop->rectList->rects[1] : drop->look.rect;
  if (drop->progress == 0) {
    drop->look.rect = second;
    drop->progress = kSplashStart;
  }
  data.vx = data.vy = 0;
  data.y = data.cellY - MovingEntity::kHalfCell + second.height / 2.0f;
  return false;
}

}  // namespace debris_progress
