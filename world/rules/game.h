#pragma once
// The game in progress, as the world model sees it, by role: the player's actions, the session
// and its timers, the player's side of trading; and the roles only a networked game has (reports
// to the other side, requests to the host, trade windows, the chat line), which the
// whole hands out when the game has them. `GameInterface`, the whole, is the abstract base of the game's
// class tree (`Game` derives from it in the game library, then `GameLocal` and the
// remote kinds); it is declared here so the world's simulations can hand their edits to the current game
// (`applyBlockEdit`) without reaching up. `NullGame` stands in until a game registers itself and
// in tests: it does nothing and refuses everything. `WorldGame` applies edits straight to one
// `World`, for tests and tools that run the world headless.
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "content/items/item_ptr.h"
#include "engine/base/seam.h"

class Item;
class MapBlock;
class MobEntity;
class PlayerBase;
class TradeAbstract;
struct BlockEdit;
struct PlayerStateRecord;
struct TravelTarget;

// Called when a game started by `begin` has finished loading its world.
using GameCompletion = std::function<void()>;
// How a save ended, told once on the main thread when its files are written: true when every
// save reached the disk (or there was nothing to save).
using SaveDone = std::function<void(bool saved)>;

// Units of one item id that a craft used up.
struct CraftedStack {
  uint16_t id = 0;
  uint16_t count = 0;
};

// ---- The game by role ----
// Each caller depends on the role it uses; `GameInterface` is the whole.

// What the local player does: every action and the edits it makes.
class GamePlayerActions {
 public:
  virtual ~GamePlayerActions() = default;
  virtual void playPlayerAction(uint8_t action, uint8_t value) = 0;
  virtual void playCellEffect(uint8_t effect, MapBlock& cell) = 0;
  virtual bool putItemOnShelf(MapBlock& cell, Item* stack, uint8_t slotChoice) = 0;
  // `variantChoice`: 0 lets the sign take a random look, n takes look n - 1.
  virtual void placeSign(MapBlock& cell, uint8_t variantChoice) = 0;
  // The block on the layer (MapBlock::kFront or kBack) of one of the world's cells; false (nothing
  // used) for a cell of no world the game runs or a use the rules refuse.
  virtual bool useBlock(MapBlock& cell, uint8_t layer) = 0;
  virtual bool captureMob(MobEntity* mob) = 0;
  // The item leaves the player at the speed and angle (radians) with the rules' entity flags.
  virtual void throwItem(ItemPtr item, float speed, float angle, uint8_t flags) = 0;
  // The held item fired along the aim (the shot's velocity, pixels a tick).
  virtual void shoot(float aimX, float aimY) = 0;
  virtual bool signalEntities(float x, float y) = 0;
  virtual void closeContainer() = 0;
  virtual void setPlayerMode(uint8_t mode) = 0;
  virtual void setTimeFrozen(uint8_t value) = 0;
  virtual void respawn() = 0;
  virtual void travelToWorld(const TravelTarget& target) = 0;
  virtual void reelIn(float reactionMs) = 0;
  virtual void editCircuitCell(MapBlock& cell) = 0;
  virtual bool editBlock(const BlockEdit& edit) = 0;
  virtual void dropInventoryOnDeath() = 0;
  virtual bool damageLocalPlayer(float amount, uint8_t cause) = 0;
  virtual bool brewPotion() = 0;
  virtual void refreshPet() = 0;
  virtual void sleep() = 0;
  // The item falls at the player's cell (a null item: nothing happens).
  virtual void dropItem(ItemPtr item) = 0;
  virtual bool consumeItem(Item* item) = 0;
};

