#pragma once
// What a slab pool holds, for tests: its slabs, and the freed places of a size class waiting to be
// handed out again.

#include <cstddef>

#include "engine/memory/slab_pool.h"

namespace engine {

struct SlabPoolProbe {
  static size_t slabCount(const SlabPool& pool) { return pool.slabs_.size(); }
  static size_t freedPlaces(const SlabPool& pool, size_t size) {
    const size_t slot = SlabPool::slotBytes(size == 0 ? 1 : size);
    return slot > SlabPool::kLargestSlot ? 0 : pool.classes_[slot / SlabPool::kAlignment - 1].freed.size();
  }
};

}  // namespace engine
