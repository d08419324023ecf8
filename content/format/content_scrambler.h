#pragma once
// The two repeating XOR keys of "data.dat". XOR is its own inverse, so the same operation
// scrambles (compiler) and unscrambles (loader). The positions carry over between calls, making
// the file one keystream of period 330 whatever the sizes of the individual reads.

#include <array>
#include <cstddef>
#include <cstdint>

namespace content {

constexpr size_t kKey22Size = 22;
constexpr size_t kKey30Size = 30;
extern const std::array<uint8_t, kKey22Size> kKey22;
extern const std::array<uint8_t, kKey30Size> kKey30;

class ContentScrambler {
 public:
  void reset() { p22_ = p30_ = 0; }
  void apply(uint8_t* bytes, size_t length);

 private:
  size_t p22_ = 0;
  size_t p30_ = 0;
};

}  // namespace content
