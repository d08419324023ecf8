#pragma once
// The material families every picture is drawn from. Each family has its own small ramp (five
// shades, hue-shifted) and a look the atlases follow: stone in angular clusters with cracks, soil in
// soft clusters, sand in fine dots, ice and crystal in facets with a glint, wood and brick in
// courses, leaves in clumps, metal with rims and rivets, glass mostly clear with a diagonal glint.
// A picture may give its own base colour; the family then builds the ramp around that colour.

#include <optional>
#include <string_view>

#include "tools/art_maker/colour.h"

namespace artmaker {

enum class Family : uint8_t {
  Stone, Soil, Sand, Ice, Wood, Leaves, Metal, Ore, Crystal, Glass, Brick, Fabric, Flesh, Slime,
};
inline constexpr int kFamilyCount = 14;

// The family's lower-case name ("stone", "ore", ...), and back; nothing for an unknown name.
std::string_view familyName(Family family);
std::optional<Family> familyFromName(std::string_view name);

// The family's own base colour, used when a picture gives none.
Colour familyBase(Family family);
// The ramp of a family around a base colour: hard materials get a wider spread, soft ones narrower.
Ramp familyRamp(Family family, Colour base);
inline Ramp familyRamp(Family family) { return familyRamp(family, familyBase(family)); }

}  // namespace artmaker
