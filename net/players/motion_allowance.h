#pragma once
// How far a client's player may have moved since the host last accepted where she stood. The
// host's copy of her body is stepped as her own is, so an honest record lands close to the copy;
// what lies between them is motion a lagged link bunched up. The allowance is game time, earned
// by each step of the copy up to half a second, and a record spends the ticks the body would
// need at its fastest to cover the gap. A record that asks for more is a body doing what no
// body can, and so is one that puts her inside solid ground or past a wall no body goes
// through: the host keeps the copy where it is.
//
// A jump the host makes itself (respawn, a portal, a bed, a teleport) fills the allowance, and
// for half a second records that still speak of the place she left are dropped without a word:
// they were on their way before her client heard of the jump.
//
// Main thread only.

#include "engine/base/geometry.h"

class MotionAllowance {
 public:
  // Pixels per tick: the body's vertical clamp (a fall, a jump, a climb), its horizontal clamp
  // in flight, and on foot well past a walk with every bonus, ice or a knock-back.
  static constexpr float kMostVertical = 8.5f;
  static constexpr float kMostInFlight = 20.0f;
  static constexpr float kMostOnFoot = 8.0f;
  // The ticks of motion a link may hold back and deliver at once.
  static constexpr float kMostTicks = 24.0f;

  enum class Verdict { Accepted, Stale, Refused };

  // The copy took a step of `ticks`.
  void elapse(float ticks);
  // A record puts her `gap` pixels (x the shorter way across the wrap) from the copy; `passable`:
  // the map lets a body go that way (motion_path.h).
  Verdict judge(engine::Vec2 gap, engine::Vec2 fromLeftPlace, bool flying, bool passable = true);
  // The host moved her; `gapToLeft` is then measured from the place she left.
  void placedByHost();

 private:
  static float ticksFor(engine::Vec2 gap, bool flying);

  float ticks_ = kMostTicks;
  float staleTicks_ = 0;
};
