#include "engine/base/utf.h"

namespace engine {

namespace {

constexpr char32_t INVALID = 0xFFFFFFFF;

struct Decoded {
  char32_t codePoint;  // INVALID for a malformed part
  size_t length;       // units consumed, at least 1
};

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one sequence; a malformed one consumes its longest valid-looking prefix (at least one
// byte), so a decoder that resumes there replaces each malformed part once.
Decoded decodeUtf8(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return {lead, 1};
  }
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // overlong below U+0800
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;   // overlong below U+10000
    if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return {INVALID, 1};
  }
  for (size_t i = 1; i < length; ++i) {
    if (at + i >= text.size()) {
      return {INVALID, i};
    }
    const auto byte = static_cast<unsigned char>(text[at + i]);
    const unsigned char min = i == 1 ? low : 0x80;
    const unsigned char max = i == 1 ? high : 0xBF;
    if (byte < min || byte > max) {
      return {INVALID, i};
    }
    value = (value << 6) | (byte & 0x3F);
  }
  return {value, length};
}

Decoded decodeUtf16(std::u16string_view text, size_t at) {
  const char16_t unit = text[at];
  if (unit < 0xD800 || unit > 0xDFFF) {
    return {unit, 1};
  }
  if (unit >= 0xDC00 || at + 1 >= text.size()) {
    return {INVALID, 1};
  }
  const char16_t next = text[at + 1];
  if (next < 0xDC00 || next > 0xDFFF) {
    return {INVALID, 1};
  }
  return {0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (next - 0xDC00), 2};
}

void appendUtf16(char32_t codePoint, std::u16string& out) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
    return;
  }
  codePoint -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
  out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

void appendUtf8(char32_t codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// One loop for every conversion: each malformed part becomes one U+FFFD.
template <typename Source, typename Target, typename Decode, typename Append>
Target convert(Source text, Decode decode, Append append) {
  Target result;
  result.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const Decoded decoded = decode(text, at);
    append(decoded.codePoint == INVALID ? REPLACEMENT_CHARACTER : decoded.codePoint, result);
    at += decoded.length;
  }
  return result;
}

}  // namespace

void utf8ToUtf16Lenient(std::string_view utf8, std::u16string& out) {
  out = convert<std::string_view, std::u16string>(utf8, decodeUtf8, appendUtf16);
}

void utf16ToUtf8Lenient(std::u16string_view utf16, std::string& out) {
  out = convert<std::u16string_view, std::string>(utf16, decodeUtf16, appendUtf8);
}

std::string sanitizeUtf8(std::string_view text) {
  return convert<std::string_view, std::string>(text, decodeUtf8, appendUtf8);
}

size_t utf8BoundaryAtOrBefore(std::string_view text, size_t position) {
  if (position >= text.size()) {
    return text.size();
  }
  // A sequence is at most four bytes, so its lead lies at most three bytes back.
  for (size_t back = 1; back < 4 && back <= position; ++back) {
    if (isContinuation(static_cast<unsigned char>(text[position - back + 1]))) {
      const size_t lead = position - back;
      if (isContinuation(static_cast<unsigned char>(text[lead]))) {
        continue;
      }
      // Back up only over a whole sequence that the cut would split; malformed bytes may be cut.
      const Decoded decoded = decodeUtf8(text, lead);
      return decoded.codePoint != INVALID && lead + decoded.length > position ? lead : position;
    }
    break;
  }
  return position;
}

std::string truncateUtf8(std::string_view text, size_t maximumBytes) {
  return std::string(text.substr(0, utf8BoundaryAtOrBefore(text, maximumBytes)));
}

}  // namespace engine
