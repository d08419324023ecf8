#include "ui/views/death_view.h"

#include "ui/views/leave_game.h"
#include "world/rules/game.h"

void DeathView::enter() {
  currentGame().pause();
  ListView::enter();
}

void DeathView::exit() {
  ListView::exit();
  currentGame().unpause();
}

void DeathView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = "You died";
  lines.push_back("What you carried may lie where you fell.");
  rows.push_back({"Respawn", [] { currentGame().respawn(); }});
  rows.push_back({"Save and quit", [] { saveAndQuitGame(); }});
}
