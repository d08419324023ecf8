#include "engine/base/main_thread.h"

#include <atomic>
#include <thread>

namespace engine {

namespace {

std::atomic<std::thread::id>& mainThreadId() {
  static std::atomic<std::thread::id> id{};
  return id;
}

std::atomic<bool>& marked() {
  static std::atomic<bool> flag{false};
  return flag;
}

}  // namespace

void markMainThread() {
  bool expected = false;
  if (marked().compare_exchange_strong(expected, true)) mainThreadId().store(std::this_thread::get_id());
}

bool isMainThread() {
  const std::thread::id self = std::this_thread::get_id();
  std::thread::id none{};
  mainThreadId().compare_exchange_strong(none, self);  // the first to ask, when none was marked
  return mainThreadId().load() == self;
}

}  // namespace engine
