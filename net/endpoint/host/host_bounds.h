#pragma once
// The ranges the host holds a client's numbers to before it acts on them: ids that index the
// game's tables, amounts that the rules add up, and the places of a worn item. A value outside
// its range makes the request do nothing.

#include <cstdint>

namespace host {

// A buff or timed effect: a potion's value.
bool buffIdFits(uint16_t id);
// A craft book entry.
bool entryIdFits(uint16_t entry);
// Damage a client reports for its own player: finite and not negative.
bool damageFits(float amount);
// A worn item's part (0 or 1) and index (0..4).
bool wornPlaceFits(uint8_t part, uint8_t index);

}  // namespace host
