#pragma once
// Bullet rows for projectile tests, written into the content tables byte by byte (the tables are
// reset around each test that uses them).

#include <cstring>

#include "content/format/record_layout.h"
#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"

namespace entity_test {

struct RowShape {
  float lifetime = 0;
  float playerDamage = 0;
  float width = 8, height = 4;
  uint8_t breaks = 0, expiresWhenSlow = 0, falls = 1, sticks = 0, bobber = 0, spins = 0, facesMotion = 0,
          keepsFacing = 0, wakes = 0;
  float spinRate = 0;
};

inline void putF32(BulletDef& row, size_t at, float v) { std::memcpy(&row.bytes[at], &v, 4); }

inline void defineBullet(uint16_t index, const RowShape& s) {
  namespace r = content::bullet_record;
  BulletDef& row = contentTables().bulletDefs[index];
  row = BulletDef{};
  row.bytes[r::row] = static_cast<uint8_t>(index);
  putF32(row, r::playerDamage, s.playerDamage);
  putF32(row, r::lifetime, s.lifetime);
  putF32(row, r::size, s.width);
  putF32(row, r::size + 4, s.height);
  putF32(row, r::spinRate, s.spinRate);
  row.bytes[r::breakFlag] = s.breaks;
  row.bytes[r::updateFlags] = s.expiresWhenSlow;
  row.bytes[r::updateFlags + 1] = s.falls;
  row.bytes[r::stick] = s.sticks;
  row.bytes[r::bobber] = s.bobber;
  row.bytes[r::spins] = s.spins;
  row.bytes[r::facesMotion] = s.facesMotion;
  row.bytes[r::keepsFacing] = s.keepsFacing;
  row.bytes[r::wakesOnCellChange] = s.wakes;
}

}  // namespace entity_test
