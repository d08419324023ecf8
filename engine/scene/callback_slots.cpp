#include "engine/scene/callback_slots.h"

#include <utility>

namespace engine {

void CallbackSlots::append(SchedulerCallback callback) {
  if ((size_ >> kBlockBits) == blocks_.size()) {
    blocks_.push_back(std::make_unique<SchedulerCallback[]>(kBlockSize));
  }
  const auto slot = static_cast<uint32_t>(size_++);
  (*this)[slot] = std::move(callback);
}

}  // namespace engine
