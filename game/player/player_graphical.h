#pragma once
// The drawn side of a player: the world it is in, its stats, its movement mode, its pixel and cell
// position and the light it carries. It is the base of every player class; the layers above add a
// body with health (`PlayerBase`), an inventory (`Player`) and physics (`PlayerDesktop`). What the
// sprite shows, and everything else the player tells the view, sound and interface, goes out
// through its own `PlayerEvents` sink, given when the player is made: two players in one world
// each tell their own. A player made without one tells nobody, so a player without a view works
// the same.
//
// Positions are pixels of the body centre, y upwards; cell c covers pixels c*30-15 up to c*30+15.
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"
#include "game/player/player_stats.h"

class Item;
class MapBlock;
class PlayerBase;
class PlayerEvents;
class World;

class PlayerGraphical {
 public:
  static constexpr float kCellSize = 30.0f;

  // `events`: where the player's events go (not owned; null: nowhere).
  explicit PlayerGraphical(World* world, PlayerEvents* events = nullptr);
  virtual ~PlayerGraphical() = default;
  PlayerGraphical(const PlayerGraphical&) = delete;
  PlayerGraphical& operator=(const PlayerGraphical&) = delete;

  // The player with a body (health, breath, ground contact) that this drawn player is: itself for
  // every `PlayerBase`, null for a player that is drawn only.
  virtual PlayerBase* withBody() { return nullptr; }
  virtual const PlayerBase* withBody() const { return nullptr; }
  virtual Item* getEquipment(bool /*secondSet*/, int /*index*/) const { return nullptr; }
  bool hasFlag(uint16_t id) const { return stats.hasFlag(id); }
  virtual Item* heldItem() const { return nullptr; }
  // How the player looks (skin, hair, ...) as its character was made; 0 for no character.
  virtual uint32_t drawnLookWord() const { return 0; }
  virtual void setWorld(World* newWorld) { world = newWorld; }
  // Puts the player on the cell and reveals the explored cells around it.
  virtual void setCellCoordinates(uint32_t x, uint32_t y);
  virtual void update(float /*dt*/) {}
  // The player entered a new cell; `left` is the cell it came from (may be null).
  virtual void moveToCell(MapBlock* left);
  virtual void heldItemChanged(const Item* item);
  virtual void teleportTo(MapBlock& cell);
  virtual void die() {}
  // Rebuilds the stats from the equipment and the buffs; see player_appearance.cpp.
  virtual void refreshAppearance();
  // Unknown buff ids (no potion behind them) are ignored.
  virtual void addBuff(uint16_t id);
  virtual void removeBuff(uint16_t id);
  // A buff the player was under elsewhere goes on here, for the time it has left (no longer than
  // its potion lasts): false, nothing taken, for no potion's buff, none left, or a family the
  // player is under already. Nobody is told.
  bool continueBuff(uint16_t id, uint16_t remaining);

  // The cell at the player's cell (x wrapped, null outside the rows), and at an offset from it.
  MapBlock* currentMapBlock() const { return mapBlockAtOffset(0, 0); }
  MapBlock* mapBlockAtOffset(int dx, int dy) const;
  // No active buff of the same potion family as `id`.
  bool canAddBuff(uint16_t id) const;
  // An active buff of exactly that id.
  bool hasBuff(uint16_t id) const;
  void playAction(uint8_t action, uint8_t arg);
  bool inFreeFlight() const;
  // The player's own events sink.
  PlayerEvents& events() const;

  World* world;
  PlayerStats stats;
  uint8_t mode = 0;
  engine::Vec2 position{0, 0};
  uint32_t cellX = 0;
  uint32_t cellY = 0;
  uint16_t carriedLight = 0;
  uint16_t heldTint = 0;
  // Set by the world view once it has built the player's sprite; actions need one to play.
  bool hasSprite = false;

 private:
  PlayerEvents* events_;
};
