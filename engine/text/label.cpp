#include "engine/text/label.h"

#include <algorithm>

#include "engine/base/utf.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/texture_atlas.h"
#include "engine/text/font_atlas.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/text/label_text_formatter.h"
#include "engine/text/text_environment.h"

namespace engine {

namespace {

// Glyph quads a label's atlas starts with.
constexpr int64_t INITIAL_QUAD_CAPACITY = 30;

uint8_t scaleChannel(uint8_t channel, uint8_t opacity) {
  return static_cast<uint8_t>(channel * opacity / 255);
}

}  // namespace

Label::Label(TextHAlignment alignment) {
  layout_.hAlignment = alignment;
  setAnchorPoint(Vec2(0.5f, 0.5f));
  reset();
}

Label* Label::createWithBMFont(const std::string& fontFile, const std::string& text,
                               TextHAlignment alignment) {
  auto* label = new Label(alignment);
  if (!label->initWithBMFont(fontFile, text)) {
    delete label;
    return nullptr;
  }
  label->autorelease();
  return label;
}

bool Label::initWithBMFont(const std::string& fontFile, const std::string& text) {
  if (!setBMFontFilePath(fontFile)) return false;
  getTextureAtlas()->resizeCapacity(std::max<int64_t>(static_cast<int64_t>(text.size()), 1));
  setMaxLineWidth(0);
  setString(text);
  return true;
}

Label::~Label() {
  FontAtlasCache::releaseFontAtlas(fontAtlas_);
  fontAtlas_ = nullptr;
  // Letter sprites someone else still holds must not point at this batch any more.
  for (Node* child : children_) static_cast<Sprite*>(child)->setBatchNode(nullptr);
  if (reusedLetter_ != nullptr) reusedLetter_->setBatchNode(nullptr);
  safeRelease(reusedLetter_);
}

bool Label::setBMFontFilePath(const std::string& fontFile) {
  FontAtlas* atlas = FontAtlasCache::getFontAtlasFNT(fontFile);
  if (atlas == nullptr) {
    reset();
    return false;
  }
  setFontAtlas(atlas);
  return true;
}

void Label::setFontAtlas(FontAtlas* atlas) {
  if (atlas == nullptr) return;
  if (atlas == fontAtlas_) {
    FontAtlasCache::releaseFontAtlas(atlas);  // the extra reference
    return;
  }
  FontAtlasCache::releaseFontAtlas(fontAtlas_);
  fontAtlas_ = atlas;
  layout_.fontAtlas = atlas;
  if (textureAtlas_ != nullptr) {
    setTexture(atlas->getTexture());
  } else {
    initWithTexture(atlas->getTexture(), INITIAL_QUAD_CAPACITY);
  }
  if (reusedLetter_ == nullptr) {
    reusedLetter_ = Sprite::create();
    reusedLetter_->setOpacityModifyRGB(true);
    reusedLetter_->retain();
    reusedLetter_->setAnchorPoint(Vec2(0.0f, 1.0f));
  }
  reusedLetter_->setBatchNode(this);
  layout_.commonLineHeight = atlas->getCommonLineHeight();
  contentDirty_ = true;
}

void Label::reset() {
  FontAtlasCache::releaseFontAtlas(fontAtlas_);
  fontAtlas_ = nullptr;
  layout_.fontAtlas = nullptr;
  clearLetters();
  if (reusedLetter_ != nullptr) reusedLetter_->setBatchNode(nullptr);
  safeRelease(reusedLetter_);
  setColor(Color3B::WHITE);
}

void Label::clearLetters() {
  while (!children_.empty()) removeLetterSprite(static_cast<Sprite*>(children_.back()));
  if (textureAtlas_ != nullptr) textureAtlas_->removeAllQuads();
  layout_.letters.clear();
  layout_.limitShowCount = 0;
}

void Label::removeLetterSprite(Sprite* sprite) {
  sprite->setBatchNode(nullptr);
  InnerNode::removeChild(sprite);
}

void Label::addChild(Node*, int, int) {}

void Label::setString(const std::string& text) {
  if (text == sourceText_) return;
  sourceText_ = text;
  contentDirty_ = true;
  // Chat and sign text may be malformed: it shows replacement characters instead of failing.
  layout_.currentText.clear();
  utf8ToUtf16Lenient(sourceText_, layout_.currentText);
}

void Label::setMaxLineWidth(uint32_t width) {
  if (layout_.labelWidth != 0 || layout_.maxLineWidth == width) return;
  layout_.maxLineWidth = width;
  contentDirty_ = true;
}

void Label::setWidth(uint32_t width) {
  if (width == layout_.labelWidth) return;
  layout_.labelWidth = width;
  layout_.maxLineWidth = width;
  contentDirty_ = true;
}

void Label::setHorizontalAlignment(TextHAlignment alignment) {
  if (alignment == layout_.hAlignment) return;
  layout_.hAlignment = alignment;
  contentDirty_ = true;
}

void Label::setLineBreakWithoutSpace(bool breakWithoutSpace) {
  if (breakWithoutSpace == layout_.lineBreakWithoutSpaces) return;
  layout_.lineBreakWithoutSpaces = breakWithoutSpace;
  contentDirty_ = true;
}

void Label::setAdditionalKerning(float kerning) {
  if (kerning == layout_.additionalKerning) return;
  layout_.additionalKerning = kerning;
  contentDirty_ = true;
}

void Label::setFontScale(float scale) {
  fontScale_ = scale * getTextEnvironment()->getContentScaleFactor();
  if (getScaleX() != fontScale_ || getScaleY() != fontScale_) setScale(fontScale_);
}

void Label::updateContentIfDirty() const {
  // Size queries are const, but the size is only known after the deferred layout.
  if (contentDirty_) const_cast<Label*>(this)->updateContent();
}

void Label::updateContent() {
  layout_.currentText.clear();
  utf8ToUtf16Lenient(sourceText_, layout_.currentText);
  LabelTextFormatter::refreshTextMetrics(layout_);
  if (fontAtlas_ != nullptr) alignText();
  contentDirty_ = false;
}

void Label::alignText() {
  if (fontAtlas_ == nullptr) return;
  if (layout_.currentText.empty()) {
    // Nothing to show; the box keeps its last size.
    clearLetters();
    return;
  }
  textureAtlas_->removeAllQuads();
  layout_.contentScaleFactor = getTextEnvironment()->getContentScaleFactor();
  LabelTextFormatter::layoutText(layout_);
  setContentSize(layout_.contentSize);
  updateQuads();
  refreshLetterSprites();
  updateColor();
}

void Label::updateQuads() {
  const int32_t count = std::min<int32_t>(layout_.limitShowCount,
                                          static_cast<int32_t>(layout_.letters.size()));
  for (int32_t i = 0; i < count; ++i) {
    LetterInfo& info = layout_.letters[static_cast<size_t>(i)];
    if (!info.def.validDefinition) continue;
    reusedRect_ = Rect(info.def.U, info.def.V, info.def.width, info.def.height);
    reusedLetter_->setTextureRect(reusedRect_);
    reusedLetter_->setPosition(info.position);
    info.atlasIndex = static_cast<int32_t>(textureAtlas_->getTotalQuads());
    insertQuadFromSprite(reusedLetter_, info.atlasIndex);
  }
}

void Label::refreshLetterSprites() {
  const std::vector<Node*> children = children_;  // removal edits the list
  for (Node* child : children) {
    auto* sprite = static_cast<Sprite*>(child);
    const int tag = sprite->getTag();
    const bool hasQuad = tag >= 0 && tag < layout_.limitShowCount &&
                         static_cast<size_t>(tag) < layout_.letters.size() &&
                         layout_.letters[static_cast<size_t>(tag)].def.validDefinition;
    if (!hasQuad) {
      // Its letter is gone: writing on would overwrite another letter's quad.
      removeLetterSprite(sprite);
      continue;
    }
    const LetterInfo& info = layout_.letters[static_cast<size_t>(tag)];
    sprite->setTextureRect(Rect(info.def.U, info.def.V, info.def.width, info.def.height));
    sprite->setAtlasIndex(info.atlasIndex);
    sprite->setDirty(true);
  }
}

Sprite* Label::getLetter(int index) {
  updateContentIfDirty();
  if (fontAtlas_ == nullptr || index < 0 || index >= layout_.limitShowCount ||
      static_cast<size_t>(index) >= layout_.letters.size()) {
    return nullptr;
  }
  const LetterInfo& info = layout_.letters[static_cast<size_t>(index)];
  if (!info.def.validDefinition) return nullptr;
  for (Node* child : children_) {
    if (child->getTag() == index) return static_cast<Sprite*>(child);
  }
  Sprite* letter = Sprite::createWithTextureRect(
      fontAtlas_->getTexture(), Rect(info.def.U, info.def.V, info.def.width, info.def.height));
  if (letter == nullptr) return nullptr;
  letter->setBatchNode(this);
  letter->setPosition(Vec2(info.position.x + info.def.width / 2.0f,
                           info.position.y - info.def.height / 2.0f));
  letter->setOpacity(realOpacity_);
  // The letter keeps the colour the label gave its quad (colour markup included).
  const Color4B& shown = textureAtlas_->getQuads()[info.atlasIndex].tl.colors;
  letter->setColor(Color3B{shown.r, shown.g, shown.b});
  letter->setAtlasIndex(info.atlasIndex);
  InnerNode::addChild(letter, info.atlasIndex, index);
  return letter;
}

void Label::setOpacityModifyRGB(bool modify) {
  opacityModifyRGB_ = modify;
  for (Node* child : children_) child->setOpacityModifyRGB(modify);
  if (reusedLetter_ != nullptr) reusedLetter_->setOpacityModifyRGB(true);
}

void Label::updateColor() {
  if (textureAtlas_ == nullptr) return;
  Color4B color{displayedColor_.r, displayedColor_.g, displayedColor_.b, displayedOpacity_};
  if (opacityModifyRGB_) {
    color.r = scaleChannel(color.r, displayedOpacity_);
    color.g = scaleChannel(color.g, displayedOpacity_);
    color.b = scaleChannel(color.b, displayedOpacity_);
  }
  V2F_C4B_T2F_Quad* quads = textureAtlas_->getQuads();
  for (int64_t i = 0; i < textureAtlas_->getTotalQuads(); ++i) {
    quads[i].tl.colors = quads[i].bl.colors = quads[i].tr.colors = quads[i].br.colors = color;
  }
  textureAtlas_->setDirty(true);
}

const Size& Label::getContentSize() const {
  updateContentIfDirty();
  return Node::getContentSize();
}

Rect Label::getBoundingBox() const {
  getContentSize();
  return Node::getBoundingBox();
}

void Label::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) {
  if (!visible_ || sourceText_.empty()) return;
  updateContentIfDirty();
  const uint32_t flags = processParentFlags(parentTransform, parentFlags);
  draw(renderer, modelViewTransform_, flags);
}

void Label::draw(Renderer* renderer, const Mat4& transform, uint32_t flags) {
  if (renderer == nullptr || textureAtlas_ == nullptr) return;
  if ((flags & FLAGS_TRANSFORM_DIRTY) != 0) {
    insideBounds_ = renderer->checkVisibility(transform, contentSize_);
  }
  if (!insideBounds_) return;
  // The batch draws every glyph quad in one call, after letter sprites rewrote theirs.
  SpriteBatchNode::draw(renderer, transform, flags);
}

}  // namespace engine
