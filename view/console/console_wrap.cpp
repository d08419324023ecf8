#include "view/console/console_wrap.h"

#include "engine/base/utf.h"
#include "engine/text/font_atlas.h"

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Where the line breaks when the character at `over` overflows.
size_t breakPosition(const std::u16string& text, size_t over) {
  if (text[over] == u' ') return over + 1;
  for (size_t i = over; i-- > 0;) {
    if (text[i] == u' ') return i + 1;
  }
  return over;
}

}  // namespace

bool AtlasAdvances::advance(char16_t character, float& out) const {
  if (atlas_ == nullptr) return false;
  const engine::FontLetterDefinition* letter = atlas_->findLetterDefinition(character);
  if (letter == nullptr || !letter->validDefinition) return false;
  out = static_cast<float>(letter->xAdvance);
  return true;
}

WrappedLine wrapConsoleLine(const std::string& text, float limit, float scale, const GlyphAdvances& glyphs) {
  std::u16string wide;
  engine::utf8ToUtf16Lenient(text, wide);
  float width = 0.0f;
  size_t cut = wide.size();
  for (size_t i = 0; i < wide.size(); ++i) {
    float advance = 0.0f;
    if (!glyphs.advance(wide[i], advance)) continue;
    width += advance * scale;
    if (width > limit) {
      cut = breakPosition(wide, i);
      break;
    }
  }
  if (cut == 0) cut = 1;  // a character wider than the line still takes a line
  if (cut < wide.size() && isLowSurrogate(wide[cut]) && isHighSurrogate(wide[cut - 1])) ++cut;
  WrappedLine out;
  engine::utf16ToUtf8Lenient(std::u16string_view(wide).substr(0, cut), out.line);
  if (cut < wide.size()) engine::utf16ToUtf8Lenient(std::u16string_view(wide).substr(cut), out.remainder);
  return out;
}
