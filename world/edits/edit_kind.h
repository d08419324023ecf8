#pragma once
// The kinds of block edit (byte 0 of the record).

#include <cstdint>

namespace edit_kind {
constexpr uint8_t kSetLayerBlock = 2;
constexpr uint8_t kAttach = 3;
constexpr uint8_t kPlace = 4;
constexpr uint8_t kBreakEffects = 5;
constexpr uint8_t kSetLayerQuietly = 6;
constexpr uint8_t kRemoveLayer = 7;
constexpr uint8_t kReplace = 8;
constexpr uint8_t kRemoveDeco = 9;
constexpr uint8_t kSetDeco = 10;
constexpr uint8_t kCircuitPartRemoved = 11;
constexpr uint8_t kCircuitPartSet = 12;
constexpr uint8_t kCircuitEdit = 13;
constexpr uint8_t kCircuitSetting = 14;
constexpr uint8_t kSetState = 15;
constexpr uint8_t kLiquidStarts = 16;
constexpr uint8_t kLiquidStops = 17;
constexpr uint8_t kLiquidArrives = 18;
constexpr uint8_t kLiquidLeaves = 19;
constexpr uint8_t kExplosion = 20;
constexpr uint8_t kFirst = kSetLayerBlock;
constexpr uint8_t kLast = kExplosion;
}  // namespace edit_kind
