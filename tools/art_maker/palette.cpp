#include "tools/art_maker/palette.h"

#include <array>

namespace artmaker {
namespace {

struct FamilyRow {
  std::string_view name;
  uint32_t base;  // 0xRRGGBB
  float spread;
};

constexpr std::array<FamilyRow, kFamilyCount> kFamilies = {{
    {"stone", 0x7E7F86, 1.0f},  {"soil", 0x7A5236, 0.8f},    {"sand", 0xD8C07A, 0.55f},
    {"ice", 0x9CD4EE, 0.7f},    {"wood", 0x9A6A3C, 0.85f},   {"leaves", 0x4E8F34, 0.9f},
    {"metal", 0x9AA2AE, 1.1f},  {"ore", 0x7A7C82, 1.0f},     {"crystal", 0x8E6AD8, 1.1f},
    {"glass", 0xBFE4F2, 0.6f},  {"brick", 0xA2503A, 0.85f},  {"fabric", 0xB0484E, 0.7f},
    {"flesh", 0xC27A6E, 0.75f}, {"slime", 0x6CC44A, 0.8f},
}};

const FamilyRow& row(Family family) { return kFamilies[static_cast<size_t>(family)]; }

}  // namespace

std::string_view familyName(Family family) { return row(family).name; }

std::optional<Family> familyFromName(std::string_view name) {
  for (size_t i = 0; i < kFamilies.size(); ++i) {
    if (kFamilies[i].name == name) return static_cast<Family>(i);
  }
  return std::nullopt;
}

Colour familyBase(Family family) { return opaque(row(family).base); }

Ramp familyRamp(Family family, Colour base) { return makeRamp(base, row(family).spread); }

}  // namespace artmaker
