#pragma once
// The local player: a body with an inventory, the game it acts through, its name and the planets
// it may travel to. It owns its inventory and its melee swing tracker; everything it shows or
// records goes out through the `PlayerEvents` seam.
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "game/inventory/inventory.h"
#include "game/player/block_user.h"
#include "game/player/mob_catcher.h"
#include "game/player/player_base.h"

class GameTradeWindows;
class GameClock;
class GameInterface;
class MeleeSwing;
class RecipeKnowledge;
class Sign;
struct PotionResult;

class Player : public PlayerBase, public InventoryOwner, public BlockUser, public MobCatcher {
 public:
  // A bit of the state word that keeps the craft grid out of searches and death drops. Bit 0
  // marks every created character in its file, and the low 16 bits are the character's entry id,
  // so this bit sits above them.
  static constexpr uint32_t kCraftGridBlockedBit = 1u << 16;
  // All twelve planets, as the option "Instant Planets" opens them.
  static constexpr uint16_t kAllPlanets = 4095;
  static constexpr uint16_t kStatDied = 53;
  static constexpr uint16_t kStatToolBroken = 5;

  // `events`: where the player's events go; `clock`: the clock task of the game it plays (neither
  // owned; null: nowhere, no clock).
  explicit Player(GameInterface* game, PlayerEvents* events = nullptr, GameClock* clock = nullptr);
  ~Player() override;

  // The clock task of the game this player plays; the null form when it was made without one.
  GameClock& clock() const;

  // ---- Items ----
  Item* getEquipment(bool secondSet, int index) const override;
  void setEquipment(ItemPtr item, bool secondSet, int index);
  Item* heldItem() const override;
  const Item* ammunition() const override;
  const Item* trinket() const override;
  // Besides the tint, a networked game's other side hears of the new held item and slot: the host
  // must know what a client's player holds to spend what it places.
  void heldItemChanged(const Item* item) override;
  uint32_t drawnLookWord() const override { return lookWord; }
  uint32_t selectedQuickSlot() const { return inventory->selected(); }
  uint8_t selectedSlot() const override {
    return inventory != nullptr ? static_cast<uint8_t>(selectedQuickSlot()) : kNoSlot;
  }
  void setWorld(World* newWorld) override;
  // Stores the item (or a copy of it; the caller keeps what it passed); false when there is no room.
  bool pickUpItem(const Item& item);
  void wearTool(uint8_t quickSlot);
  void wearHeldTool() override { wearTool(static_cast<uint8_t>(selectedQuickSlot())); }
  // One unit of the held stack is used up; an emptied stack goes back to the pool.
  void useUpHeldItem() override;
  // One unit of the stack in the quick slot is used up, whichever slot is selected now: a host
  // spends the slot its player held when the placement was made, and the player may have moved on.
  void useUpQuickSlotItem(uint8_t quickSlot);
  uint16_t heldToolCapabilities() const override;
  // The break power of the held item against the cell's front block.
  float breakTimeFor(const MapBlock& cell) const;
  bool isNextToCell(const MapBlock& cell) const override;
  bool canReach(const MapBlock& cell, const Item* item) const override;

  // ---- Using a block (block_user.h) ----
  PlayerBase& actingPlayer() override { return *this; }
  // The held stack while it holds a unit.
  Item* usedItem() override;
  // The inventory view opens on the container's page.
  void showContainer(LogicBlock& entity) override;

  // ---- Catching a mob (mob_catcher.h) ----
  // The caught mob's item goes where a picked-up item goes; refused when there is no room.
  bool takeCaught(MobEntity& mob, const Item& caught) override;

  // ---- The crafting station (player_crafting_station.cpp) ----
  // Crafting at a station lasts while the player stays next to it: once its cell is out of reach
  // or holds no station any more, the inventory crafts by hand again.
  void keepCraftingStationInReach();

  // ---- Entering a cell (player_cell_entry.cpp) ----
  // Entering a cell may leave the station's reach; the map's bottom rows and its top row earn
  // their achievements (not in a creative world).
  void moveToCell(MapBlock* left) override;
  static constexpr uint16_t kAchievementEndOfFile = 103;
  static constexpr uint16_t kAchievementHeadInTheClouds = 104;
  // Rows below this one count as the bottom of the world.
  static constexpr uint32_t kBottomRows = 5;

  // ---- Life ----
  void die() override;
  // She is told as a potion's effect starts and as it wears off, and a hosting game's guests see
  // it on her (player_buffs.cpp). An id of no potion, or an effect she is not under, changes
  // nothing.
  void addBuff(uint16_t id) override;
  void removeBuff(uint16_t id) override;
  bool leaveContainer(bool quiet) override;
  // Editing opens the sign as the player's container in the sign view; reading shows its text,
  // a line per "\n", over the sign's cell.
  void readSign(Sign& sign, bool edit) override;

