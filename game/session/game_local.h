#pragma once
// The game played alone: every action of the player runs through the local rules on the local
// world. Timers, loading, saving, sleeping and travel belong to the game's timer and loading
// code, which is not part of this library yet: those operations do nothing until it arrives, and
// so do the ones that reach entities, shelves, signs, fishing, circuits, chat and potions.
//
// Main thread only.

#include <cstdint>
#include <string>

#include "game/session/game.h"

class LocalLogic;

class GameLocal : public Game {
 public:
  static constexpr int16_t kTextTradeNeedsMultiplayer = 168;
  static constexpr uint32_t kPauseBlockedBit = 1u << 2;

  // The rules are borrowed; they live as long as the process.
  explicit GameLocal(LocalLogic* rules) : rules_(rules) {}

  void begin(uint8_t, const GameCompletion&) override {}
  void playPlayerAction(uint8_t action, uint8_t value) override;
  void playCellEffect(uint8_t effect, MapBlock& cell) override;
  bool putItemOnShelf(MapBlock&, Item*, uint8_t) override { return false; }
  void placeSign(MapBlock&, uint8_t) override {}
  bool useBlock(uint16_t&) override { return false; }
  void hitMob(MobEntity*) override {}
  bool captureMob(MobEntity*) override { return false; }
  void throwItem(Item* item, float a, float b, uint8_t flag) override;
  void shoot(float aimX, float aimY, float a, float b) override;
  bool signalEntities(float, float) override { return false; }
  void closeContainer() override;
  void setPlayerMode(uint8_t mode) override;
  void setTimeFrozen(uint8_t value) override;
  void respawn() override;
  void leaveBed() override {}
  void usePortal() override {}
  void travelToWorld(const TravelTarget&) override {}
  TradeAbstract* createTrade(const std::string&) override { return nullptr; }
  void requestTrade(PlayerBase* other) override;
  void answerTrade(uint8_t, uint8_t, uint8_t) override {}
  void cancelTrade() override {}
  void reelIn(float) override {}
  void editCircuitCell(MapBlock&) override {}
  void submitChatLine(const std::string&) override {}
  bool editBlock(const BlockEdit& edit) override;
  void suspend() override { stopTimers(); }
  void resume() override { startTimers(); }
  void pause() override;
  void unpause() override;
  void stopTimers() override;
  void startTimers() override;
  void sendItemSlot(Item*, uint8_t, uint32_t) override {}
  void sendPlayerState(const PlayerStateRecord&) override {}
  void sendHeldItem() override {}
  void reportItemLearned(uint16_t) override {}
  bool save() override { return false; }
  void quit() override;
  void dropInventoryOnDeath() override;
  bool damageLocalPlayer(float amount, uint8_t cause) override;
  void tick() override {}
  bool brewPotion() override;
  void refreshPet() override {}
  void sleep() override {}
  bool applyBlockEdit(const BlockEdit& edit, PlayerBase* extra) override;
  void dropItem(Item*& item) override;
  bool consumeItem(Item*) override { return false; }

  LocalLogic* rules() const { return rules_; }
  bool timersRunning() const { return timersRunning_; }

 private:
  LocalLogic* rules_;
  bool timersRunning_ = false;
};
