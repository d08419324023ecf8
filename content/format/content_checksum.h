#pragma once
// 32-bit FNV-1 over the unscrambled bytes of "data.dat" (the stored checksum excluded).

#include <cstddef>
#include <cstdint>

namespace content {

constexpr uint32_t kFnvOffsetBasis = 0x811C9DC5u;
constexpr uint32_t kFnvPrime = 16777619u;

class ContentChecksum {
 public:
  void reset() { hash_ = kFnvOffsetBasis; }
  void add(const uint8_t* bytes, size_t length) {
    for (size_t i = 0; i < length; ++i) hash_ = (hash_ * kFnvPrime) ^ bytes[i];
  }
  uint32_t value() const { return hash_; }

 private:
  uint32_t hash_ = kFnvOffsetBasis;
};

}  // namespace content
