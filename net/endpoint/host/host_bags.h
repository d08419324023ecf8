#pragma once
// A bag a joined player opens, rolled by the host through the one bag rule (game/inventory/
// bag_opening.h) over its copy of her items: the host alone knows the roll's outcome, so the find is
// counted in that copy as it is handed to her, and she may drop, throw, eat or offer it like
// anything she brought. A bag she does not hold (or an item that is no bag) opens nothing and is
// refused.
//
// Main thread only.

namespace wire {
class WireIn;
}
class PlayerServer;

namespace host {

// Reads a [2][50] open request from `in` for the sender's player and answers it ([2][51]). In a
// creative world the copy is not kept: the bag is rolled without being taken out of it.
void openBagFor(wire::WireIn& in, PlayerServer& player, bool creative);

}  // namespace host
