#pragma once
// The last bytes sent to each uniform location of one program, so an unchanged value costs no
// GL call. Checked for every built-in uniform of every material change, so the usual small
// locations are found by index; a driver's far-out location still works, through a map.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace engine {

class UniformValueCache {
 public:
  // Stores the bytes as the location's value; true when they differ from what it held (so GL
  // must be told), false for a negative location or an unchanged value.
  bool update(int32_t location, const void* data, size_t size);
  void clear();

 private:
  std::vector<uint8_t>& slot(int32_t location);

  std::vector<std::vector<uint8_t>> byLocation_;
  std::unordered_map<int32_t, std::vector<uint8_t>> farLocations_;
};

}  // namespace engine
