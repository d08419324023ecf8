#include "engine/base/thread_start.h"

#include <signal.h>

#include <cstddef>

namespace engine {

namespace {

// Room for the crash reporter's handler: a backtrace and the report's fixed buffers.
constexpr size_t kSignalStackBytes = 64 * 1024;

}  // namespace

struct SignalStack::Previous {
  stack_t stack{};
};

SignalStack::SignalStack()
    : stack_(std::make_unique<char[]>(kSignalStackBytes)), previous_(std::make_unique<Previous>()) {
  stack_t own{};
  own.ss_sp = stack_.get();
  own.ss_size = kSignalStackBytes;
  installed_ = sigaltstack(&own, &previous_->stack) == 0;
}

// The stack is freed only once the thread no longer names it: the one it had before (or none)
// comes back first.
SignalStack::~SignalStack() {
  if (installed_) sigaltstack(&previous_->stack, nullptr);
}

}  // namespace engine
