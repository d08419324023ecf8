#pragma once
// The endpoint's receive queue: transport threads push whole messages, the game thread drains
// them once a frame. Two queues and one mutex: a push appends to the write queue under the mutex;
// the drain swaps the write and read queues under the mutex, then handles the read queue without
// it, so the game thread holds the lock for a constant time however many messages came.
//
// The count of waiting messages is atomic, so a drain with nothing waiting costs no lock and
// never reads the queue that a transport thread is writing. The queues keep their capacity, so
// after the first frames a message shorter than the inline store costs no allocation.
//
// Threads: push from any thread; drain, pending and clear on the game thread only.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "net/transports/net_message.h"

namespace kel {

template <size_t InlineBytes>
class NetAsyncBuffer {
 public:
  using Message = NetMessageOf<InlineBytes>;

  NetAsyncBuffer() = default;
  virtual ~NetAsyncBuffer() = default;
  NetAsyncBuffer(const NetAsyncBuffer&) = delete;
  NetAsyncBuffer& operator=(const NetAsyncBuffer&) = delete;

  // Copies the bytes; a message of any length is kept.
  void push(const uint8_t* data, uint32_t length, uint8_t peer) {
    std::lock_guard<std::mutex> lock(mutex_);
    write_->emplace_back(data, length, peer);
    waiting_.store(write_->size(), std::memory_order_release);
  }

  // Hands every waiting message, oldest first, to `handle(const Message&)`, which returns false
  // to stop the drain; the messages behind the one it stopped at stay unhandled in the read queue.
  // Returns the number of messages handled.
  template <class Handler>
  size_t drain(Handler&& handle) {
    if (read_->size() == readFront_ && !swap()) return 0;
    size_t handled = 0;
    while (readFront_ < read_->size()) {
      const Message& message = (*read_)[readFront_];
      ++handled;
      if (!handle(message)) return handled;
      ++readFront_;
    }
    read_->clear();  // frees the heap copies, keeps the capacity
    readFront_ = 0;
    return handled;
  }

  // Messages pushed and not yet taken by a drain.
  size_t waiting() const { return waiting_.load(std::memory_order_acquire); }

 private:
  // Takes the write queue as the read queue; false when nothing waits (no lock taken then).
  bool swap() {
    if (waiting() == 0) return false;
    read_->clear();
    readFront_ = 0;
    std::lock_guard<std::mutex> lock(mutex_);
    std::swap(write_, read_);
    waiting_.store(0, std::memory_order_release);
    return true;
  }

  std::vector<Message> queueA_;
  std::vector<Message> queueB_;
  std::vector<Message>* write_ = &queueA_;  // under mutex_
  std::vector<Message>* read_ = &queueB_;   // game thread only
  size_t readFront_ = 0;                    // game thread only
  std::atomic<size_t> waiting_{0};
  std::mutex mutex_;
};

}  // namespace kel
