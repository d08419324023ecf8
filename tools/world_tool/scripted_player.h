#pragma once
// The actions of a script's steps that a game played alone and a joined game do alike, each as the
// interface would do it through the game: walking and jumping, mining and placing at a cell,
// choosing a quick slot, throwing a stack out and walking to a dropped item to pick it up. The
// game that plays them says what its player, world, game, rules and items are, and how it runs a
// frame.
//
// Main thread only.

#include <cstdint>
#include <string>

class GamePlayerActions;
class LogicCells;
class MapBlock;
class PlayerDesktopLocal;
class RealEntity;
class World;
class WorldEntities;

namespace world_tool {

class ScriptedPlayer {
 public:
  virtual ~ScriptedPlayer() = default;

 protected:
  virtual PlayerDesktopLocal* player() = 0;
  virtual World* world() = 0;
  // The played game's actions, as the script's player makes them.
  virtual GamePlayerActions& playedGame() = 0;
  // What the played rules let the script break.
  virtual LogicCells& playedRules() = 0;
  virtual WorldEntities* items() = 0;
  virtual void frame() = 0;

  void frames(int count);
  bool walk(uint8_t key, int count);
  // Walks the short way round until the player stands in the column (at most 20 seconds), then
  // lets it come to rest; refused when it ends more than a cell away.
  bool walkTo(int32_t column);
  bool jump();
  // The front layer's block, else the back's, broken as the main view breaks it (its effects, then
  // the layer removed with its loot dropped): only within the held tool's reach.
  bool mine(MapBlock& at);
  // The held item placed at the cell: the front layer first, as a click aimed there would; the back
  // when the front refuses it; an attachment last. Only within 8 cells, as the main view places.
  bool place(MapBlock& at);
  bool inPlacingReach(const MapBlock& at);
  // The quick slot chosen as the main view chooses it: the game hears of the new held item.
  bool select(int slot);
  // The stack of the quick slot thrown out in front of the player, as the inventory view throws it.
  bool drop(int slot);
  // The player walks into the cell of the nearest dropped item within 10 cells until that item is
  // picked up (at most 10 seconds); refused when none lies there.
  bool pickup();
  // The nearest dropped item within 10 cells of the player; null for none.
  const RealEntity* nearestItem();

  std::string why_;  // what refused the current step, when known
};

}  // namespace world_tool
