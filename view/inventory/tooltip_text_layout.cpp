#include "view/inventory/tooltip_text_layout.h"

#include <cmath>
#include <cstdint>

#include "engine/text/font_atlas.h"

namespace {

// The letter that starts at byte i, and i moved past it. A damaged sequence counts as one
// letter per byte, which no glyph matches.
char32_t nextLetter(const std::string& text, size_t& i) {
  const auto lead = static_cast<uint8_t>(text[i++]);
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  char32_t letter = extra == 0 ? lead : lead & (0x3F >> extra);
  for (; extra > 0 && i < text.size(); --extra) {
    const auto next = static_cast<uint8_t>(text[i]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    letter = (letter << 6) | (next & 0x3F);
    ++i;
  }
  return extra == 0 ? letter : 0xFFFD;
}

// Walks one text, keeping the widest line; returns the height of its lines.
float measureLines(const std::string& text, float scale, const engine::FontAtlas& font, float& widest) {
  const float lineHeight = font.getCommonLineHeight() * scale;
  float height = lineHeight;
  float line = 0;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\n') {
      height += lineHeight;
      widest = std::max(widest, line);
      line = 0;
      ++i;
    } else if (text[i] == '^') {
      i += 2;
    } else {
      line += glyphAdvance(font, nextLetter(text, i)) * scale;
    }
  }
  widest = std::max(widest, line);
  return height;
}

}  // namespace

TooltipScales tooltipScales(float uiScale) {
  TooltipScales scales;
  scales.ui = uiScale;
  scales.title = uiScale * 0.5f;
  scales.body = std::round(uiScale * 0.25f) < 2.0f ? 1.005f : 2.005f;
  return scales;
}

float glyphAdvance(const engine::FontAtlas& font, char32_t letter) {
  if (letter > 0xFFFF) return 0;
  const engine::FontLetterDefinition* glyph = font.findLetterDefinition(static_cast<char16_t>(letter));
  return glyph != nullptr ? static_cast<float>(glyph->xAdvance) : 0.0f;
}

std::string wrapTooltipText(std::string text, float wrapWidth, const TooltipScales& scales,
                            const engine::FontAtlas& font) {
  if (wrapWidth == 0) return text;
  const float limit = wrapWidth * scales.ui;
  float scale = scales.title;
  float line = 0;
  float word = 0;
  size_t breakSpace = std::string::npos;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\n') {
      scale = scales.body;
      line = word = 0;
      breakSpace = std::string::npos;
      ++i;
    } else if (c == '^') {
      i += 2;
    } else if (c == ' ') {
      if (word != 0) {
        line += word;
        // The space just reached is where the next line may break: the one before is used.
        if (line > limit && breakSpace != std::string::npos) {
          text[breakSpace] = '\n';
          line = word;
        }
        breakSpace = i;
        word = 0;
      }
      ++i;
    } else {
      word += glyphAdvance(font, nextLetter(text, i)) * scale;
    }
  }
  if (line + word > limit && breakSpace != std::string::npos) text[breakSpace] = '\n';
  return text;
}

TooltipTextSize measureTooltipText(const std::string& title, const std::string& body,
                                   const TooltipScales& scales, const engine::FontAtlas& font) {
  TooltipTextSize size;
  size.titleHeight = measureLines(title, scales.title, font, size.width);
  if (!body.empty()) size.bodyHeight = measureLines(body, scales.body, font, size.width);
  return size;
}
