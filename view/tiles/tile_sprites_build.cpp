// The rebuild of one tile record from its cell: front, back or cave shade, shadow edges,
// decorations, liquid, circuit overlay, then the tint.

#include <algorithm>

#include "content/art/block_atlas_layout.h"
#include "content/planets/planet_def.h"
#include "engine/sprite/sprite_batch_node.h"
#include "view/tiles/block_sprite.h"
#include "view/tiles/cave_backdrop.h"
#include "view/tiles/liquid_frame.h"
#include "view/tiles/tile_sprites.h"
#include "world/cells/block_flags.h"
#include "world/circuits/circuit_part.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kCellPixels = 30.0f;
constexpr uint16_t kSeeThroughGate = 2090;  // in variant 1 it shuts out what is behind it
constexpr uint16_t kDisplayBlock = 2094;
constexpr uint16_t kSwitchDisplayBlock = 2095;
constexpr int kCircuitZ = 10;
constexpr int kDisplayZ = 12;
constexpr int kLiquidZ = 10;

// The wire's colour by the low two bits of its circuit byte.
constexpr engine::Color3B kWireColours[4] = {{158, 86, 69}, {80, 0, 0}, {220, 0, 0}, {83, 66, 194}};

const BlockPropsTable& propsOf(const World& world) { return world.map().props(); }

}  // namespace

bool TileSprites::hidesBehind(const MapBlock& cell) const {
  const BlockProps& front = propsOf(*world_)[cell.frontId()];
  return (front.transparency == 0 && !front.has(block_flag::kLetsSkyThrough)) ||
         (cell.frontId() == kSeeThroughGate && cell.frontVariant() == 1);
}

void TileSprites::update(TileSpriteRecord& r, MapBlock& cell) {
  if (world_ == nullptr) return;
  r.cell = &cell;
  SpecialDecoColour front{.blockId = 0xFFFF};
  SpecialDecoColour back{.blockId = 0xFFFF};
  cell.lookupSpecialDecos(propsOf(*world_), front, back);
  r.hasFrontPaint = front.blockId != 0xFFFF;
  r.hasBackPaint = back.blockId != 0xFFFF;
  r.frontPaint = {front.red, front.green, front.blue};
  r.backPaint = {back.red, back.green, back.blue};
  buildFront(r, cell);
  buildBack(r, cell);
  buildExtraLayers(r, cell);
  buildLiquid(r, cell);
  buildCircuitOverlay(r, cell);
  tint(r, cell);
}

BlockSprite* TileSprites::obtain(TileSpriteRecord& r, int slot, engine::SpriteBatchNode* batch, int z,
                                 const engine::Rect& rect) {
  BlockSprite* sprite = r.sprites[slot];
  if (sprite == nullptr) sprite = pool_.take(batch, z);
  if (sprite == nullptr) {
    sprite = BlockSprite::createOnParent(batch, rect, z, 1.0f);
    if (sprite == nullptr) return nullptr;
  } else {
    sprite->setTextureRect(rect);
    sprite->clearOverride();
    // A sprite reused from another cell starts upright; the builders turn it again where needed.
    if (sprite->orientation() != 0 || sprite->getRotation() != 0.0f || sprite->getScaleX() != 1.0f ||
        sprite->getScaleY() != 1.0f) {
      sprite->setOrientation(0, 1.0f);
    }
  }
  sprite->setBackLayer(false);
  sprite->setOwner(&r);
  r.sprites[slot] = sprite;
  return sprite;
}

void TileSprites::place(BlockSprite* sprite, const MapBlock& cell) {
  sprite->setPosition(engine::Vec2(static_cast<float>(cell.x) * kCellPixels, static_cast<float>(cell.y) * kCellPixels));
}

void TileSprites::buildFront(TileSpriteRecord& r, const MapBlock& cell) {
  const uint16_t id = cell.frontId();
  if (id == 0) {
    releaseSlot(r, TileSpriteRecord::kFront);
    return;
  }
  BlockSprite* sprite = obtain(r, TileSpriteRecord::kFront, blockBatch_,
                               BlockSprite::zOrderFor(BlockSprite::kFrontKind, 0, 0),
                               art::blockSpriteRect(id, cell.frontVariant()));
  if (sprite == nullptr) return;
  place(sprite, cell);
  sprite->setOrientation(cell.blockState(), 1.0f);
  if (propsOf(*world_)[id].has(block_flag::kAcceptsSpecialDeco) && r.hasFrontPaint) sprite->setOverride(r.frontPaint);
}

