#pragma once
// Bitmap-font labels of the interface in the game's three fonts: size code 0 "big.fnt", 1
// "tiny.fnt", any other "smalltooltip.fnt" (from the fonts folder), left-aligned, at the interface
// scale. Size code 2 draws at half the scale and 4 scale points higher. Each returns an
// autoreleased label, or null when the font does not load.

#include <cstdint>
#include <string>

#include "engine/base/geometry.h"
#include "engine/text/label.h"

class LabelBlinking;
class LabelColored;

// A label that carries a point of data beside it (an anchor a view returns it to).
template <class Datum, class Base>
class Datable : public Base {
 public:
  static Datable* create(const std::string& fontFile, const std::string& text) {
    auto* label = new Datable();
    if (!label->setBMFontFilePath(fontFile)) {
      label->release();
      return nullptr;
    }
    label->setString(text);
    label->autorelease();
    return label;
  }
  Datum datum{};

 private:
  Datable() : Base(engine::TextHAlignment::LEFT) {}
};

// The font file of a size code, joined to the fonts folder (empty: the name alone).
std::string labelFontPath(uint8_t sizeCode, const std::string& fontsFolder);
// Where a size code's label is placed and scaled for the interface scale.
struct LabelPlacement {
  engine::Vec2 position;
  float scale = 1.0f;
};
LabelPlacement labelPlacement(uint8_t sizeCode, engine::Vec2 position, float uiScale);

engine::Label* makeLabel(uint8_t sizeCode, const std::string& text, engine::Vec2 position);
LabelColored* makeLabelColored(uint8_t sizeCode, const std::string& text, engine::Vec2 position);
LabelBlinking* makeLabelBlinking(uint8_t sizeCode, const std::string& text, engine::Vec2 position);
// The count in the lower right corner of an item icon: "tiny.fnt", anchor (1, 0).
engine::Label* makeTinyLabel(const std::string& text, engine::Vec2 position);
// "smalltooltip.fnt" at half the interface scale, 4 scale points higher, with a point datum.
Datable<engine::Vec2, engine::Label>* makeSmallDatableLabel(const std::string& text, engine::Vec2 position);
