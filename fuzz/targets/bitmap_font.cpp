// Bitmap-font descriptions (".fnt"): parsed, turned into letters and used to lay out text, wrapped
// and aligned every way, so the font's metrics reach the layout arithmetic.
#include <memory>
#include <string>
#include <string_view>

#include "engine/base/ref.h"
#include "engine/base/utf.h"
#include "engine/text/bm_font_configuration.h"
#include "engine/text/font.h"
#include "engine/text/font_atlas.h"
#include "engine/text/label_layout.h"
#include "engine/text/label_text_formatter.h"
#include "fuzz/support/fuzz_one.h"

namespace {

// Every printable ASCII letter twice in a row (so every doubled pair can kern), in short lines.
std::u16string sampleText() {
  std::u16string text;
  for (char16_t c = u' '; c <= u'~'; ++c) {
    text += c;
    text += c;
    if (c % 16 == 0) text += u'\n';
  }
  return text;
}

void layOut(const engine::FontAtlas* atlas, const std::u16string& text, int shape) {
  engine::LabelLayout layout;
  layout.fontAtlas = atlas;
  layout.currentText = text;
  layout.maxLineWidth = shape % 2 == 0 ? 0 : 120;
  layout.labelWidth = shape > 1 ? 200 : 0;
  layout.labelHeight = shape > 2 ? 50 : 0;
  layout.hAlignment = static_cast<engine::TextHAlignment>(shape % 3);
  layout.vAlignment = static_cast<engine::TextVAlignment>((shape + 1) % 3);
  engine::LabelTextFormatter::refreshTextMetrics(layout);
  engine::LabelTextFormatter::layoutText(layout);
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  constexpr size_t MAX_TEXT = 2048;
  const std::string text = fuzzText(data, size);
  const std::string_view contents = text;
  auto configuration = std::make_unique<engine::BMFontConfiguration>();
  configuration->parseConfigText(contents, "fonts/fuzz.fnt");
  engine::Font* font = engine::Font::createWithConfiguration(std::move(configuration));
  if (engine::FontAtlas* atlas = font->createLetterAtlas(1.0f)) {
    // The file's own bytes are laid out too, as far as a label's text would go.
    std::u16string ownText;
    engine::utf8ToUtf16Lenient(contents.substr(0, MAX_TEXT), ownText);
    const std::u16string sample = sampleText();
    for (int shape = 0; shape < 4; ++shape) {
      layOut(atlas, sample, shape);
      layOut(atlas, ownText, shape);
    }
    atlas->release();
  }
  engine::PoolManager::getCurrentPool()->clear();
  return 0;
}
