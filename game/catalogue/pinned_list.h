#pragma once
// The catalogue's own list of up to 36 pinned item ids, kept sorted ascending with the free
// places (0xFFFF) last. Main thread only.

#include <array>
#include <cstddef>
#include <cstdint>

struct PinnedList {
  static constexpr size_t kPlaces = 36;
  static constexpr uint16_t kFree = 0xFFFF;

  PinnedList() { ids.fill(kFree); }

  // Unpins a listed id, else pins it; false when all 36 places are taken.
  bool togglePinned(uint16_t id);
  // Frees every place.
  void clear();

  std::array<uint16_t, kPlaces> ids;
  uint32_t count = 0;
};
