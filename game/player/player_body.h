#pragma once
// The moving body of a desktop-controlled player: keys, velocity, gravity, ladders, liquids,
// collision with the map cells, jumping and dropping through platforms, and the sprite events of
// the movement. One `step` is one frame (dt 1.0 per sixtieth of a second); velocities are pixels
// per frame, positions pixels with y upwards, a cell 30 pixels. The step allocates nothing and
// reads cells by direct index.
//
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"
#include "world/rules/player_state_record.h"

class MapBlock;
class PlayerBase;
class WorldMap;

// The body speaks of its motion records by what they are to it.
using MotionEvent = PlayerStateRecord;

// What the body hands to the player that owns it.
class BodyHooks {
 public:
  virtual void sendMotion(const MotionEvent&) {}
  // A fall ended on the ground: the cells the feet stand in, the two cells landed on and the
  // fall speed. Only the local player applies the landing rules.
  virtual void landed(MapBlock* /*aboveLeft*/, MapBlock* /*aboveRight*/, MapBlock* /*left*/,
                      MapBlock* /*right*/, float /*speed*/) {}

 protected:
  ~BodyHooks() = default;
};

// Column of a pixel x: floor-based, modulo the width, so negative positions fold the same way
// as positive ones. Row of a pixel y: floor-based; rows outside the map have no cell.
int32_t pixelColumn(float x, int32_t width);
int32_t pixelRow(float y);

class PlayerBody {
 public:
  static constexpr int kNoKey = 2;
  static constexpr float kLadderGrab = 9.5f;
  // The body's own rules of speed, pixels a frame: a key's push on the ground, on a ladder, in
  // liquid; what each frame keeps of the speed (on the ground and on a ladder, in liquid, in free
  // flight, falling); the clamps (sideways, sideways while steering in the air, up and down); a jump's
  // strength (from the ground, and when surfacing).
  static constexpr float kWalkPush = 1.6f;
  static constexpr float kClimbPush = 0.8f;
  static constexpr float kSwimPush = 0.6f;
  static constexpr float kGroundKeeps = 0.6f;
  static constexpr float kLiquidKeeps = 0.7f;
  static constexpr float kFlightKeeps = 0.7f;
  static constexpr float kFallKeeps = 0.98f;
  static constexpr float kMostAcross = 20.0f;
  static constexpr float kMostSteering = 3.0f;
  static constexpr float kMostUpDown = 8.0f;
  static constexpr float kJumpStrength = 5.0f;
  static constexpr float kSurfacingJumpStrength = 3.5f;

  // How fast the body may go at most here by those rules, pixels a frame: sideways (her walk with
  // its bonus; off the ground, steering too), up (a jump's rise where she may jump from,
  // else her own speed, a climb's or a swim's) and down (the clamp). Free flight: its own clamps.
  struct Pace {
    float across = 0;
    float up = 0;
    float down = 0;
  };
  Pace mostPace(const PlayerBase& player) const;
  // A record of this body's motion from the machine that moves it, its speed (and a push's) held
  // to what the body could have where the record puts it: upward no faster than a jump, and that
  // only where she may jump from (the ground, a ladder, liquid) or than she rises already (the
  // body's own speed, with what is about to push it); sideways no faster than her fastest walk or
  // than she goes already. A body in free flight or pulled up by its gravity goes as its clamps let
  // it.
  void boundRecord(const PlayerBase& player, MotionEvent& motion) const;

  void step(PlayerBase& player, float dt, BodyHooks& hooks);
  void setMoveKeys(uint8_t code, PlayerBase& player, BodyHooks& hooks);
  void handleKeyRelease(uint8_t code, PlayerBase& player, BodyHooks& hooks);
  void releaseAllKeys(PlayerBase& player, BodyHooks& hooks);
  void jumpOrDrop(PlayerBase& player, float strength, bool hold, BodyHooks& hooks);
  void push(PlayerBase& player, float strength, float angle, BodyHooks& hooks);
  // Another machine's record of this player's motion (its own or the host's copy of it): keys,
  // jumps, drops and pushes replayed on this copy.
  void applyMotion(PlayerBase& player, const MotionEvent& motion, BodyHooks& hooks);
  // Puts the feet on the floor of the cell the player was placed on.
  void placeOnCell(PlayerBase& player);
  // The cell just placed on is where she enters a world: where a saved world had her (an autosave
  // may have caught her mid-jump or mid-fall) or where the host stands as she joins (perhaps in
  // mid-air). Coming down from there is no fall: none is measured until she stands, climbs, swims
  // or rises again.
  void setDownWithoutFall() { settlingFromPlacement = 1; }

  int32_t motionState(const PlayerBase& player) const;
  bool hasHeadroom(const PlayerBase& player) const;
  // The ground under feet at `at`, a ladder or liquid there, or the body standing, climbing or
  // swimming now: a jump may start.
  bool mayLeaveGround(const PlayerBase& player, engine::Vec2 at) const;
  bool occupiesCell(const PlayerBase& player, const MapBlock& cell) const;
  void liquidAround(const PlayerBase& player, uint8_t& body, uint8_t& head) const;

  engine::Vec2 velocity{0, 0};
  engine::Vec2 accel{0, 0};
  engine::Vec2 impulse{0, 0};
  engine::Vec2 size{12, 18};
  MapBlock* previousCell = nullptr;
  MapBlock* currentCell = nullptr;
  MapBlock* ignoreCell = nullptr;
  MapBlock* fallStart = nullptr;
  uint8_t settlingFromPlacement = 0;  // coming down from where she entered: see `setDownWithoutFall`
  int hKey = kNoKey;  // 0 left, 1 right
  int vKey = kNoKey;  // 0 up, 1 down
  uint8_t lowFriction = 0;
  uint8_t grounded = 1;
  uint8_t onLadder = 0;
  uint8_t inLiquid = 0;
  uint8_t surfacing = 0;
  uint8_t facingLocked = 0;
  uint8_t jumpHold = 0;
  float jumpHoldTime = 0;
  uint8_t motionEvent = 255;

 private:
  MotionEvent record(const PlayerBase& player, uint8_t code, uint8_t phase) const;
  void pressKey(uint8_t code);
  void replayPress(PlayerBase& player, uint8_t code, BodyHooks& hooks);
  void placeCopy(PlayerBase& player, const MotionEvent& motion);
  void drop(PlayerBase& player, BodyHooks& hooks);
  void releaseKey(uint8_t code);
  void applyGravity(const PlayerBase& player, float dt);
  void walk(PlayerBase& player, const WorldMap& map);
  void collideVertically(PlayerBase& player, WorldMap& map, BodyHooks& hooks);
  bool collideHorizontally(PlayerBase& player, WorldMap& map);
  void surface(PlayerBase& player, WorldMap& map);
  void afterMove(PlayerBase& player, WorldMap& map, float oldX);
  void sendSpriteEvents(PlayerBase& player, bool wasRising);
  void spriteEvent(PlayerBase& player, uint8_t code);
};
