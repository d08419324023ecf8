#pragma once
// Crafting one recipe row, the one rule for whoever crafts: the row must name a recipe, the
// recipe's station must be at hand, its ingredients held and its result must have room; then the
// ingredients are spent and the result made. It runs over the inventory's slots when a player
// crafts in her own game (`PlayerCrafting`), and over the host's count of a joined player's items
// when her game tells the host what she crafted, each through its own `Crafter`, so that neither
// road skips a check the other makes. A refusal tells the player the same words on either road.
//
// Main thread only.

#include <cstdint>

struct CraftDef;

enum class CraftOutcome : uint8_t {
  Made,
  MadeInResult,  // made, and left in the result cell for the player to take
  UnknownRecipe,
  WrongStation,
  MissingIngredients,
  NoRoom,  // the output could not be made or stored
};

class Crafter {
 public:
  virtual ~Crafter() = default;
  // A station that serves the recipe's station kind is at hand (0: the recipe needs none).
  virtual bool hasStationFor(uint8_t station) const = 0;
  // Every ingredient of the recipe is held, as many units as it asks for.
  virtual bool holdsIngredientsFor(const CraftDef& recipe) const = 0;
  // The result has somewhere to go.
  virtual bool hasRoomFor(const CraftDef& recipe) const = 0;
  // The ingredients are spent and the result made; false when the result could not be made.
  virtual bool make(const CraftDef& recipe) = 0;
};

// The recipe of the content's row `row`, checked and, when nothing refuses it, made once: Made,
// or the first check that refused it (nothing spent then).
CraftOutcome craftRow(Crafter& crafter, uint16_t row);
// The same checks and make for a recipe already looked up.
CraftOutcome craftChecked(Crafter& crafter, const CraftDef& recipe);

// What a refused craft tells the player; empty for a craft that was made.
const char* craftRefusalText(CraftOutcome outcome);
