#include "view/labels/label_makers.h"

#include "platform/screen_layout.h"
#include "engine/text/label_blinking.h"
#include "engine/text/label_colored.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"

namespace {

constexpr uint8_t kSmallCode = 2;

std::string fontsFolder() {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->folderPath(kel::FOLDER_FONTS) : std::string();
}

float uiScale() { return screenLayout().uiScale > 0.0f ? screenLayout().uiScale : 1.0f; }

template <class L>
L* placed(L* label, uint8_t sizeCode, engine::Vec2 position) {
  if (label == nullptr) return nullptr;
  const LabelPlacement at = labelPlacement(sizeCode, position, uiScale());
  label->setScale(at.scale);
  label->setPosition(at.position);
  return label;
}

}  // namespace

std::string labelFontPath(uint8_t sizeCode, const std::string& folder) {
  const char* name = sizeCode == 0 ? "big.fnt" : sizeCode == 1 ? "tiny.fnt" : "smalltooltip.fnt";
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

LabelPlacement labelPlacement(uint8_t sizeCode, engine::Vec2 position, float scale) {
  if (sizeCode == kSmallCode) return {engine::Vec2(position.x, position.y + scale * 4.0f), scale * 0.5f};
  return {position, scale};
}

engine::Label* makeLabel(uint8_t sizeCode, const std::string& text, engine::Vec2 position) {
  return placed(engine::Label::createWithBMFont(labelFontPath(sizeCode, fontsFolder()), text,
                                                engine::TextHAlignment::LEFT),
                sizeCode, position);
}

LabelColored* makeLabelColored(uint8_t sizeCode, const std::string& text, engine::Vec2 position) {
  return placed(LabelColored::create(labelFontPath(sizeCode, fontsFolder()), text), sizeCode, position);
}

LabelBlinking* makeLabelBlinking(uint8_t sizeCode, const std::string& text, engine::Vec2 position) {
  return placed(LabelBlinking::create(labelFontPath(sizeCode, fontsFolder()), text), sizeCode, position);
}

engine::Label* makeTinyLabel(const std::string& text, engine::Vec2 position) {
  engine::Label* label = engine::Label::createWithBMFont(labelFontPath(1, fontsFolder()), text);
  if (label == nullptr) return nullptr;
  const float scale = uiScale();
  label->setScale(scale);
  label->setAnchorPoint(engine::Vec2(1.0f, 0.0f));
  label->setPosition(engine::Vec2(position.x + scale * 19.0f * 0.5f, position.y - scale * 25.0f * 0.5f));
  return label;
}

Datable<engine::Vec2, engine::Label>* makeSmallDatableLabel(const std::string& text, engine::Vec2 position) {
  return placed(Datable<engine::Vec2, engine::Label>::create(labelFontPath(kSmallCode, fontsFolder()), text),
                kSmallCode, position);
}
