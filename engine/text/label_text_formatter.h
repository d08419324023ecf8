#pragma once
// The arithmetic of label layout: placing glyphs with their offsets, advances and kerning,
// wrapping words at the maximum line width, and aligning lines. Pure functions of a LabelLayout.

#include <string>

namespace engine {

struct LabelLayout;

class LabelTextFormatter {
 public:
  LabelTextFormatter() = delete;

  // 0 for an empty text, else 1 + the newlines before the last code unit.
  static int32_t countLines(const std::u16string& text);
  // Line count and kerning for the current text.
  static void refreshTextMetrics(LabelLayout& layout);
  // The whole layout: glyph placement, wrapping when the text is too wide, line alignment.
  // False (and nothing changed) without a font atlas or text.
  static bool layoutText(LabelLayout& layout);

  static void createStringSprites(LabelLayout& layout);
  // Rebuilds the current text with newlines where the words pass the maximum line width.
  static bool multilineText(LabelLayout& layout);
  static void alignText(LabelLayout& layout);
};

}  // namespace engine
