#include "view/inventory/overlay_art.h"

#include "platform/screen_layout.h"
#include "engine/render/render_environment.h"
#include "engine/render/texture_cache.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"
#include "engine/text/text_environment.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"
#include "view/atlas/game_textures.h"
#include "view/main_layer.h"

namespace overlay_art {

namespace {

engine::Texture2D* atlasTexture(int index) {
  if (engine::Texture2D* loaded = gameTextures().textures[static_cast<size_t>(index)]) return loaded;
  engine::TextureCache* cache = engine::getTextEnvironment()->getTextureCache();
  if (cache == nullptr) return nullptr;
  return cache->addImage(resourceFile(kel::FOLDER_GRAPHICS, atlasFileName(index)));
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

engine::Texture2D* interfaceTexture() { return atlasTexture(atlas::kInterface); }
engine::Texture2D* iconTexture() { return atlasTexture(atlas::kTreasures); }

engine::Sprite* interfaceSprite(const engine::Rect& rect, const engine::Vec2& position) {
  engine::Sprite* sprite = engine::Sprite::createWithTextureRect(interfaceTexture(), rect);
  if (sprite == nullptr) return nullptr;
  sprite->setPosition(position);
  sprite->setScale(uiScale());
  return sprite;
}

engine::InnerNode* hudLayer() { return gameTextures().hudLayer; }
engine::InnerNode* iconBatch() { return gameTextures().iconBatch; }

engine::InnerNode* overlayNode() {
  MainLayer* layer = MainLayer::current();
  return layer != nullptr ? layer->overlayNode() : nullptr;
}

}  // namespace overlay_art
