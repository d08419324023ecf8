#pragma once
// How many of the item pool's slots stand free: a stack handed out and given back leaves the
// count where it was.

#include <cstddef>
#include <mutex>

#include "content/items/item_pool.h"

struct ItemPoolProbe {
  static size_t freeCount(const ItemPool& pool) {
    std::lock_guard<std::mutex> lock(pool.mutex_);
    return pool.freeCount_;
  }
};

inline size_t freeItemSlots() { return ItemPoolProbe::freeCount(itemPool()); }