void TileSprites::buildBack(TileSpriteRecord& r, const MapBlock& cell) {
  const int slot = TileSpriteRecord::kBack;
  const uint16_t id = cell.backId();
  r.showsSky = false;
  if (hidesBehind(cell)) {
    releaseSlot(r, slot);
  } else if (id != 0) {
    BlockSprite* sprite = obtain(r, slot, blockBatch_, BlockSprite::zOrderFor(BlockSprite::kBackKind, 0, 0),
                                 art::blockSpriteRect(id, cell.backVariant()));
    if (sprite == nullptr) return;
    sprite->setBackLayer(true);
    place(sprite, cell);
    if (propsOf(*world_)[id].has(block_flag::kAcceptsSpecialDeco) && r.hasBackPaint) sprite->setOverride(r.backPaint);
  } else if (showsCaveWall(world_->map(), cell)) {
    const WorldMap& map = world_->map();
    const engine::Rect wall = art::caveWallSpriteRect(map.planet().id, art::caveWallBand(cell.y, map.surfaceLine(cell.x)));
    BlockSprite* sprite = obtain(r, slot, blockBatch_, BlockSprite::zOrderFor(BlockSprite::kShadeKind, 0, 0), wall);
    if (sprite == nullptr) return;
    sprite->setBackLayer(true);  // the wall behind, lit as the back layer is
    place(sprite, cell);
  } else {
    releaseSlot(r, slot);
    r.showsSky = true;
  }
  buildSides(r, cell);
}

// The shadow edges fall on what is behind an open cell, where a solid neighbour meets it: on the
// back block or the cave wall, never on the sky.
void TileSprites::buildSides(TileSpriteRecord& r, const MapBlock& cell) {
  for (int d = 0; d < 4; ++d) releaseSlot(r, TileSpriteRecord::kFirstEdge + d);
  if (r.sprites[TileSpriteRecord::kBack] == nullptr) return;
  const uint16_t block = cell.backId() == 0 ? art::kShadowEdgeOpenBlock : art::kShadowEdgeBackBlock;
  for (uint8_t d = 0; d < 4; ++d) {
    if ((cell.shadowEdges() & (1u << d)) == 0) continue;
    BlockSprite* sprite = obtain(r, TileSpriteRecord::kFirstEdge + d, blockBatch_,
                                 BlockSprite::zOrderFor(BlockSprite::kEdgeKind, d, 0), art::blockSpriteRect(block, d));
    if (sprite == nullptr) continue;
    // Lit as the wall it darkens: untinted, its shade of blue would outline a cave no light reaches.
    sprite->setBackLayer(true);
    place(sprite, cell);
  }
}

void TileSprites::buildExtraLayers(TileSpriteRecord& r, const MapBlock& cell) {
  const BlockPropsTable& props = propsOf(*world_);
  for (uint8_t i = 0; i < 4; ++i) {
    const int slot = TileSpriteRecord::kFirstDeco + i;
    const MapDeco w = cell.decos[i];
    const bool back = map_deco::side(w) != 0;
    if (map_deco::empty(w) || (back && hidesBehind(cell))) {
      releaseSlot(r, slot);
      continue;
    }
    const int z = back ? BlockSprite::zOrderFor(BlockSprite::kBackDecoKind, 0, 2u + i)
                       : BlockSprite::zOrderFor(BlockSprite::kFrontDecoKind, 0, 13u + i);
    BlockSprite* sprite = obtain(r, slot, blockBatch_, z, art::blockSpriteRect(map_deco::id(w), map_deco::variant(w)));
    if (sprite == nullptr) continue;
    sprite->setBackLayer(back);
    place(sprite, cell);
    const BlockProps& deco = props[map_deco::id(w)];
    if (deco.has(block_flag::kAcceptsSpecialDeco)) {
      if (!back && r.hasFrontPaint) sprite->setOverride(r.frontPaint);
      if (back && r.hasBackPaint) sprite->setOverride(r.backPaint);
    }
    if (!back && !deco.has(block_flag::kSolid) && cell.blockState() != 0) sprite->setOrientation(cell.blockState(), 1.0f);
  }
}

