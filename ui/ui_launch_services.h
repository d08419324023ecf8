#pragma once
// The interface's side of the launch: creates the views, binds them to the game played, hands the
// book its pages, reports the current view, refreshes the inventory, shows the pause view and lays
// the views out again for a new window size; the application calls these directly. It is also the main layer's
// `MainLayerViews`: it puts the start view on a main layer and takes the views off one that goes.

#include "ui/views/book_collections.h"
#include "ui/views/view_id.h"
#include "view/main_layer_views.h"

class GameInterface;
class MainLayer;
class LogicCells;
class LogicEntities;
class StatsStore;
class SwingRules;
struct BookEntry;
struct RunningWorld;

class UiLaunchServices final : public MainLayerViews {
 public:
  // Creates the fifteen views, bound to the game bound last, and applies the disableMouseWheel
  // option to their controls.
  void createViews();
  // The views play this game, its rules, running world and statistics (null: none) from now on;
  // views created later too.
  // A game is bound before the launch creates the views, and another replaces it as the program
  // hosts or joins a game and comes back.
  void bindGame(GameInterface& game, LogicCells& cells, LogicEntities& entities, SwingRules& swing,
                RunningWorld& running, const StatsStore* stats = nullptr);
  // The views let go of the game, when it is still the bound one.
  void unbindGame(const GameInterface& game);
  // The range of book entries (from the language texts) the craft book pages through.
  void setBookPages(const BookEntry* begin, const BookEntry* end);
  // The collection book's pages, which the game's launch owns and built.
  void setCollectionPages(const BookCollections::Pages* pages);
  ViewId currentView() const;
  // Rebuilds the inventory view for its mode and hides its drop marker.
  void refreshInventory();
  // Unwinds the view stack and makes the pause view current.
  void showPauseView();
  void showStartView(MainLayer* layer) override;
  void detachLayer(MainLayer* layer) override;
  // The main layer the views draw on; null while there is none.
  MainLayer* layer() const { return layer_; }
  // The window changed size and the screen layout follows it: every view (the HUD with the main
  // view) places its nodes again.
  void layOutViews();

 private:
  void bindViews();

  GameInterface* game_ = nullptr;
  LogicCells* cells_ = nullptr;
  LogicEntities* entities_ = nullptr;
  SwingRules* swing_ = nullptr;
  RunningWorld* running_ = nullptr;
  const StatsStore* stats_ = nullptr;
  MainLayer* layer_ = nullptr;
};
