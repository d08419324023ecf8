#pragma once
// The collection pages that list item ids: treasures found, fancy clothes worn, fruit gathered,
// dishes cooked and pocket pets worn. The fruit and pet pages take their ids from the fruit
// table and the stable table, which the caller hands in. Main thread only.

#include <vector>

#include "game/collections/standard_collection.h"

namespace stats {

class TreasuresCollection : public StandardCollection {
 public:
  explicit TreasuresCollection(const StatsStore& store);
  std::string tooltip(size_t i) const override;
  bool discovered(size_t i) const override;

 protected:
  void fill(std::vector<uint16_t>& ids) const override;
};

// Hats, shirts, pants or shoes (item kind 10-13) without equipment values: worn for looks only.
class FancyEquipCollection : public StandardCollection {
 public:
  FancyEquipCollection(const StatsStore& store, std::string title, uint16_t iconItem, uint8_t itemKind);
  std::string tooltip(size_t i) const override;
  bool discovered(size_t i) const override;

 protected:
  void fill(std::vector<uint16_t>& ids) const override;

 private:
  uint8_t itemKind_;
};

class FruitCollection : public StandardCollection {
 public:
  FruitCollection(const StatsStore& store, std::vector<uint16_t> fruitIds);
  std::string tooltip(size_t i) const override;
  bool discovered(size_t i) const override;

 protected:
  void fill(std::vector<uint16_t>& ids) const override;

 private:
  std::vector<uint16_t> fruitIds_;
};

// What the cooking pot and the cooking ware (stations 12 and 13) make.
class CookingCollection : public StandardCollection {
 public:
  explicit CookingCollection(const StatsStore& store);
  std::string tooltip(size_t i) const override;
  bool discovered(size_t i) const override;

 protected:
  void fill(std::vector<uint16_t>& ids) const override;
};

class PocketPetsCollection : public StandardCollection {
 public:
  PocketPetsCollection(const StatsStore& store, std::vector<uint16_t> petItems);
  std::string tooltip(size_t i) const override { return nameOf(idAt(i)); }
  bool discovered(size_t i) const override;

 protected:
  void fill(std::vector<uint16_t>& ids) const override;

 private:
  std::vector<uint16_t> petItems_;
};

}  // namespace stats
