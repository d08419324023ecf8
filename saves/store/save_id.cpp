#include "saves/store/save_id.h"

#include <random>

SaveId makeRandomSaveId() {
  static std::random_device device;
  static std::mt19937 twister;
  twister.seed(device());
  uint32_t words[4];
  for (uint32_t& word : words) word = static_cast<uint32_t>(twister());
  // The last value drawn comes first, each little-endian, as saves always stored them.
  SaveId id{};
  for (size_t w = 0; w < 4; ++w) {
    for (size_t b = 0; b < 4; ++b) id[w * 4 + b] = static_cast<uint8_t>(words[3 - w] >> (8 * b));
  }
  return id;
}
