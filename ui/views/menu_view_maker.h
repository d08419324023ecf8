#pragma once
// What the interface needs from the menus, which sit above it: the views of the start and the wait
// view, made when the interface creates its fifteen. The application registers the menus' maker at
// launch; the null form makes none, and those views are then plain places on the stack.
//
// Main thread only.

#include <memory>

#include "engine/base/seam.h"
#include "ui/views/view_id.h"

class GameView;

class MenuViewMaker {
 public:
  virtual ~MenuViewMaker() = default;
  // The view for a menu's id; null for a view it does not make.
  virtual std::unique_ptr<GameView> makeView(ViewId id) = 0;
};

class NullMenuViewMaker final : public MenuViewMaker {
 public:
  std::unique_ptr<GameView> makeView(ViewId) override;
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<MenuViewMaker, NullMenuViewMaker>& menuViewMakerSeam();
MenuViewMaker& menuViewMaker();
void setMenuViewMaker(MenuViewMaker* maker);
