#pragma once
// The game of a player who joined a host. It never changes its copy of the world by rules: for
// each action it does what the joined player's own game still does itself (the player's
// animation, a local check that refuses early, giving an item up) and sends the host one request
// through its endpoint; the host answers with the changes, which the endpoint's handlers apply.
//
// The world is the endpoint's (built from the host's header, net/transfer/); the local player is
// the joined game's (joined_game.h). The local checks read the world and the player only. Leaving, for
// whatever reason, and travelling (joining the same host again) are the owner's: the game hands
// both to its `ClientGameExit`, after which it is not touched again.
//
// Main thread only.

#include <cstdint>
#include <string>

#include "game/session/game.h"
#include "game/session/game_services.h"
#include "net/wire/wire_out.h"

class NetClient;
class WorldEntities;

// Where a joined game goes when it ends: back to a local game, or to the same host again.
class ClientGameExit {
 public:
  virtual ~ClientGameExit() = default;
  virtual void leaveJoinedGame() = 0;
  virtual void rejoinHost() = 0;
};

class GameRemoteClient final : public Game,
                               public GamePeerReports,
                               public GameHostRequests,
                               public GameTradeWindows,
                               public GameChat {
 public:
  static constexpr uint8_t kSessionKind = 2;
  static constexpr int16_t kTextLoadingJoined = 101;
  static constexpr float kToySignalReach = 300.0f;

  // Both borrowed, outliving the game: the endpoint requests go through, and where it ends.
  // `services`: the screen, saves and statistics store it plays with (game_services.h).
  GameRemoteClient(NetClient& net, ClientGameExit& exit, const GameServices& services = {});
  ~GameRemoteClient() override;
  GameRemoteClient(const GameRemoteClient&) = delete;
  GameRemoteClient& operator=(const GameRemoteClient&) = delete;

  // The entities of the world the host sent (not owned; null: none yet).
  void setEntities(WorldEntities* entities) { entities_ = entities; }
  // The downloaded world is ready: the player stands in it, the game's tasks run, and the host
  // hears that the client entered (`NetClient::enterWorld`).
  void enterWorld();
  // Saves the character now, once the world is entered: a stack she handed to the host's world
  // is the host's, and her file must no longer hold it.
  void keepCharacter();

  GamePeerReports* peerReports() override { return this; }
  GameHostRequests* hostRequests() override { return this; }
  GameTradeWindows* tradeWindows() override { return this; }
  GameChat* chat() override { return this; }
  GameScreen& screen() const override { return screenOf(services_); }

  void begin(uint8_t mode, const GameCompletion& done) override;
  void playPlayerAction(uint8_t action, uint8_t value) override;
  void playCellEffect(uint8_t effect, MapBlock& cell) override;
  bool putItemOnShelf(MapBlock& cell, Item* stack, uint8_t slotChoice) override;
  void placeSign(MapBlock& cell, uint8_t variantChoice) override;
  bool useBlock(MapBlock& cell, uint8_t layer) override;
  void hitMob(MobEntity* mob) override;
  bool captureMob(MobEntity* mob) override;
  void throwItem(ItemPtr item, float speed, float angle, uint8_t flags) override;
  void shoot(float aimX, float aimY) override;
  bool signalEntities(float x, float y) override;
  void closeContainer() override;
  void setPlayerMode(uint8_t mode) override;
  void setTimeFrozen(uint8_t value) override;
  void respawn() override;
  void leaveBed() override;
  void usePortal() override;
  void travelToWorld(const TravelTarget& target) override;
  // The player's trade window sends each of its steps to the host, which runs the trade.
  TradeAbstract* createTrade(const std::string& partner) override;
  void requestTrade(PlayerBase* other) override;
  void answerTrade(uint8_t answer, uint8_t askedPeer, uint8_t askingPeer) override;
  void cancelTrade() override;
  void reelIn(float reactionMs) override;
  void editCircuitCell(MapBlock& cell) override;
  // A line starting with '/' is a command for the host; any other is said to everyone.
  void submitChatLine(const std::string& text) override;
  bool editBlock(const BlockEdit& edit) override;
  // The host's world runs on whatever one player does: nothing stops for a client's views.
  void suspend() override {}
  void resume() override {}
  void pause() override {}
  void unpause() override {}
  void stopTimers() override;
  void startTimers() override;
  // The host learns the player's motion from the player's own messages (net/players/).
  void sendPlayerState(const PlayerStateRecord& record) override;
  void sendHeldItem() override;
  void sendWornItem(const Item* item, uint8_t index, bool secondSet) override;
  void reportItemLearned(uint16_t itemId) override;
  // The host keeps its own count of the player's items: it pays for the craft out of that count.
  void reportCraft(uint16_t recipeRow, std::span<const CraftedStack> spent) override;
  // The host fills the firework in its own count of her items, from the paint she used.
  void reportFireworkFilled(uint16_t paintId, uint32_t fireworkWord) override;
  // The host rolls the bag out of its own count of her items and sends what it held.
  // Asked only while her inventory has room for the most the bag holds: the find is the host's
  // roll, and one that found no room would fall at her feet with the bag spent.
  BagRequest openBag(const Item& bag) override;
  uint8_t sessionKind() override { return kSessionKind; }
  // The character only: the world is the host's.
  void save(const SaveDone& done) override;
  void quit() override;
  bool damageLocalPlayer(float amount, uint8_t cause) override;
  bool brewPotion() override;
  void refreshPet() override;
  bool applyBlockEdit(const BlockEdit& edit, PlayerBase* actor) override;
  void dropItem(ItemPtr item) override;
  bool consumeItem(Item* item) override;

 private:
  void send(const wire::WireOut& out);
  void settleLater();
  void autosave() override;

  NetClient& net_;
  ClientGameExit& exit_;
  GameServices services_;
  WorldEntities* entities_ = nullptr;
  GameCompletion entered_;
};
