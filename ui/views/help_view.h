#pragma once
// The help view: the keys of play, as the key bindings have them.

#include "ui/views/list_view.h"

class HelpView final : public ListView {
 public:
  HelpView() : ListView(ViewId::Help) {}

  // The help's lines with the current key bindings.
  static std::vector<std::string> helpLines();

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;
};
