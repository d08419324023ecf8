#pragma once
// How the message console breaks a message into lines: glyph advances, scaled as the console's
// labels draw them, are summed along the text; at the first character that takes the width past
// the limit the line breaks after that character if it is a space, else after the last space
// before it, else at the character itself. A line always takes at least one character, so a
// character wider than the whole line never keeps the rest from coming: it stands on a line of
// its own. A character the font has no glyph for adds no width. Surrogate pairs stay together.

#include <string>

namespace engine {
class FontAtlas;
}

// The glyph widths the console measures with (the font its labels draw with).
class GlyphAdvances {
 public:
  virtual ~GlyphAdvances() = default;
  // The pen advance of the character in font pixels; false when the font has no glyph for it.
  virtual bool advance(char16_t character, float& out) const = 0;
};

// The advances of a font atlas; a null atlas has no glyphs (nothing is ever too wide).
class AtlasAdvances final : public GlyphAdvances {
 public:
  explicit AtlasAdvances(const engine::FontAtlas* atlas) : atlas_(atlas) {}
  bool advance(char16_t character, float& out) const override;

 private:
  const engine::FontAtlas* atlas_;
};

struct WrappedLine {
  std::string line;       // UTF-8
  std::string remainder;  // UTF-8; empty when the message fitted
};

// `scale` turns font pixels into the console's points; `limit` is in points.
WrappedLine wrapConsoleLine(const std::string& text, float limit, float scale, const GlyphAdvances& glyphs);
