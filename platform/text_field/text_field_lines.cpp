#include "platform/text_field/text_field_lines.h"

#include "engine/base/string_utils.h"
#include "engine/base/utf.h"
#include "platform/text_field.h"

namespace kel {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

void cutLine(const std::u16string& line, uint32_t lineLength, std::vector<std::string>& out) {
  size_t start = 0;
  do {
    size_t end = std::min(line.size(), start + lineLength);
    // Keep a surrogate pair together (the piece is one shorter instead).
    if (end < line.size() && end > start + 1 && isHighSurrogate(line[end - 1])) --end;
    std::string piece;
    engine::utf16ToUtf8Lenient(std::u16string_view(line).substr(start, end - start), piece);
    out.push_back(std::move(piece));
    start = end;
  } while (start < line.size());
}

}  // namespace

bool isLimitedLineLength(uint32_t lineLength) {
  return lineLength != 0 && lineLength != TEXT_FIELD_UNLIMITED;
}

std::vector<std::string> wrapTextFieldLines(const std::string& text, uint32_t lineLength) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    if (!isLimitedLineLength(lineLength)) {
      pieces.push_back(line);
    } else {
      std::u16string wide;
      engine::utf8ToUtf16Lenient(line, wide);
      cutLine(wide, lineLength, pieces);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return pieces;
}

std::string joinTextFieldLines(const std::vector<std::string>& pieces) {
  return engine::joinStrings(pieces);
}

namespace {

struct LineWalk {
  uint32_t lines = 0;   // lines closed by a break or a wrap
  uint32_t column = 0;  // characters on the open line
};

LineWalk walkLines(const std::u16string& text, uint32_t lineLength) {
  const bool limited = isLimitedLineLength(lineLength);
  LineWalk walk;
  for (const char16_t c : text) {
    if (c == u'\n') {
      ++walk.lines;
      walk.column = 0;
    } else if (limited && walk.column >= lineLength) {
      ++walk.lines;
      walk.column = 1;  // the character that wrapped opens the next line
    } else {
      ++walk.column;
    }
  }
  return walk;
}

}  // namespace

uint32_t countTextFieldLines(const std::u16string& text, uint32_t lineLength) {
  const LineWalk walk = walkLines(text, lineLength);
  return walk.lines + (walk.column != 0 ? 1 : 0);
}

uint32_t lastLineColumn(const std::u16string& text, uint32_t lineLength) {
  return walkLines(text, lineLength).column;
}

}  // namespace kel
