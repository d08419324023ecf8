#pragma once
// Filling a firework with paints in the inventory. A firework's word holds up to four colour
// codes of four bits, the lowest first: its burst shows the first and each stage of sub-rockets
// the next. A paint dropped onto a firework writes the paint's code (the paint table's row k gives
// code k + 1) into the firework's next empty place and uses one paint; a full firework takes no
// more. A stack of fireworks gives up one to be filled, which goes wherever the inventory finds
// room. Main thread only.

#include <cstdint>

#include "game/inventory/slot_ref.h"

class Inventory;
class Item;
class Player;

namespace firework {
constexpr uint16_t kItem = 1042;
constexpr uint8_t kCodes = 4;
}  // namespace firework

// The colour code the paint gives (1-15), 0 for an item that is no paint.
uint8_t paintCode(const Item* item);
// How many colour codes the firework's word holds.
uint8_t fireworkCodes(uint32_t word);
// The word with the colour code in its next empty place (a word that holds four: as it is).
uint32_t fireworkWordWith(uint32_t word, uint8_t code);
// Whether the first stack is a paint and the second a firework.
bool fillsFirework(const Item* paint, const Item* firework);

struct FireworkFill {
  enum Result : uint8_t { Filled, Full, NoRoom, NotAFirework };
  Result result = NotAFirework;
  SlotRef where;  // the filled firework's slot
};

// Whose items a filling takes from: the player's inventory, or a host's count of a joined
// player's items. One filling runs the same steps over either (`fillOneFirework`).
class FireworkFiller {
 public:
  virtual ~FireworkFiller() = default;
  virtual bool holdsPaint(uint16_t paintId) const = 0;
  virtual bool holdsFirework(uint32_t word) const = 0;
  // One firework of `word` becomes one of `filled`; false, nothing changed, with no room for it.
  virtual bool refill(uint32_t word, uint32_t filled) = 0;
  virtual void spendPaint(uint16_t paintId) = 0;
};

// One paint of the id into one firework of the word: NotAFirework (and nothing changed) for what
// is no paint or is not held, Full for a firework of four colours, NoRoom, or Filled.
FireworkFill::Result fillOneFirework(FireworkFiller& filler, uint16_t paintId, uint32_t word);

// One paint of the first slot into the firework of the second.
FireworkFill fillFirework(Inventory& inventory, SlotRef paint, SlotRef firework);
// The same in the player's own inventory; a joined player's host hears of each filling, so that
// its count of her items holds the firework as she filled it and her burst shows its colours.
FireworkFill fillPlayersFirework(Player& player, SlotRef paint, SlotRef firework);
