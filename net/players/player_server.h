#pragma once
// A client's player on the host: a full rules-side player whose operations do what the local
// player's do and, in addition, send the client (or every client) the message that makes the
// client's own player follow (ids in player_messages.h). The host keeps one per admitted client,
// wrapped in `PlayerDesktop<PlayerServer>`, in the client's table entry (`NetPlayerServer`).
//
// Messages to the client go to its peer alone; those that every machine shows (death, buffs) go
// to every client, the player's own included, with the player's peer id so that each client can
// tell its own player from its copies of the others.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/crafting/recipe_knowledge.h"
#include "game/player/block_user.h"
#include "game/player/mob_catcher.h"
#include "game/player/player_base.h"
#include "game/player/player_desktop.h"
#include "net/players/motion_allowance.h"
#include "net/players/player_item_copy.h"
#include "net/players/player_remote_base.h"
#include "net/wire/wire_messages.h"
#include "world/entities/entity_id.h"

class AlchemyLab;
class Chest;
class Forge;
class MapBlock;
class NetServer;
class PlayerEvents;
class PlayerRules;
class Sign;
class Stable;
class World;
struct CircuitRecord;

namespace wire {
class WireOut;
}

class PlayerServer : public PlayerRemoteBase<PlayerBase>, public BlockUser, public MobCatcher {
 public:
  // What refreshForge tells the client: the counters alone, or the counters and the items.
  static constexpr int kForgeItems = 0;
  static constexpr int kForgeCounters = 1;
  static constexpr int kForgeStep = 3;

  // The player of the client `peer`, sent to through `server` (not owned; it outlives its
  // players), coming back to life on the spawn cell.
  PlayerServer(NetServer& server, World* playerWorld, uint8_t peer, uint16_t spawnColumn,
               uint16_t spawnRow, PlayerEvents* events = nullptr);
  // The item entities offered to the player and still unanswered may be offered again.
  ~PlayerServer() override;

  uint8_t peer() const { return peer_; }
  NetServer& server() const { return server_; }

  // ---- The body (player_server.cpp) ----
  void setPosition(float x, float y);
  void die() override;
  void addBuff(uint16_t id) override;
  void removeBuff(uint16_t id) override;
  // The player's environment step; the client hears its breath when it changed.
  void applyEnvironmentDamage(PlayerRules& rules) override;
  bool addHealth(float amount) override;
  // Told only when the damage landed.
  bool takeDamage(float amount, uint8_t kind) override;
  void revive() override;
  void setSpawnCell(uint16_t column, uint16_t row) override;
  // One unit of the held stack is used up; an emptied stack goes back to the pool.
  void consumeHeldItem();
  // The held tool or weapon wears by one, and so does the host's copy of it among her items;
  // worn out, the held one starts afresh one unit fewer. Anything else held does not wear.
  void wearHeldTool() override;
  // What she holds as she mines, uses or strikes: the held stack only while the host's copy of her
  // items still holds it. One she dropped, stored or traded since she took it in hand is held no
  // longer (the others see her empty-handed): null then, or when she holds nothing.
  Item* heldStillCarried();

  // ---- Where she stands (player_server_motion.cpp) ----
  // Her client's record puts her at `to`: accepted (the copy takes it), stale (dropped) or
  // refused (the copy stays and her client is told where that is). A place no body could have
  // gone to through the map from where the host has her is refused too (motion_path.h).
  // `pace`: how fast her body goes at most where the host has her.
  MotionAllowance::Verdict judgeMotion(engine::Vec2 to, bool flying, const PlayerBody::Pace& pace);
  // The host placed her, from `from`: the place a late record may still name.
  void placedByHost(engine::Vec2 from);
  // Her client is told where the host has her.
  void tellPlace();

