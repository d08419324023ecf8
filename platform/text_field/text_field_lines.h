#pragma once
// Line arithmetic of text fields, in characters (UTF-16 units, as fields edit them) rather than
// bytes, so a line of accented or Cyrillic letters holds as many as a line of ASCII.

#include <cstdint>
#include <string>
#include <vector>

namespace kel {

// Lines of length 0 make no sense to wrap at, so they count as unlimited as well.
bool isLimitedLineLength(uint32_t lineLength);

// The text split at each "\n" (empty lines kept), each line cut into pieces of at most
// lineLength characters; a cut never separates the halves of a surrogate pair. A length of 0 or
// the unlimited value cuts nothing.
std::vector<std::string> wrapTextFieldLines(const std::string& text, uint32_t lineLength);
// The pieces with one "\n" between neighbours.
std::string joinTextFieldLines(const std::vector<std::string>& pieces);

// The lines a text occupies when lines wrap after lineLength characters: explicit breaks and
// wraps each count; an empty text has none.
uint32_t countTextFieldLines(const std::u16string& text, uint32_t lineLength);
// Characters on the last line, wraps counted: a character typed now lands in this column + 1.
uint32_t lastLineColumn(const std::u16string& text, uint32_t lineLength);

}  // namespace kel
