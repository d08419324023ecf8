#pragma once
// The key frames of the player's body parts: seven key tables (walking, jumping and landing,
// climbing, swimming and flying, and the swing of the arm standing, climbing and swimming) and
// the ten records that play them. They are drawn for the character atlas's twelve parts, so they
// live beside its layout; the world view's animator only plays them.
//
// Positions are pixels relative to the animator, y up, part-major: keys[part][key].

#include <array>
#include <cstdint>

#include "content/art/character_atlas_layout.h"
#include "engine/base/geometry.h"

namespace art {

inline constexpr int kKeysPerPart = 4;

struct PlayerKeyTable {
  std::array<std::array<engine::Vec2, kKeysPerPart>, kCharacterPartCount> keys;
  // deltas[part][k] = keys[part][k + 1] - keys[part][k].
  std::array<std::array<engine::Vec2, kKeysPerPart - 1>, kCharacterPartCount> deltas;
};

struct PlayerKeyFrameRecord {
  uint32_t id = 0;
  uint32_t firstKey = 0;
  uint32_t keyCount = 0;
  float seconds = 0.0f;
  bool loop = false;
  const PlayerKeyTable* table = nullptr;
};

// Ids 1-4 and 6-8 move the body; 10-12 swing the arm. Null for any other id.
const PlayerKeyFrameRecord* playerKeyFrameRecord(uint32_t id);

// The rest pose of a body state (0 standing, 5 climbing, 9 swimming); null for any other state.
const std::array<engine::Vec2, kCharacterPartCount>* playerRestPose(int bodyState);

}  // namespace art
