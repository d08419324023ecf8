#pragma once
// What an entity is, as its physics state and its network record carry it (one byte).

#include <cstdint>

enum class EntityKind : uint8_t {
  None = 0,
  Bullet = 2,
  Treasure = 3,
  Fruit = 4,
  Mob = 5,
  Dress = 6,
  Toy = 7,
  Pet = 8,
  Bobber = 9,
  Fish = 10,
};

// Kinds a record may name: 2 to 10.
inline bool isRecordKind(uint8_t kind) { return kind >= 2 && kind <= 10; }
