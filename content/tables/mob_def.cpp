#include "content/tables/mob_def.h"

#include "engine/base/random.h"

int16_t MobDef::sound(int which) const {
  if (which < 0 || which >= static_cast<int>(content::mob_record::soundCount)) return -1;
  return i16(content::mob_record::sounds + 2 * static_cast<size_t>(which));
}

float mobFrameRect(const MobPartFrame& frame, size_t i) {
  return content::recordF32(frame.data(), content::mob_frame_record::rect + 4 * (i & 3));
}
float mobFramePosition(const MobPartFrame& frame, size_t i) {
  return content::recordF32(frame.data(), content::mob_frame_record::position + 4 * (i & 1));
}
float mobFrameRotation(const MobPartFrame& frame) {
  return content::recordF32(frame.data(), content::mob_frame_record::rotation);
}

namespace {

enum MovementKind : uint8_t { kJumper = 0, kWalker = 1, kFlyer = 2, kFloater = 3 };

void assignWalkerRole(MobPartPick& pick, const MobAnimation& animation) {
  auto& roles = pick.roles;
  switch (animation.kind) {
    case 0:
      roles[0] = &animation;
      if (!roles[3]) roles[3] = &animation;
      break;
    case 1: roles[1] = &animation; break;
    case 2:
      roles[2] = &animation;
      if (!roles[1]) roles[1] = &animation;
      break;
    case 3: roles[3] = &animation; break;
    case 4: roles[4] = &animation; break;
    case 7: roles[5] = &animation; break;
    default: break;
  }
}

void assignFlyerRole(MobPartPick& pick, const MobAnimation& animation) {
  auto& roles = pick.roles;
  switch (animation.kind) {
    case 0:
      roles[0] = &animation;
      if (!roles[3]) roles[3] = &animation;
      break;
    case 5: roles[2] = &animation; break;
    case 6: roles[3] = &animation; break;
    default: break;
  }
}

void assignPlainRole(MobPartPick& pick, const MobAnimation& animation) {
  if (animation.kind == 0) pick.roles[0] = &animation;
  if (animation.kind == 1) pick.roles[1] = &animation;
}

}  // namespace

MobPartPick pickMobParts(const MobDef& mob, const MobPartLayout& layout) {
  MobPartPick pick;
  std::vector<uint8_t> candidates;
  for (size_t i = 0; i < layout.partModes.size(); ++i) {
    const uint8_t part = static_cast<uint8_t>(i);
    switch (layout.partModes[i]) {
      case 1: pick.parts.push_back(part); break;
      case 0:
        if (0.5f > static_cast<float>(engine::randomNext()) / 32768.0f) pick.parts.push_back(part);
        break;
      case 2: candidates.push_back(part); break;
      default: break;
    }
  }
  if (!candidates.empty()) {
    pick.parts.push_back(candidates[static_cast<size_t>(engine::randomNext()) % candidates.size()]);
  }
  const uint8_t movement = mob.movementKind();
  for (const MobAnimation& animation : layout.animations) {
    if (movement == kWalker) {
      assignWalkerRole(pick, animation);
    } else if (movement == kFlyer) {
      assignFlyerRole(pick, animation);
    } else if (movement == kJumper || movement == kFloater) {
      assignPlainRole(pick, animation);
    }
  }
  return pick;
}
