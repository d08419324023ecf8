#pragma once
// Conversions between UTF-8 (the program's string encoding everywhere) and UTF-16 (label glyph
// lookup and edited text). Every text the program converts may have come from outside (chat, sign
// text, names, typed text, command-line words), so the conversions are lenient: each malformed part
// (an overlong form, an encoded surrogate, a value past U+10FFFF, a truncated sequence, an unpaired
// surrogate) becomes U+FFFD, and nothing throws. Conversions keep no state, so any thread may call
// them.

#include <cstddef>
#include <string>
#include <string_view>

namespace engine {

constexpr char16_t REPLACEMENT_CHARACTER = 0xFFFD;

// Each malformed part becomes one U+FFFD.
void utf8ToUtf16Lenient(std::string_view utf8, std::u16string& out);
void utf16ToUtf8Lenient(std::u16string_view utf16, std::string& out);
// The text with each malformed part replaced by U+FFFD (encoded as UTF-8).
std::string sanitizeUtf8(std::string_view text);

// The largest position at or before position (clamped to the text's size) that does not fall
// inside a UTF-8 sequence. Stray continuation bytes are not backed over past a sequence's length.
size_t utf8BoundaryAtOrBefore(std::string_view text, size_t position);

// The text cut to at most maximumBytes without splitting a UTF-8 sequence.
std::string truncateUtf8(std::string_view text, size_t maximumBytes);

}  // namespace engine
