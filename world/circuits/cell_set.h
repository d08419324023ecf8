#pragma once
// A set of cells for the circuit simulation's hot sets (dirty, redrive, visited, changed): open
// addressing over cell pointers, hashed with 64-bit FNV-1a over the pointer's bytes, plus the list
// of members in insertion order. Members are walked in that order, and clearing touches only the
// slots in use, so a set that is filled and emptied thousands of times a step costs what it
// holds, not what it once held. Not thread-safe; the simulation uses it on the main thread.

#include <cstddef>
#include <cstdint>
#include <vector>

class MapBlock;

class CellSet {
 public:
  // True when the cell was not yet a member.
  bool insert(MapBlock* cell);
  // The cell's place in `members()`, inserting it when new (`fresh` tells which).
  size_t placeOf(MapBlock* cell, bool& fresh);
  bool contains(const MapBlock* cell) const;
  void erase(const MapBlock* cell);
  void clear();
  bool empty() const { return members_.empty(); }
  size_t size() const { return members_.size(); }
  // Members in insertion order (erased members are gone from it).
  const std::vector<MapBlock*>& members() const { return members_; }
  // Moves the members into `out` (replacing its contents) and empties the set.
  void takeInto(std::vector<MapBlock*>& out);

 private:
  size_t slotOf(const MapBlock* cell) const;
  void grow();
  void rebuild();

  std::vector<MapBlock*> slots_;  // null = free; capacity a power of two
  std::vector<uint32_t> places_;  // for each used slot, its member's place
  std::vector<MapBlock*> members_;
  std::vector<uint32_t> memberSlots_;  // for each member, its slot
};
