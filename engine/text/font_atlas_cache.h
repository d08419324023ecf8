#pragma once
// Shares one glyph atlas per font file name among all labels. The cache's own pointer is no
// reference: an atlas's count is the number of holders that got it here, and the last one to
// give it back through releaseFontAtlas ends it (the next request reads the file again).

#include <string>
#include <vector>

namespace engine {

class FontAtlas;

class FontAtlasCache {
 public:
  FontAtlasCache() = delete;

  // The atlas of the font file (named exactly as given), retained for the caller. When the font
  // or its atlas cannot be made, the first fallback font of the same folder that can; null when
  // none can. A font that failed is not read again until the cache is purged.
  static FontAtlas* getFontAtlasFNT(const std::string& fontFile);
  // The font file names (without a folder) tried in order in place of a font that cannot be
  // made, so a damaged font shows its texts in another one rather than not at all.
  static void setFallbackFonts(std::vector<std::string> names);
  // Gives one reference back; false (and nothing changed) for null or an atlas not cached here.
  static bool releaseFontAtlas(FontAtlas* atlas);
  // Forgets every entry and every font that failed, once the labels are gone (the end of a run).
  static void purgeCachedData();
};

}  // namespace engine
