#pragma once
// A player with a body: alive or dead, breath, health, the contact cooldown, the open container
// and the spawn cell. Health, damage, buffs and hazards follow the rules in player_health.cpp;
// who may hurt whom and what death does in the world belong to the rules (`PlayerRules`).
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "game/player/player_graphical.h"
#include "world/blocks/logic_block.h"

class LogicBlock;
class PlayerRules;

namespace damage_kind {
constexpr uint8_t kHarm = 10;
constexpr uint8_t kDrowning = 21;
constexpr uint8_t kHeat = 22;
constexpr uint8_t kAcid = 23;
constexpr uint8_t kFall = 24;
}  // namespace damage_kind

struct LiquidAround {
  uint8_t body = 0;
  uint8_t head = 0;
};

class AlchemyLab;
class Entity;
struct CircuitRecord;
struct PotionResult;
class TradeBook;

class PlayerBase : public PlayerGraphical {
 public:
  static constexpr int32_t kFullBreath = 32;
  // Rings searched around a spawn cell that is no longer spawnable.
  static constexpr int kRespawnSearchLimit = 64;

  PlayerBase(World* world, bool local, PlayerEvents* events = nullptr);
  // A player who goes leaves its trade (the other party is told) and its trade requests.
  ~PlayerBase() override;

  PlayerBase* withBody() override { return this; }
  const PlayerBase* withBody() const override { return this; }
  void update(float dt) override;
  void die() override;
  void moveToCell(MapBlock* left) override;
  virtual bool addHealth(float amount);
  virtual bool takeDamage(float amount, uint8_t kind);
  virtual void revive();
  // The last blow the player took, which the death view tells: its damage kind and, when a
  // creature dealt it, the creature's name.
  struct Hurt {
    uint8_t kind = 0;
    std::string source;
  };
  const Hurt& lastHurt() const { return lastHurt_; }
  // Names the creature whose blow comes next; the rules clear it again once the blow is dealt.
  void setNextHurtSource(std::string source) { nextHurtSource_ = std::move(source); }
  virtual void setSpawnCell(uint16_t x, uint16_t y) {
    spawnCellX = x;
    spawnCellY = y;
  }
  // Keeps a spawnable spawn cell; else moves it to the nearest spawnable cell within the search
  // limit (bounded by the map), or keeps it when there is none.
  void respawnReset();
  void tickBuffs();
  // The breath and the harm of the cell the player stands in, every few seconds.
  virtual void applyEnvironmentDamage(PlayerRules& rules);
  DamageSpec rollAttackDamage() const;
  // Lets go of the open container; false when none was open.
  virtual bool leaveContainer(bool quiet);
  // The block entity the player has open, resolved in the player's world each time: null when
  // none is open and once it is gone (broken, released, its world ended).
  LogicBlock* openContainer() const;
  // Keeps a handle to the entity (null: none open).
  void setOpenContainer(LogicBlock* entity);
  // The player as the world keeps it across calls (`Logic::playerIdOf`): never 0, never reused.
  uint32_t playerId() const { return playerId_; }
  // The trades of the game the player plays in (shared with the game, so whichever goes last
  // frees them); null for a player of no game that trades.
  TradeBook* trades() const { return trades_.get(); }
  void setTrades(std::shared_ptr<TradeBook> trades) { trades_ = std::move(trades); }

  // The body's view of liquids and ground; the desktop players answer from their physics.
  virtual LiquidAround liquidAround() const { return {}; }
  virtual bool isGrounded() const { return false; }
  // The motion state the sprite animates (PlayerBody::motionState); a player without physics
  // stands (0).
  virtual int32_t motionState() const { return 0; }
  // The body box covers the cell; only players with a body answer yes.
  virtual bool occupiesCell(const MapBlock& /*cell*/) const { return false; }

  // The quick slot of the held item, as every machine draws it: the local player's selection, a
  // client's player's as its client last told it; kNoSlot for a player that holds from none.
  static constexpr uint8_t kNoSlot = 255;
  virtual uint8_t selectedSlot() const { return kNoSlot; }

  // ---- Trades (game/trade/): what the host tells a party ----
  // A player who cannot trade here (another machine's player on a client) ignores them; the local
  // player runs its trade window, a client's player on the host sends them to its client.
  // Asked to trade by the player of `askingPeer` (named), with this player at `askedPeer`.
  virtual void tradeMessage(uint8_t /*askingPeer*/, uint8_t /*askedPeer*/, std::string_view /*askingName*/) {}
  // A trade with the partner starts: its window opens.
  virtual void tradeStarted(std::string_view /*partnerName*/) {}
  // The trade ended without exchange: its window closes.
  virtual void tradeEnded() {}
  // An event of the running trade (trade::kReady ... trade::kCancelledNoRoom).
  virtual void tradeEvent(uint8_t /*code*/) {}
  // The other side offered (or withdrew) a stack.
  virtual void tradeOfferChanged(bool /*offered*/, const Item* /*item*/) {}
  // Both sides confirmed: the player hands over `given` and receives `received` (each side's
  // windows move the stacks themselves; a record of what the player carries follows here).
  virtual void tradeExchanged(std::span<const ItemPtr> /*given*/, std::span<const ItemPtr> /*received*/) {}
  // Whether the player still carries every stack it offered, when the trade is confirmed.
  virtual bool canGiveTrade(std::span<const ItemPtr> /*given*/) const { return true; }
  // A trade's outcome as the player reads it: the language text with "%s" the other's name.
  virtual void tradeNotice(uint8_t /*kind*/, int16_t /*textId*/, std::string_view /*name*/) {}

