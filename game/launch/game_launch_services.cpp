#include "game/launch/game_launch_services.h"

#include <typeinfo>

#include "content/loader/game_tables_loader.h"
#include "content/tables/fruit_table.h"
#include "content/tables/plant_table.h"
#include "game/fishing/catch_table.h"
#include "game/player/player_desktop.h"
#include "game/session/game.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "world/rules/logic.h"

namespace {

// The rows of the collection pages that come from the world's and the rules' fixed tables.
stats::CollectionSources collectionSources() {
  stats::CollectionSources sources;
  for (const PlantRow& row : plantTable()) {
    if (row.item != 0) sources.plants.push_back({static_cast<uint16_t>(row.item), row.block0});
  }
  for (const FruitRow& row : fruitTable()) sources.fruits.push_back(row.fruit);
  for (const CatchRow& row : catchTable()) sources.catches.push_back(row.rule.itemId);
  for (const MobItemRow& row : gameTables().mobItems.rows()) sources.pets.push_back(row.item);
  return sources;
}

}  // namespace

bool GameLaunchServices::hasRunningGame() const {
  const auto* game = dynamic_cast<const Game*>(&currentGame());
  return game != nullptr && game->isStarted();
}

// The slot answers with the null form while no rules are set; real rules are of another type. It
// asks which whole the slot holds, not any of its roles.
bool GameLaunchServices::hasCurrentLogic() const {
  const Logic& rules = currentLogic();
  return typeid(rules) != typeid(NullLogic);
}

bool GameLaunchServices::hasLocalPlayer() const { return runningWorld().player != nullptr; }

void GameLaunchServices::clearLocalPlayer() { runningWorld().player.reset(); }

void GameLaunchServices::clearStatistics() { statsStore().clearStatistics(); }

void GameLaunchServices::rebuildCollections() {
  collections_ = stats::initCollections(statsStore(), collectionSources());
}

void GameLaunchServices::stopLocalPlayerMoving() {
  if (PlayerDesktopLocal* player = runningWorld().player.get()) player->releaseAllKeys();
}

void GameLaunchServices::installGameTables() {
  const GameTables& tables = gameTables();
  installCraftBookEntries(craftBookEntriesFrom(tables));
}

std::vector<CraftBookEntry> craftBookEntriesFrom(const GameTables& tables) {
  std::vector<CraftBookEntry> entries;
  entries.reserve(tables.book.size());
  for (const CraftBookRow& row : tables.book) entries.push_back({row.name, row.listKind, row.detail});
  return entries;
}

std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount> catalogueSourcesFrom(
    const GameTables& tables) {
  std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount> sources;
  for (size_t c = 0; c < sources.size(); ++c) {
    for (const CatalogueRow& row : tables.catalogue[c]) sources[c].push_back({row.id, row.mask});
  }
  return sources;
}
