#pragma once
// Every thread the program starts is started here, so that each one can report its own crash: a
// thread that overflows its stack has no stack left for the fatal-signal handler, which then runs
// on a stack of its own only where the thread installed one. The alternate signal stack is per
// thread, so each started thread installs one before its body runs and takes it down after.
// Any thread.

#include <memory>
#include <thread>
#include <utility>

namespace engine {

// The calling thread's alternate signal stack for as long as the object lives; the one it had
// before comes back after.
class SignalStack {
 public:
  SignalStack();
  ~SignalStack();
  SignalStack(const SignalStack&) = delete;
  SignalStack& operator=(const SignalStack&) = delete;

 private:
  struct Previous;
  std::unique_ptr<char[]> stack_;
  std::unique_ptr<Previous> previous_;
  bool installed_ = false;
};

// A thread running the body on its own alternate signal stack.
template <typename Body>
std::thread startThread(Body&& body) {
  return std::thread([body = std::forward<Body>(body)]() mutable {
    const SignalStack stack;
    body();
  });
}

}  // namespace engine