// The session and its timers: starting, saving and ending a game, pausing and stepping it, and
// the world's own follow-up edits.
class GameSession {
 public:
  virtual ~GameSession() = default;
  virtual void begin(uint8_t mode, const GameCompletion& done) = 0;
  virtual void suspend() = 0;
  virtual void resume() = 0;
  virtual void pause() = 0;
  virtual void unpause() = 0;
  virtual void stopTimers() = 0;
  virtual void startTimers() = 0;
  // The autosave option was turned: while the game's timers run, the autosave task starts or
  // stops now (stopped timers read the option when they start).
  virtual void autosaveOptionChanged() = 0;
  virtual bool worldIsCreative() = 0;
  virtual uint8_t sessionKind() = 0;
  virtual void save(const SaveDone& done) = 0;
  virtual void quit() = 0;
  virtual void tick() = 0;
  // The world applies the edit and the game reacts to it; `actor` is the player who made it (null:
  // the world itself). True once applied.
  virtual bool applyBlockEdit(const BlockEdit& edit, PlayerBase* actor) = 0;
};

// The player's side of trading: asking another player (alone: refused with a message) and
// leaving the running trade.
class GameTrade {
 public:
  virtual ~GameTrade() = default;
  virtual void requestTrade(PlayerBase* other) = 0;
  virtual void cancelTrade() = 0;
};

// ---- The networked game's roles ----
// A game played alone has none of these: its callers ask the game for the role and, given none,
// do what playing alone does themselves (most often nothing).

// What a networked game tells the other side about its own player: its motion, its held item, what
// it wears (the host's copy of a joined player follows it; a host's own player is shown so to its
// guests), and that it left its bed (alone, the caller's healing is all there is to leaving a bed).
class GamePeerReports {
 public:
  virtual ~GamePeerReports() = default;
  virtual void leaveBed() = 0;
  virtual void sendPlayerState(const PlayerStateRecord& record) = 0;
  virtual void sendHeldItem() = 0;
  // The item (null: none) the player now wears in equipment place `index` of the look set
  // (`secondSet`) or the armour set.
  virtual void sendWornItem(const Item* item, uint8_t index, bool secondSet) = 0;
  // The player gained (or lost) the potion effect `buff`. Only a host tells its guests: a joined
  // player's effects are her host's to give and end, and it tells every client of them itself.
  virtual void sendBuff(uint16_t /*buff*/, bool /*gained*/) {}
};

// What a joined player asks its host for, where a game with its own world runs the rules itself:
// a mob its swing hit (alone, the swing hits the mob), a portal choice, an item it learned (alone, the caller has added it to the player's knowledge already), a
// recipe it crafted with the units it used up (alone, the inventory already holds the result), a
// firework it filled (alone, the inventory holds it filled already), and a bag it opens (alone,
// the caller rolls the bag itself).
class GameHostRequests {
 public:
  virtual ~GameHostRequests() = default;
  virtual void hitMob(MobEntity* mob) = 0;
  virtual void usePortal() = 0;
  virtual void reportItemLearned(uint16_t itemId) = 0;
  virtual void reportCraft(uint16_t recipeRow, std::span<const CraftedStack> spent) = 0;
  // One paint of `paintId` went into the firework whose word was `fireworkWord` before it.
  virtual void reportFireworkFilled(uint16_t paintId, uint32_t fireworkWord) = 0;
  // What became of a bag asked to open.
  enum class BagRequest : uint8_t {
    RolledHere,  // this game rolls bags itself
    Sent,        // the host rolls it and sends what it held: the caller spends the bag
    NoRoom,      // the inventory has no room for what it may hold: the bag stays shut, as alone
  };
  virtual BagRequest openBag(const Item& bag) = 0;
};

// Trading between players: the trade window with a partner, and the answer to another player's
// trade request (alone there is nobody to trade with).
class GameTradeWindows {
 public:
  virtual ~GameTradeWindows() = default;
  virtual TradeAbstract* createTrade(const std::string& partner) = 0;
  // The local player (at `askedPeer`) answers the request of the player at `askingPeer`.
  virtual void answerTrade(uint8_t answer, uint8_t askedPeer, uint8_t askingPeer) = 0;
};

// The chat line of a networked game: a command runs on the host for the player who typed it, any
// other line is said to everyone (alone, the chat command interpreter runs the line here).
class GameChat {
 public:
  virtual ~GameChat() = default;
  virtual void submitChatLine(const std::string& text) = 0;
};

