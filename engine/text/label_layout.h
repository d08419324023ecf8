#pragma once
// The layout state of one label: the text being laid out, one letter entry per code unit and
// the settings that shape the lines. The label owns one; LabelTextFormatter works on it, so the
// whole layout can run (and be tested) without GL.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/text/font_letter_definition.h"

namespace engine {

class FontAtlas;

enum class TextHAlignment : int32_t { LEFT = 0, CENTER = 1, RIGHT = 2 };
enum class TextVAlignment : int32_t { TOP = 0, CENTER = 1, BOTTOM = 2 };

struct LetterInfo {
  FontLetterDefinition def;  // validDefinition false: a newline or a letter without a glyph
  Vec2 position;             // the glyph image's top-left corner, points, y growing upwards
  Size contentSize;          // the glyph's size, points
  int32_t atlasIndex = -1;   // the glyph's quad, once the quads are built
};

struct LabelLayout {
  const FontAtlas* fontAtlas = nullptr;  // not held here: the label holds it
  std::u16string currentText;  // after wrapping it holds the inserted newlines
  std::vector<LetterInfo> letters;
  std::vector<int32_t> horizontalKernings;  // one per code unit of the current text
  int32_t limitShowCount = 0;  // letter entries filled by the last layout
  float additionalKerning = 0.0f;
  float commonLineHeight = 0.0f;
  bool lineBreakWithoutSpaces = false;
  uint32_t maxLineWidth = 0;  // 0: no wrapping
  uint32_t labelWidth = 0;
  uint32_t labelHeight = 0;
  TextHAlignment hAlignment = TextHAlignment::LEFT;
  TextVAlignment vAlignment = TextVAlignment::TOP;
  int32_t lineCount = -1;  // -1 until the first layout
  float contentScaleFactor = 1.0f;
  Size contentSize;  // the laid-out size, points
};

}  // namespace engine
