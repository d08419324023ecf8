#include "engine/text/label_colored.h"

#include "engine/base/utf.h"
#include "engine/sprite/texture_atlas.h"

LabelColored* LabelColored::create(const std::string& fontFile, const std::string& markup,
                                   float width) {
  auto* label = new LabelColored(engine::TextHAlignment::LEFT);
  if (!label->setBMFontFilePath(fontFile)) {
    delete label;
    return nullptr;
  }
  label->setMaxLineWidth(width > 0.0f ? static_cast<uint32_t>(width) : 0u);
  label->setString(markup);
  label->autorelease();
  return label;
}

void LabelColored::setString(const std::string& markup) {
  if (markup == markupText_) return;
  markupText_ = markup;
  std::u16string wide;
  engine::utf8ToUtf16Lenient(markupText_, wide);
  LabelMarkup parsed = parseLabelMarkup(wide, getColor());
  colorRuns_ = std::move(parsed.runs);
  // Always dirty: new escapes over the same letters still need new colours.
  sourceText_.clear();
  engine::utf16ToUtf8Lenient(parsed.text, sourceText_);
  layout_.currentText = std::move(parsed.text);
  contentDirty_ = true;
}

void LabelColored::setColor(const engine::Color3B& color) {
  for (ColorRun& run : colorRuns_) {
    if (run.followsLabelColor) run.color = color;
  }
  engine::Label::setColor(color);
}

void LabelColored::updateColor() {
  if (textureAtlas_ == nullptr) return;
  textureAtlas_->setDirty(true);
  const int64_t quadCount = textureAtlas_->getTotalQuads();
  if (quadCount <= 0) return;
  // The parent's colour does not tint the letters (they carry their own); opacity does apply.
  const std::vector<engine::Color4B> colors =
      labelQuadColors(colorRuns_, static_cast<size_t>(quadCount), getColor(),
                      displayedOpacity_, opacityModifyRGB_);
  engine::V2F_C4B_T2F_Quad* quads = textureAtlas_->getQuads();
  for (int64_t q = 0; q < quadCount; ++q) {
    const engine::Color4B& c = colors[static_cast<size_t>(q)];
    quads[q].tl.colors = quads[q].bl.colors = quads[q].tr.colors = quads[q].br.colors = c;
  }
}
