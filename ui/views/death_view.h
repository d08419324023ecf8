#pragma once
// The death view: the player died; respawn, or save and quit to the start view. The game's
// ordinary timers are paused while it is current.

#include "ui/views/list_view.h"

class DeathView final : public ListView {
 public:
  DeathView() : ListView(ViewId::Death) {}

  void enter() override;
  void exit() override;
  // Escape does not bring the player back.
  void back() override {}

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;
};
