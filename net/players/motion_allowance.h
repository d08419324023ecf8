#pragma once
// How far a client's player may have moved since the host last accepted where she stood. The
// host's copy of her body is stepped as her own is, so an honest record lands close to the copy;
// what lies between them is motion a lagged link bunched up. The allowance is game time, earned
// by each step of the copy up to 0.4 s, and a record spends the ticks the body would need at its
// fastest to cover the gap. Over time she goes no faster than her body's own pace
// (PlayerBody::Pace): a record may put her no further sideways from where the copy stood five
// seconds before than the pace of each step since covers, with the 0.4 s a link may hold back,
// whatever moved the copy meanwhile (its own steps or earlier records); and the records' gaps
// upwards add up to no more than the pace upwards earns (a jump's speed where she may jump from,
// else her own rise, a climb's or a swim's). So records that keep putting her a little ahead of
// the copy move her no faster than she walks. A record that asks for more is a body doing what no body can, and so is one
// that puts her inside solid ground or past a wall no body goes through: the host keeps the copy
// where it is.
//
// A jump the host makes itself (respawn, a portal, a bed, a teleport) fills the allowance, and
// for half a second records that still speak of the place she left are dropped without a word:
// they were on their way before her client heard of the jump.
//
// Main thread only.

#include <deque>

#include "engine/base/geometry.h"
#include "game/player/player_body.h"

class MotionAllowance {
 public:
  // Pixels per tick: the body's vertical clamp (a fall, a jump, a climb), its horizontal clamp
  // in flight, and on foot well past a walk with every bonus, ice or a knock-back.
  static constexpr float kMostVertical = 8.5f;
  static constexpr float kMostInFlight = 20.0f;
  static constexpr float kMostOnFoot = 8.0f;
  // The ticks of motion a link may hold back and deliver at once.
  static constexpr float kMostTicks = 24.0f;
  // The time over which her pace is measured.
  static constexpr float kWindowTicks = 300.0f;

  enum class Verdict { Accepted, Stale, Refused };

  // What a record is judged by: its gap from the copy (x the shorter way across the wrap), from the
  // place the host last put her, and from where the copy stood when the window began; whether she
  // flies; her body's pace where the copy is; and whether the map lets a body go that way
  // (motion_path.h).
  struct Record {
    engine::Vec2 gap;
    engine::Vec2 fromLeftPlace;
    engine::Vec2 fromWindowStart;
    bool flying = false;
    PlayerBody::Pace pace;
    bool passable = true;
  };

  // The copy took a step of `ticks` from `at`, where her body goes sideways at most `across`
  // pixels a tick.
  void elapse(float ticks, engine::Vec2 at, float across);
  Verdict judge(const Record& record);
  // Where the copy stood when the window began; none before its first step.
  const engine::Vec2* windowStart() const { return steps_.empty() ? nullptr : &steps_.front().at; }
  // The host moved her; `fromLeftPlace` is then measured from the place she left, and her pace
  // from where she is put.
  void placedByHost();

 private:
  static float ticksFor(engine::Vec2 gap, bool flying);

  float ticks_ = kMostTicks;
  float staleTicks_ = 0;
  // The copy's steps in the window: where each began, its ticks and the pixels sideways its pace
  // allowed.
  struct Step {
    engine::Vec2 at;
    float ticks;
    float across;
  };
  std::deque<Step> steps_;
  float windowTicks_ = 0;
  float windowAcross_ = 0;
  // Pixels upwards records may still add, earned by the steps since the last record at her pace.
  float up_ = kMostTicks * kMostVertical;
  float unpacedTicks_ = 0;
};
