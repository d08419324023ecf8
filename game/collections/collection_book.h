#pragma once
// The collection book's pages in the order the book shows them: treasures, the four fancy
// clothes, blocks, plants, fruits, fishes, cooking and pets. The rows that come from world and
// rules tables (plants, fruit, the catch table, the stable's pet items) are handed in. Built once
// at start-up; main thread only.

#include <memory>
#include <vector>

#include "game/collections/collection.h"
#include "game/collections/table_pages.h"

namespace stats {

struct CollectionSources {
  std::vector<PlacedEntry> plants;   // per plant row: its first id and its seed block
  std::vector<uint16_t> fruits;      // the fruit table's fruit ids
  std::vector<uint16_t> catches;     // the catch table's item ids, row by row
  std::vector<uint16_t> pets;        // the stable table's item column
};

std::vector<std::unique_ptr<Collection>> initCollections(const StatsStore& store, CollectionSources sources);

}  // namespace stats
