#pragma once
// Projectile definitions: 147 fixed rows of 84 bytes, and their effect slots.

#include <cstdint>
#include <functional>

#include "content/format/record_bytes.h"

class BulletEntity;
class MobEntity;

struct BulletDef : content::RecordBytes<content::kBulletRecordSize> {
  uint32_t row() const { return u32(content::bullet_record::row); }
  float mobDamage() const { return f32(content::bullet_record::mobDamage); }
  float knockBack() const { return f32(content::bullet_record::knockBack); }
  float playerDamage() const { return f32(content::bullet_record::playerDamage); }
  float lifetime() const { return f32(content::bullet_record::lifetime); }
  uint8_t damageType() const { return u8(content::bullet_record::damageType); }
  uint32_t setupWord() const { return u32(content::bullet_record::setupWord); }
  // The picture's rectangle in the texture is (spriteX, spriteY, width, height).
  float spriteX() const { return f32(content::bullet_record::spritePosition); }
  float spriteY() const { return f32(content::bullet_record::spritePosition + 4); }
  float width() const { return f32(content::bullet_record::size); }
  float height() const { return f32(content::bullet_record::size + 4); }
  // The stuck picture, element i of x, y, width, height.
  float stuckRect(size_t i) const { return f32(content::bullet_record::stuckRect + 4 * (i & 3)); }
  uint8_t breakFlag() const { return u8(content::bullet_record::breakFlag); }
  bool expiresWhenSlow() const { return u8(content::bullet_record::updateFlags) != 0; }
  bool falls() const { return u8(content::bullet_record::updateFlags + 1) != 0; }
  uint8_t stick() const { return u8(content::bullet_record::stick); }
  uint8_t bobber() const { return u8(content::bullet_record::bobber); }
  float spinRate() const { return f32(content::bullet_record::spinRate); }
  bool spins() const { return u8(content::bullet_record::spins) != 0; }
  bool facesMotion() const { return u8(content::bullet_record::facesMotion) != 0; }
  bool keepsFacing() const { return u8(content::bullet_record::keepsFacing) != 0; }
  bool wakesOnCellChange() const { return u8(content::bullet_record::wakesOnCellChange) != 0; }
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
