#pragma once
// Projectile definitions: 147 fixed rows of 84 bytes, and their effect slots.

#include <cstdint>
#include <functional>

#include "content/format/record_bytes.h"

class BulletEntity;
class MobEntity;

struct BulletDef : content::RecordBytes<content::kBulletRecordSize> {
  uint32_t row() const { return u32(content::bullet_record::row); }
  float lifetime() const { return f32(content::bullet_record::lifetime); }
  float width() const { return f32(content::bullet_record::size); }
  float height() const { return f32(content::bullet_record::size + 4); }
  uint8_t breakFlag() const { return u8(content::bullet_record::breakFlag); }
  uint8_t stick() const { return u8(content::bullet_record::stick); }
  uint8_t bobber() const { return u8(content::bullet_record::bobber); }
  uint16_t thrownItem() const { return u16(content::bullet_record::thrownItem); }
  int16_t sound(int which) const;
};

// The four effect slots of one projectile row, filled by the entity effect registration.
// `onHitWall` takes the side: 0 left wall, 1 floor, 2 right wall, 3 ceiling.
struct BulletEffects {
  std::function<void(BulletEntity*, MobEntity*)> onHitMob;
  std::function<void(BulletEntity*, uint8_t)> onHitWall;
  std::function<void(BulletEntity*)> onEnd;
  std::function<void(BulletEntity*)> onTick;
};
