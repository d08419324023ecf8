#pragma once
// Breaks a text into lines no wider than a width, at its own line breaks and between words; a word
// wider than the width is cut where the width ends. Widths come from the font's advances as the
// font file gives them, so a line measured here is the line a label of that font draws; a font
// that cannot be read (a test without a data folder) measures every letter as one fixed advance.
//
// Main thread only.

#include <string>
#include <vector>

// The advance a letter is taken to have when the font cannot be read.
inline constexpr float kFallbackAdvance = 9.0f;

// The width of a one-line text drawn in the font (a name from ui_draw.h).
float textWidth(const std::string& text, const char* font);
// The text's lines, each at most `width` points wide in the font; an empty text gives one empty line.
// A width of 0 or less (no window yet) breaks the text only at its own line breaks.
std::vector<std::string> wrapText(const std::string& text, float width, const char* font);
