#include "game/catalogue/pinned_list.h"

#include <algorithm>

bool PinnedList::togglePinned(uint16_t id) {
  if (id == kFree) return false;  // the free-place marker is no item
  const auto listed = std::find(ids.begin(), ids.begin() + count, id);
  if (listed != ids.begin() + count) {
    *listed = kFree;
    --count;
  } else if (count < kPlaces) {
    ids[count++] = id;
  } else {
    return false;
  }
  std::sort(ids.begin(), ids.end());
  return true;
}

void PinnedList::clear() {
  ids.fill(kFree);
  count = 0;
}
