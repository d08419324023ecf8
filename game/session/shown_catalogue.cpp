// The catalogue the interface shows (item_catalogue.h): the running local player's game's, which
// its inventory reads, so the lists the interface chooses are the ones the slots show.

#include "game/catalogue/item_catalogue.h"
#include "game/player/player_desktop.h"
#include "game/session/running_world.h"

ItemCatalogue& itemCatalogue() {
  static ItemCatalogue none;
  PlayerDesktopLocal* player = runningWorld().player.get();
  ItemCatalogue* shown = player != nullptr ? player->inventory->catalogue() : nullptr;
  return shown != nullptr ? *shown : none;
}
