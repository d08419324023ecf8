#include "engine/text/bm_font_configuration.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>

#include "engine/io/file_utils.h"

namespace engine {

namespace {

// The text of one "key=value" field: from the key's first occurrence to the next space. None
// when the line lacks the key.
std::optional<std::string> fieldToken(std::string_view line, std::string_view key) {
  const size_t start = line.find(key);
  if (start == std::string_view::npos) return std::nullopt;
  const size_t end = line.find(' ', start);
  return std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
}

// The value after the key, read as a whole number of the given range. None for a missing key,
// a value without digits or one out of range: such a line is not trusted at all.
template <typename T>
std::optional<T> readInteger(std::string_view line, std::string_view key) {
  const std::optional<std::string> token = fieldToken(line, key);
  if (!token) return std::nullopt;
  const char* text = token->c_str() + key.size();
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (end == text || errno == ERANGE) return std::nullopt;
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
    return std::nullopt;
  }
  return static_cast<T>(value);
}

// The same, further held to lowest..highest.
std::optional<int32_t> readBounded(std::string_view line, std::string_view key, int32_t lowest,
                                   int32_t highest) {
  const std::optional<int32_t> value = readInteger<int32_t>(line, key);
  if (!value || *value < lowest || *value > highest) return std::nullopt;
  return value;
}

std::optional<int16_t> readMetric(std::string_view line, std::string_view key) {
  constexpr int32_t LIMIT = BMFontConfiguration::MAX_GLYPH_METRIC;
  const std::optional<int32_t> value = readBounded(line, key, -LIMIT, LIMIT);
  if (!value) return std::nullopt;
  return static_cast<int16_t>(*value);
}

// A place or size on the page image: finite and within the largest page there can be.
std::optional<float> readPageCoordinate(std::string_view line, std::string_view key) {
  const std::optional<std::string> token = fieldToken(line, key);
  if (!token) return std::nullopt;
  const char* text = token->c_str() + key.size();
  char* end = nullptr;
  const float value = std::strtof(text, &end);
  if (end == text) return std::nullopt;
  // Written so that a NaN fails too.
  if (!(value >= 0.0f && value <= BMFontConfiguration::MAX_PAGE_COORDINATE)) return std::nullopt;
  return value;
}

std::optional<uint32_t> readUnsigned(const char* text, int base) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &end, base);
  if (end == text || errno == ERANGE || value > std::numeric_limits<uint32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

// The glyph id, written in decimal, as 0x41, as 41h or as a quoted character 'A'.
std::optional<uint32_t> readCharacterId(std::string_view line) {
  std::optional<std::string> token = fieldToken(line, "id=");
  if (!token) return std::nullopt;
  // A line that ends in "\r\n" keeps the "\r"; it is no part of the id.
  while (!token->empty() && token->back() == '\r') token->pop_back();
  const std::string& id = *token;
  if (id.compare(0, 5, "id=0x") == 0) return readUnsigned(id.c_str() + 5, 16);
  const char last = id.empty() ? '\0' : id.back();
  if (id.size() > 4 && (last == 'h' || last == 'H')) return readUnsigned(id.c_str() + 3, 16);
  if (id.compare(0, 4, "id='") == 0) {
    if (id.size() < 5) return std::nullopt;
    return static_cast<uint32_t>(static_cast<unsigned char>(id[4]));
  }
  if (id.size() > 3 && id[3] == '-') return std::nullopt;  // no negative ids
  return readUnsigned(id.c_str() + 3, 10);
}

bool startsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

}  // namespace

BMFontConfiguration::BMFontConfiguration(const std::string& fontFile) {
  parseConfigFile(fontFile);
}

