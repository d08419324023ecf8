// The game's own creative catalogue (game.h).

#include "content/tables/game_tables.h"
#include "content/loader/game_tables_loader.h"
#include "game/catalogue/item_catalogue.h"
#include "game/inventory/inventory.h"
#include "game/launch/game_launch_services.h"
#include "game/player/player.h"
#include "game/session/game.h"

ItemCatalogue& Game::catalogue() {
  if (catalogue_ == nullptr) catalogue_ = std::make_shared<ItemCatalogue>();
  return *catalogue_;
}

void Game::enterCatalogue() {
  if (player_ == nullptr) return;
  catalogue().setSources(catalogueSourcesFrom(gameTables()), player_->unlockedPlanetMask());
  player_->inventory->setCatalogue(catalogue_.get());
}
