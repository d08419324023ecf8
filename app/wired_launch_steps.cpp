#include "app/wired_launch_steps.h"

#include "entities/effects/entity_effect_registry.h"
#include "game/launch/game_launch_services.h"
#include "menus/start_view.h"
#include "saves/launch/local_saves.h"
#include "ui/ui_launch_services.h"
#include "ui/views/game_views.h"
#include "view/world_view_launch_services.h"
#include "world/world_launch_services.h"

void WiredLaunchSteps::clearCurrentWorld() { parts_.world.clearCurrentWorld(); }
void WiredLaunchSteps::updateVisibleCellCounts() { parts_.world.updateVisibleCellCounts(); }

void WiredLaunchSteps::registerEntityEffects() { parts_.entityEffects.registerEntityEffects(); }

bool WiredLaunchSteps::hasRunningGame() const { return parts_.game.hasRunningGame(); }
bool WiredLaunchSteps::hasCurrentLogic() const { return parts_.game.hasCurrentLogic(); }
bool WiredLaunchSteps::hasLocalPlayer() const { return parts_.game.hasLocalPlayer(); }
void WiredLaunchSteps::clearLocalPlayer() { parts_.game.clearLocalPlayer(); }
void WiredLaunchSteps::clearStatistics() { parts_.game.clearStatistics(); }
void WiredLaunchSteps::rebuildCollections() {
  parts_.game.rebuildCollections();
  // The book shows the pages the game just filled.
  parts_.interface.setCollectionPages(&parts_.game.collections());
}
void WiredLaunchSteps::stopLocalPlayerMoving() { parts_.game.stopLocalPlayerMoving(); }
void WiredLaunchSteps::installGameTables() { parts_.game.installGameTables(); }

void WiredLaunchSteps::saveWorld() { parts_.saves.saveWorld(); }
void WiredLaunchSteps::saveCharacter() { parts_.saves.saveCharacter(); }

engine::Node* WiredLaunchSteps::createMainLayer() { return parts_.worldView.createMainLayer(); }
kel::NextMusicScheduler* WiredLaunchSteps::nextMusicScheduler() { return parts_.worldView.nextMusicScheduler(); }
void WiredLaunchSteps::layOutWorldView() { parts_.worldView.layOutWorldView(); }

void WiredLaunchSteps::createViews() { parts_.interface.createViews(); }
void WiredLaunchSteps::setBookPages(const BookEntry* begin, const BookEntry* end) {
  parts_.interface.setBookPages(begin, end);
}
ViewId WiredLaunchSteps::currentView() const { return parts_.interface.currentView(); }
void WiredLaunchSteps::refreshInventory() { parts_.interface.refreshInventory(); }
void WiredLaunchSteps::showPauseView() { parts_.interface.showPauseView(); }
void WiredLaunchSteps::layOutViews() { parts_.interface.layOutViews(); }

void WiredLaunchSteps::joinStoreFrontHost(uint64_t hostId) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  if (auto* start = views->menuView<StartView>()) start->joinStoreFrontHost(hostId);
}
