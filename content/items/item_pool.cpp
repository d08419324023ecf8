#include "content/items/item_pool.h"

#include <new>

#include "content/items/item.h"
#include "content/items/item_ptr.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// A freed slot is poisoned so that a stale pointer into the pool is reported like any other use
// after free; only the pool itself reads the free-list link, and it unpoisons first.
#define POOL_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define POOL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define POOL_POISON(p, n) ((void)(p), (void)(n))
#define POOL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

ItemPool::~ItemPool() {
  unsigned char* page = pages_;
  while (page != nullptr) {
    POOL_UNPOISON(page, PAGE_SIZE);
    unsigned char* previous = *reinterpret_cast<unsigned char**>(page);
    delete[] page;
    page = previous;
  }
}

void ItemPool::openPage() {
  unsigned char* page = new unsigned char[PAGE_SIZE];
  *reinterpret_cast<unsigned char**>(page) = pages_;
  pages_ = page;
  cursor_ = page + LINK_SIZE;
  limit_ = page + LINK_SIZE + SLOTS_PER_PAGE * SLOT_SIZE;
  ++pageCount_;
}

void* ItemPool::allocate() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (free_ != nullptr) {
    FreeSlot* slot = free_;
    POOL_UNPOISON(slot, SLOT_SIZE);
    free_ = slot->next;
    --freeCount_;
    return slot;
  }
  if (cursor_ == limit_) openPage();
  void* slot = cursor_;
  cursor_ += SLOT_SIZE;
  return slot;
}

void ItemPool::release(void* slot) {
  if (slot == nullptr) return;
  std::lock_guard<std::mutex> lock(mutex_);
  free_ = new (slot) FreeSlot{free_};
  ++freeCount_;
  POOL_POISON(slot, SLOT_SIZE);
}

size_t ItemPool::pageCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pageCount_;
}

ItemPool& itemPool() {
  // Never destroyed: items held by other long-lived objects may be freed during exit.
  static ItemPool* pool = new ItemPool;
  return *pool;
}

void* allocItem() { return itemPool().allocate(); }

void FreeItem::operator()(Item* item) const { itemPool().release(item); }
