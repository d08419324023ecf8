#pragma once
// Where each entity's picture lies in its atlas: a projectile's in the debris atlas, an item's
// icon in the treasures atlas, dropped clothes in the equip atlas, a mob part in the mobs atlas.
// Every drawing side asks here, so the art's layout is read in one place.
//
// Projectile and mob-part rectangles are the content rows' own. Item icons and clothes follow a
// provisional grid until the art maker's layouts for those atlases arrive; only this file changes
// then.

#include <cstdint>

#include "content/tables/mob_def.h"
#include "engine/base/geometry.h"

struct BulletDef;

namespace entity_art {

inline constexpr float kIconSize = 15.0f;  // an item icon's edge, points
inline constexpr float kIconCell = 16.0f;  // the grid the provisional layouts use
inline constexpr int kIconsPerRow = 128;

engine::Rect bulletRect(const BulletDef& row);
engine::Rect itemIconRect(uint16_t id, uint8_t variant);
engine::Rect dressRect(uint16_t itemId);
engine::Rect mobPartRect(const MobPartFrame& frame);
engine::Vec2 mobPartPosition(const MobPartFrame& frame);
float mobPartRotation(const MobPartFrame& frame);

}  // namespace entity_art
