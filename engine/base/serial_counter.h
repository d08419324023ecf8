#pragma once
// Numbers handed out one each, from any thread, never 0 (0 reads as "none"): the ids that checked
// references keep (a block entity's handle, a player's id), so a kept id is never given to a
// second object of its kind while the process runs (2^32 - 1 of them before the count wraps).

#include <atomic>
#include <cstdint>

namespace engine {

class SerialCounter {
 public:
  uint32_t next() {
    uint32_t serial = last_.fetch_add(1) + 1;
    while (serial == 0) serial = last_.fetch_add(1) + 1;
    return serial;
  }

 private:
  std::atomic<uint32_t> last_{0};
};

}  // namespace engine
