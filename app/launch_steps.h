#pragma once
// What the application object asks of the libraries above the floor while it launches, follows a
// new window size, goes to the background and terminates. The program's form
// (`WiredLaunchSteps`) calls the world, the entities, the game, the saves, the world view and the
// interface directly; a test hands the application a recording form. No process-wide slot: the
// application is given its steps when it is made.
//
// Main thread only.

#include <cstdint>

#include "ui/views/view_id.h"

namespace engine {
class Node;
}
namespace kel {
class NextMusicScheduler;
}
struct BookEntry;

class LaunchSteps {
 public:
  virtual ~LaunchSteps() = default;

  // ---- The world ----
  // Sets the process's current world to none.
  virtual void clearCurrentWorld() = 0;
  // Recomputes the visible columns and rows from the screen layout and the viewportScale option.
  virtual void updateVisibleCellCounts() = 0;

  // ---- The entities ----
  // Fills the tables' effect slots; called once, after the content and language files are loaded.
  virtual void registerEntityEffects() = 0;

  // ---- The game ----
  // A current game exists and is marked as running.
  virtual bool hasRunningGame() const = 0;
  virtual bool hasCurrentLogic() const = 0;
  virtual bool hasLocalPlayer() const = 0;
  virtual void clearLocalPlayer() = 0;
  virtual void clearStatistics() = 0;
  virtual void rebuildCollections() = 0;
  virtual void stopLocalPlayerMoving() = 0;
  // Hands the installed game tables to the game: the craft book entries and the catalogue sources.
  virtual void installGameTables() = 0;

  // ---- The saves (the terminate step) ----
  virtual void saveWorld() = 0;
  virtual void saveCharacter() = 0;

  // ---- The world view ----
  // A new autoreleased main layer, its init done (the start view is shown); never null.
  virtual engine::Node* createMainLayer() = 0;
  // Null: the audio engine keeps its own null scheduler.
  virtual kel::NextMusicScheduler* nextMusicScheduler() = 0;
  virtual void layOutWorldView() = 0;

  // ---- The interface ----
  virtual void createViews() = 0;
  virtual void setBookPages(const BookEntry* begin, const BookEntry* end) = 0;
  virtual ViewId currentView() const = 0;
  virtual void refreshInventory() = 0;
  virtual void showPauseView() = 0;
  virtual void layOutViews() = 0;

  // ---- The menus ----
  // The current character joins the store-front host's game at once (the start view shows why when
  // it cannot).
  virtual void joinStoreFrontHost(uint64_t hostId) = 0;
};
