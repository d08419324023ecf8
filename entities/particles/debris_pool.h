#pragma once
// The storage of the particles: blocks of 20,480 bytes, each opening with a link to the block
// carved before it and cut from the front into 127 slots. A freed slot goes onto a free list and is
// the first one handed out again (last freed, first reused); a new block is carved only when the
// free list is empty and the current block is used up. Blocks are never returned while the process
// runs, so a steady stream of particles allocates nothing.
//
// The pool also counts the live particles: the presets that respect the limit make nothing while
// `kLiveLimit` are alive.
//
// Main thread only; nothing here is guarded.

#include <cstddef>
#include <cstdint>

class DebrisPool {
 public:
  static constexpr size_t kBlockBytes = 20480;
  static constexpr size_t kSlotsPerBlock = 127;
  // A slot's size, kept a multiple of a pointer's alignment (160 bytes).
  static constexpr size_t kSlotBytes =
      (kBlockBytes - sizeof(void*)) / kSlotsPerBlock / alignof(void*) * alignof(void*);
  static constexpr uint32_t kLiveLimit = 1024;

  DebrisPool() = default;
  // Returns the blocks (the process-wide pool keeps its blocks until the process ends).
  ~DebrisPool();
  DebrisPool(const DebrisPool&) = delete;
  DebrisPool& operator=(const DebrisPool&) = delete;

  // A slot of at least `bytes` (at most kSlotBytes).
  void* allocate(size_t bytes);
  // The slot goes back onto the free list.
  void release(void* slot);

  uint32_t live() const { return live_; }
  void countBorn() { ++live_; }
  void countGone() {
    if (live_ > 0) --live_;
  }
  bool full() const { return live_ >= kLiveLimit; }
  size_t blockCount() const { return blocks_; }

 private:
  struct FreeSlot {
    FreeSlot* next;
  };
  struct Block {
    Block* previous;
  };

  Block* newest_ = nullptr;
  size_t carved_ = kSlotsPerBlock;  // slots of the newest block handed out
  size_t blocks_ = 0;
  FreeSlot* free_ = nullptr;
  uint32_t live_ = 0;
};

// The process-wide pool the particles come from.
DebrisPool& debrisPool();
