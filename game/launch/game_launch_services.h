#pragma once
// The game's side of the launch: whether a game, its rules and the local player
// exist, the statistics store, the collection book, the local player's walking, and the hand-over
// of the game tables that the start-up read (the craft book entries and the catalogue's sources).
// The application calls it directly; it owns the collection book's pages.
//
// Main thread only.

#include <array>
#include <memory>
#include <vector>

#include "content/tables/game_tables.h"
#include "game/catalogue/item_catalogue.h"
#include "game/collections/collection_book.h"
#include "game/crafting/craft_book.h"

class GameLaunchServices final {
 public:
  // A current game exists and is marked as running.
  bool hasRunningGame() const;
  // Current rules exist.
  bool hasCurrentLogic() const;
  bool hasLocalPlayer() const;
  // Sets the process's local player to none.
  void clearLocalPlayer();
  // Resets the statistics store: every counter zero, every category table empty.
  void clearStatistics();
  // Refills each page of the collection book from the content tables, in table order.
  void rebuildCollections();
  // Ends the local player's current walking movement.
  void stopLocalPlayerMoving();
  // Hands the installed game tables (content/loader/game_tables_loader.h) to the game: the craft
  // book entries and the catalogue categories' sources.
  void installGameTables();

  const std::vector<std::unique_ptr<stats::Collection>>& collections() const { return collections_; }

 private:
  std::vector<std::unique_ptr<stats::Collection>> collections_;
};

// The installed game tables' craft book entries and catalogue sources, in the game's own rows.
std::vector<CraftBookEntry> craftBookEntriesFrom(const GameTables& tables);
std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount> catalogueSourcesFrom(
    const GameTables& tables);
