#pragma once
// The scheduler's timer callbacks, by slot, in blocks that never move once made: a callback that
// schedules more timers while it runs (adding slots) moves neither itself nor any other. Reaching
// a slot's callback takes a shift and a mask, which the timer pass does for every timer that
// fires. Main thread only, as the scheduler.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/scene/timer.h"

namespace engine {

class CallbackSlots {
 public:
  SchedulerCallback& operator[](uint32_t slot) {
    return blocks_[slot >> kBlockBits][slot & kBlockMask];
  }
  // Adds `callback` at slot size().
  void append(SchedulerCallback callback);
  size_t size() const { return size_; }

 private:
  static constexpr uint32_t kBlockBits = 6;
  static constexpr uint32_t kBlockSize = 1u << kBlockBits;
  static constexpr uint32_t kBlockMask = kBlockSize - 1;

  std::vector<std::unique_ptr<SchedulerCallback[]>> blocks_;
  size_t size_ = 0;
};

}  // namespace engine
