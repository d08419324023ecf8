#include "engine/text/font.h"

#include "engine/io/damaged_data_files.h"
#include "engine/render/texture_cache.h"
#include "engine/text/bm_font_configuration.h"
#include "engine/text/font_atlas.h"
#include "engine/text/text_environment.h"

namespace engine {

namespace {

// The page image's texture; a page that does not load is named as damaged.
Texture2D* loadPage(const std::string& atlasName) {
  TextureCache* cache = getTextEnvironment()->getTextureCache();
  if (cache == nullptr || atlasName.empty()) return nullptr;
  Texture2D* page = cache->addImage(atlasName);
  if (page == nullptr) DamagedDataFiles::report(atlasName);
  return page;
}

// A font file that names no page, gives no line height or no glyph makes no usable font: it was
// emptied, cut short or is not a font description at all.
bool describesAFont(const BMFontConfiguration& configuration) {
  return !configuration.atlasName.empty() && configuration.commonHeight > 0 &&
         !configuration.fontDefDictionary.empty();
}

}  // namespace

Font::Font(std::unique_ptr<BMFontConfiguration> configuration)
    : configuration_(std::move(configuration)) {}

Font::~Font() = default;

Font* Font::createWithFntFile(const std::string& fontFile) {
  auto configuration = std::make_unique<BMFontConfiguration>(fontFile);
  if (!describesAFont(*configuration)) {
    DamagedDataFiles::report(fontFile);
    return nullptr;
  }
  if (loadPage(configuration->atlasName) == nullptr) return nullptr;
  return createWithConfiguration(std::move(configuration));
}

Font* Font::createWithConfiguration(std::unique_ptr<BMFontConfiguration> configuration) {
  if (!configuration) return nullptr;
  Font* font = new Font(std::move(configuration));
  font->autorelease();
  return font;
}

std::vector<int32_t> Font::getHorizontalKerningForTextUTF16(const std::u16string& text) const {
  std::vector<int32_t> kernings(text.size(), 0);
  const auto& pairs = configuration_->kerningDictionary;
  if (pairs.empty()) return kernings;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const auto found = pairs.find(BMFontConfiguration::kerningKey(text[i], text[i + 1]));
    if (found != pairs.end()) kernings[i] = found->second;
  }
  return kernings;
}

FontAtlas* Font::createLetterAtlas(float contentScaleFactor) {
  if (configuration_->commonHeight == 0) return nullptr;
  if (!(contentScaleFactor > 0.0f)) contentScaleFactor = 1.0f;
  FontAtlas* atlas = new FontAtlas(this);
  atlas->setCommonLineHeight(static_cast<float>(configuration_->commonHeight));
  const auto& glyphs = configuration_->fontDefDictionary;
  for (const auto& [id, def] : glyphs) {
    // Labels look glyphs up by one UTF-16 unit; an id beyond it never shadows an exact one.
    if (id > 0xFFFFu && glyphs.count(id & 0xFFFFu) != 0) continue;
    FontLetterDefinition letter;
    letter.letter = static_cast<char16_t>(id & 0xFFFFu);
    letter.U = def.rect.origin.x / contentScaleFactor;
    letter.V = def.rect.origin.y / contentScaleFactor;
    letter.width = def.rect.size.width / contentScaleFactor;
    letter.height = def.rect.size.height / contentScaleFactor;
    letter.offsetX = def.xOffset;
    letter.offsetY = def.yOffset;
    letter.validDefinition = true;
    letter.xAdvance = def.xAdvance;
    atlas->addLetterDefinition(letter);
  }
  return atlas;
}

FontAtlas* Font::createFontAtlas() {
  FontAtlas* atlas = createLetterAtlas(getTextEnvironment()->getContentScaleFactor());
  if (atlas == nullptr) return nullptr;
  Texture2D* texture = loadPage(configuration_->atlasName);
  if (texture == nullptr) {
    atlas->release();
    return nullptr;
  }
  atlas->setTexture(texture);
  return atlas;
}

}  // namespace engine
