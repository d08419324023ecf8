#pragma once
// A UTF-8 text shown in a bitmap font. The label is a sprite batch whose atlas holds one quad per
// visible glyph, all from the font's page texture, so a label costs one draw call. Changing the
// text, font or widths only marks it dirty: the layout runs on the next visit or size query, so
// several changes in one frame cost one layout. Single letters can be fetched as sprites for
// effects.

#include <cstdint>
#include <string>

#include "engine/sprite/sprite_batch_node.h"
#include "engine/text/label_layout.h"

namespace engine {

class FontAtlas;
class Sprite;

class Label : public SpriteBatchNode {
 public:
  // Null when the font file gives no atlas. Autoreleased.
  static Label* createWithBMFont(const std::string& fontFile, const std::string& text,
                                 TextHAlignment alignment = TextHAlignment::LEFT);
  ~Label() override;

  const Size& getContentSize() const override;
  Rect getBoundingBox() const override;
  using SpriteBatchNode::visit;
  void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) override;
  using SpriteBatchNode::draw;
  void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;
  void setOpacityModifyRGB(bool modify) override;
  bool isOpacityModifyRGB() const override { return opacityModifyRGB_; }
  void updateColor() override;
  // Children come only from getLetter: nothing can be added from outside.
  using SpriteBatchNode::addChild;
  void addChild(Node* child, int localZOrder, int tag) override;
  void sortAllChildren() override {}

  // False (and the label reset) when the font file gives no atlas.
  virtual bool setBMFontFilePath(const std::string& fontFile);
  virtual void setString(const std::string& text);
  virtual const std::string& getString() const { return sourceText_; }
  virtual void updateContent();
  // The letter at a position of the laid-out text as a sprite that draws through the letter's
  // quad; null for a newline, a letter without a glyph or a position past the text. The same
  // position gives the same sprite until a layout drops it.
  virtual Sprite* getLetter(int index);
  // Takes over one reference the caller got from the font atlas cache.
  virtual void setFontAtlas(FontAtlas* atlas);
  virtual void alignText();

  // Wrapping width in points; only while no label width is set. 0: no wrapping.
  void setMaxLineWidth(uint32_t width);
  uint32_t getMaxLineWidth() const { return layout_.maxLineWidth; }
  // A fixed box width: wraps at it and aligns lines within it.
  void setWidth(uint32_t width);
  void setHorizontalAlignment(TextHAlignment alignment);
  TextHAlignment getHorizontalAlignment() const { return layout_.hAlignment; }
  void setLineBreakWithoutSpace(bool breakWithoutSpace);
  void setAdditionalKerning(float kerning);
  void setFontScale(float scale);
  float getFontScale() const { return fontScale_; }
  // Gives the atlas back to the cache, drops every letter sprite and the stamp, colour white.
  void reset();

  FontAtlas* getFontAtlas() const { return fontAtlas_; }
  float getCommonLineHeight() const { return layout_.commonLineHeight; }
  const LabelLayout& getLayout() const { return layout_; }
  bool isContentDirty() const { return contentDirty_; }

 protected:
  explicit Label(TextHAlignment alignment);
  // The shared start of every font label: font, room for the text's glyphs, no wrapping, text.
  bool initWithBMFont(const std::string& fontFile, const std::string& text);

  void updateContentIfDirty() const;
  // One quad per glyph, stamped from the reused letter sprite.
  void updateQuads();
  // Letter sprites follow their letters through a layout, or go when their letter went.
  void refreshLetterSprites();
  void removeLetterSprite(Sprite* sprite);
  void clearLetters();

  bool opacityModifyRGB_ = false;
  bool contentDirty_ = false;
  FontAtlas* fontAtlas_ = nullptr;  // one reference from the font atlas cache
  Sprite* reusedLetter_ = nullptr;  // retained
  Rect reusedRect_;
  LabelLayout layout_;
  std::string sourceText_;
  float fontScale_ = 1.0f;
  bool insideBounds_ = true;
};

}  // namespace engine
