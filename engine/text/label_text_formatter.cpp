#include "engine/text/label_text_formatter.h"

#include <algorithm>

#include "engine/base/log.h"
#include "engine/base/utf.h"
#include "engine/text/font.h"
#include "engine/text/font_atlas.h"
#include "engine/text/label_layout.h"
#include "engine/text/utf16_classes.h"

namespace engine {

namespace {

void warnMissingLetter(char16_t c) {
  std::string utf8;
  utf16ToUtf8Lenient(std::u16string_view(&c, 1), utf8);
  log("WARNING: can't find letter definition in font file for letter: %s", utf8.c_str());
}

bool onlyBlanks(const std::u16string& text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c == u' '; });
}

// The state of the word wrapper while it walks the letters of the first layout.
struct Wrapper {
  std::u16string output;
  std::u16string word;
  float startOfLine = -1.0f;
  float startOfWord = -1.0f;
  bool lineStarted = false;
  bool wordStarted = false;

  void endWord() {
    output += word;
    word.clear();
    wordStarted = false;
    startOfWord = -1.0f;
  }
  // Closes the line after the word (its trailing blanks dropped).
  void breakLine() {
    StringUtils::trimUTF16Vector(word);
    word += u'\n';
    endWord();
    lineStarted = false;
    startOfLine = -1.0f;
  }
  // The word moves to the next line whole: the line before it ends without its blanks.
  void moveWordDown() {
    if (output.empty() || onlyBlanks(output)) {
      output.clear();
    } else {
      StringUtils::trimUTF16Vector(output);
    }
    if (!output.empty()) output += u'\n';
    lineStarted = false;
    startOfLine = -1.0f;
  }
};

}  // namespace

int32_t LabelTextFormatter::countLines(const std::u16string& text) {
  if (text.empty()) return 0;
  return 1 + static_cast<int32_t>(std::count(text.begin(), text.end() - 1, u'\n'));
}

void LabelTextFormatter::refreshTextMetrics(LabelLayout& layout) {
  layout.lineCount = countLines(layout.currentText);
  if (layout.fontAtlas != nullptr && layout.fontAtlas->getFont() != nullptr) {
    layout.horizontalKernings =
        layout.fontAtlas->getFont()->getHorizontalKerningForTextUTF16(layout.currentText);
  } else {
    layout.horizontalKernings.assign(layout.currentText.size(), 0);
  }
}

bool LabelTextFormatter::layoutText(LabelLayout& layout) {
  if (layout.fontAtlas == nullptr || layout.currentText.empty()) return false;
  createStringSprites(layout);
  if (layout.maxLineWidth > 0 &&
      layout.contentSize.width > static_cast<float>(layout.maxLineWidth) &&
      multilineText(layout)) {
    createStringSprites(layout);
  }
  if (layout.labelWidth > 0 ||
      (layout.lineCount > 1 && layout.hAlignment != TextHAlignment::LEFT)) {
    alignText(layout);
  }
  return true;
}

void LabelTextFormatter::createStringSprites(LabelLayout& layout) {
  layout.limitShowCount = 0;
  const std::u16string& text = layout.currentText;
  if (text.empty() || layout.fontAtlas == nullptr) return;
  if (layout.horizontalKernings.size() != text.size()) refreshTextMetrics(layout);
  layout.letters.assign(text.size(), LetterInfo());

  const float scale = layout.contentScaleFactor > 0.0f ? layout.contentScaleFactor : 1.0f;
  const float lineHeight = layout.commonLineHeight;
  int32_t totalHeight = static_cast<int32_t>(static_cast<float>(layout.lineCount) * lineHeight);
  int32_t penY = totalHeight;
  const float labelHeightPixels = static_cast<float>(layout.labelHeight) * scale;
  if (layout.labelHeight > 0) {
    if (labelHeightPixels < static_cast<float>(totalHeight) && lineHeight > 0.0f) {
      totalHeight = static_cast<int32_t>(
          static_cast<float>(static_cast<int32_t>(labelHeightPixels / lineHeight)) * lineHeight);
    }
    switch (layout.vAlignment) {
      case TextVAlignment::TOP: penY = static_cast<int32_t>(labelHeightPixels); break;
      case TextVAlignment::CENTER:
        penY = static_cast<int32_t>((static_cast<float>(totalHeight) + labelHeightPixels) * 0.5f);
        break;
      case TextVAlignment::BOTTOM: penY = totalHeight; break;
    }
  }

  int32_t penX = 0;
  int32_t longestLine = 0;
  FontLetterDefinition def;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (!layout.fontAtlas->getLetterDefinitionForChar(c, &def)) {
      // The other fields keep the last glyph found; these read as -1 without one.
      def.validDefinition = false;
      def.offsetX = -1.0f;
      def.offsetY = -1.0f;
      def.xAdvance = -1;
    }
    LetterInfo& info = layout.letters[i];
    if (c == u'\n') {
      penX = 0;
      penY = static_cast<int32_t>(static_cast<float>(penY) - lineHeight);
      info.def = def;
      info.def.validDefinition = false;
      ++layout.limitShowCount;
      if (static_cast<float>(penY) < lineHeight) break;  // no whole line fits below
      continue;
    }
    const float kerning = static_cast<float>(layout.horizontalKernings[i]);
    info.def = def;
    info.position = Vec2((kerning + def.offsetX + static_cast<float>(penX)) / scale,
                         (static_cast<float>(penY) - def.offsetY) / scale);
    info.contentSize = Size(def.width, def.height);
    ++layout.limitShowCount;
    if (!def.validDefinition) {
      warnMissingLetter(c);
      continue;
    }
    penX = static_cast<int32_t>(kerning + static_cast<float>(def.xAdvance) +
                                layout.additionalKerning + static_cast<float>(penX));
    longestLine = std::max(longestLine, penX);
  }

  // The last glyph may reach past its advance (an italic tail): the box then covers it.
  const float lastAdvance = static_cast<float>(def.xAdvance);
  const float lastWidthPixels = def.width * scale;
  float width = static_cast<float>(longestLine);
  if (lastWidthPixels > lastAdvance) width = width - lastAdvance + lastWidthPixels;
  const float height = layout.labelHeight > 0 ? labelHeightPixels : static_cast<float>(totalHeight);
  layout.contentSize = Size(width / scale, height / scale);
}