  // ---- What the inventory asks ----
  LogicBlock* openBlockEntity() const override { return openContainer(); }
  ItemPtr* secondObjectItems() const override { return secondObject; }
  bool craftGridBlocked() const override { return (stateWord & kCraftGridBlockedBit) != 0; }
  void recordStat(uint16_t statId, uint16_t value) override;
  // This machine's player: what only it keeps (player_base.h).
  void recordLocalStat(uint16_t statId, uint16_t value) override { recordStat(statId, value); }
  void showLocalRefusal(const std::string& text) override;
  void showLocalRefusalById(int16_t textId) override;
  void useUpLocalHeldItem() override { useUpHeldItem(); }
  // Putting on another trinket during play summons its pet; taking it off sends the pet away.
  void trinketChanged() override;
  // In a joined game her host hears of every change to what she wears, so its copy of her follows.
  void wornChanged(bool secondSet, uint8_t index) override;

  // Kind 0 (chat) rings the chat sound when the "chatSound" option is on.
  void showMessage(uint8_t kind, const std::string& text) override;
  void showTextById(uint8_t kind, int16_t textId) override;
  // How many refusals (kind 3) she has been told: a click the rules refused with a reason of their
  // own needs no second one from the view.
  uint32_t refusalsShown() const { return refusalsShown_; }
  // The portal travel dialog: the player waits at the portal to the planet for the others.
  void showPortalTravelDialog(uint32_t planet) override;
  // The notice view with the text, as a newly learned craft book entry is announced.
  void showNotice(const std::string& text);
  // A joined player's game follows its host to the world the host chose.
  void travelThroughPortal() override;

  // ---- Trades (player_trade.cpp) ----
  // A request is shown when the interface can show it; else it is answered busy at once.
  void tradeMessage(uint8_t askingPeer, uint8_t askedPeer, std::string_view askingName) override;
  // The game's trade window for the partner becomes the inventory's (the old one goes).
  void tradeStarted(std::string_view partnerName) override;
  void tradeEnded() override;
  void tradeEvent(uint8_t code) override;
  void tradeOfferChanged(bool offered, const Item* item) override;
  void tradeNotice(uint8_t kind, int16_t textId, std::string_view otherName) override;
  // The trade window's offers or flags changed.
  void tradeWindowChanged();

  // ---- World events (player_world_events.cpp) ----
  void notifyRestored() override;
  void setWeather(uint8_t kind, bool quiet) override;
  void setTickPaused(bool paused) override;
  // Phase 1, 2, 4 or 8 and the clock's tick counter; any other phase is ignored.
  void setDayClock(uint8_t phase, uint32_t tick);
  void stampBiteTime() override;
  void forgetBobber() override;
  // A unit of the best bait the player carries is used up.
  void consumeBait() override;
  // The open alchemy lab brews the result; a potion brewed for the first time becomes known.
  void potionBrewed(const PotionResult& result) override;
  bool takeBrew(const AlchemyLab& lab, const PotionResult& result) override;
  // Entries of the craft book this player has not learned, for a page found in the rock.
  bool hasUnknownEntries() const override;
  uint16_t pickUnknownEntry() const override;

  // ---- The character (player_options.h) ----
  // Takes the character's flags word and hands its book options to the recipe knowledge.
  void setCharacterFlags(uint32_t flags);
  // The planets the character may travel to: all of them with "Instant Planets" on.
  uint16_t unlockedPlanetMask() const;

  GameInterface* game;
  std::unique_ptr<Inventory> inventory;
  std::unique_ptr<RecipeKnowledge> knowledge;
  std::unique_ptr<MeleeSwing> meleeSwing;
  ItemPtr* secondObject = nullptr;
  uint32_t stateWord = 0;
  std::string name = "Player";
  uint16_t unlockedPlanets = 1;
  uint32_t lookWord = 0;        // how the character looks (skin, hair, ...), as created
  uint32_t characterFlags = 0;  // set through setCharacterFlags
  uint32_t difficultyId = 2;    // the difficulty the character plays at

 private:
  // The game's trade windows; null when the game has none (played alone).
  GameTradeWindows* tradeWindows() const;
  void reachMapEdges();
  void tellPeersOfBuff(uint16_t id, bool gained);
  // Her line that the effect started or wore off (the text names the potion).
  void tellOfEffect(int textId, uint16_t id);

  GameClock* clock_;            // not owned; null: no clock
  uint16_t wornTrinket_ = 0;  // the trinket whose pet was last asked for (0: none)
  uint32_t refusalsShown_ = 0;
};
