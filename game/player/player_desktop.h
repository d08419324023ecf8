#pragma once
// A player class with a body that moves under desktop controls: `PlayerDesktop<T>` adds the
// physics of `PlayerBody` to `T` (the local `Player`; the remote proxies later). The local
// player of a game played alone is a `PlayerDesktopLocal`, which also applies the landing rules.
//
// Main thread only.

#include <cstdint>

#include "game/player/player.h"
#include "game/player/player_body.h"

template <typename T>
class PlayerDesktop : public T, protected BodyHooks {
 public:
  using T::T;

  void update(float dt) override { body_.step(*this, dt, *this); }
  void setCellCoordinates(uint32_t x, uint32_t y) override {
    T::setCellCoordinates(x, y);
    body_.placeOnCell(*this);
  }
  LiquidAround liquidAround() const override {
    LiquidAround around;
    body_.liquidAround(*this, around.body, around.head);
    return around;
  }
  bool isGrounded() const override { return body_.grounded != 0; }
  PlayerBody& body() { return body_; }
  const PlayerBody& body() const { return body_; }

  void setMoveKeys(uint8_t code) { body_.setMoveKeys(code, *this, *this); }
  void handleKeyRelease(uint8_t code) { body_.handleKeyRelease(code, *this, *this); }
  void releaseAllKeys() { body_.releaseAllKeys(*this, *this); }
  void jumpOrDrop(float strength, bool hold) { body_.jumpOrDrop(*this, strength, hold, *this); }
  void jump() { jumpOrDrop(5.0f, false); }
  void smallJump() { jumpOrDrop(2.0f, false); }
  void push(float strength, float angle) { body_.push(*this, strength, angle, *this); }
  // A motion record from the machine that moves this player.
  void applyMotionState(const MotionEvent& motion) { body_.applyMotion(*this, motion, *this); }
  int32_t motionState() const override { return body_.motionState(*this); }
  bool hasHeadroom() const { return body_.hasHeadroom(*this); }
  bool occupiesCell(const MapBlock& cell) const override { return body_.occupiesCell(*this, cell); }

 private:
  PlayerBody body_;
};

class PlayerDesktopLocal : public PlayerDesktop<Player> {
 public:
  using PlayerDesktop<Player>::PlayerDesktop;

  // Cell and spawn cell, feet on the cell's floor.
  void setCell(uint16_t x, uint16_t y);
  void pushLocalBody(float strength, float angle) override { push(strength, angle); }

 protected:
  // The game tells the others of each change of keys or push (alone, nobody).
  void sendMotion(const MotionEvent& motion) override;
  void landed(MapBlock* aboveLeft, MapBlock* aboveRight, MapBlock* left, MapBlock* right,
              float speed) override;
};
