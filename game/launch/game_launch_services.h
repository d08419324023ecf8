#pragma once
// The game's side of the launch (`GameServices`): whether a game, its rules and the local player
// exist, the statistics store, the collection book, the local player's walking, and the hand-over
// of the game tables that the start-up read (the craft book entries and the catalogue's sources).
// The application registers one with setGameServices; it owns the collection book's pages.
//
// Main thread only.

#include <array>
#include <memory>
#include <vector>

#include "content/launch/game_services.h"
#include "content/tables/game_tables.h"
#include "game/catalogue/item_catalogue.h"
#include "game/collections/collection_book.h"
#include "game/crafting/craft_book.h"

class GameLaunchServices final : public GameServices {
 public:
  bool hasRunningGame() const override;
  bool hasCurrentLogic() const override;
  bool hasLocalPlayer() const override;
  void clearLocalPlayer() override;
  void clearStatistics() override;
  void rebuildCollections() override;
  void stopLocalPlayerMoving() override;
  void installGameTables() override;

  const std::vector<std::unique_ptr<stats::Collection>>& collections() const { return collections_; }

 private:
  std::vector<std::unique_ptr<stats::Collection>> collections_;
};

// The installed game tables' craft book entries and catalogue sources, in the game's own rows.
std::vector<CraftBookEntry> craftBookEntriesFrom(const GameTables& tables);
std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount> catalogueSourcesFrom(
    const GameTables& tables);