  // ---- What the world's rules tell a player ----
  // Heard by the local player and, through its client, by a client's player on the host; another
  // machine's player copied on a client is told nothing.
  // A console message of the kind (0 chat, 2 information, 3 refusal), and a language text as one.
  virtual void showMessage(uint8_t /*kind*/, const std::string& /*text*/) {}
  virtual void showTextById(uint8_t /*kind*/, int16_t /*textId*/) {}
  // Waits at a portal for the others, who must choose it too: the travel dialog names the planet.
  virtual void showPortalTravelDialog(uint32_t /*planet*/) {}
  // Everybody chose the host's portal: the player goes where the host goes.
  virtual void travelThroughPortal() {}
  // Slept through the night: the after-sleep step (the "Sleeping.." message, the game's night skip).
  virtual void notifyRestored() {}
  // Kinds 0 none, 1 rain, 2 snow, 3 acid rain, compared with the world's weather they replace.
  virtual void setWeather(uint8_t /*kind*/, bool /*quiet*/) {}
  // Fishing: a fish bit (the reaction is counted from now); the fishing is over.
  virtual void stampBiteTime() {}
  virtual void forgetBobber() {}
  // Fishing: the cast landed in water and is the player's line now; the fish got away with a
  // unit of the player's bait.
  virtual void rememberBobber() {}
  virtual void consumeBait() {}
  // What lies in the player's ammunition slot for a bow or a rod to fire; null when nothing, or
  // when this machine does not know.
  virtual const Item* ammunition() const { return nullptr; }
  // The trinket the player wears, whose pet follows it; null when none, or when this machine does
  // not know.
  virtual const Item* trinket() const { return nullptr; }

  // ---- What the rules spend of a player ----
  // One durability point of the held tool or weapon (a blow, a use): each player spends its own.
  virtual void wearHeldTool() {}
  // The open alchemy lab brewed the result for the player.
  virtual void potionBrewed(const PotionResult& /*result*/) {}
  // An effect at the entity, shown to this player: its machine's view plays it (a client's player
  // on a host is sent it instead).
  virtual void playEntityEffect(Entity* entity, uint8_t kind, uint16_t value);
  // An effect at the cell shown to this player alone (13: its edit was refused), as its machine's
  // view plays it; a client's player on a host is sent it.
  virtual void playTileEffect(const MapBlock& cell, uint8_t kind);
  // The circuit configurator opens on the device's cell with its current setting.
  virtual void editCircuit(const MapBlock& cell, const CircuitRecord& setting);
  // The forge the player has open took a smelting step (Forge::kIdle: its counters moved;
  // Forge::kWorked: its stacks changed too): the player's forge window shows the forge anew.
  virtual void refreshForge(int result);

  // ---- What only this machine's own player keeps ----
  // Another machine's player (a client's on the host, a copy on a client) keeps these on its own
  // machine, so they do nothing for it.
  // A statistic counted (the statistic, and the item, mob or block it is about).
  virtual void recordLocalStat(uint16_t /*statId*/, uint16_t /*value*/) {}
  // A refusal at this machine's console: a text, and a language text.
  virtual void showLocalRefusal(const std::string& /*text*/) {}
  virtual void showLocalRefusalById(int16_t /*textId*/) {}
  // A placement spends one unit of the held stack.
  virtual void useUpLocalHeldItem() {}
  // A blast or a piston pushes the body with the strength at the angle (radians).
  virtual void pushLocalBody(float /*strength*/, float /*angle*/) {}
  // The tool capabilities of the held item (content/tables/tool_def.h); none known here: 0.
  virtual uint16_t heldToolCapabilities() const { return 0; }
  // The game's clock stops or starts again.
  virtual void setTickPaused(bool /*paused*/) {}
  // The lab brewed the result for the player. The local player's lab window takes it, when that
  // lab is still the one open (true); for any other player the lab brews it itself (false).
  virtual bool takeBrew(const AlchemyLab& /*lab*/, const PotionResult& /*result*/) { return false; }

  // ---- The craft book entries the player may still find (a bonus page of mined rock) ----
  virtual bool hasUnknownEntries() const { return false; }
  // A random entry still unknown; kNoUnknownEntry when none is.
  static constexpr uint16_t kNoUnknownEntry = 0xFFFF;
  virtual uint16_t pickUnknownEntry() const { return kNoUnknownEntry; }

  uint8_t dead = 0;
  uint8_t isLocal = 0;
  int32_t breath = kFullBreath;
  float health = 0;
  float cooldown = 0;
  uint16_t spawnCellX = 0;
  uint16_t spawnCellY = 0;

 private:
  std::shared_ptr<TradeBook> trades_;
  BlockEntityHandle openContainer_;
  uint32_t playerId_;
  Hurt lastHurt_;
  std::string nextHurtSource_;
};

// A cell where a player can come back to life.
bool isSpawnableCell(World& world, const MapBlock* cell);
