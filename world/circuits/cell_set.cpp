#include "world/circuits/cell_set.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kFirstCapacity = 64;

uint64_t fnv1a(const MapBlock* cell) {
  unsigned char bytes[sizeof(cell)];
  std::memcpy(bytes, &cell, sizeof(cell));
  uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char b : bytes) {
    hash ^= b;
    hash *= 0x100000001b3ull;
  }
  // Multiplying carries only upwards, so the low bits of the hash see only the pointer's low bits,
  // which alignment keeps constant; the high half is folded down before the slot is taken.
  return hash ^ (hash >> 29);
}

}  // namespace

// The slot holding the cell, or the free slot where it would go.
size_t CellSet::slotOf(const MapBlock* cell) const {
  const size_t mask = slots_.size() - 1;
  size_t slot = static_cast<size_t>(fnv1a(cell)) & mask;
  while (slots_[slot] != nullptr && slots_[slot] != cell) slot = (slot + 1) & mask;
  return slot;
}

void CellSet::grow() {
  slots_.assign(slots_.empty() ? kFirstCapacity : slots_.size() * 2, nullptr);
  places_.assign(slots_.size(), 0);
  rebuild();
}

void CellSet::rebuild() {
  memberSlots_.resize(members_.size());
  for (uint32_t place = 0; place < members_.size(); ++place) {
    const size_t slot = slotOf(members_[place]);
    slots_[slot] = members_[place];
    places_[slot] = place;
    memberSlots_[place] = static_cast<uint32_t>(slot);
  }
}

size_t CellSet::placeOf(MapBlock* cell, bool& fresh) {
  if ((members_.size() + 1) * 2 > slots_.size()) grow();
  const size_t slot = slotOf(cell);
  fresh = slots_[slot] == nullptr;
  if (fresh) {
    slots_[slot] = cell;
    places_[slot] = static_cast<uint32_t>(members_.size());
    members_.push_back(cell);
    memberSlots_.push_back(static_cast<uint32_t>(slot));
  }
  return places_[slot];
}

bool CellSet::insert(MapBlock* cell) {
  bool fresh = false;
  placeOf(cell, fresh);
  return fresh;
}

bool CellSet::contains(const MapBlock* cell) const {
  return !slots_.empty() && slots_[slotOf(cell)] != nullptr;
}

void CellSet::erase(const MapBlock* cell) {
  if (!contains(cell)) return;
  members_.erase(std::find(members_.begin(), members_.end(), cell));
  // Rebuilding keeps the probe chains whole; erasing is rare (one redrive source per withdrawal).
  std::fill(slots_.begin(), slots_.end(), nullptr);
  rebuild();
}

void CellSet::clear() {
  if (members_.size() * 8 < slots_.size()) {
    for (uint32_t slot : memberSlots_) slots_[slot] = nullptr;
  } else {
    std::fill(slots_.begin(), slots_.end(), nullptr);
  }
  members_.clear();
  memberSlots_.clear();
}

void CellSet::takeInto(std::vector<MapBlock*>& out) {
  out.assign(members_.begin(), members_.end());
  clear();
}
