#include "game/collections/collection_book.h"

#include <utility>

#include "game/collections/standard_pages.h"

namespace stats {

std::vector<std::unique_ptr<Collection>> initCollections(const StatsStore& store, CollectionSources sources) {
  std::vector<std::unique_ptr<Collection>> pages;
  pages.push_back(std::make_unique<TreasuresCollection>(store));
  pages.push_back(std::make_unique<FancyEquipCollection>(store, "Fancy Hats", 3739, 10));
  pages.push_back(std::make_unique<FancyEquipCollection>(store, "Fancy Shirts", 3218, 11));
  pages.push_back(std::make_unique<FancyEquipCollection>(store, "Fancy Pants", 2134, 12));
  pages.push_back(std::make_unique<FancyEquipCollection>(store, "Fancy Shoes", 3417, 13));
  pages.push_back(std::make_unique<BlocksCollection>(store));
  pages.push_back(std::make_unique<PlantsCollection>(store, std::move(sources.plants)));
  pages.push_back(std::make_unique<FruitCollection>(store, std::move(sources.fruits)));
  pages.push_back(std::make_unique<FishCollection>(store, std::move(sources.catches)));
  pages.push_back(std::make_unique<CookingCollection>(store));
  pages.push_back(std::make_unique<PocketPetsCollection>(store, std::move(sources.pets)));
  return pages;
}

}  // namespace stats
