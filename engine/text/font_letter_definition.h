#pragma once
// One glyph as labels use it: where it lies in the page texture and how it moves the pen.

#include <cstdint>

namespace engine {

struct FontLetterDefinition {
  char16_t letter = 0;  // the UTF-16 code unit
  float U = 0.0f;       // origin in the page, points
  float V = 0.0f;
  float width = 0.0f;   // size in the page, points
  float height = 0.0f;
  float offsetX = 0.0f;  // the file's offsets, pixels
  float offsetY = 0.0f;
  bool validDefinition = false;  // false marks a character without a glyph
  int32_t xAdvance = 0;          // pixels
};

}  // namespace engine
