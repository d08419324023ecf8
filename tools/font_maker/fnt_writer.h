#pragma once
// Writes the text form of a bitmap font description: one line per record.

#include <string>
#include <vector>

#include "tools/font_maker/glyph.h"
#include "tools/font_maker/glyph_sheet.h"

namespace fontmaker {

struct FontDescription {
  std::string face;
  int pixelSize = 0;
  int lineHeight = 0;
  int base = 0;
  std::string pageFile;  // the page image's file name, next to the description
};

std::string writeFnt(const FontDescription& font, const std::vector<Glyph>& glyphs,
                     const GlyphSheet& sheet, const std::vector<KerningPair>& kerning);

}  // namespace fontmaker
