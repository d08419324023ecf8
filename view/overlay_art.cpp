#include "view/overlay_art.h"

#include "content/launch/screen_layout.h"
#include "engine/render/render_environment.h"
#include "engine/render/texture_cache.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "engine/text/label_colored.h"
#include "engine/text/text_environment.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"

namespace overlay_art {

namespace {

engine::Texture2D* atlasTexture(const char* name) {
  engine::TextureCache* cache = engine::getTextEnvironment()->getTextureCache();
  if (cache == nullptr) return nullptr;
  return cache->addImage(resourceFile(kel::FOLDER_GRAPHICS, name));
}

const char* fontFor(uint8_t sizeCode) {
  if (sizeCode == 0) return kBigFont;
  if (sizeCode == 1) return kTinyFont;
  return kTooltipFont;
}

// Scale and place a fresh label as its size code asks.
template <class L>
L* placed(L* label, uint8_t sizeCode, const engine::Vec2& position) {
  if (label == nullptr) return nullptr;
  const float scale = uiScale();
  if (sizeCode == 2) {
    label->setScale(scale * 0.5f);
    label->setPosition(position + engine::Vec2(0, scale * 4.0f));
  } else {
    label->setScale(scale);
    label->setPosition(position);
  }
  return label;
}

}  // namespace

float uiScale() {
  const float scale = screenLayout().uiScale;
  return scale > 0 ? scale : 1.0f;
}

engine::Size screenSize() { return engine::getRenderEnvironment()->getWinSize(); }

std::string resourceFile(int folderKind, const std::string& name) {
  const kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->resourcePath(folderKind, name) : name;
}

engine::Texture2D* interfaceTexture() { return atlasTexture("interface.png"); }
engine::Texture2D* iconTexture() { return atlasTexture("treasures.png"); }

// Until the shared atlas layout names them, interface sprites sit on a strip of 12-point cells
// below the authored frames (one row per sprite, one cell per variant) and item icons on a grid
// of 16-point cells, 64 to a row, by id.
engine::Rect uiSpriteRect(uint16_t id, uint8_t variant) {
  constexpr float kCell = 12.0f;
  const uint16_t row = id >= 2145 ? static_cast<uint16_t>(id - 2145) : static_cast<uint16_t>(id - 268 + 2);
  return engine::Rect(variant * kCell, 900 + (row % 10) * kCell, kCell, kCell);
}

engine::Rect itemIconRect(uint16_t id, uint8_t variant) {
  constexpr float kCell = 16.0f;
  const uint32_t cell = id + variant;
  return engine::Rect((cell % 64) * kCell, static_cast<float>(cell / 64 % 64) * kCell, kCell, kCell);
}

engine::Sprite* interfaceSprite(const engine::Rect& rect, const engine::Vec2& position) {
  engine::Texture2D* texture = interfaceTexture();
  if (texture == nullptr) return nullptr;
  engine::Sprite* sprite = engine::Sprite::createWithTextureRect(texture, rect);
  if (sprite == nullptr) return nullptr;
  sprite->setPosition(position);
  sprite->setScale(uiScale());
  return sprite;
}

engine::Label* overlayLabel(uint8_t sizeCode, const std::string& text, const engine::Vec2& position) {
  const std::string font = resourceFile(kel::FOLDER_FONTS, fontFor(sizeCode));
  return placed(engine::Label::createWithBMFont(font, text), sizeCode, position);
}

LabelColored* overlayLabelColored(uint8_t sizeCode, const std::string& text,
                                  const engine::Vec2& position) {
  const std::string font = resourceFile(kel::FOLDER_FONTS, fontFor(sizeCode));
  return placed(LabelColored::create(font, text), sizeCode, position);
}

}  // namespace overlay_art
