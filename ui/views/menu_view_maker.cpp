#include "ui/views/menu_view_maker.h"

#include "ui/views/game_view.h"

std::unique_ptr<GameView> NullMenuViewMaker::makeView(ViewId) { return nullptr; }

engine::Seam<MenuViewMaker, NullMenuViewMaker>& menuViewMakerSeam() {
  static engine::Seam<MenuViewMaker, NullMenuViewMaker> seam;
  return seam;
}

MenuViewMaker& menuViewMaker() { return menuViewMakerSeam().get(); }

void setMenuViewMaker(MenuViewMaker* maker) { menuViewMakerSeam().set(maker); }