bool BMFontConfiguration::parseConfigFile(const std::string& fontFile) {
  FileUtils* files = FileUtils::getInstance();
  if (files == nullptr) return false;
  const std::string fullPath = files->fullPathForFilename(fontFile);
  if (fullPath.empty()) return false;
  const Data data = files->getDataFromFile(fullPath);
  if (data.isNull()) return false;
  std::string_view contents(reinterpret_cast<const char*>(data.getBytes()),
                            static_cast<size_t>(data.getSize()));
  // The text form holds no zero byte; whatever follows one is not text.
  const size_t zero = contents.find('\0');
  if (zero != std::string_view::npos) contents = contents.substr(0, zero);
  parseConfigText(contents, fontFile);
  return true;
}

void BMFontConfiguration::parseConfigText(std::string_view contents, const std::string& fontFile) {
  size_t start = 0;
  while (start <= contents.size()) {
    size_t end = contents.find('\n', start);
    if (end == std::string_view::npos) end = contents.size();
    const std::string_view line = contents.substr(start, end - start);
    if (startsWith(line, "info face")) {
      // The face's name, size and style are not used.
    } else if (startsWith(line, "common lineHeight")) {
      parseCommonArguments(line);
    } else if (startsWith(line, "page id")) {
      parseImageFileName(line, fontFile);
    } else if (startsWith(line, "chars c")) {
      // The glyph count: the char lines themselves are what counts.
    } else if (startsWith(line, "char")) {
      parseCharacterDefinition(line);
    } else if (startsWith(line, "kerning first")) {
      parseKerningEntry(line);
    }
    start = end + 1;
  }
}

void BMFontConfiguration::parseCommonArguments(std::string_view line) {
  // The page size and count are not checked: the page image is what it is.
  if (const std::optional<int32_t> height = readBounded(line, "lineHeight=", 0, MAX_LINE_HEIGHT)) {
    commonHeight = *height;
  }
}

void BMFontConfiguration::parseImageFileName(std::string_view line, const std::string& fontFile) {
  const size_t open = line.find('"');
  if (open == std::string_view::npos) return;
  const size_t close = line.find('"', open + 1);
  if (close == std::string_view::npos) return;
  const std::string_view file = line.substr(open + 1, close - open - 1);
  if (file.empty()) return;
  // The page image lies beside the font file; fonts have one page, so a later line replaces it.
  const size_t slash = fontFile.find_last_of('/');
  atlasName = (slash == std::string::npos ? std::string() : fontFile.substr(0, slash + 1)) +
              std::string(file);
}

void BMFontConfiguration::parseCharacterDefinition(std::string_view line) {
  const std::optional<uint32_t> id = readCharacterId(line);
  const std::optional<float> x = readPageCoordinate(line, "x=");
  const std::optional<float> y = readPageCoordinate(line, "y=");
  const std::optional<float> width = readPageCoordinate(line, "width=");
  const std::optional<float> height = readPageCoordinate(line, "height=");
  const std::optional<int16_t> xOffset = readMetric(line, "xoffset=");
  const std::optional<int16_t> yOffset = readMetric(line, "yoffset=");
  const std::optional<int16_t> xAdvance = readMetric(line, "xadvance=");
  if (!id || !x || !y || !width || !height || !xOffset || !yOffset || !xAdvance) return;
  BMFontDef def;
  def.charID = *id;
  def.rect = Rect(*x, *y, *width, *height);
  def.xOffset = *xOffset;
  def.yOffset = *yOffset;
  def.xAdvance = *xAdvance;
  fontDefDictionary[def.charID] = def;
}

void BMFontConfiguration::parseKerningEntry(std::string_view line) {
  const std::optional<int32_t> first = readInteger<int32_t>(line, "first=");
  const std::optional<int32_t> second = readInteger<int32_t>(line, "second=");
  const std::optional<int16_t> amount = readMetric(line, "amount=");
  if (!first || !second || !amount) return;
  kerningDictionary[kerningKey(static_cast<uint32_t>(*first), static_cast<uint32_t>(*second))] =
      *amount;
}

}  // namespace engine