void TileSprites::buildLiquid(TileSpriteRecord& r, const MapBlock& cell) {
  const int slot = TileSpriteRecord::kLiquid;
  const auto kind = cell.liquidKindBits();
  const uint8_t a = cell.liquidLevelA();
  const uint8_t b = cell.liquidLevelB();
  const bool active = (cell.flags & cell_flag::kLiquidSource) != 0;
  if (kind == 0 || (a == 0 && b == 0 && !active) || additiveBatch_ == nullptr) {
    releaseSlot(r, slot);
    return;
  }
  const engine::Rect body = liquid_frame::bodyPixelFor(world_->map(), cell);
  const bool plain = body.size.width > 0.0f;
  BlockSprite* sprite = obtain(r, slot, additiveBatch_, kLiquidZ, plain ? body : liquid_frame::frameFor(world_->map(), cell));
  if (sprite == nullptr) return;
  sprite->setDirty(true);
  // The body's one pixel covers the cell; a frame is mirrored when the liquid leans the other way.
  const float scaleX = plain ? kCellPixels : (a < b ? -1.0f : 1.0f);
  const float scaleY = plain ? kCellPixels : 1.0f;
  if (sprite->getScaleX() != scaleX) sprite->setScaleX(scaleX);
  if (sprite->getScaleY() != scaleY) sprite->setScaleY(scaleY);
  place(sprite, cell);
}

void TileSprites::buildCircuitOverlay(TileSpriteRecord& r, const MapBlock& cell) {
  const int slot = TileSpriteRecord::kCircuit;
  const auto k = static_cast<uint8_t>((cell.circuitA >> 2) & 31);
  const auto variant = static_cast<uint8_t>(cell.circuitB >> 4);
  const bool drawsPart = (k >= 1 && k <= 14) || (k >= 18 && k < circuit_kind::kCount);
  if (!hidesBehind(cell) && drawsPart) {
    engine::Rect rect;
    if (k == circuit_kind::kWire) {
      rect = art::blockSpriteRect(art::kWireBlock, variant);
    } else if (k == circuit_kind::kConnectorWire) {
      rect = art::blockSpriteRect(art::kWireBlock2, variant);
    } else {
      rect = art::blockSpriteRect(kCircuitParts[k].block, 0);
    }
    BlockSprite* sprite = obtain(r, slot, blockBatch_, kCircuitZ, rect);
    if (sprite == nullptr) return;
    if (k == circuit_kind::kWire || k == circuit_kind::kConnectorWire) sprite->setOverride(kWireColours[cell.circuitA & 3]);
    place(sprite, cell);
    const float rotation = kCircuitParts[k].turnable != 0 ? 90.0f * static_cast<float>((cell.circuitB >> 4) & 3) : 0.0f;
    if (sprite->getRotation() != rotation) sprite->setRotation(rotation);
    return;
  }
  const uint16_t front = cell.frontId();
  if (front == kDisplayBlock || (front == kSwitchDisplayBlock && (cell.circuitA & 3) == 2)) {
    BlockSprite* sprite =
        obtain(r, slot, blockBatch_, kDisplayZ, art::blockSpriteRect(art::kDisplayBlock, cell.circuitB & 15));
    if (sprite != nullptr) place(sprite, cell);
    return;
  }
  releaseSlot(r, slot);
}

void TileSprites::tint(TileSpriteRecord& r, const MapBlock& cell) {
  if (smooth_) {
    r.corners = tile_light::cornerColours(world_->map(), cell, darkness(), r.cellColour, seeping_);
    for (int slot = 0; slot < TileSpriteRecord::kTintedSlots; ++slot) {
      if (BlockSprite* sprite = r.sprites[slot]) sprite->applyCornerColours(sprite->backLayer() ? r.corners.back : r.corners.front);
    }
  } else {
    const tile_light::LayerColours colours = tile_light::flatColours(world_->map(), cell, darkness());
    for (int slot = 0; slot < TileSpriteRecord::kTintedSlots; ++slot) {
      if (BlockSprite* sprite = r.sprites[slot]) sprite->setColor(sprite->backLayer() ? colours.back : colours.front);
    }
  }
  glowLava(r, cell);
}

void TileSprites::glowLava(TileSpriteRecord& r, const MapBlock& cell) {
  BlockSprite* sprite = r.sprites[TileSpriteRecord::kLiquid];
  if (sprite == nullptr || cell.liquidKind() != LiquidKind::Lava) return;
  // Lava gives light rather than takes it: it shows at full strength in the darkest cave.
  if (smooth_) {
    tile_light::Corners lit;
    lit.fill(engine::Color4B::WHITE);
    sprite->applyCornerColours(lit);
  } else {
    sprite->setColor(engine::Color3B::WHITE);
  }
}
