#include "entities/particles/debris_pool.h"

#include <cstdlib>
#include <new>

static_assert(DebrisPool::kSlotBytes * DebrisPool::kSlotsPerBlock + sizeof(void*) <= DebrisPool::kBlockBytes);

DebrisPool::~DebrisPool() {
  while (newest_ != nullptr) {
    Block* previous = newest_->previous;
    std::free(newest_);
    newest_ = previous;
  }
}

void* DebrisPool::allocate(size_t bytes) {
  if (bytes > kSlotBytes) throw std::bad_alloc();
  if (free_ != nullptr) {
    FreeSlot* slot = free_;
    free_ = slot->next;
    return slot;
  }
  if (carved_ == kSlotsPerBlock) {
    auto* block = static_cast<Block*>(std::malloc(kBlockBytes));
    if (block == nullptr) throw std::bad_alloc();
    block->previous = newest_;
    newest_ = block;
    carved_ = 0;
    ++blocks_;
  }
  char* start = reinterpret_cast<char*>(newest_) + sizeof(Block);
  return start + kSlotBytes * carved_++;
}

void DebrisPool::release(void* slot) {
  if (slot == nullptr) return;
  auto* freed = static_cast<FreeSlot*>(slot);
  freed->next = free_;
  free_ = freed;
}

DebrisPool& debrisPool() {
  static DebrisPool pool;
  return pool;
}
