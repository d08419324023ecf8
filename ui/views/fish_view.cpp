#include "ui/views/fish_view.h"

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "ui/views/game_views.h"
#include "world/rules/game.h"

void FishView::enter() {
  elapsed_ = 0;
  biting_ = false;
  reeled_ = false;
  engine::Director::getInstance()->getScheduler()->schedulePerFrame([this](float dt) { tick(dt); }, this, false);
  ListView::enter();
}

void FishView::exit() {
  if (engine::Director::hasInstance()) engine::Director::getInstance()->getScheduler()->unscheduleUpdate(this);
  biting_ = false;
  ListView::exit();
}

void FishView::biteSeen() {
  if (biting_ || reeled_) return;
  biting_ = true;
  elapsed_ = 0;
  refresh();
}

void FishView::reelIn() {
  if (!reeled_) {
    reeled_ = true;
    session().game().reelIn(elapsed_ * 1000.0f);
  }
  ListView::back();
}

void FishView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = "Fishing";
  lines.push_back(biting_ ? kBiting : kWaiting);
  rows.push_back({"Reel in", [this] { reelIn(); }});
}
