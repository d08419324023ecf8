#include "game/collections/standard_collection.h"

#include <algorithm>

namespace stats {

void StandardCollection::rebuild() {
  ids_.clear();
  fill(ids_);
  std::sort(ids_.begin(), ids_.end());
  ids_.erase(std::unique(ids_.begin(), ids_.end()), ids_.end());
}

}  // namespace stats
