#include "view/entities/entity_sprite.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <new>

namespace {

constexpr float kCellPixels = 30.0f;
constexpr size_t kBlocksPerChunk = 32;

// Blocks big enough and aligned for a sprite (its per-frame fields keep a cache line of their own,
// so it asks more than the default alignment); the first block of a chunk holds the link.
constexpr size_t kBlockAlign = std::max(alignof(EntitySprite), alignof(std::max_align_t));
struct alignas(kBlockAlign) Block {
  unsigned char bytes[(sizeof(EntitySprite) + kBlockAlign - 1) / kBlockAlign * kBlockAlign];
};
static_assert(sizeof(Block) >= sizeof(void*), "a free block holds the next free block");

struct SpritePool {
  Block* lastChunk = nullptr;  // its first block links to the chunk before
  size_t nextInChunk = kBlocksPerChunk;
  void* freeList = nullptr;

  void* take() {
    if (freeList != nullptr) {
      void* block = freeList;
      freeList = *static_cast<void**>(block);
      return block;
    }
    if (nextInChunk == kBlocksPerChunk) {
      auto* chunk = static_cast<Block*>(::operator new(sizeof(Block) * kBlocksPerChunk, std::align_val_t{kBlockAlign}));
      *reinterpret_cast<Block**>(chunk) = lastChunk;
      lastChunk = chunk;
      nextInChunk = 1;
    }
    return &lastChunk[nextInChunk++];
  }

  void give(void* block) {
    *static_cast<void**>(block) = freeList;
    freeList = block;
  }
};

// Lives to the end of the process: the chunks stay reachable from it.
SpritePool& pool() {
  static SpritePool* instance = new SpritePool();
  return *instance;
}

}  // namespace

float wrapToPlayerSide(float x, const WrapFrame& frame) {
  if (frame.worldWidth <= 0) return x;
  const float n = static_cast<float>(frame.columns);
  const float w = static_cast<float>(frame.worldWidth);
  if (frame.playerX < 2.0f * n * kCellPixels && x >= (w - n) * kCellPixels) return x - w * kCellPixels;
  if (frame.playerX > (w - 2.0f * n) * kCellPixels && x <= n * kCellPixels) return x + w * kCellPixels;
  return x;
}

void* EntitySprite::operator new(size_t size) {
  assert(size <= sizeof(Block));
  (void)size;
  return pool().take();
}

void EntitySprite::operator delete(void* block) {
  if (block != nullptr) pool().give(block);
}

EntitySprite* EntitySprite::create(engine::Texture2D* texture, const engine::Rect& rect,
                                   const WrapFrame* wrap) {
  auto* sprite = new EntitySprite();
  sprite->wrap_ = wrap;
  sprite->initWithTexture(texture, rect);
  sprite->autorelease();
  return sprite;
}

void EntitySprite::setPosition(const engine::Vec2& position) {
  const float x = wrap_ != nullptr ? wrapToPlayerSide(position.x, *wrap_) : position.x;
  setDirty(true);
  engine::Sprite::setPosition(engine::Vec2(x, position.y));
}

EntityInnerNode* EntityInnerNode::create(const WrapFrame* wrap) {
  auto* node = new EntityInnerNode();
  node->wrap_ = wrap;
  node->autorelease();
  return node;
}

void EntityInnerNode::setPosition(const engine::Vec2& position) {
  // The node's own update skips a move below FLT_EPSILON on both axes.
  const float x = wrap_ != nullptr ? wrapToPlayerSide(position.x, *wrap_) : position.x;
  engine::InnerNode::setPosition(engine::Vec2(x, position.y));
}
