#pragma once
// A bitmap font: its parsed description, and the factory of its glyph atlas.

#include <memory>
#include <string>
#include <vector>

#include "engine/base/ref.h"

namespace engine {

class BMFontConfiguration;
class FontAtlas;

class Font : public Ref {
 public:
  // Reads the font file and makes sure its page image loads; null when either fails, and the
  // failing file (the description, or the page image) is reported as damaged.
  // Autoreleased.
  static Font* createWithFntFile(const std::string& fontFile);
  // A font around a configuration that is already read (the page image is not checked).
  // Autoreleased; null for a null configuration.
  static Font* createWithConfiguration(std::unique_ptr<BMFontConfiguration> configuration);

  ~Font() override;

  // Entry i is the kerning of the pair (text[i], text[i + 1]); 0 for pairs without an entry
  // and for the last one. Empty for an empty text.
  virtual std::vector<int32_t> getHorizontalKerningForTextUTF16(const std::u16string& text) const;
  // The atlas of this font with its page texture; null without a line height or when the page
  // image does not load. The caller owns the one reference.
  virtual FontAtlas* createFontAtlas();
  // The atlas's glyphs without the page texture (for measuring); null without a line height.
  // The caller owns the one reference.
  FontAtlas* createLetterAtlas(float contentScaleFactor);

  const BMFontConfiguration& getConfiguration() const { return *configuration_; }

 protected:
  explicit Font(std::unique_ptr<BMFontConfiguration> configuration);

 private:
  std::unique_ptr<BMFontConfiguration> configuration_;
};

}  // namespace engine
