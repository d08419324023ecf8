#pragma once
// The records inside player messages whose bytes the catalogue carries without reading them: a
// player's motion record ([2][20]: 16 raw bytes, an f64 and a u32), a circuit device's setting
// ([14][135]: 6 raw bytes) and a forge's counters ([10][106], [10][108], [10][109]: a u64 and a
// u16). Both sides write and read them here. A received motion record must hold finite numbers.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "content/potions/potion_def.h"
#include "game/player/player_body.h"
#include "world/circuits/circuit_system.h"

class Forge;

namespace wire {
class WireIn;
class WireOut;
}  // namespace wire

namespace player_record {

// [u8 code][u8 phase][u16 0][f32 x][f32 y][f32 vx] as the raw 16 bytes, then vy and ax together
// in the f64's eight bytes, then ay in the u32.
void writeMotion(wire::WireOut& out, const MotionEvent& motion);
// None when a number is not finite.
std::optional<MotionEvent> readMotion(wire::WireIn& in);

// What the host's alchemy lab brewed for a client's player ([12][130]'s 16 bytes): [u16 item id]
// [u16 potion value], the rest zero. An item id the content does not define brews nothing.
std::array<uint8_t, 16> brewBytes(const PotionResult& result);
PotionResult brewFromBytes(std::span<const uint8_t> bytes);

// [u8 tag][u8 reserved][u16 value][u16 second].
std::array<uint8_t, 6> circuitBytes(const CircuitRecord& record);
CircuitRecord circuitFromBytes(const uint8_t* bytes);

// A forge's four step counters packed in the u64 (fuel left, smelt left, fuel total, smelt total
// from the low end), and whether it burns in the u16.
struct ForgeCounters {
  uint16_t fuelLeft = 0;
  uint16_t smeltLeft = 0;
  uint16_t fuelTotal = 0;
  uint16_t smeltTotal = 0;
  bool burning = false;

  static ForgeCounters of(const Forge& forge);
  static ForgeCounters unpack(uint64_t packed, uint16_t burning);
  uint64_t packed() const;
  bool operator==(const ForgeCounters&) const = default;
};

}  // namespace player_record