  // ---- Items and effects (player_server.cpp) ----
  // The client is asked to take the item entity's item; the entity stays listed until answered.
  void offerItem(EntityId entity, const Item* item, bool answerWanted);
  // The client answered for the entity (or it went): it is no longer listed.
  void forgetOffer(EntityId entity);
  // The client took the entity's item: it joins the host's copy of the player's items.
  void offerTaken(EntityId entity);
  // The client is handed a copy of the item that lies nowhere in the world (a command's seeds):
  // offered for no entity, with no answer wanted.
  void giveItem(const Item& item);
  const std::vector<EntityId>& offeredEntities() const { return offered_; }
  // The host's own copy of what the client carries (player_item_copy.h).
  PlayerItemCopy& items() { return items_; }
  // Why the copy refuses an item it lacks: she does not hold it, or her game never said.
  const char* notHeldText() const;
  // An item the host would not let the client spend goes back to the client's inventory, and
  // the client is told why; the host's copy does not grow by it.
  void returnItem(const Item& item, const char* why);
  // The host opened a bag of the player's: the client is told what it held (null: nothing). The
  // host's copy has it already.
  void tellBagContent(const Item* found);
  void consumeBait() override;
  // What her game says lies in her ammunition slot as she shoots (one of the host's copy of her
  // items, or null): what her bow or rod fires on the host for that shot.
  void loadAmmunition(ItemPtr ammunition) { ammunition_ = std::move(ammunition); }
  const Item* ammunition() const override { return ammunition_.get(); }
  // The trinket her game says she put on (null: none); it is hers while the host's copy of her
  // items holds one of its kind, and the pet it calls comes back with her when she respawns.
  void wearTrinket(const Item* item);
  const Item* trinket() const override;
  void playEntityEffect(EntityId entity, uint8_t kind, uint8_t value);
  // The rules' effect at an entity goes to her client, which shows it on its copy of the entity.
  void playEntityEffect(Entity* entity, uint8_t kind, uint16_t value) override;
  // The effect is shown to her: her client plays it at the cell.
  void playTileEffect(const MapBlock& cell, uint8_t kind) override;
  // What she holds as the host judges it: the held stack's tool while the host's copy of her items
  // holds it.
  uint16_t heldToolCapabilities() const override;

  // ---- Using a block (block_user.h; player_server_block_use.cpp) ----
  // The host's rules use the block for her as for its own player, from where the host has her and
  // with what its copy of her items holds; what the use spends, opens or shows reaches her client.
  PlayerBase& actingPlayer() override { return *this; }
  // The held stack while the host's copy of her items holds it.
  Item* usedItem() override;
  // Next to the cell or within the item's reach, one more cell for the steps the host has not heard
  // of yet.
  bool isNextToCell(const MapBlock& cell) const override;
  bool canReach(const MapBlock& cell, const Item* item) const override;
  void useUpHeldItem() override { consumeHeldItem(); }
  // Her client is sent the chest's, stable's, forge's or lab's contents to show.
  void showContainer(LogicBlock& entity) override;
  // Her client shows the text over the sign, or opens it for her to write; a sign she writes on is
  // in use until she closes it.
  void readSign(Sign& sign, bool edit) override;

  // ---- Catching a mob (mob_catcher.h; player_server_block_use.cpp) ----
  // Her client is offered the caught mob's item, an answer wanted: her "taken" completes the
  // capture (`LocalLogic::completeCapture`), "not taken" leaves the mob free. Never taken at once;
  // while one offer of a mob waits for her answer no other is made.
  bool takeCaught(MobEntity& mob, const Item& caught) override;

  // ---- Block entities (player_server_containers.cpp) ----
  void openChest(Chest& chest);
  void openStable(Stable& stable);
  // `edit`: the sign opens for editing and becomes the open container.
  void showSign(Sign& sign, bool edit);
  void openForge(Forge& forge);
  void openAlchemyLab(AlchemyLab& lab);
  // `tell`: the client closes its window too.
  bool leaveContainer(bool tell) override;
  // Kind kForgeCounters, or kForgeItems / kForgeStep; another kind, or no open forge, sends
  // nothing.
  void refreshForge(int kind) override;
  // Only with an open alchemy lab, whose brew is then over.
  void alchemyLabOperation(std::span<const uint8_t, 16> record);
  // The host's lab brewed for the player: the client's copy of the lab brews the same.
  void potionBrewed(const PotionResult& result) override;
  void editCircuit(const MapBlock& cell, const CircuitRecord& setting) override;

