#pragma once
// How a tooltip's marked-up text is measured and wrapped with the tooltip font's metrics. The
// first line is drawn at the title scale, the lines after the first line break at the body
// scale; a colour code ("^" and the byte after it) takes no width. Widths follow the glyphs'
// pen advances times the scale of their line; a letter written as several UTF-8 bytes (the
// icon letters) is one glyph. Pure functions over a font's glyph atlas.

#include <string>

namespace engine {
class FontAtlas;
}

struct TooltipScales {
  float ui = 1.0f;
  float title = 0.5f;  // ui x 0.5
  float body = 1.005f;  // 1.005 while ui x 0.25 rounds below 2, else 2.005
};

TooltipScales tooltipScales(float uiScale);

// The pen advance of a letter in the font, 0 when it has no glyph.
float glyphAdvance(const engine::FontAtlas& font, char32_t letter);

// Breaks the text at spaces so that no line passes wrapWidth x the interface scale, where a
// break is possible; a word longer than the limit keeps its own line, and a line break already
// in the text starts afresh (its spaces are never broken again). wrapWidth 0: unchanged.
std::string wrapTooltipText(std::string text, float wrapWidth, const TooltipScales& scales,
                            const engine::FontAtlas& font);

struct TooltipTextSize {
  float width = 0;   // the widest line of either text
  float titleHeight = 0;
  float bodyHeight = 0;  // 0 for an empty body
};

// The size of a title and a body at their scales.
TooltipTextSize measureTooltipText(const std::string& title, const std::string& body,
                                   const TooltipScales& scales, const engine::FontAtlas& font);
