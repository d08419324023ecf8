#include "view/effects/sparkle_emitters.h"

#include <array>
#include <cstddef>

#include "entities/particles/debris_presets.h"

namespace {

struct EmitterRow {
  uint16_t blockId;
  uint8_t list;
  uint8_t positionKind;
};

// Block id, particle list, position kind. Kind 7 rows are blocks that carry the glint flag for
// other reasons and must not glint.
constexpr std::array<EmitterRow, 88> kRows{{
    {341, 29, 1},  {149, 1, 1},   {181, 2, 1},   {277, 25, 1},  {338, 9, 1},   {1732, 29, 0}, {3882, 12, 0},
    {1863, 12, 0}, {3988, 29, 0}, {1939, 29, 0}, {1818, 29, 0}, {1013, 11, 0}, {2991, 25, 0}, {3280, 29, 0},
    {33, 29, 4},   {166, 29, 0},  {2434, 29, 4}, {2433, 29, 3}, {1766, 29, 5}, {3721, 29, 5}, {3847, 29, 5},
    {3785, 29, 5}, {3716, 29, 5}, {1547, 11, 5}, {129, 29, 6},  {37, 29, 3},   {90, 29, 2},   {3865, 29, 4},
    {1932, 32, 2}, {3283, 29, 2}, {333, 11, 1},  {1302, 11, 5}, {2905, 2, 0},  {3272, 25, 0}, {44, 0, 7},
    {648, 0, 7},   {747, 0, 7},   {749, 0, 7},   {780, 0, 7},   {782, 0, 7},   {889, 0, 7},   {1078, 0, 7},
    {1114, 0, 7},  {1511, 0, 7},  {1734, 0, 7},  {2596, 0, 7},  {2627, 0, 7},  {2628, 0, 7},  {2659, 0, 7},
    {2926, 0, 7},  {2984, 0, 7},  {3017, 0, 7},  {243, 12, 1},  {1005, 29, 2}, {151, 0, 1},   {376, 29, 0},
    {377, 12, 0},  {378, 1, 0},   {379, 0, 0},   {380, 9, 0},   {381, 32, 0},  {382, 2, 0},   {383, 11, 0},
    {2400, 33, 0}, {4007, 29, 0}, {3501, 12, 6}, {3502, 12, 2}, {3478, 29, 6}, {3477, 29, 0}, {3421, 29, 6},
    {3889, 29, 5}, {183, 33, 1},  {245, 25, 1},  {2799, 1, 0},  {1938, 29, 0}, {147, 29, 1},  {2317, 36, 6},
    {2318, 36, 6}, {2319, 36, 6}, {2320, 36, 6}, {2321, 36, 6}, {2322, 36, 6}, {2323, 36, 6}, {2324, 36, 6},
    {2325, 36, 6}, {2326, 36, 6}, {2327, 36, 6}, {2328, 36, 6},
}};

// The rows as the particle presets take them, built once.
const std::array<SparkleSource, kRows.size()>& sources() {
  static const auto table = [] {
    std::array<SparkleSource, kRows.size()> out{};
    for (std::size_t i = 0; i < kRows.size(); ++i) out[i] = {kRows[i].list, kRows[i].positionKind, 0};
    return out;
  }();
  return table;
}

}  // namespace

const SparkleSource* sparkleEmitterFor(uint16_t blockId) {
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    if (kRows[i].blockId == blockId) return &sources()[i];
  }
  return nullptr;
}
