#pragma once
// Released window sprites wait here, hidden but still children of their batch, until a slot of the
// same batch and z order needs one again. A scroll step then rebuilds its edge without removing a
// quad from a batch (which moves every quad after it) or sorting the batch's children again.
// The batch owns the sprites; the pool only points at them, so it must be emptied (`forget`) when
// the batch's children are removed.

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace engine {
class SpriteBatchNode;
}

class BlockSprite;

class SpritePool {
 public:
  // Hides the sprite and keeps it for its batch and z order.
  void put(BlockSprite* sprite);
  // A kept sprite of the batch and z order, shown again; null when none waits.
  BlockSprite* take(const engine::SpriteBatchNode* batch, int z);
  // Forgets every kept sprite without touching it (its batch already dropped it).
  void forget() { kept_.clear(); }
  size_t size() const;

 private:
  using Key = std::pair<const engine::SpriteBatchNode*, int>;
  std::map<Key, std::vector<BlockSprite*>> kept_;
};
