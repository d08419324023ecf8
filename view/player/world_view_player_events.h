#pragma once
// The world view's side of what a player tells the layers above the game: its sprite's motion,
// facing, swings, marker and held item, the effects and sounds at cells and entities, the icon of
// a picked-up item, a new cell and a rebuilt view. One method per event, each of which finds the
// player's sprite (or the running world's view) and draws it; a player without a sprite shows
// nothing.
//
// The interface's events (console lines, views, the HUD) are added by the interface's form, which
// derives from this one; that form is what the application registers.
//
// Main thread only.

#include "game/player/player_events.h"
#include "view/effects/tile_hits_window.h"

class PlayerSprite;
class World;

class WorldViewPlayerEvents : public PlayerEvents {
 public:
  // Actions of `playAction`.
  enum Action : uint8_t {
    kSwingFacing = 0,
    kSwing = 1,
    kRebuild = 2,
    kHeldChanged = 3,
    kAimedSwing = 4,
    kSound = 5,
    kVanish = 6,
    kOwnAction = 7,
    kMarkerOn = 8,
    kMarkerOff = 9,
  };
  static constexpr uint8_t kIdle = 255;
  static constexpr uint16_t kActionSound = 32;
  static constexpr uint16_t kVanishDebris = 13;
  static constexpr float kAimStep = 1.4117647f;  // 360 / 255 degrees

  void motionEvent(PlayerGraphical& player, uint8_t code) override;
  void setFacing(PlayerGraphical& player, bool left) override;
  void playAction(PlayerGraphical& player, uint8_t action, uint8_t arg) override;
  void tileSound(const MapBlock& cell) override;
  void tileEffect(PlayerGraphical& player, const MapBlock& cell, uint8_t kind) override;
  void entityEffect(PlayerGraphical& player, Entity* entity, uint8_t kind, uint16_t value) override;
  void sound(uint16_t soundId, const MapBlock& cell) override;
  void cellChanged(PlayerGraphical& player, int dx, int dy, bool wrapped) override;
  void itemPickedUp(uint16_t itemId, uint16_t count) override;
  void rebuildWorldView() override;

  TileWindowHits& tileHits() { return tileHits_; }

 private:
  // The world shown now (the running game's), or null.
  static World* shownWorld();

  TileWindowHits tileHits_;
};

// The sprite of a player, or null when it has none.
PlayerSprite* spriteOf(const PlayerGraphical& player);
