#pragma once
// A firework a joined player fills, as the host counts it: her game filled it in her inventory
// and names the paint and the firework's word before the filling; the host takes one of that paint
// and one firework of that word out of its copy of her items and adds the firework with the
// paint's colour in its next place, so the firework the host shoots for her bursts in her
// colours. A filling with a paint or a firework the copy does not hold, or into a firework that
// holds four colours already, changes nothing and is refused.
//
// Main thread only.

namespace wire {
class WireIn;
}
class PlayerServer;

namespace host {

// Reads a [2][14] filling from `in` for the sender's player. In a creative world the copy is not
// kept (and a firework bursts in colours of its own): nothing to fill.
void fillFireworkFor(wire::WireIn& in, PlayerServer& player, bool creative);

}  // namespace host
