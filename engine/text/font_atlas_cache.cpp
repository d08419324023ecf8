#include "engine/text/font_atlas_cache.h"

#include <unordered_map>

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

}  // namespace

FontAtlas* FontAtlasCache::getFontAtlasFNT(const std::string& fontFile) {
  AtlasMap& map = atlasMap();
  const auto found = map.find(fontFile);
  if (found != map.end()) {
    found->second->retain();
    return found->second;
  }
  Font* font = Font::createWithFntFile(fontFile);
  if (font == nullptr) return nullptr;
  FontAtlas* atlas = font->createFontAtlas();
  if (atlas == nullptr) return nullptr;
  map[fontFile] = atlas;
  return atlas;
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

bool FontAtlasCache::removeFontAtlas(const std::string& fontFile) {
  return atlasMap().erase(fontFile) != 0;
}

size_t FontAtlasCache::getCachedCount() { return atlasMap().size(); }

void FontAtlasCache::purgeCachedData() { atlasMap().clear(); }

}  // namespace engine
