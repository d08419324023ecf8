#pragma once
// Objects of one family carved from large slabs, one run of slabs per size class, in the order
// they are made. A frame that walks thousands of such objects then reads them from memory laid
// out as they were made (mostly the order they are walked in), rather than from wherever the
// general heap put each one among the smaller allocations made beside it. A freed place is
// handed out again first, to the next object of its size class, so a family that comes and goes
// reuses its memory rather than growing.
//
// Every place starts on a cache line (kAlignment). Sizes above kLargestSlot go to the general
// heap. A size class starts with one small slab; a class that outgrows it is a large family (a
// scene of thousands of nodes), whose later slabs are large and asked to sit on huge pages: a
// frame walking several megabytes of such objects otherwise spends much of its time on address
// translation misses, one per small page. Freed places are poisoned for the address sanitizer, so
// a use after free is still caught. Slabs are only given back when the pool is destroyed.
//
// Not thread-safe: one thread allocates and frees (the node family's is the main thread's).

#include <cstddef>
#include <vector>

namespace engine {

class SlabPool {
 public:
  static constexpr size_t kAlignment = 64;
  static constexpr size_t kLargestSlot = 4096;
  // A slab starts on a page: places then lie at multiples of their size from a page's start, and
  // a place of a multiple of 128 bytes keeps each pair of lines the hardware fetches together
  // within itself (a node's first two lines, which a frame reads and writes).
  static constexpr size_t kSlabAlignment = 4096;
  // A slab this large starts on a huge page and asks the system to back it with huge pages.
  static constexpr size_t kHugePage = 2 * 1024 * 1024;

  // `slabBytes` for each size class's first slab, `laterSlabBytes` for the ones after it.
  explicit SlabPool(size_t slabBytes = 256 * 1024, size_t laterSlabBytes = kHugePage);
  ~SlabPool();
  SlabPool(const SlabPool&) = delete;
  SlabPool& operator=(const SlabPool&) = delete;

  // At least `size` bytes, aligned to kAlignment.
  void* allocate(size_t size);
  // `size` is the one the place was allocated with.
  void free(void* place, size_t size);

  // The bytes a place of `size` takes in its slab.
  static size_t slotBytes(size_t size) { return (size + kAlignment - 1) & ~(kAlignment - 1); }
 private:
  friend struct SlabPoolProbe;  // tests count slabs and freed places

  struct SizeClass {
    std::vector<void*> freed;  // reused last freed first
    char* next = nullptr;      // the rest of the class's newest slab
    char* end = nullptr;
    bool started = false;  // has had its first slab
  };
  struct Slab {
    void* start;
    size_t bytes;
  };

  void startSlab(SizeClass& sizeClass, size_t slot);

  static size_t alignmentOf(size_t slabBytes) {
    return slabBytes >= kHugePage ? kHugePage : kSlabAlignment;
  }

  size_t slabBytes_;
  size_t laterSlabBytes_;
  std::vector<SizeClass> classes_;  // by slot bytes / kAlignment - 1
  std::vector<Slab> slabs_;
};

}  // namespace engine
