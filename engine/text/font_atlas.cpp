#include "engine/text/font_atlas.h"

#include "engine/render/texture2d.h"
#include "engine/text/font.h"

namespace engine {

FontAtlas::FontAtlas(Font* font) { setRetained(font_, font); }

FontAtlas::~FontAtlas() {
  safeRelease(texture_);
  safeRelease(font_);
}

void FontAtlas::addLetterDefinition(const FontLetterDefinition& definition) {
  letterDefinitions_[definition.letter] = definition;
}

const FontLetterDefinition* FontAtlas::findLetterDefinition(char16_t letter) const {
  const auto found = letterDefinitions_.find(letter);
  return found == letterDefinitions_.end() ? nullptr : &found->second;
}

bool FontAtlas::getLetterDefinitionForChar(char16_t letter, FontLetterDefinition* out) const {
  const FontLetterDefinition* found = findLetterDefinition(letter);
  if (found == nullptr) return false;
  if (out != nullptr) *out = *found;
  return true;
}

void FontAtlas::setTexture(Texture2D* texture) { setRetained(texture_, texture); }

}  // namespace engine
