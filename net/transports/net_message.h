#pragma once
// One received message as the receive queue holds it: the bytes, their length and the sender's
// peer id. Messages shorter than the inline store (most game messages) live inside it; longer
// ones get a heap copy of exactly their length, whose pointer the store holds instead.
//
// Move-only; the heap copy goes with the message.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace kel {

template <size_t InlineBytes>
class NetMessageOf {
  static_assert(InlineBytes >= sizeof(uint8_t*), "the store holds a heap pointer");

 public:
  NetMessageOf(const uint8_t* data, uint32_t length, uint8_t peer) : length_(length), peer_(peer) {
    if (isInline()) {
      if (length != 0) std::memcpy(store_.bytes, data, length);
    } else {
      store_.heap = new uint8_t[length];
      std::memcpy(store_.heap, data, length);
    }
  }
  ~NetMessageOf() { release(); }
  NetMessageOf(NetMessageOf&& other) noexcept { take(other); }
  NetMessageOf& operator=(NetMessageOf&& other) noexcept {
    if (this != &other) {
      release();
      take(other);
    }
    return *this;
  }
  NetMessageOf(const NetMessageOf&) = delete;
  NetMessageOf& operator=(const NetMessageOf&) = delete;

  const uint8_t* data() const { return isInline() ? store_.bytes : store_.heap; }
  uint32_t length() const { return length_; }
  uint8_t peer() const { return peer_; }
  bool isInline() const { return length_ < InlineBytes; }

 private:
  void release() {
    if (!isInline()) delete[] store_.heap;
    length_ = 0;
  }
  void take(NetMessageOf& other) {
    store_ = other.store_;
    length_ = other.length_;
    peer_ = other.peer_;
    other.length_ = 0;  // the heap copy, if any, is ours now
  }

  union Store {
    uint8_t bytes[InlineBytes];
    uint8_t* heap;
  } store_;
  uint32_t length_ = 0;
  uint8_t peer_ = 0;
};

using NetMessage = NetMessageOf<32>;

}  // namespace kel
