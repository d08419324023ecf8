#pragma once
// The fishing view: the bobber is out; the player reels in with Enter, space or a click, and the
// reaction time from the view's opening decides the catch. Escape reels in at once (too late).

#include "ui/views/list_view.h"

class FishView final : public ListView {
 public:
  FishView() : ListView(ViewId::Fish) {}

  void enter() override;
  // Leaving the stack by any way stops the count.
  void exit() override;
  // Reels in with the milliseconds since the view opened; the view closes.
  void reelIn();
  void back() override { reelIn(); }
  // Called once a frame while the view is on the stack.
  void tick(float dt) { elapsed_ += dt; }

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  float elapsed_ = 0;
  bool reeled_ = false;
};
