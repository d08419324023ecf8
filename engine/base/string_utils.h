#pragma once
// Text helpers shared by the whole program: splitting and joining, ASCII case handling and bounded
// printf-style formatting. Strings are UTF-8 byte strings; lengths are in bytes.

#include <cstdarg>
#include <cstddef>
#include <string>
#include <vector>

namespace engine {

// Marks "no maximum" for splitString.
constexpr size_t NO_MAXIMUM_LENGTH = static_cast<size_t>(-1);

// Splits text at every delimiter (dropped; empty pieces kept, so k delimiters give k + 1 pieces),
// then cuts any piece longer than maximumLength into pieces of at most that many bytes. A cut
// never falls inside a UTF-8 sequence (the piece is cut short instead), so wrapped player text
// stays valid for the labels. A maximum of NO_MAXIMUM_LENGTH or 0 cuts nothing.
std::vector<std::string> splitString(const std::string& text, size_t maximumLength,
                                     const std::string& delimiter);

// The pieces with one '\n' between neighbours.
std::string joinStrings(const std::vector<std::string>& pieces);

// ASCII letters only; every other byte, UTF-8 included, is copied unchanged.
std::string toLowerCase(const std::string& text);
std::string toUpperCase(const std::string& text);

bool equalsIgnoreCase(const std::string& a, const std::string& b);
// Orders by the lower-cased bytes compared unsigned, a proper prefix first.
bool lessIgnoreCase(const std::string& a, const std::string& b);

// Non-empty and ASCII digits only (no sign, no blanks).
bool isNumber(const std::string& text);

// vsnprintf's rule: the buffer is always zero-terminated, the text cut when it does not fit; the
// result is the length the whole text needs, or -1 on a formatting error.
int formatVString(char* buffer, size_t bufferSize, const char* format, va_list arguments);

}  // namespace engine
