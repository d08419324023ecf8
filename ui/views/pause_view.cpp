#include "ui/views/pause_view.h"

#include "ui/views/dialog_view.h"
#include "ui/views/game_views.h"
#include "ui/views/leave_game.h"
#include "world/rules/game.h"

void PauseView::enter() {
  saveFailed_ = false;
  optionsShown_ = false;
  // Escape then Enter must never leave the world: the view opens on "Resume", whatever was chosen
  // the last time it was open.
  list().select(0);
  session().game().suspend();
  ListView::enter();
}

void PauseView::exit() {
  ListView::exit();
  session().game().resume();
}

void PauseView::back() {
  if (optionsShown_) {
    showOptions(false);
    return;
  }
  if (GameViews* views = gameViews()) views->popToMainView();
}

void PauseView::showOptions(bool shown) {
  optionsShown_ = shown;
  list().select(0);
  refresh();
}

void PauseView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  if (optionsShown_) {
    title = "Options";
    optionRows_.append(rows);
    rows.push_back({"Back", [this] { showOptions(false); }});
    return;
  }
  title = "Paused";
  if (saveFailed_) lines.push_back(kSaveFailed);
  rows.push_back({"Resume", [this] { back(); }});
  rows.push_back({"Save and quit", [this] {
                    saveAndQuitGame(session(), [this] {
                      saveFailed_ = true;
                      refresh();
                      // The dialog says it where the player is looking; OK comes back here.
                      if (GameViews* views = gameViews()) {
                        static_cast<DialogView&>(views->view(ViewId::Dialog)).setupNotice(kSaveFailed);
                        views->push(ViewId::Dialog);
                      }
                    });
                  }});
  rows.push_back({"Options", [this] { showOptions(true); }});
  rows.push_back({"Achievements", [] {
                    if (GameViews* views = gameViews()) views->push(ViewId::Achievements);
                  }});
  rows.push_back({"Help", [] {
                    if (GameViews* views = gameViews()) views->push(ViewId::Help);
                  }});
}
