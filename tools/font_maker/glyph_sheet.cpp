#include "tools/font_maker/glyph_sheet.h"

#include <algorithm>
#include <numeric>

namespace fontmaker {
namespace {

int nextPowerOfTwo(int value) {
  int result = 1;
  while (result < value) result *= 2;
  return result;
}

// Places the glyphs in rows of the given width; gives the height used.
int placeRows(const std::vector<Glyph>& glyphs, const std::vector<size_t>& order, int width,
              int gap, std::vector<Placement>& placements) {
  int x = gap, y = gap, rowHeight = 0;
  for (size_t index : order) {
    const Glyph& glyph = glyphs[index];
    if (x + glyph.width + gap > width && x > gap) {
      x = gap;
      y += rowHeight + gap;
      rowHeight = 0;
    }
    placements[index] = {glyph.id, x, y};
    x += glyph.width + gap;
    rowHeight = std::max(rowHeight, glyph.height);
  }
  return y + rowHeight + gap;
}

}  // namespace

GlyphSheet packGlyphs(const std::vector<Glyph>& glyphs, int gap) {
  std::vector<size_t> order(glyphs.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return glyphs[a].height > glyphs[b].height; });

  GlyphSheet sheet;
  sheet.placements.resize(glyphs.size());
  int usedHeight = 0;
  for (sheet.width = 64;; sheet.width *= 2) {
    usedHeight = placeRows(glyphs, order, sheet.width, gap, sheet.placements);
    if (usedHeight <= sheet.width || sheet.width >= 2048) break;
  }
  sheet.height = nextPowerOfTwo(usedHeight);
  sheet.rgba.assign(static_cast<size_t>(sheet.width) * static_cast<size_t>(sheet.height), 0u);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& glyph = glyphs[i];
    for (int row = 0; row < glyph.height; ++row) {
      std::copy_n(glyph.rgba.begin() + row * glyph.width, glyph.width,
                  sheet.rgba.begin() + (sheet.placements[i].y + row) * sheet.width +
                      sheet.placements[i].x);
    }
  }
  return sheet;
}

}  // namespace fontmaker
