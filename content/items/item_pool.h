#pragma once
// Where items live: 4096-byte pages of 16-byte slots with a free list. Slots are reused, pages
// are kept until the pool goes away. The world-load thread makes the items of the world it loads
// while the main thread makes its own, so every operation takes the pool's lock.

#include <cstddef>
#include <mutex>

class ItemPool {
  // Tests read how many slots stand free, to see that every stack handed out comes back.
  friend struct ItemPoolProbe;

 public:
  static constexpr size_t PAGE_SIZE = 4096;
  static constexpr size_t SLOT_SIZE = 16;
  static constexpr size_t LINK_SIZE = 8;
  // The link takes the first 8 bytes and the last 8 stay empty: 255 slots a page.
  static constexpr size_t SLOTS_PER_PAGE = (PAGE_SIZE - LINK_SIZE) / SLOT_SIZE;

  ItemPool() = default;
  ~ItemPool();
  ItemPool(const ItemPool&) = delete;
  ItemPool& operator=(const ItemPool&) = delete;

  // A 16-byte slot, contents undefined.
  void* allocate();
  // Returns a slot; null is ignored.
  void release(void* slot);

  size_t pageCount() const;

 private:
  struct FreeSlot {
    FreeSlot* next;
  };

  void openPage();

  mutable std::mutex mutex_;
  unsigned char* pages_ = nullptr;  // newest page; its first 8 bytes point to the previous one
  unsigned char* cursor_ = nullptr;
  unsigned char* limit_ = nullptr;
  FreeSlot* free_ = nullptr;
  size_t pageCount_ = 0;
  size_t freeCount_ = 0;
};

// The process-wide pool.
ItemPool& itemPool();

// A slot of the process-wide pool, to be filled with an Item and held in an `ItemPtr`, whose
// deleter alone gives it back.
void* allocItem();
