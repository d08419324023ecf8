#pragma once
// Conversions between UTF-8 (the program's string encoding everywhere) and UTF-16 (label glyph
// lookup and wide-string file names). The strict conversions throw std::range_error("bad
// conversion") on malformed input: overlong forms, encoded surrogates, values past U+10FFFF,
// truncated sequences and unpaired surrogates. Text from outside (chat, sign text, names, typed
// text, command-line words) goes through the lenient forms, which put U+FFFD in place of each
// malformed part and never throw. Conversions keep no state, so any thread may call them.

#include <cstddef>
#include <string>
#include <string_view>

namespace engine {

constexpr char16_t REPLACEMENT_CHARACTER = 0xFFFD;

// Strict conversions. The output arguments are left unchanged when they throw.
std::u16string utf8CStrToWide(const char* text);  // a null pointer gives ""
std::u16string utf8ToWide(const std::string& text);
std::string wideToUtf8(const char16_t* text);  // a null pointer gives ""
void utf8ToUtf16(const std::string& utf8, std::u16string& out);
void utf16ToUtf8(const std::u16string& utf16, std::string& out);

// Lenient conversions: each malformed part becomes one U+FFFD.
void utf8ToUtf16Lenient(std::string_view utf8, std::u16string& out);
void utf16ToUtf8Lenient(std::u16string_view utf16, std::string& out);
// The text with each malformed part replaced by U+FFFD (encoded as UTF-8).
std::string sanitizeUtf8(std::string_view text);

bool isValidUtf8(std::string_view text);

// The largest position at or before position (clamped to the text's size) that does not fall
// inside a UTF-8 sequence. Stray continuation bytes are not backed over past a sequence's length.
size_t utf8BoundaryAtOrBefore(std::string_view text, size_t position);

// The text cut to at most maximumBytes without splitting a UTF-8 sequence.
std::string truncateUtf8(std::string_view text, size_t maximumBytes);

}  // namespace engine
