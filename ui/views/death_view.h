#pragma once
// The death view: the player died; it says what killed the player and whether anything was lost,
// then offers to respawn, or to save and quit to the start view. Entering it drops what the
// world's difficulty takes from the dead. The game's ordinary timers are paused while it is current.

#include <cstdint>
#include <string>

#include "ui/views/list_view.h"

class DeathView final : public ListView {
 public:
  static constexpr const char* kNothingLost = "Nothing was lost.";
  static constexpr const char* kItemsLeft = "What you carried lies where you fell.";

  DeathView() : ListView(ViewId::Death) {}

  void enter() override;
  void exit() override;
  // Escape does not bring the player back.
  void back() override {}

  // What killed the player, from the damage kind of the last blow and, for a creature, its name.
  static std::string causeLine(uint8_t kind, const std::string& source);

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  std::string cause_;
  bool lostSomething_ = false;
};
