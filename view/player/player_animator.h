#pragma once
// The node that moves a player's twelve body parts through key frames. Two channels run side by
// side: the body channel (walking, jumping, climbing, swimming) and the arm channel (a swing),
// which moves only the arm parts 3-6 while it runs. The player's sprite owns the animator, hands
// it the part nodes and steps it once per entity tick (1/60 s); nothing schedules it by itself.
//
// A channel blends from wherever the parts are to its first key during the first key's time, then
// moves linearly from key to key. A looping channel starts over keeping the overshoot, so it never
// jumps; a one-shot channel ends exactly on its last key.

#include <array>
#include <cstdint>

#include "content/art/player_key_frames.h"
#include "engine/scene/inner_node.h"

// What the animator asks of the sprite that owns it.
class PlayerAnimatorOwner {
 public:
  virtual ~PlayerAnimatorOwner() = default;
  // Back to the rest pose of the player's body state: the swing ended with no body animation.
  virtual void poseForState() = 0;
  // Where the held item is now, in the animator's space: the front hand follows a swung item.
  virtual engine::Vec2 heldItemPosition() const = 0;
};

class PlayerAnimator final : public engine::InnerNode {
 public:
  static constexpr int kArmFirstPart = 3;
  static constexpr int kArmLastPart = 6;

  struct Channel {
    const art::PlayerKeyFrameRecord* record = nullptr;  // null: idle
    float duration = 0.0f;
    float elapsed = 0.0f;
    std::array<engine::Vec2, art::kCharacterPartCount> delta{};
    std::array<engine::Vec2, art::kCharacterPartCount> current{};
    bool running() const { return record != nullptr; }
  };

  // Autoreleased, like every node.
  static PlayerAnimator* create(PlayerAnimatorOwner* owner);

  // The part node of an index 0-11 (not retained: the parts are the animator's children).
  void setPart(int index, engine::Node* part);
  engine::Node* part(int index) const { return parts_[index]; }

  // Starts the body animation of an id (1-4, 6-8); any other id leaves the body channel idle.
  void play(uint32_t id);
  // Starts a swing of the arm (records 10-12) over a duration.
  void playArm(uint32_t id, float duration, bool handFollowsItem);
  void stopBody() { body_.record = nullptr; }
  void stopArm() { arm_.record = nullptr; }

  void update(float dt) override;

  uint32_t currentId() const { return currentId_; }
  const Channel& body() const { return body_; }
  const Channel& arm() const { return arm_; }

 private:
  explicit PlayerAnimator(PlayerAnimatorOwner* owner) : owner_(owner) {}

  void startChannel(Channel& channel);
  void step(Channel& channel, float dt);
  void interpolate(Channel& channel, float t);
  void placeParts(const Channel& channel, int first, int last);

  PlayerAnimatorOwner* owner_;
  std::array<engine::Node*, art::kCharacterPartCount> parts_{};
  Channel body_;
  Channel arm_;
  uint32_t currentId_ = 0;
  bool handFollowsItem_ = false;
};
