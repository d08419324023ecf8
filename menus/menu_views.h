#pragma once
// The views the menus add to the fifteen: the start view and the wait view. The application
// registers this maker with setMenuViewMaker before the views are created.

#include <memory>

#include "ui/views/game_views.h"

std::unique_ptr<GameView> makeMenuView(ViewId id);