bool LabelTextFormatter::multilineText(LabelLayout& layout) {
  const std::u16string& text = layout.currentText;
  const int32_t limit = std::min<int32_t>(layout.limitShowCount,
                                          static_cast<int32_t>(layout.letters.size()));
  const float lineWidth = static_cast<float>(layout.maxLineWidth);
  Wrapper w;
  w.word.reserve(25);
  int32_t skip = 0;
  for (int32_t j = 0; j + skip < limit; ++j) {
    int32_t k = j + skip;
    int32_t skipped = 0;
    // Newlines end the word and the line; letters without a glyph drop out of the text.
    while (k < limit && !layout.letters[k].def.validDefinition) {
      ++skipped;
      if (text[k] == u'\n') w.breakLine();
      ++k;
    }
    skip += skipped;
    if (j + skip >= limit) break;

    const char16_t c = text[j + skip];
    const LetterInfo& info = layout.letters[j + skip];
    const bool lineStartsHere = !w.lineStarted;
    if (!w.wordStarted) {
      w.startOfWord = info.position.x;
      w.wordStarted = true;
    }
    if (!w.lineStarted) {
      w.startOfLine = w.startOfWord;
      w.lineStarted = true;
    }
    if (StringUtils::isUnicodeSpace(c)) {
      w.word += c;
      w.endWord();
      continue;
    }
    const bool cjk = StringUtils::isCJKUnicode(c);
    if (!w.word.empty() && StringUtils::isCJKUnicode(w.word.back()) && !cjk) {
      w.endWord();
      w.word += c;
      continue;
    }
    if (info.position.x + info.contentSize.width - w.startOfLine <= lineWidth) {
      w.word += c;
      continue;
    }
    if (layout.lineBreakWithoutSpaces || cjk) {
      // A letter wider than a whole line stays alone on its line: breaking before it again
      // would never end.
      if (lineStartsHere && w.word.empty()) {
        w.word += c;
        continue;
      }
      w.breakLine();
      --j;  // the same letter opens the next line
      continue;
    }
    w.word += c;
    w.moveWordDown();
  }
  w.output += w.word;
  layout.currentText = w.output;
  refreshTextMetrics(layout);
  return true;
}

void LabelTextFormatter::alignText(LabelLayout& layout) {
  if (static_cast<float>(layout.labelWidth) > layout.contentSize.width) {
    layout.contentSize = Size(static_cast<float>(layout.labelWidth), layout.contentSize.height);
  }
  const float width = layout.contentSize.width;
  const std::u16string& text = layout.currentText;
  const int32_t letterCount = static_cast<int32_t>(layout.letters.size());
  int32_t lineStart = 0;  // index of the line's first letter entry
  int32_t lineLength = 0;
  for (int32_t ctr = 0; ctr <= layout.limitShowCount; ++ctr) {
    const char16_t c = ctr < static_cast<int32_t>(text.size()) ? text[ctr] : 0;
    if (c != u'\n' && c != 0) {
      ++lineLength;
      continue;
    }
    // The line's right edge is that of its last glyph; trailing letters the font lacks take no
    // room, so the edge is found before them.
    int32_t last = std::min(lineStart + lineLength, letterCount) - 1;
    while (last >= lineStart && !layout.letters[last].def.validDefinition) --last;
    if (last >= lineStart) {
      const LetterInfo& edge = layout.letters[last];
      const float right = edge.position.x + edge.contentSize.width;
      float shift = 0.0f;
      if (layout.hAlignment == TextHAlignment::CENTER) shift = width / 2.0f - right / 2.0f;
      if (layout.hAlignment == TextHAlignment::RIGHT) shift = width - right;
      if (shift != 0.0f) {
        const int32_t end = std::min(lineStart + lineLength, letterCount);
        for (int32_t j = lineStart; j < end; ++j) layout.letters[j].position.x += shift;
      }
    }
    lineStart = ctr + 1;
    lineLength = 0;
  }
}

}  // namespace engine
