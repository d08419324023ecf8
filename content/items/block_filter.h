#pragma once
// The block filter word: a 64-bit word naming a set of block ids, stored in generator, planet,
// spawn and plant rules.
//   bit 32: every block but 0;  bit 33: every block but 103, 106 and 144;
//   bit 34: exactly the id in the low bits;  bit 35: block 1504 when bits 16 and 48 are set;
//   otherwise bits 0-5 are required categories and bits 48-59 allowed groups (none: any group).

#include <cstdint>

constexpr uint64_t FILTER_ANY_BLOCK = 1ull << 32;
constexpr uint64_t FILTER_ALMOST_ANY = 1ull << 33;
constexpr uint64_t FILTER_EXACT = 1ull << 34;
constexpr uint64_t FILTER_SPECIAL = 1ull << 35;
constexpr int FILTER_GROUP_SHIFT = 48;

constexpr uint64_t exactBlockFilter(uint16_t id) { return FILTER_EXACT | id; }
constexpr uint64_t categoryFilter(uint64_t groups, uint64_t categories) {
  return (groups << FILTER_GROUP_SHIFT) | categories;
}

bool itemMatchesFilter(uint16_t id, uint64_t filter);
