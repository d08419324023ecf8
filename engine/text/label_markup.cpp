#include "engine/text/label_markup.h"

namespace {

constexpr char16_t PALETTE_CODES[LABEL_PALETTE_SIZE + 1] = u"0123vybmoducag";

// 0-9, A-F and a-f are digits; anything else reads as 0.
uint8_t hexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return static_cast<uint8_t>(c - u'0');
  if (c >= u'A' && c <= u'F') return static_cast<uint8_t>(c - u'A' + 10);
  if (c >= u'a' && c <= u'f') return static_cast<uint8_t>(c - u'a' + 10);
  return 0;
}

// At one letter index the last escape wins.
void addRun(std::vector<LabelColorRun>& runs, const LabelColorRun& run) {
  if (!runs.empty() && runs.back().letterIndex == run.letterIndex) {
    runs.back() = run;
  } else {
    runs.push_back(run);
  }
}

uint8_t scaled(uint8_t channel, uint8_t opacity) {
  return static_cast<uint8_t>(channel * opacity / 255);
}

}  // namespace

const std::array<engine::Color3B, LABEL_PALETTE_SIZE> labelPalette = {{
    {0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00}, {0xD0, 0x19, 0x1B}, {0x2B, 0xA7, 0x44},
    {0xA5, 0x18, 0xD9}, {0xE9, 0xB5, 0x1F}, {0x1C, 0x86, 0xDE}, {0xF5, 0x13, 0x93},
    {0xFF, 0x80, 0x00}, {0x8C, 0x00, 0x00}, {0x53, 0x42, 0xC2}, {0x9E, 0x56, 0x45},
    {0xFF, 0xF6, 0x7A}, {0xC8, 0xC8, 0xC8},
}};

int labelPaletteIndex(char16_t code) {
  for (size_t i = 0; i < LABEL_PALETTE_SIZE; ++i) {
    if (PALETTE_CODES[i] == code) return static_cast<int>(i);
  }
  return -1;
}

LabelMarkup parseLabelMarkup(const std::u16string& markup, const engine::Color3B& labelColor) {
  LabelMarkup result;
  result.text.reserve(markup.size());
  uint64_t letter = 0;
  size_t p = 0;
  while (p < markup.size()) {
    const char16_t c = markup[p];
    if (c != u'^') {
      // Letters before any escape take the label's own colour. Starting that run at the first
      // letter (not only at the text's first code unit) keeps a text that opens with a newline
      // or a dropped pair from taking the colour of a later escape.
      if (c != u'\n' && result.runs.empty()) addRun(result.runs, {labelColor, letter, true});
      result.text += c;
      if (c != u'\n') ++letter;
      ++p;
      continue;
    }
    const char16_t code = p + 1 < markup.size() ? markup[p + 1] : 0;
    if (code == u'#') {
      // The digits stop at the end of the text: the missing ones read as 0.
      uint8_t digits[3] = {0, 0, 0};
      for (size_t d = 0; d < 3 && p + 2 + d < markup.size(); ++d) {
        digits[d] = hexDigit(markup[p + 2 + d]);
      }
      const engine::Color3B color{static_cast<uint8_t>(digits[0] * 16),
                                  static_cast<uint8_t>(digits[1] * 16),
                                  static_cast<uint8_t>(digits[2] * 16)};
      addRun(result.runs, {color, letter, false});
      p += 5;
      continue;
    }
    const int paletteIndex = labelPaletteIndex(code);
    if (paletteIndex >= 0) {
      addRun(result.runs, {labelPalette[static_cast<size_t>(paletteIndex)], letter, false});
    } else if (code == u's') {
      addRun(result.runs, {labelColor, letter, true});
    }
    p += 2;  // any other pair is dropped whole
  }
  return result;
}

std::vector<engine::Color4B> labelQuadColors(const std::vector<LabelColorRun>& runs,
                                             size_t quadCount,
                                             const engine::Color3B& labelColor,
                                             uint8_t opacity, bool opacityModifiesRGB) {
  std::vector<engine::Color4B> colors(quadCount);
  size_t r = 0;
  for (size_t q = 0; q < quadCount; ++q) {
    if (r + 1 < runs.size() && runs[r + 1].letterIndex == q) ++r;
    engine::Color3B color = runs.empty() ? labelColor : runs[r].color;
    if (opacityModifiesRGB) {
      color = engine::Color3B{scaled(color.r, opacity), scaled(color.g, opacity),
                              scaled(color.b, opacity)};
    }
    colors[q] = engine::Color4B{color.r, color.g, color.b, opacity};
  }
  return colors;
}
