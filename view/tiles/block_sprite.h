#pragma once
// A sprite of the block atlas (or of the liquid atlas) that the tile window places and tints: it
// knows its orientation code, the window record that holds it, a paint colour that multiplies the
// light, and whether it shows a back layer, which takes the back's light (tile_light.h). Placing one
// near the world's wrap seam puts it on the player's side of the seam (tile_light.h).
//
// Kinds and their z order in the block batch: 0 front block (11), 1 back block (1), 2 cave shade
// (0), 3 shadow edge of side d (6 + d), 4 front-side decoration (13 + offset), 5 back-side
// decoration (2 + offset). Main thread only.

#include <cstdint>

#include "engine/sprite/sprite.h"
#include "view/tiles/tile_light.h"
#include "world/cells/map_deco.h"

namespace engine {
class SpriteBatchNode;
}

struct TileSpriteRecord;

class BlockSprite : public engine::Sprite {
 public:
  static constexpr int kTag = 2186;

  enum Kind : uint8_t { kFrontKind, kBackKind, kShadeKind, kEdgeKind, kFrontDecoKind, kBackDecoKind };

  // The z order of a kind with the offset the caller adds (a shadow edge's base takes its variant).
  static int zOrderFor(uint8_t kind, uint8_t variant, uint32_t zOffset);

  // A sprite of the block's frame added to the batch at its kind's z order; autoreleased (the
  // batch holds it). Null without a batch.
  static BlockSprite* create(engine::SpriteBatchNode* batch, uint16_t id, uint8_t variant, uint8_t kind,
                             uint32_t zOffset);
  // A decoration sprite: front side kind 4 (z offset 13 + slot), back side kind 5 (2 + slot).
  static BlockSprite* createForDeco(engine::SpriteBatchNode* batch, MapDeco deco, uint8_t slot);
  // A sprite of any rectangle of the batch's texture at a z order and scale, tagged 2186.
  static BlockSprite* createOnParent(engine::SpriteBatchNode* batch, const engine::Rect& rect, int z, float scale);

  bool initWithTexture(engine::Texture2D* texture, const engine::Rect& rect) override;
  using engine::Sprite::initWithTexture;

  // Placed on the player's side of the wrap seam when a tile window is shown.
  void setPosition(const engine::Vec2& position) override;
  using engine::Sprite::setPosition;
  // The light colour, through the paint colour when one is set.
  void setColor(const engine::Color3B& colour) override;
  // Rotation and signed scale of orientation code 0-7; codes above 7 are only stored.
  void setOrientation(uint8_t code, float scale);
  // The four corner colours (top-left, top-right, bottom-left, bottom-right) on the vertices,
  // following the orientation, through the paint colour.
  void applyCornerColours(const tile_light::Corners& corners);

  uint8_t orientation() const { return orientation_; }
  TileSpriteRecord* owner() const { return owner_; }
  void setOwner(TileSpriteRecord* owner) { owner_ = owner; }
  void setOverride(engine::Color3B colour) {
    override_ = colour;
    overrideOn_ = true;
  }
  void clearOverride() { overrideOn_ = false; }
  bool overrideOn() const { return overrideOn_; }
  engine::Color3B overrideColour() const { return override_; }
  bool backLayer() const { return backLayer_; }
  void setBackLayer(bool on) { backLayer_ = on; }
  // Hidden and waiting in the window's pool for its next use.
  bool pooled() const { return pooled_; }
  void setPooled(bool pooled) { pooled_ = pooled; }

 protected:
  BlockSprite() = default;

 private:
  engine::Color3B throughPaint(engine::Color3B colour) const;

  uint8_t orientation_ = 0;
  TileSpriteRecord* owner_ = nullptr;
  engine::Color3B override_{};
  bool overrideOn_ = false;
  bool backLayer_ = false;
  bool pooled_ = false;
};
