#pragma once
// A mob's colours, from the words of its name (assets/art/mobs.json): the mob atlas paints its
// parts with them and the treasures atlas its spawn egg, so an egg looks like what it hatches.

#include <rapidjson/document.h>

#include <cstdint>
#include <string>

#include "tools/art_maker/colour.h"

namespace artmaker {

struct MobColours {
  Ramp body, belly, dark, accent, wing, slime, eye, glint;
};

// The colours of the mob of the row and name; a variation above zero turns the body toward the
// mob's own colour, to part two mobs that would look the same.
MobColours mobColours(uint16_t row, const std::string& name, const rapidjson::Document& recipes, int variation);

}  // namespace artmaker