  // ---- Notices, trades, the clock and fishing (player_server_notices.cpp) ----
  void showMessage(uint8_t kind, const std::string& text) override;
  // How many texts she was shown: a rule that refused tells by this whether it said why.
  uint32_t toldCount() const { return told_; }
  // The host's language text goes to the client as a message.
  void showTextById(uint8_t kind, int16_t textId) override;
  // Not sent while the option "disableRemoteStats" is on.
  void recordStat(uint16_t statId, uint16_t value) override;
  void tradeMessage(uint8_t askingPeer, uint8_t askedPeer, std::string_view askingName) override;
  void tradeStarted(std::string_view partnerName) override;
  void tradeEnded() override;
  // Ids 120 to 126; any other id is no trade event and sends nothing.
  void tradeEvent(uint8_t id) override;
  void tradeOfferChanged(bool offered, const Item* item) override;
  // The host's copy of the player's items gives up what it handed over and takes what it got.
  void tradeExchanged(std::span<const ItemPtr> given, std::span<const ItemPtr> received) override;
  bool canGiveTrade(std::span<const ItemPtr> given) const override;
  // The trade's text, with the other player's name, as a message to the client.
  void tradeNotice(uint8_t kind, int16_t textId, std::string_view otherName) override;
  void notifyRestored() override;
  void showPortalTravelDialog(uint32_t planet) override;
  void travelThroughPortal() override;
  // The client compares the kind with its own copy of the world's weather.
  void setWeather(uint8_t kind, bool quiet) override;
  void setClockMode(uint8_t clockMode);
  void setDayClock(uint8_t phase, uint32_t tick);
  void forgetBobber() override;
  void rememberBobber() override;
  void stampBiteTime() override;

  // ---- The craft book entries the client does not know yet ----
  // From the client's knowledge ([2][58]): with `allKnown` nothing is left to learn.
  void setCraftKnowledge(bool allKnown, const RecipeKnowledge::Bitset& known);
  bool hasUnknownEntries() const override;
  // A random entry still unknown, or RecipeKnowledge::kNoEntry.
  uint16_t pickUnknownEntry() const override;
  // The entry becomes known; true when it was still unknown.
  bool learnEntry(uint16_t entry);

 private:
  void toClient(const wire::WireOut& out) const;
  void toAll(const wire::WireOut& out) const;
  // A message without a payload, to the client.
  template <wire::MessageId E>
  void tell(E id) const {
    tellId(wire::idOf(id));
  }
  void tellId(uint8_t id) const;
  void writeForge(wire::WireOut& out, const Forge& forge) const;
  void forgetOfferedItem(EntityId entity);

  RecipeKnowledge unknown_;
  bool allKnown_ = false;
  NetServer& server_;
  uint8_t peer_;
  std::vector<EntityId> offered_;
  // The items of the offers waiting for an answer, by entity.
  std::vector<std::pair<EntityId, ItemPtr>> offeredItems_;
  // The mob whose item she is offered and has not answered for.
  EntityId capturing_ = kNoEntity;
  PlayerItemCopy items_;
  ItemPtr ammunition_;
  ItemPtr trinket_;
  uint32_t told_ = 0;

 protected:
  // The size of the body the map is judged against.
  virtual engine::Vec2 bodySize() const { return PlayerBody{}.size; }

  MotionAllowance motion_;
  engine::Vec2 leftPlace_{0, 0};
};

// The host's copy of a client's player with its body: each step earns the motion her records
// may show, and each placement by the host is a jump her records need not match.
class PlayerServerDesktop final : public PlayerDesktop<PlayerServer> {
 public:
  using PlayerDesktop<PlayerServer>::PlayerDesktop;

  void update(float dt) override {
    motion_.elapse(dt, position, body().mostPace(*this).across);
    PlayerDesktop<PlayerServer>::update(dt);
  }
  void setCellCoordinates(uint32_t x, uint32_t y) override {
    const engine::Vec2 from = position;
    PlayerDesktop<PlayerServer>::setCellCoordinates(x, y);
    placedByHost(from);
  }

 protected:
  engine::Vec2 bodySize() const override { return body().size; }
};
