#pragma once
// The pause view: the game's timed tasks stop while it is current. Resume, save and quit to the
// start view, the options (Escape comes back from them), the achievements and the help.

#include "ui/views/list_view.h"
#include "ui/views/option_rows.h"

class PauseView final : public ListView {
 public:
  static constexpr const char* kSaveFailed = "The game could not be saved.";

  PauseView() : ListView(ViewId::Pause) {}

  // The game is suspended while the view is on the stack.
  void enter() override;
  void exit() override;
  // Escape resumes; from the options it comes back to the pause rows.
  void back() override;

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  void showOptions(bool shown);

  bool saveFailed_ = false;
  bool optionsShown_ = false;
  OptionRows optionRows_{[this] { refresh(); }, false, [this] { return layer(); }};
};
