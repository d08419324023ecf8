#include "engine/memory/slab_pool.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

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

// Huge pages are a request: where the system declines, the slab keeps small pages.
void adviseHugePages([[maybe_unused]] void* slab, [[maybe_unused]] size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  madvise(slab, bytes, MADV_HUGEPAGE);
#endif
}

}  // namespace

SlabPool::SlabPool(size_t slabBytes, size_t laterSlabBytes)
    : slabBytes_(std::max(slabBytes, kLargestSlot)),
      laterSlabBytes_(std::max(laterSlabBytes, slabBytes_)),
      classes_(kLargestSlot / kAlignment) {}

SlabPool::~SlabPool() {
  for (const Slab& slab : slabs_) {
    unpoison(slab.start, slab.bytes);
    ::operator delete(slab.start, std::align_val_t{alignmentOf(slab.bytes)});
  }
}

void SlabPool::startSlab(SizeClass& sizeClass, size_t slot) {
  // The tail of the old slab that no place fits in stays unused.
  const size_t bytes = sizeClass.started ? laterSlabBytes_ : slabBytes_;
  char* slab = static_cast<char*>(::operator new(bytes, std::align_val_t{alignmentOf(bytes)}));
  if (bytes >= kHugePage) adviseHugePages(slab, bytes);
  slabs_.push_back({slab, bytes});
  poison(slab, bytes);
  sizeClass.started = true;
  sizeClass.next = slab;
  sizeClass.end = slab + bytes / slot * slot;
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
