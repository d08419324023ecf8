#include "ui/widgets/text_wrap.h"

#include <map>
#include <memory>

#include "engine/text/bm_font_configuration.h"
#include "ui/widgets/ui_draw.h"

namespace {

// Each font file is read once; a font that cannot be read stays an empty configuration.
const engine::BMFontConfiguration& fontOf(const char* font) {
  static std::map<std::string, std::unique_ptr<engine::BMFontConfiguration>> fonts;
  const std::string path = uiFontPath(font);
  auto it = fonts.find(path);
  if (it == fonts.end()) {
    auto config = std::make_unique<engine::BMFontConfiguration>();
    if (!config->parseConfigFile(path)) config = std::make_unique<engine::BMFontConfiguration>();
    it = fonts.emplace(path, std::move(config)).first;
  }
  return *it->second;
}

float advanceOf(const engine::BMFontConfiguration& config, unsigned char letter) {
  if (config.fontDefDictionary.empty()) return kFallbackAdvance;
  const auto it = config.fontDefDictionary.find(letter);
  return it != config.fontDefDictionary.end() ? static_cast<float>(it->second.xAdvance) : 0.0f;
}

// The longest start of the word that fits the width; at least one letter, so cutting ends.
size_t fittingLength(const std::string& word, float width, const char* font) {
  size_t length = 1;
  while (length < word.size() && textWidth(word.substr(0, length + 1), font) <= width) ++length;
  return length;
}

void wrapParagraph(const std::string& paragraph, float width, const char* font, std::vector<std::string>& out) {
  std::string line;
  size_t at = 0;
  while (at < paragraph.size()) {
    const size_t space = paragraph.find(' ', at);
    std::string word = paragraph.substr(at, space == std::string::npos ? std::string::npos : space - at);
    at = space == std::string::npos ? paragraph.size() : space + 1;
    if (word.empty()) continue;
    const std::string joined = line.empty() ? word : line + ' ' + word;
    if (width <= 0 || textWidth(joined, font) <= width) {
      line = joined;
      continue;
    }
    if (!line.empty()) out.push_back(line);
    line.clear();
    // The last letter stays for the line, so a cut word leaves no empty line behind.
    while (word.size() > 1 && textWidth(word, font) > width) {
      const size_t cut = fittingLength(word, width, font);
      out.push_back(word.substr(0, cut));
      word.erase(0, cut);
    }
    line = word;
  }
  out.push_back(line);
}

}  // namespace

float textWidth(const std::string& text, const char* font) {
  const engine::BMFontConfiguration& config = fontOf(font);
  float width = 0;
  for (const char letter : text) width += advanceOf(config, static_cast<unsigned char>(letter));
  return width;
}

std::vector<std::string> wrapText(const std::string& text, float width, const char* font) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (true) {
    const size_t end = text.find('\n', at);
    wrapParagraph(text.substr(at, end == std::string::npos ? std::string::npos : end - at), width, font, lines);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return lines;
}
