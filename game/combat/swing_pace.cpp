#include "game/combat/swing_pace.h"

#include <algorithm>

#include "content/items/item.h"

namespace swing_pace {

float secondsOf(const Item* item) {
  if (item == nullptr || item->isNone()) return kDefault;
  return std::clamp(item->useInterval(nullptr), kFastest, kSlowest);
}

}  // namespace swing_pace
