#pragma once
// A target's running actions, in the order they were added, as the action manager keeps them:
// the first in place (most targets run one action, and a frame's walk then reads nothing beside
// the target's entry), the rest in one array on the heap.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace engine {

class Action;

using RunningAction = Action*;

class RunningActions {
 public:
  RunningActions() = default;
  RunningActions(RunningActions&& other) noexcept { *this = std::move(other); }
  RunningActions& operator=(RunningActions&& other) noexcept;
  RunningActions(const RunningActions&) = delete;
  RunningActions& operator=(const RunningActions&) = delete;
  ~RunningActions() = default;

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  RunningAction& operator[](size_t i) { return i == 0 ? first_ : more_[i - 1]; }
  const RunningAction& operator[](size_t i) const { return i == 0 ? first_ : more_[i - 1]; }
  void push_back(const RunningAction& running);
  // Closes the gap: the actions after i move down by one, in order.
  void erase(size_t i);
  void clear() { size_ = 0; }

 private:
  RunningAction first_ = nullptr;
  std::unique_ptr<RunningAction[]> more_;  // the actions after the first
  uint32_t size_ = 0;
  uint32_t moreCapacity_ = 0;
};

}  // namespace engine
