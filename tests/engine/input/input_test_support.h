#pragma once
// Shared helpers of the input tests: listeners held the way their owners hold them, and a
// dispatcher that starts enabled.

#include <gtest/gtest.h>

#include "engine/base/ref.h"
#include "engine/input/event_dispatcher.h"

namespace inputtest {

// Holds one reference to a freshly created (autoreleased) listener, as an owner does.
template <typename Listener>
class Held {
 public:
  Held() : listener_(Listener::create()) { listener_->retain(); }
  ~Held() { listener_->release(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Listener* operator->() const { return listener_; }
  Listener* get() const { return listener_; }

 private:
  Listener* listener_;
};

class DispatcherTest : public testing::Test {
 protected:
  void SetUp() override { dispatcher_->setEnabled(true); }
  void TearDown() override {
    engine::safeRelease(dispatcher_);
    engine::PoolManager::getCurrentPool()->clear();
  }
  engine::EventDispatcher* dispatcher_ = new engine::EventDispatcher();
};

}  // namespace inputtest
