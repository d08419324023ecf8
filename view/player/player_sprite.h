#pragma once
// A player drawn in the world: twelve body-part sprites of the character atlas under one animated
// node (`PlayerAnimator`), plus the sprite of the held item. The player reports what it does
// (motion events 0-12, swings, the held item, hiding and showing) and the sprite turns that into
// key-frame animations of the parts, sounds and light. The parts take the light of the player's
// cell; the head carries the skin colour as a dye. A worn light and a held item that glows are
// written into the world's light map while the player carries them, and taken out again when
// they go (see player_sprite_list.cpp for the lights of all players at once).
//
// Every sprite joins one process-wide list when made and leaves it when destroyed; the list is
// stepped once per entity tick (`stepAll`: the player's own step, then 1/60 s of animation) and
// once per frame (`tickAll`).
//
// Positions: the animator stands at the point it was given plus `bodyOffset`, the lift from the
// body's centre to the sprite's origin ((0, 6) at rest). Main thread only.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"
#include "view/player/player_animator.h"

namespace engine {
class Sprite;
}

class DyableSprite;
class HeldItemSprite;
class Item;
class MapBlock;
class PlayerGraphical;

class PlayerSprite : public PlayerAnimatorOwner {
 public:
  static constexpr int kHeldTag = 180;
  static constexpr int kHeldZ = 12;
  static constexpr int kMarkerTag = 280;
  static constexpr int kMarkerZ = 50;
  static constexpr int kSwingTag = 666;
  static constexpr uint16_t kSwingSound = 35;
  static constexpr uint16_t kStepSound = 30;
  static constexpr uint16_t kLandSound = 31;
  static constexpr float kRestLift = 6.0f;

  // Joins the list, builds the parts at the rest pose of the player's body state, the held item
  // and the body's scale and colours, and raises the worn light when there is one.
  explicit PlayerSprite(PlayerGraphical& player);
  // Leaves the list; the player's lights leave the light map.
  ~PlayerSprite() override;
  PlayerSprite(const PlayerSprite&) = delete;
  PlayerSprite& operator=(const PlayerSprite&) = delete;

  virtual bool isLocal() const { return false; }
  virtual void setPosition(engine::Vec2 point);
  // The held item changed: a running swing ends and the item is shown anew.
  virtual void refreshGear();
  virtual void hide();
  virtual void show();
  virtual void perFrame() {}
  // The player ended before its sprite: the sprite goes without touching it or its world.
  void forgetPlayer();

  // The body's scale and offset from the player's flags, the parts' pictures, opacity and dyes,
  // and the worn light.
  void build();
  // The held item's picture, anchor, rotation and place; its light when it glows.
  void updateGear();
  // The rest pose of the player's body state (nothing while the state is unknown).
  void poseForState() override;
  engine::Vec2 heldItemPosition() const override;
  // Starts a body animation unless it is the current one; `alternate` shows the torso's other picture.
  void playAnimation(int32_t id, bool alternate);
  void onMotionEvent(uint8_t event);
  // A body animation that runs stops, the pose goes back to rest and the held item comes back.
  void settle();
  // A swing that runs stops and the held item goes back to its rest place.
  void stopSwing();
  void playSwing();
  // Mirrors the body when `facing` equals the facing flag (the flag is the negation of the last facing).
  void setFacing(bool facing);
  void flip();
  // The parts and the held item take the light of the player's cell.
  void updateColors();
  // The player entered a new cell (the player itself moved its worn light there): a lit, shown held
  // item's light follows, and the parts take the new cell's light.
  void followCell();
  // The marker over the player's head: shown with the interface sprite `id`, or removed.
  void showMarker(bool show, uint32_t id);
  void hideHeldItem();
  // Where the held item sits for a body state: the front hand for a swung item, else the item's
  // own offset bytes around the hand.
  static engine::Vec2 equipOffset(int32_t bodyState, const Item* item);

  // ---- The list of every sprite ----
  static const std::vector<PlayerSprite*>& all();
  static void stepAll();
  static void tickAll();
  // The brightest light a visible player on the cell carries (worn, or a lit held item); 0 when none.
  static uint16_t carriedLightAt(const MapBlock& cell);
  // Every sprite takes its cell's light again (the whole view was re-tinted).
  static void relightAll();
  // The worn items' effects of every local player's sprite (the ambient pass runs them).
  static void runLocalWornItemEffects();

  PlayerAnimator* animator() const { return animator_; }
  engine::Sprite* heldSprite() const;
  DyableSprite* part(int index) const { return parts_[index]; }
  PlayerGraphical& player() const { return *player_; }
  engine::Vec2 bodyOffset() const { return bodyOffset_; }
  int32_t motion() const { return motion_; }
  bool animating() const { return animating_; }
  bool facingFlag() const { return facingFlag_; }
  bool heldLit() const { return heldLit_; }
  bool carriesLight() const { return carriesLight_; }
  // The light this sprite puts into the light map now: the brighter of the worn light and the lit,
  // shown held item; 0 when hidden.
  uint16_t carriedLight() const;

 protected:
  // Whether a swing leaves an aimed item where the pointer turned it (the local player's option).
  virtual bool keepsAim() const { return false; }
  bool heldHasActions() const;
  // Raises or takes out the light at the player's cell and re-tints the view.
  void raiseLight(uint16_t colour);
  void lowerLight();
  // The item shown now, to notice a change of the held item between frames.
  struct ShownItem {
    uint16_t id = 0xFFFF;
    uint8_t variant = 0;
    bool operator==(const ShownItem&) const = default;
  };
  ShownItem heldNow() const;
  ShownItem shown_;

 private:
  static void registerSprite(PlayerSprite* sprite);
  static void unregisterSprite(PlayerSprite* sprite);
  void placeRestPose(int32_t state);
  void applyBodyScale(uint32_t flags);
  void updateWornLight();
  void stepMotion(uint8_t event);
  void stepFreeMotion(uint8_t event);

  engine::RefPtr<PlayerAnimator> animator_;
  HeldItemSprite* heldSprite_ = nullptr;  // a child of the animator
  std::array<DyableSprite*, art::kCharacterPartCount> parts_{};  // children of the animator
  engine::Vec2 bodyOffset_{0, 0};
  PlayerGraphical* player_;
  bool animating_ = false;
  bool heldLit_ = false;
  bool carriesLight_ = false;
  // The character's pictures face left, so the animator's first horizontal scale of -1 draws it
  // facing right: as if it had last been asked to face right, the flag (the negation of "left")
  // starts set. Started clear, every turn after the first drew the body facing away from its way.
  bool facingFlag_ = true;
  int32_t motion_ = -1;
};

// The body state of a player: 0 standing, 5 climbing, 9 swimming or flying, -1 in the air. A
// player without a body stands.
int32_t playerBodyState(const PlayerGraphical& player);
