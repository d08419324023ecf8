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

// Both keys advance together, so their positions are one position in the 330-byte period
// (p22 = position mod 22, p30 = position mod 30), and the two keys XORed together form one
// repeating keystream that is applied a run of bytes at a time.
constexpr size_t kKeystreamPeriod = 330;

class ContentScrambler {
 public:
  void reset() { position_ = 0; }
  void apply(uint8_t* bytes, size_t length);

 private:
  size_t position_ = 0;
};

}  // namespace content
