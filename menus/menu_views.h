#pragma once
// The views the menus add to the fifteen: the start view and the wait view. The application
// registers a `MenuViewFactory` as the interface's menu view maker before the views are created.

#include <memory>

#include "ui/views/game_views.h"
#include "ui/views/menu_view_maker.h"

std::unique_ptr<GameView> makeMenuView(ViewId id);

class MenuViewFactory final : public MenuViewMaker {
 public:
  std::unique_ptr<GameView> makeView(ViewId id) override;
};
