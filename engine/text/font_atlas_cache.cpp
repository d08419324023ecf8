#include "engine/text/font_atlas_cache.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/text/font.h"
#include "engine/text/font_atlas.h"

namespace engine {

namespace {

using AtlasMap = std::unordered_map<std::string, FontAtlas*>;

AtlasMap& atlasMap() {
  static AtlasMap map = [] {
    AtlasMap made;
    made.max_load_factor(1.0f);
    made.reserve(8);
    return made;
  }();
  return map;
}

std::vector<std::string>& fallbackNames() {
  static std::vector<std::string> names;
  return names;
}

// Font files that made no atlas; they are not read again until the cache is purged.
std::unordered_set<std::string>& failedFonts() {
  static std::unordered_set<std::string> failed;
  return failed;
}

// The file of that name in the font file's folder.
std::string sibling(const std::string& fontFile, const std::string& name) {
  const size_t slash = fontFile.find_last_of('/');
  return (slash == std::string::npos ? std::string() : fontFile.substr(0, slash + 1)) + name;
}

FontAtlas* loadAtlas(const std::string& fontFile) {
  AtlasMap& map = atlasMap();
  const auto found = map.find(fontFile);
  if (found != map.end()) {
    found->second->retain();
    return found->second;
  }
  if (failedFonts().count(fontFile) != 0) return nullptr;
  Font* font = Font::createWithFntFile(fontFile);
  FontAtlas* atlas = font != nullptr ? font->createFontAtlas() : nullptr;
  if (atlas == nullptr) {
    failedFonts().insert(fontFile);
    return nullptr;
  }
  map[fontFile] = atlas;
  return atlas;
}

}  // namespace

FontAtlas* FontAtlasCache::getFontAtlasFNT(const std::string& fontFile) {
  if (FontAtlas* atlas = loadAtlas(fontFile)) return atlas;
  for (const std::string& name : fallbackNames()) {
    const std::string other = sibling(fontFile, name);
    if (other == fontFile) continue;
    if (FontAtlas* atlas = loadAtlas(other)) return atlas;
  }
  return nullptr;
}

void FontAtlasCache::setFallbackFonts(std::vector<std::string> names) {
  fallbackNames() = std::move(names);
}

bool FontAtlasCache::releaseFontAtlas(FontAtlas* atlas) {
  if (atlas == nullptr) return false;
  AtlasMap& map = atlasMap();
  for (auto it = map.begin(); it != map.end(); ++it) {
    if (it->second != atlas) continue;
    if (atlas->getReferenceCount() == 1) map.erase(it);
    atlas->release();
    return true;
  }
  return false;
}

void FontAtlasCache::purgeCachedData() {
  atlasMap().clear();
  failedFonts().clear();
}

}  // namespace engine
