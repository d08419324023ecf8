#pragma once
// The achievements view: every achievement with its description, the unlocked ones marked.

#include "ui/views/list_view.h"

class AchievementsView final : public ListView {
 public:
  AchievementsView() : ListView(ViewId::Achievements) {}

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;
};
