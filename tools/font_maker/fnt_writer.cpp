#include "tools/font_maker/fnt_writer.h"

#include <sstream>

namespace fontmaker {

std::string writeFnt(const FontDescription& font, const std::vector<Glyph>& glyphs,
                     const GlyphSheet& sheet, const std::vector<KerningPair>& kerning) {
  std::ostringstream out;
  out << "info face=\"" << font.face << "\" size=" << font.pixelSize
      << " bold=0 italic=0 charset=\"\" unicode=1 stretchH=100 smooth=0 aa=0 padding=0,0,0,0"
         " spacing=1,1\n";
  out << "common lineHeight=" << font.lineHeight << " base=" << font.base
      << " scaleW=" << sheet.width << " scaleH=" << sheet.height << " pages=1 packed=0\n";
  out << "page id=0 file=\"" << font.pageFile << "\"\n";
  out << "chars count=" << glyphs.size() << "\n";
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& g = glyphs[i];
    out << "char id=" << g.id << " x=" << sheet.placements[i].x << " y=" << sheet.placements[i].y
        << " width=" << g.width << " height=" << g.height << " xoffset=" << g.xoffset
        << " yoffset=" << g.yoffset << " xadvance=" << g.xadvance << " page=0 chnl=15\n";
  }
  out << "kernings count=" << kerning.size() << "\n";
  for (const KerningPair& pair : kerning) {
    out << "kerning first=" << pair.first << " second=" << pair.second
        << " amount=" << pair.amount << "\n";
  }
  return out.str();
}

}  // namespace fontmaker
