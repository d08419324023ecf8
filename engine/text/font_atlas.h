#pragma once
// The glyphs of one font as labels use them: the page texture, one letter definition per UTF-16
// code unit and the line height. Shared by every label of the same font file.

#include <unordered_map>

#include "engine/base/ref.h"
#include "engine/text/font_letter_definition.h"

namespace engine {

class Font;
class Texture2D;

class FontAtlas : public Ref {
 public:
  // Holds the font (retained) for kerning look-ups; no letters and no texture yet.
  explicit FontAtlas(Font* font);
  ~FontAtlas() override;

  // A later definition of the same letter replaces the earlier one.
  void addLetterDefinition(const FontLetterDefinition& definition);
  // The letter's definition, or null when the font has no glyph for it.
  const FontLetterDefinition* findLetterDefinition(char16_t letter) const;
  bool getLetterDefinitionForChar(char16_t letter, FontLetterDefinition* out) const;
  const std::unordered_map<char16_t, FontLetterDefinition>& getLetterDefinitions() const {
    return letterDefinitions_;
  }

  float getCommonLineHeight() const { return commonLineHeight_; }
  void setCommonLineHeight(float height) { commonLineHeight_ = height; }
  Font* getFont() const { return font_; }
  Texture2D* getTexture() const { return texture_; }
  void setTexture(Texture2D* texture);

 private:
  Texture2D* texture_ = nullptr;
  std::unordered_map<char16_t, FontLetterDefinition> letterDefinitions_;
  float commonLineHeight_ = 0.0f;
  Font* font_ = nullptr;
};

}  // namespace engine
