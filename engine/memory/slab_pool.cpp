#include "engine/memory/slab_pool.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RUBBLE_SLAB_POISON 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define RUBBLE_SLAB_POISON 1
#endif

#ifdef RUBBLE_SLAB_POISON
#include <sanitizer/asan_interface.h>
#endif

namespace engine {

namespace {

constexpr std::align_val_t kAligned{SlabPool::kAlignment};
constexpr std::align_val_t kSlabAligned{SlabPool::kSlabAlignment};

void poison([[maybe_unused]] void* place, [[maybe_unused]] size_t bytes) {
#ifdef RUBBLE_SLAB_POISON
  ASAN_POISON_MEMORY_REGION(place, bytes);
#endif
}

void unpoison([[maybe_unused]] void* place, [[maybe_unused]] size_t bytes) {
#ifdef RUBBLE_SLAB_POISON
  ASAN_UNPOISON_MEMORY_REGION(place, bytes);
#endif
}

}  // namespace

SlabPool::SlabPool(size_t slabBytes)
    : slabBytes_(std::max(slabBytes, kLargestSlot)), classes_(kLargestSlot / kAlignment) {}

SlabPool::~SlabPool() {
  for (void* slab : slabs_) {
    unpoison(slab, slabBytes_);
    ::operator delete(slab, kSlabAligned);
  }
}

void SlabPool::startSlab(SizeClass& sizeClass, size_t slot) {
  // The tail of the old slab that no place fits in stays unused.
  char* slab = static_cast<char*>(::operator new(slabBytes_, kSlabAligned));
  slabs_.push_back(slab);
  poison(slab, slabBytes_);
  sizeClass.next = slab;
  sizeClass.end = slab + slabBytes_ / slot * slot;
}

void* SlabPool::allocate(size_t size) {
  const size_t slot = slotBytes(std::max<size_t>(size, 1));
  if (slot > kLargestSlot) return ::operator new(slot, kAligned);
  SizeClass& sizeClass = classes_[slot / kAlignment - 1];
  void* place;
  if (!sizeClass.freed.empty()) {
    place = sizeClass.freed.back();
    sizeClass.freed.pop_back();
  } else {
    if (sizeClass.next == sizeClass.end) startSlab(sizeClass, slot);
    place = sizeClass.next;
    sizeClass.next += slot;
  }
  unpoison(place, slot);
  return place;
}

void SlabPool::free(void* place, size_t size) {
  if (place == nullptr) return;
  const size_t slot = slotBytes(std::max<size_t>(size, 1));
  if (slot > kLargestSlot) {
    ::operator delete(place, kAligned);
    return;
  }
  assert(reinterpret_cast<uintptr_t>(place) % kAlignment == 0);
  poison(place, slot);
  classes_[slot / kAlignment - 1].freed.push_back(place);
}

}  // namespace engine
