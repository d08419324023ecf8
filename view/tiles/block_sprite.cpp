#include "view/tiles/block_sprite.h"

#include "content/art/block_atlas_layout.h"
#include "engine/sprite/sprite_batch_node.h"
#include "engine/sprite/texture_atlas.h"
#include "view/tiles/tile_sprites.h"

namespace {

struct OrientationPose {
  float rotation;
  float signX;
  float signY;
};

constexpr OrientationPose kPoses[8] = {{0, 1, 1},  {90, 1, 1},  {0, 1, -1},  {90, 1, -1},
                                       {0, -1, 1}, {90, -1, 1}, {0, -1, -1}, {90, -1, -1}};

BlockSprite* addNew(BlockSprite* sprite, engine::SpriteBatchNode* batch, const engine::Rect& rect, int z, int tag) {
  sprite->initWithTexture(batch->getTexture(), rect);
  sprite->autorelease();
  batch->addChild(sprite, z, tag);
  return sprite;
}

}  // namespace

int BlockSprite::zOrderFor(uint8_t kind, uint8_t variant, uint32_t zOffset) {
  static constexpr int kBase[] = {11, 1, 0, 6, 13, 2};
  const int base = kind < 6 ? kBase[kind] : 0;
  return base + (kind == kEdgeKind ? variant : 0) + static_cast<int>(zOffset);
}

BlockSprite* BlockSprite::create(engine::SpriteBatchNode* batch, uint16_t id, uint8_t variant, uint8_t kind,
                                 uint32_t zOffset) {
  if (batch == nullptr) return nullptr;
  BlockSprite* sprite =
      addNew(new BlockSprite(), batch, art::blockSpriteRect(id, variant), zOrderFor(kind, variant, zOffset), -1);
  sprite->backLayer_ = kind == kBackKind || kind == kBackDecoKind;
  return sprite;
}

BlockSprite* BlockSprite::createForDeco(engine::SpriteBatchNode* batch, MapDeco deco, uint8_t slot) {
  const bool back = map_deco::side(deco) != 0;
  return create(batch, map_deco::id(deco), map_deco::variant(deco), back ? kBackDecoKind : kFrontDecoKind,
                back ? 2u + slot : 13u + slot);
}

BlockSprite* BlockSprite::createOnParent(engine::SpriteBatchNode* batch, const engine::Rect& rect, int z, float scale) {
  if (batch == nullptr) return nullptr;
  BlockSprite* sprite = addNew(new BlockSprite(), batch, rect, z, kTag);
  sprite->setScale(scale);
  return sprite;
}

bool BlockSprite::initWithTexture(engine::Texture2D* texture, const engine::Rect& rect) {
  return engine::Sprite::initWithTexture(texture, rect);
}

void BlockSprite::setPosition(const engine::Vec2& position) {
  engine::Vec2 placed = position;
  if (const TileSprites* window = TileSprites::current(); window != nullptr && window->worldWidth() > 0) {
    placed.x = tile_light::seamPlacedX(position.x, window->columns(), window->worldWidth(), window->centreX());
  }
  setDirty(true);
  engine::Sprite::setPosition(placed);
}

engine::Color3B BlockSprite::throughPaint(engine::Color3B colour) const {
  if (overrideOn_) colour = tile_light::paintTimesLight(colour, override_);
  return colour;
}

void BlockSprite::setColor(const engine::Color3B& colour) {
  const engine::Color3B shown = throughPaint(colour);
  realColor_ = shown;
  displayedColor_ = shown;
  updateColor();
}

void BlockSprite::setOrientation(uint8_t code, float scale) {
  orientation_ = code;
  if (code > 7) return;
  const OrientationPose& pose = kPoses[code];
  if (getRotation() != pose.rotation) setRotation(pose.rotation);
  if (getScaleX() != scale * pose.signX || getScaleY() != scale * pose.signY) {
    setScale(scale * pose.signX, scale * pose.signY);
  }
}

void BlockSprite::applyCornerColours(const tile_light::Corners& corners) {
  const auto& order = tile_light::cornerForVertex(orientation_);
  engine::Color4B* targets[4] = {&quad_.tl.colors, &quad_.tr.colors, &quad_.bl.colors, &quad_.br.colors};
  for (int k = 0; k < 4; ++k) {
    const engine::Color4B& c = corners[order[k]];
    const engine::Color3B shown = throughPaint({c.r, c.g, c.b});
    *targets[k] = {shown.r, shown.g, shown.b, 255};
  }
  setSplitAlongOtherDiagonal(tile_light::splitsAlongFallingDiagonal(quad_.tl.colors, quad_.tr.colors,
                                                                    quad_.bl.colors, quad_.br.colors));
  if (atlasIndex_ >= 0 && textureAtlas_ != nullptr) {
    textureAtlas_->updateQuad(drawnQuad(), atlasIndex_);
  } else {
    setDirty(true);
  }
}
