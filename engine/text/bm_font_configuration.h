#pragma once
// The contents of one bitmap-font description (".fnt", text form): the glyph rectangles on the
// single page image, the line height, the page image's path and the kerning pairs.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/base/geometry.h"

namespace engine {

// One glyph as the file gives it.
struct BMFontDef {
  uint32_t charID = 0;
  Rect rect;             // area in the page image, pixels
  int16_t xOffset = 0;   // pen position to the glyph image's left edge
  int16_t yOffset = 0;   // line top down to the glyph image's top edge
  int16_t xAdvance = 0;  // how far the pen moves after the glyph
};

class BMFontConfiguration {
 public:
  // What a font file may say. A line taller, or a glyph, offset, advance or kerning wider, than
  // the largest page image is damage; keeping them this small keeps the sums of layout far
  // inside the integers it works in. Lines with a value outside are skipped.
  static constexpr int32_t MAX_LINE_HEIGHT = 4096;
  static constexpr int32_t MAX_GLYPH_METRIC = 4096;
  static constexpr float MAX_PAGE_COORDINATE = 16384.0f;

  // Reads the file at once. A file that cannot be read leaves everything empty, which makes no
  // font (there is no page image to load).
  explicit BMFontConfiguration(const std::string& fontFile);
  // An empty configuration, filled by parseConfigText.
  BMFontConfiguration() = default;

  BMFontConfiguration(const BMFontConfiguration&) = delete;
  BMFontConfiguration& operator=(const BMFontConfiguration&) = delete;

  // Reads the font file through the engine's file access; false when it could not be read.
  bool parseConfigFile(const std::string& fontFile);
  // Reads the text of a font file; fontFile places the page image beside it. Lines that lack a
  // value their kind needs are skipped.
  void parseConfigText(std::string_view contents, const std::string& fontFile);

  // Kerning pairs are stored under this key.
  static int32_t kerningKey(uint32_t first, uint32_t second) {
    return static_cast<int32_t>((first << 16) | (second & 0xFFFFu));
  }

  std::unordered_map<uint32_t, BMFontDef> fontDefDictionary;
  int32_t commonHeight = 0;
  std::string atlasName;
  std::unordered_map<int32_t, int32_t> kerningDictionary;

 private:
  void parseCommonArguments(std::string_view line);
  void parseImageFileName(std::string_view line, const std::string& fontFile);
  void parseCharacterDefinition(std::string_view line);
  void parseKerningEntry(std::string_view line);
};

}  // namespace engine
