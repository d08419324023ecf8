#pragma once
// A copy of a block of memory as it stood at one instant, made afterwards on another thread.
//
// Starting one costs its owner almost nothing: the source is made read-only, chunk by chunk
// as the pages allow. Whoever finishes the copy (typically a worker) copies each chunk and makes
// it writable again; the owner writing into a chunk not yet copied copies that chunk first, in
// a fault handler, and goes on. So the destination holds the source as it was when the copy
// started, however the source changes meanwhile, and no one ever paused for the whole block.
//
// Only the thread that owns the source writes it; any thread may finish. A source is released
// (`finishCopiesOf`) before its memory is freed, and a copy started from memory an older copy
// still reads finishes the older one first. When the memory cannot be protected, `start`
// copies at once, which gives the same destination.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace engine {

class LazyCopy {
 public:
  // Copies `bytes` from `source` into `destination` (which must stay until the copy finished).
  static std::unique_ptr<LazyCopy> start(const void* source, void* destination, size_t bytes);
  LazyCopy(const LazyCopy&) = delete;
  LazyCopy& operator=(const LazyCopy&) = delete;
  // Finishes the copy first.
  ~LazyCopy();

  // Any thread: returns once the destination holds the whole copy.
  void finish();
  bool finished() const { return finished_.load(std::memory_order_acquire); }

  // Finishes every copy still reading from memory that overlaps [begin, begin + bytes).
  static void finishCopiesOf(const void* begin, size_t bytes);

  // The fault handler's part: copies the chunk holding `address` when it is one of this copy's
  // protected chunks (or, finished meanwhile, lets the write be retried); false when the address
  // is none of its business.
  bool copyChunkAt(uintptr_t address);

 private:
  LazyCopy(const uint8_t* source, uint8_t* destination, size_t bytes);
  bool protect();
  void copyChunk(size_t chunk);

  const uint8_t* source_;
  uint8_t* destination_;
  size_t bytes_;
  uintptr_t protectedBegin_ = 0;  // page aligned; the chunks cover [protectedBegin_, protectedEnd_)
  uintptr_t protectedEnd_ = 0;
  size_t chunks_ = 0;
  std::unique_ptr<std::atomic<uint8_t>[]> states_;  // per chunk: waiting, copying, copied
  std::atomic<bool> finished_{false};
};

}  // namespace engine
