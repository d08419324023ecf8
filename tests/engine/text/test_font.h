#pragma once
// A small font described in the .fnt text form, and a letter atlas made from it, for layout tests
// that need no page texture. Every letter is 6 wide and 10 high and advances the pen by 7; the
// CJK character U+4E00 is 12 wide and advances 12; "A" then "V" kern by -2; lines are 12 high.

#include <memory>
#include <string>

#include "engine/base/ref.h"
#include "engine/text/bm_font_configuration.h"
#include "engine/text/font.h"
#include "engine/text/font_atlas.h"
#include "engine/text/label_layout.h"
#include "engine/text/label_text_formatter.h"

namespace texttest {

inline std::string testFontText() {
  std::string text =
      "common lineHeight=12 base=10 scaleW=128 scaleH=128 pages=1 packed=0\n"
      "page id=0 file=\"test.png\"\n";
  const std::string letters =
      " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,:!?_";
  int x = 0;
  for (const char c : letters) {
    text += "char id=" + std::to_string(static_cast<unsigned char>(c)) + " x=" +
            std::to_string(x) + " y=0 width=6 height=10 xoffset=0 yoffset=1 xadvance=7 page=0\n";
    x += 7;
  }
  text += "char id=19968 x=0 y=20 width=12 height=10 xoffset=0 yoffset=1 xadvance=12 page=0\n";
  text += "kerning first=65 second=86 amount=-2\n";
  return text;
}

// Owns one letter atlas (and through it the font) for a test.
class TestFont {
 public:
  explicit TestFont(const std::string& fntText = testFontText(), float scale = 1.0f) {
    auto configuration = std::make_unique<engine::BMFontConfiguration>();
    configuration->parseConfigText(fntText, "fonts/test.fnt");
    engine::Font* font = engine::Font::createWithConfiguration(std::move(configuration));
    atlas_ = font->createLetterAtlas(scale);
  }
  ~TestFont() { engine::safeRelease(atlas_); }
  TestFont(const TestFont&) = delete;
  TestFont& operator=(const TestFont&) = delete;

  engine::FontAtlas* atlas() const { return atlas_; }

  // A layout of the text as a label sets it up.
  engine::LabelLayout layoutFor(const std::u16string& text) const {
    engine::LabelLayout layout;
    layout.fontAtlas = atlas_;
    layout.commonLineHeight = atlas_->getCommonLineHeight();
    layout.currentText = text;
    engine::LabelTextFormatter::refreshTextMetrics(layout);
    return layout;
  }

 private:
  engine::FontAtlas* atlas_ = nullptr;
};

}  // namespace texttest
