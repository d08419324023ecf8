#pragma once
// Packs glyph images onto one page in rows (tallest first), each glyph apart from its neighbours
// by a transparent gap so that filtering never bleeds one glyph into the next.

#include <vector>

#include "tools/font_maker/glyph.h"

namespace fontmaker {

struct Placement {
  uint32_t id = 0;
  int x = 0;
  int y = 0;
};

struct GlyphSheet {
  int width = 0;
  int height = 0;
  std::vector<Placement> placements;  // in the order of the glyphs passed in
  std::vector<uint32_t> rgba;         // width * height pixels, row by row from the top
};

// The page is the narrowest power-of-two width (64 to 2048) whose packing is no taller than it is
// wide; its height is the power of two that holds the rows.
GlyphSheet packGlyphs(const std::vector<Glyph>& glyphs, int gap);

}  // namespace fontmaker
