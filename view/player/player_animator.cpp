#include "view/player/player_animator.h"

#include <algorithm>
#include <cmath>

namespace {
// The largest float below 1: a one-shot channel's last in-between frame stays short of the end.
constexpr float kJustBeforeEnd = 1.1920929e-7f;

bool isBodyAnimation(uint32_t id) { return (id >= 1 && id <= 4) || (id >= 6 && id <= 8); }
}  // namespace

PlayerAnimator* PlayerAnimator::create(PlayerAnimatorOwner* owner) {
  auto* animator = new PlayerAnimator(owner);
  animator->autorelease();
  return animator;
}

void PlayerAnimator::setPart(int index, engine::Node* part) { parts_[index] = part; }

void PlayerAnimator::play(uint32_t id) {
  body_.record = nullptr;
  body_.elapsed = 0.0f;
  currentId_ = id;
  if (!isBodyAnimation(id)) return;
  body_.record = art::playerKeyFrameRecord(id);
  if (body_.record == nullptr) return;
  body_.duration = body_.record->seconds;
  startChannel(body_);
}

void PlayerAnimator::playArm(uint32_t id, float duration, bool handFollowsItem) {
  arm_.record = art::playerKeyFrameRecord(id);
  arm_.duration = duration;
  arm_.elapsed = 0.0f;
  handFollowsItem_ = handFollowsItem;
  if (arm_.record != nullptr) startChannel(arm_);
}

void PlayerAnimator::startChannel(Channel& channel) {
  const uint32_t first = channel.record->firstKey;
  for (int i = 0; i < art::kCharacterPartCount; ++i) {
    channel.current[i] = parts_[i] ? parts_[i]->getPosition() : engine::Vec2{};
    channel.delta[i] = channel.record->table->keys[i][first] - channel.current[i];
  }
}

void PlayerAnimator::step(Channel& channel, float dt) {
  const art::PlayerKeyFrameRecord& record = *channel.record;
  const float t = channel.elapsed + dt;
  if (t >= channel.duration) {
    const uint32_t last = record.firstKey + record.keyCount - 1;
    for (int i = 0; i < art::kCharacterPartCount; ++i) channel.current[i] = record.table->keys[i][last];
    if (!record.loop) {
      channel.elapsed = channel.duration;
      channel.record = nullptr;
      return;
    }
    channel.elapsed = channel.elapsed - channel.duration + dt;
    startChannel(channel);
    interpolate(channel, channel.elapsed);
    return;
  }
  interpolate(channel, std::min(t, channel.duration - kJustBeforeEnd));
  channel.elapsed = t;
}

void PlayerAnimator::interpolate(Channel& channel, float t) {
  const art::PlayerKeyFrameRecord& record = *channel.record;
  const float keyTime = channel.duration / float(record.keyCount);
  const auto k = uint32_t(std::trunc(t / keyTime));
  if (k == 0) {
    // The first key blends from where the parts stood, a frame's share at a time.
    const float u = (t - channel.elapsed) / keyTime;
    for (int i = 0; i < art::kCharacterPartCount; ++i) channel.current[i] = channel.current[i] + channel.delta[i] * u;
    return;
  }
  const uint32_t from = std::min(record.firstKey + k - 1, uint32_t(art::kKeysPerPart - 2));
  const float u = (t - float(k) * keyTime) / keyTime;
  for (int i = 0; i < art::kCharacterPartCount; ++i) {
    channel.current[i] = record.table->keys[i][from] + record.table->deltas[i][from] * u;
  }
}

void PlayerAnimator::placeParts(const Channel& channel, int first, int last) {
  for (int i = first; i <= last; ++i) {
    if (parts_[i]) parts_[i]->setPosition(channel.current[i]);
  }
}

void PlayerAnimator::update(float dt) {
  const bool bodyRan = body_.running();
  const bool armRan = arm_.running();
  if (bodyRan) step(body_, dt);
  if (armRan) step(arm_, dt);

  if (bodyRan) placeParts(body_, 0, art::kCharacterPartCount - 1);
  if (armRan) placeParts(arm_, kArmFirstPart, kArmLastPart);

  if (armRan && !body_.running() && !arm_.running() && owner_) owner_->poseForState();
  if (arm_.running() && handFollowsItem_ && parts_[kArmFirstPart] && owner_) {
    parts_[kArmFirstPart]->setPosition(owner_->heldItemPosition());
  }
}
