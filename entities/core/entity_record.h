#pragma once
// The 62-byte network record that creates an entity on a peer (category 5, message 77), and the
// argument of the from-record constructors. Little-endian, field by field:
//
//   0 u8 category 5 | 1 u8 message 77 | 2 u32 extra (by kind) | 6 u32 entity id
//   10..53 the physics state: f32 x, y, vx, vy, impulseX, impulseY, cellX, cellY, u32 rowValue,
//          f32 halfWidth, halfHeight | 54 u8 kind | 55 three zero bytes
//   58 u16 definition index (by kind) | 60 u8 kind byte (by kind) | 61 u8 frozen (0 or 1)
//
// By kind: treasure, fruit, toy and fish carry the item count, item id and variant; a bullet its
// item word and bullet row; a bobber its state and bullet row; clothes the item id and the worn
// slot; mobs and pets the mob row.
//
// A record comes from a peer and is distrusted: `readEntityRecord` refuses a wrong header, a kind
// outside 2..10, a float that is not finite, a half size outside 0..kMaxHalfSize, a speed past kMaxSpeed, non-zero padding,
// a frozen byte other than 0 or 1, an entity id past kMaxEntityId and a definition index or kind byte
// outside its table. What it lets through may still name a point off the map; the factory checks the
// cell.
//
// The speed limit is the one the physics keeps (moving_entity.h): a faster record would move its
// entity past cells the collision never looked at, and every entity's own record after a step is
// within it. The id limit leaves the receiver's own counter, which goes on past the highest id it
// was given, room for as many ids again before it could wrap.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "entities/core/entity.h"
#include "entities/core/moving_entity.h"

namespace engine {
class ByteReader;
}

struct EntityRecord {
  static constexpr size_t kSize = 62;
  static constexpr uint8_t kCategory = 5;
  static constexpr uint8_t kMessage = 77;
  static constexpr uint16_t kBulletRows = 147;
  static constexpr uint16_t kItemIds = 4096;
  static constexpr uint16_t kMobRows = 900;
  static constexpr uint8_t kDressSlots = 10;
  static constexpr uint32_t kMaxCount = 999;
  static constexpr float kMaxHalfSize = 512.0f;
  static constexpr float kMaxSpeed = MovingEntity::kMaxSpeed;  // pixels per tick, velocity and impulse
  static constexpr uint32_t kMaxEntityId = 0x7FFFFFFFu;

  uint32_t extra = 0;
  uint32_t entityId = 0;
  EntityData state;  // x to kind; the rest of the struct is not carried
  uint16_t definition = 0;
  uint8_t kindByte = 0;
  uint8_t frozen = 0;

  std::array<uint8_t, kSize> encode() const;
};

// The record in the reader's next 62 bytes, or none (the reader's error is set when it was short).
std::optional<EntityRecord> readEntityRecord(engine::ByteReader& in);
// Why a decoded record cannot make an entity; null when it can.
const char* entityRecordFault(const EntityRecord& record);
