#pragma once
// The fixed values inside the messages that keep the players of a networked game in step (their
// ids and layouts are the catalogue's, net/wire/wire_messages.h): what a client's player does on
// the host reaches that client (or every client) as one of those, and the client's handlers apply
// them to its own player or to its copy of another player.

#include <cstddef>
#include <cstdint>

namespace player_msg {
// The text of [2][45] ends with this byte before its kind.
constexpr uint8_t kTextMarker = 255;
// The size of the record [12][130] carries.
constexpr size_t kAlchemyRecordSize = 16;
// The size of a trade partner's name in [11][116].
constexpr size_t kTradeNameSize = 32;
// [2][53] from a client names no portal: the host's travel then has no cell to take.
constexpr uint32_t kNoPortal = 0xFFFFFFFFu;
// [2][25] names no ammunition: the shot is not a bow's or a rod's, or her slot is empty.
constexpr uint16_t kNoAmmunition = 0xFFFF;
// The words of every refusal of a request that names an item its sender does not hold.
constexpr const char* kNotHeld = "You do not hold that.";
// The same refusal to a player whose game never told the host what she carries ([2][19]): the
// host's copy of her items is empty, whatever she holds.
constexpr const char* kNotDeclared = "Your game did not tell the host what you carry: it lets you spend only what you got here.";
}  // namespace player_msg
