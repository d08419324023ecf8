#pragma once
// The colour markup of game texts: "^#" with three hex digits sets a colour, "^" with a palette
// code picks one of 14 fixed colours, "^s" returns to the label's own colour, and any other caret
// pair is dropped. These functions strip the escapes and say which colour each letter takes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/geometry.h"

// One colour in force from a letter on. Letters count the stripped text's code units other
// than newlines.
struct LabelColorRun {
  engine::Color3B color;
  uint64_t letterIndex = 0;
  bool followsLabelColor = false;  // takes the label's colour now and whenever it changes
};

constexpr size_t LABEL_PALETTE_SIZE = 14;
extern const std::array<engine::Color3B, LABEL_PALETTE_SIZE> labelPalette;

// The palette index of the code after a caret (case-sensitive), or -1.
int labelPaletteIndex(char16_t code);

struct LabelMarkup {
  std::u16string text;  // the escapes removed
  std::vector<LabelColorRun> runs;
};

LabelMarkup parseLabelMarkup(const std::u16string& markup, const engine::Color3B& labelColor);

// The colour of each of quadCount glyph quads, given in letter order: the runs by letter index,
// the label's opacity as alpha (folded into the colour when opacity modifies RGB).
std::vector<engine::Color4B> labelQuadColors(const std::vector<LabelColorRun>& runs,
                                             size_t quadCount,
                                             const engine::Color3B& labelColor,
                                             uint8_t opacity, bool opacityModifiesRGB);
