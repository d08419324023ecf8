#pragma once
// The fifteen views and the view stack. Exactly one view is current and the covered ones wait
// beneath it: a push pauses the current view and switches its controls off, then enters the new
// view and switches its controls on; a pop exits the current view and resumes the one beneath; a
// switch pops every view and then enters its target.

#include <array>
#include <memory>
#include <vector>

#include "ui/views/ui_session.h"
#include "ui/views/view_id.h"

class MainLayer;

class GameView;
class BookView;
class FishView;
class InventoryView;
class MapView;
class MainView;

class GameViews {
 public:
  // Makes the fifteen views, in ViewId order, none current.
  GameViews();
  ~GameViews();
  GameViews(const GameViews&) = delete;
  GameViews& operator=(const GameViews&) = delete;

  GameView& view(ViewId id);
  GameView* current() const { return current_; }
  ViewId currentId() const;
  // Bottom first; the current view is not among them.
  const std::vector<GameView*>& paused() const { return paused_; }

  // False, changing nothing, when the view is already on the stack.
  bool push(GameView& view);
  // False when no view is current.
  bool pop();
  void switchTo(GameView& view);

  // Every view draws on this layer from now on (null: none).
  void setLayer(MainLayer* layer);
  void setWheelEnabled(bool enabled);
  // The window changed size: every view lays itself out for it.
  void layOut();

  // Pops every view and makes the view current.
  void switchTo(ViewId id) { switchTo(view(id)); }
  // Every stacked view closes and the main view is current.
  void popToMainView() { switchTo(ViewId::Main); }
  // Pops every view; none is current afterwards.
  void clearViewStack();
  // Pushes the view over the current one (false when it is on the stack already).
  bool push(ViewId id) { return push(view(id)); }

  // The game every view plays; the program binds it as a game becomes the one played.
  UiSession& session() { return session_; }

  MainView& mainView();
  InventoryView& inventoryView();
  BookView& bookView();
  MapView& mapView();
  FishView& fishView();
  GameView& startView() { return view(ViewId::Start); }
  // A menu's view (Start, Wait) as the class the menus made it, `View::kId` naming which: the
  // menus' maker is the one maker of those views. Null when it made none (the interface alone
  // keeps a plain place on the stack). `View` must be complete where this is used.
  template <class View>
  View* menuView() {
    static_assert(isMenuView(View::kId), "only the menus' views are made outside the interface");
    return static_cast<View*>(menuMadeView(View::kId));
  }
  bool madeByMenus(ViewId id) const;

 private:
  // The menu's view of the id when the menus made it, else null.
  GameView* menuMadeView(ViewId id);
  bool isOnStack(const GameView& view) const;
  static void activate(GameView& view);
  static void deactivate(GameView& view);

  UiSession session_;  // first: the views read it until they are gone
  std::array<std::unique_ptr<GameView>, VIEW_COUNT> views_;
  std::array<bool, VIEW_COUNT> madeByMenus_{};
  GameView* current_ = nullptr;
  std::vector<GameView*> paused_;
};

// The process's views; null until createViews.
GameViews* gameViews();
// Creates the views (replacing any), applying the disableMouseWheel option to their controls.
void createViews();
// Destroys the views; the application's end and test fixtures call it.
void destroyViews();
// Unwinds the view stack and makes the pause view current; nothing without views.
void showPauseView();
