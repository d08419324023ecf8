#include "tools/font_maker/icon_art.h"

#include <map>
#include <sstream>

namespace fontmaker {
namespace {

bool parseHex(const std::string& text, uint32_t& value) {
  if (text.empty() || text.size() > 8) return false;
  try {
    size_t used = 0;
    value = static_cast<uint32_t>(std::stoul(text, &used, 16));
    return used == text.size();
  } catch (const std::exception&) {
    return false;
  }
}

struct Parser {
  std::map<char, uint32_t> palette;
  std::vector<IconArt> icons;
  std::vector<std::string> rows;
  std::string error;

  bool fail(int line, const std::string& message) {
    error = "icons line " + std::to_string(line) + ": " + message;
    return false;
  }

  bool finishIcon(int line) {
    if (icons.empty()) return true;
    IconArt& icon = icons.back();
    if (rows.empty()) return fail(line, "icon " + icon.meaning + " has no rows");
    icon.width = static_cast<int>(rows.front().size());
    icon.height = static_cast<int>(rows.size());
    for (const std::string& row : rows) {
      if (static_cast<int>(row.size()) != icon.width) {
        return fail(line, "icon " + icon.meaning + " has rows of different widths");
      }
      for (char letter : row) {
        const auto colour = palette.find(letter);
        if (colour == palette.end()) {
          return fail(line, std::string("icon ") + icon.meaning + " uses the unknown letter '" +
                                letter + "'");
        }
        icon.rgba.push_back(colour->second);
      }
    }
    rows.clear();
    return true;
  }

  bool parseLine(int number, const std::string& line) {
    if (line.empty() || line[0] == '#') return true;
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword == "palette") {
      std::string letter, colour;
      uint32_t value = 0;
      words >> letter >> colour;
      if (letter.size() != 1 || colour.size() != 8 || !parseHex(colour, value)) {
        return fail(number, "a palette line is 'palette <letter> <RRGGBBAA>'");
      }
      palette[letter[0]] = value;
      return true;
    }
    if (keyword == "icon") {
      if (!finishIcon(number)) return false;
      std::string code, meaning;
      uint32_t value = 0;
      words >> code >> meaning;
      if (!parseHex(code, value) || value > 0xFFFF || meaning.empty()) {
        return fail(number, "an icon line is 'icon <hex code up to FFFF> <meaning>'");
      }
      icons.push_back({static_cast<uint16_t>(value), meaning, 0, 0, {}});
      return true;
    }
    if (icons.empty()) return fail(number, "pixel rows before the first icon line");
    rows.push_back(line);
    return true;
  }
};

}  // namespace

std::optional<std::vector<IconArt>> parseIconArt(const std::string& text, std::string& error) {
  Parser parser;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!parser.parseLine(number, line)) {
      error = parser.error;
      return std::nullopt;
    }
  }
  if (!parser.finishIcon(number)) {
    error = parser.error;
    return std::nullopt;
  }
  return std::move(parser.icons);
}

Glyph iconGlyph(const IconArt& icon, int scale, int baseline, int xHeight) {
  Glyph glyph;
  glyph.id = icon.code;
  glyph.width = icon.width * scale;
  glyph.height = icon.height * scale;
  glyph.rgba.resize(static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.height));
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      glyph.rgba[static_cast<size_t>(y * glyph.width + x)] =
          icon.rgba[static_cast<size_t>((y / scale) * icon.width + x / scale)];
    }
  }
  glyph.xoffset = scale;
  glyph.yoffset = baseline - xHeight / 2 - glyph.height / 2;
  if (glyph.yoffset < 0) glyph.yoffset = 0;
  glyph.xadvance = glyph.width + 2 * scale;
  return glyph;
}

}  // namespace fontmaker
