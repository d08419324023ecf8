#pragma once
// The state of a running world that its cells do not hold, sent to a client once it entered
// ([0][5]) and applied there:
//
//   [4][61] u16 n, n cells   the liquid simulator's queued cells
//   [4][66] u32 A, B, C, D, then A cells (the circuits' dirty set), B (cell, u8 operation) (the
//           queued changes), C (cell, u16 countdown, u16 period) (the timers), D (cell, u32 word,
//           u16 second) (the device memory): exactly 18 + 4A + 5B + 8C + 10D bytes
//   [4][64] u16 n, n cells   the world's timed cells
//   [5][77] one entity record per live entity (treasures, mobs, projectiles, clothes)
//
// Each list goes in as many messages as it needs of at most 65,535 entries (a u16 count never
// wraps; a circuit message holds at most that many records of its four lists together). The
// receiver adds every liquid and timed cell it is sent, and keeps the circuit records of one
// transfer together: each circuit message adds its records and the circuit system is restored to
// all of them, so the lists sent in several messages arrive whole.
//
// Main thread only.

#include <cstdint>
#include <functional>

#include "net/wire/wire_in.h"
#include "net/wire/wire_out.h"
#include "saves/world/world_model_state.h"

class World;
class WorldEntities;

inline constexpr uint32_t kMaxEntriesPerMessage = 0xFFFF;

// Host: every message of the running state, in the order above.
void sendRunningState(World& world, WorldEntities& entities,
                      const std::function<void(const wire::WireOut&)>& send);

// Client: applies the running state's messages to its world.
class RunningStateReceiver {
 public:
  // False when the message is refused: its counts do not add up to its length. Records whose
  // cell is off the map are skipped.
  bool apply(wire::WireIn& in, World& world, WorldEntities& entities);

 private:
  bool applyCircuits(wire::WireIn& in, World& world);
  void lightColouredLamps(World& world) const;

  CircuitState circuits_;  // every circuit record of this transfer so far
};
