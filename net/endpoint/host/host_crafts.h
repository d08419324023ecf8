#pragma once
// A joined player's craft, as the host runs it: her game made the result on its own side and
// names the recipe and the units it used up; the craft rule (`craftRow`) runs again over the
// host's copy of her, with the station it has beside her and the units she names, which must pay
// for the recipe and be in its count of her items. Made, those units leave the count and the
// result (and any empty containers the recipe gives back) joins it, so that what she crafted is
// hers to drop, throw, eat or offer. Refused, nothing changes and she is told why, in the words
// her own game tells her alone.
//
// Main thread only.

namespace wire {
class WireIn;
}
class PlayerServer;

namespace host {

// Reads a [2][49] craft from `in` for the sender's player. In a creative world the copy is not
// kept: nothing to pay, though the station must still stand beside her.
void payForCraft(wire::WireIn& in, PlayerServer& player, bool creative);

}  // namespace host
