#pragma once
// A joined player's craft, as the host pays for it: her game made the result on its own side and
// names the recipe and the units it used up; the host takes those units out of its copy of her
// items and adds the result (and any empty containers the recipe gives back), so that what she
// crafted is hers to drop, throw, eat or offer. A craft that names no recipe, pays with what the
// recipe does not ask for or with what the copy does not hold changes nothing and is refused.
//
// Main thread only.

namespace wire {
class WireIn;
}
class PlayerServer;

namespace host {

// Reads a [2][49] craft from `in` for the sender's player. In a creative world the copy is not
// kept: nothing to pay.
void payForCraft(wire::WireIn& in, PlayerServer& player, bool creative);

}  // namespace host
