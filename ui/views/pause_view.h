#pragma once
// The pause view: the game's timed tasks stop while it is current. Resume, save and quit to the
// start view, the achievements and the help.

#include "ui/views/list_view.h"

class PauseView final : public ListView {
 public:
  static constexpr const char* kSaveFailed = "The game could not be saved.";

  PauseView() : ListView(ViewId::Pause) {}

  // The game is suspended while the view is on the stack.
  void enter() override;
  void exit() override;
  // Escape resumes.
  void back() override;

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  bool saveFailed_ = false;
};