// The whole: every role a game played alone has, as the current game and a world's edit sink
// hold it, and the networked roles a game has (none unless it says so).
class GameInterface : public GamePlayerActions, public GameSession, public GameTrade {
 public:
  ~GameInterface() override = default;
  virtual GamePeerReports* peerReports() { return nullptr; }
  virtual GameHostRequests* hostRequests() { return nullptr; }
  virtual GameTradeWindows* tradeWindows() { return nullptr; }
  virtual GameChat* chat() { return nullptr; }
};

// No game runs: every action does nothing (an item handed over goes back to the pool), every
// question is answered no. It answers every
// networked role as well, each doing nothing, so a test's game can fill in the one it needs.
class NullGame : public GameInterface,
                 public GamePeerReports,
                 public GameHostRequests,
                 public GameTradeWindows,
                 public GameChat {
 public:
  GamePeerReports* peerReports() override { return this; }
  GameHostRequests* hostRequests() override { return this; }
  GameTradeWindows* tradeWindows() override { return this; }
  GameChat* chat() override { return this; }
  void begin(uint8_t, const GameCompletion&) override {}
  void playPlayerAction(uint8_t, uint8_t) override {}
  void playCellEffect(uint8_t, MapBlock&) override {}
  bool putItemOnShelf(MapBlock&, Item*, uint8_t) override { return false; }
  void placeSign(MapBlock&, uint8_t) override {}
  bool useBlock(MapBlock&, uint8_t) override { return false; }
  void hitMob(MobEntity*) override {}
  bool captureMob(MobEntity*) override { return false; }
  void throwItem(ItemPtr, float, float, uint8_t) override {}
  void shoot(float, float) override {}
  bool signalEntities(float, float) override { return false; }
  void closeContainer() override {}
  void setPlayerMode(uint8_t) override {}
  void setTimeFrozen(uint8_t) override {}
  void respawn() override {}
  void leaveBed() override {}
  void usePortal() override {}
  void travelToWorld(const TravelTarget&) override {}
  TradeAbstract* createTrade(const std::string&) override { return nullptr; }
  void requestTrade(PlayerBase*) override {}
  void answerTrade(uint8_t, uint8_t, uint8_t) override {}
  void cancelTrade() override {}
  void reelIn(float) override {}
  void editCircuitCell(MapBlock&) override {}
  void submitChatLine(const std::string&) override {}
  bool editBlock(const BlockEdit&) override { return false; }
  void suspend() override {}
  void resume() override {}
  void pause() override {}
  void unpause() override {}
  void stopTimers() override {}
  void startTimers() override {}
  void autosaveOptionChanged() override {}
  void sendWornItem(const Item*, uint8_t, bool) override {}
  void sendPlayerState(const PlayerStateRecord&) override {}
  void sendHeldItem() override {}
  void reportItemLearned(uint16_t) override {}
  void reportCraft(uint16_t, std::span<const CraftedStack>) override {}
  void reportFireworkFilled(uint16_t, uint32_t) override {}
  BagRequest openBag(const Item&) override { return BagRequest::RolledHere; }
  bool worldIsCreative() override { return false; }
  uint8_t sessionKind() override { return 0; }
  void save(const SaveDone& done) override {
    if (done) done(false);
  }
  void quit() override {}
  void dropInventoryOnDeath() override {}
  bool damageLocalPlayer(float, uint8_t) override { return false; }
  void tick() override {}
  bool brewPotion() override { return false; }
  void refreshPet() override {}
  void sleep() override {}
  bool applyBlockEdit(const BlockEdit&, PlayerBase*) override { return false; }
  void dropItem(ItemPtr) override {}
  bool consumeItem(Item*) override { return false; }
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<GameInterface, NullGame>& currentGameSeam();
// The current game; the null form while none is set. Read at the edges only.
GameInterface& currentGame();
void setCurrentGame(GameInterface* game);
