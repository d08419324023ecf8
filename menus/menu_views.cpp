#include "menus/menu_views.h"

#include "menus/start_view.h"
#include "menus/wait_view.h"

std::unique_ptr<GameView> makeMenuView(ViewId id) {
  switch (id) {
    case ViewId::Start: return std::make_unique<StartView>();
    case ViewId::Wait: return std::make_unique<WaitView>();
    default: return nullptr;
  }
}

std::unique_ptr<GameView> MenuViewFactory::makeView(ViewId id) { return makeMenuView(id); }
