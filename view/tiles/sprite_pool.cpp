#include "view/tiles/sprite_pool.h"

#include "engine/sprite/sprite_batch_node.h"
#include "view/tiles/block_sprite.h"

void SpritePool::put(BlockSprite* sprite) {
  auto* batch = static_cast<const engine::SpriteBatchNode*>(sprite->getParent());
  sprite->setVisible(false);
  sprite->setOwner(nullptr);
  sprite->clearOverride();
  sprite->setPooled(true);
  kept_[Key{batch, sprite->getLocalZOrder()}].push_back(sprite);
}

BlockSprite* SpritePool::take(const engine::SpriteBatchNode* batch, int z) {
  auto found = kept_.find(Key{batch, z});
  if (found == kept_.end() || found->second.empty()) return nullptr;
  BlockSprite* sprite = found->second.back();
  found->second.pop_back();
  sprite->setPooled(false);
  sprite->setVisible(true);
  return sprite;
}

size_t SpritePool::size() const {
  size_t total = 0;
  for (const auto& [unused, sprites] : kept_) total += sprites.size();
  return total;
}
