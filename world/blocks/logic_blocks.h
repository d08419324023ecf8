#pragma once
// One of the world's lists of block entities of a kind: owned entities in the order they were
// made, found by their cell or resolved from a handle. Main thread only.

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "world/blocks/logic_block.h"

class MapBlock;

template <typename T>
class LogicBlocks {
 public:
  T& add(std::unique_ptr<T> entity) {
    entities_.push_back(std::move(entity));
    return *entities_.back();
  }
  T* findAt(const MapBlock& cell) const {
    for (const auto& entity : entities_) {
      if (&entity->cell() == &cell) return entity.get();
    }
    return nullptr;
  }
  // Hands the cell's entity to the caller and unlinks it; null when none.
  std::unique_ptr<T> takeAt(const MapBlock& cell) {
    auto found = std::find_if(entities_.begin(), entities_.end(),
                              [&](const auto& entity) { return &entity->cell() == &cell; });
    if (found == entities_.end()) return nullptr;
    std::unique_ptr<T> taken = std::move(*found);
    entities_.erase(found);
    return taken;
  }
  // The entity the handle names while it is in this list; null once it left (or for no handle).
  T* resolve(BlockEntityHandle handle) const {
    if (!handle) return nullptr;
    for (const auto& entity : entities_) {
      if (entity->handle() == handle) return entity.get();
    }
    return nullptr;
  }
  void clear() { entities_.clear(); }
  size_t size() const { return entities_.size(); }
  auto begin() const { return entities_.begin(); }
  auto end() const { return entities_.end(); }

 private:
  std::vector<std::unique_ptr<T>> entities_;
};
