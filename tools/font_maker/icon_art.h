#pragma once
// Reads the icon art file: a palette of letters and icons drawn as grids of those letters.

#include <optional>
#include <string>
#include <vector>

#include "tools/font_maker/glyph.h"

namespace fontmaker {

struct IconArt {
  uint16_t code = 0;
  std::string meaning;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgba;
};

// Gives the icons in file order, or nothing with a message naming the line that is wrong.
std::optional<std::vector<IconArt>> parseIconArt(const std::string& text, std::string& error);

// Scales an icon by a whole factor and places it on the text line: centred on the lowercase
// height so it sits with the digits that follow it.
Glyph iconGlyph(const IconArt& icon, int scale, int baseline, int xHeight);

}  // namespace fontmaker
