#include "game/collections/table_pages.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "content/tables/content_tables.h"
#include "game/stats/stats_store.h"

namespace stats {

namespace {

constexpr uint8_t kBlockItemKind = 4;

// By block, then by item: items that place the same block stand together.
bool byBlock(const PlacedEntry& a, const PlacedEntry& b) {
  return a.block != b.block ? a.block < b.block : a.item < b.item;
}

}  // namespace

PlacedCollection::PlacedCollection(const StatsStore& store, std::string title, uint16_t iconItem, const char* verb)
    : Collection(store, std::move(title), iconItem), verb_(verb) {}

std::string PlacedCollection::tooltip(size_t i) const {
  const PlacedEntry& entry = entries_.at(i);
  return countedName(entry.item, verb_, countOf(stat_category::kPlaced, entry.block));
}

bool PlacedCollection::discovered(size_t i) const {
  return countOf(stat_category::kPlaced, entries_.at(i).block) > 0;
}

BlocksCollection::BlocksCollection(const StatsStore& store) : PlacedCollection(store, "Blocks", 2275, "placed") {}

void BlocksCollection::rebuild() {
  entries_.clear();
  for (uint16_t id = 0; id < content::kItemIdLimit; ++id) {
    const ItemDef* def = itemDefinitionById(id);
    if (def == nullptr || !def->defined || def->record.kind() != kBlockItemKind) continue;
    entries_.push_back({id, def->record.placesBlock()});
  }
  std::sort(entries_.begin(), entries_.end(), byBlock);
}

PlantsCollection::PlantsCollection(const StatsStore& store, std::vector<PlacedEntry> plantRows)
    : PlacedCollection(store, "Plants", 3522, "planted"), rows_(std::move(plantRows)) {}

void PlantsCollection::rebuild() {
  entries_.clear();
  std::copy_if(rows_.begin(), rows_.end(), std::back_inserter(entries_),
               [](const PlacedEntry& row) { return row.item != 0; });
  std::sort(entries_.begin(), entries_.end(),
            [](const PlacedEntry& a, const PlacedEntry& b) { return a.item < b.item; });
}

FishCollection::FishCollection(const StatsStore& store, std::vector<uint16_t> catchItems)
    : Collection(store, "Fishes", 959), fish_(std::move(catchItems)) {}

std::string FishCollection::tooltip(size_t i) const {
  return countedName(fish_.at(i), "caught", countOf(stat_category::kFishCaught, fish_.at(i)));
}

bool FishCollection::discovered(size_t i) const { return countOf(stat_category::kFishCaught, fish_.at(i)) > 0; }

}  // namespace stats
