#include "ui/views/circuit_view.h"

#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

void CircuitView::setup(int32_t x, int32_t y, const CircuitRecord& record) {
  x_ = x;
  y_ = y;
  record_ = record;
}

void CircuitView::apply() {
  if (World* world = runningWorld().world.get()) {
    if (MapBlock* cell = world->map().cellAt(x_, y_)) currentGame().editCircuitCell(*cell);
  }
  back();
}

void CircuitView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = "Circuit";
  lines.push_back("Cell " + std::to_string(x_) + ", " + std::to_string(y_) + ": setting " + std::to_string(record_.value));
  rows.push_back({"Raise", [this] {
                    ++record_.value;
                    refresh();
                  }});
  rows.push_back({"Lower", [this] {
                    if (record_.value > 0) --record_.value;
                    refresh();
                  }});
  rows.push_back({"Apply", [this] { apply(); }});
}
