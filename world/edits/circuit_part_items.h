#pragma once
// The item a circuit part gives back when it is cut out of a cell, by component kind.

#include <cstdint>

constexpr uint16_t kNoPartItem = 0xFFFF;
// A connector wire (kind 2) also gives this item first.
constexpr uint16_t kConnectorExtraItem = 1616;

// kNoPartItem for kinds 0, 15-17 and anything above 25.
uint16_t circuitPartItemFor(uint8_t componentKind);
