#pragma once
// The count of live particles: the presets that respect the limit make nothing while
// `kLiveLimit` are alive. The particles themselves come from the general heap, where the
// sanitizers see a leaked or a freed one.
//
// Main thread only; nothing here is guarded.

#include <cstdint>

class DebrisCount {
 public:
  static constexpr uint32_t kLiveLimit = 1024;

  uint32_t live() const { return live_; }
  void countBorn() { ++live_; }
  void countGone() {
    if (live_ > 0) --live_;
  }
  bool full() const { return live_ >= kLiveLimit; }

 private:
  uint32_t live_ = 0;
};

// The process-wide count the particles keep.
DebrisCount& debrisCount();
