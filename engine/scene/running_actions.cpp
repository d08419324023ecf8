#include "engine/scene/running_actions.h"

#include <algorithm>
#include <utility>

namespace engine {

RunningActions& RunningActions::operator=(RunningActions&& other) noexcept {
  first_ = other.first_;
  more_ = std::move(other.more_);
  size_ = std::exchange(other.size_, 0);
  moreCapacity_ = std::exchange(other.moreCapacity_, 0);
  return *this;
}

void RunningActions::push_back(const RunningAction& running) {
  if (size_ == 0) {
    first_ = running;
    size_ = 1;
    return;
  }
  if (size_ - 1 == moreCapacity_) {
    // Doubled when full, from the four places a target's array starts with.
    const uint32_t capacity = moreCapacity_ == 0 ? 3 : moreCapacity_ * 2 + 1;
    auto grown = std::make_unique<RunningAction[]>(capacity);
    std::copy(more_.get(), more_.get() + moreCapacity_, grown.get());
    more_ = std::move(grown);
    moreCapacity_ = capacity;
  }
  more_[size_ - 1] = running;
  ++size_;
}

void RunningActions::erase(size_t i) {
  if (i == 0 && size_ > 1) first_ = more_[0];
  const size_t from = i == 0 ? 0 : i - 1;  // the first entry of more_ that moves down
  if (size_ > 1) std::copy(more_.get() + from + 1, more_.get() + size_ - 1, more_.get() + from);
  --size_;
}

}  // namespace engine
