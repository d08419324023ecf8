#include "ui/widgets/ui_draw.h"

#include <algorithm>
#include <cmath>

#include "engine/layer/layer_color.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/text/label.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"
#include "platform/screen_layout.h"

std::string uiFontPath(const char* font) {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->resourcePath(kel::FOLDER_FONTS, font) : std::string(font);
}

void checkUiFonts() {
  for (const char* font : {kFontBig, kFontSmall, kFontTiny, kFontTooltip}) {
    engine::FontAtlasCache::releaseFontAtlas(engine::FontAtlasCache::getFontAtlasFNT(uiFontPath(font)));
  }
}

engine::Size uiWindowSize() { return engine::Director::getInstance()->getWinSize(); }

float menuScale() {
  constexpr float kMadeFor = 2.0f;
  const float interface = screenLayout().uiScale;
  // The layout's scale carries a small bias over the whole number chosen.
  return interface > 0.0f ? std::max(1.0f, std::round(interface)) / kMadeFor : 1.0f;
}

engine::LayerColor* addColorLayer(engine::InnerNode* parent, engine::Color4B colour, engine::Size size,
                                  engine::Vec2 position, int z) {
  engine::LayerColor* layer = engine::LayerColor::create(colour, size.width, size.height);
  if (layer == nullptr) return nullptr;
  layer->setPosition(position);
  if (parent != nullptr) parent->addChild(layer, z);
  return layer;
}

engine::Label* addTextLabel(engine::InnerNode* parent, const std::string& text, engine::Vec2 position,
                            const char* font, engine::Color3B colour, engine::Vec2 anchor, int z) {
  engine::Label* label = engine::Label::createWithBMFont(uiFontPath(font), text);
  if (label == nullptr) return nullptr;
  label->setAnchorPoint(anchor);
  label->setPosition(position);
  label->setColor(colour);
  if (parent != nullptr) parent->addChild(label, z);
  return label;
}

void setLabelText(engine::Label* label, const std::string& text) {
  if (label != nullptr && label->getString() != text) label->setString(text);
}
