#pragma once
// One glyph image with the metrics a bitmap font records for it.

#include <cstdint>
#include <vector>

namespace fontmaker {

struct Glyph {
  uint32_t id = 0;
  int width = 0;
  int height = 0;
  int xoffset = 0;   // pen position to the image's left edge
  int yoffset = 0;   // line top down to the image's top edge
  int xadvance = 0;  // pen movement after the glyph
  std::vector<uint32_t> rgba;  // width * height pixels, 0xRRGGBBAA, row by row from the top
};

struct KerningPair {
  uint32_t first = 0;
  uint32_t second = 0;
  int amount = 0;
};

}  // namespace fontmaker
