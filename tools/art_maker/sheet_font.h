#pragma once
// A 3x5 pixel font for the titles of the contact sheet (upper-case letters, digits and a few
// signs; lower case is drawn as upper case, anything else as a space).

#include <string_view>

#include "tools/art_maker/canvas.h"

namespace artmaker {

inline constexpr int kSheetGlyphWidth = 4;  // 3 pixels and a gap
inline constexpr int kSheetGlyphHeight = 5;

// Draws the text with its top-left corner at (x, y) at the given pixel scale.
void drawSheetText(Canvas& canvas, int x, int y, std::string_view text, Colour colour, int scale = 1);

}  // namespace artmaker
