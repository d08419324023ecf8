#pragma once
// The collection pages whose entries are table rows rather than bare item ids: blocks (each
// block item with the block it places), plants (each plant row with its seed block) and fish
// (each row of the catch table, kept as it is, so two rows of one fish are both shown). The
// plant and catch rows come from their tables through the caller. Main thread only.

#include <vector>

#include "game/collections/collection.h"

namespace stats {

// An item and the block whose placing counts for it.
struct PlacedEntry {
  uint16_t item = 0;
  uint16_t block = 0;
  bool operator==(const PlacedEntry&) const = default;
};

// A page of items marked by how often their block was placed.
class PlacedCollection : public Collection {
 public:
  PlacedCollection(const StatsStore& store, std::string title, uint16_t iconItem, const char* verb);
  size_t count() const override { return entries_.size(); }
  uint16_t iconNode(size_t i) const override { return entries_.at(i).item; }
  std::string tooltip(size_t i) const override;
  bool discovered(size_t i) const override;

 protected:
  std::vector<PlacedEntry> entries_;

 private:
  const char* verb_;
};

class BlocksCollection : public PlacedCollection {
 public:
  explicit BlocksCollection(const StatsStore& store);
  void rebuild() override;
};

// One plant row: the item the row is named by and its seed block.
class PlantsCollection : public PlacedCollection {
 public:
  PlantsCollection(const StatsStore& store, std::vector<PlacedEntry> plantRows);
  void rebuild() override;

 private:
  std::vector<PlacedEntry> rows_;
};

class FishCollection : public Collection {
 public:
  FishCollection(const StatsStore& store, std::vector<uint16_t> catchItems);
  void rebuild() override {}
  size_t count() const override { return fish_.size(); }
  uint16_t iconNode(size_t i) const override { return fish_.at(i); }
  std::string tooltip(size_t i) const override;
  bool discovered(size_t i) const override;

 private:
  std::vector<uint16_t> fish_;
};

}  // namespace stats
