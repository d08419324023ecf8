#pragma once
// Character classes that word wrapping needs, on single UTF-16 code units.

#include <string>

namespace engine {
namespace StringUtils {

// Blanks a line may break after: the ASCII controls 0x09-0x0D, the space, and the Unicode
// space separators a text can carry (no-break ones included, as they still look empty).
bool isUnicodeSpace(char16_t c);
// Han, kana, Hangul and the compatibility forms: each such character is a word by itself.
bool isCJKUnicode(char16_t c);
// Removes the run of spaces at the end, when the text ends with one.
void trimUTF16Vector(std::u16string& text);

}  // namespace StringUtils
}  // namespace engine
