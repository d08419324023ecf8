#pragma once
// The fishing view: the bobber is out; the player reels in with Enter, space or a click. The
// reaction time counts from the moment a fish bites the bobber (`biteSeen`, told by the player's
// events), not from the view's opening: reeling in before the bite lands nothing. Escape reels in
// at once. The view closes when the reel-in is done or the fishing ends otherwise.

#include "ui/views/list_view.h"

class FishView final : public ListView {
 public:
  static constexpr const char* kWaiting = "Reel in when the fish bites!";
  static constexpr const char* kBiting = "A fish bites: reel in!";

  FishView() : ListView(ViewId::Fish) {}

  void enter() override;
  // Leaving the stack by any way stops the count.
  void exit() override;
  // Reels in with the milliseconds since the bite (0 before one); the view closes.
  void reelIn();
  void back() override { reelIn(); }
  // A fish bit: the reaction count starts.
  void biteSeen();
  bool biting() const { return biting_; }
  // Called once a frame while the view is on the stack; only time after the bite counts.
  void tick(float dt) {
    if (biting_) elapsed_ += dt;
  }

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  float elapsed_ = 0;
  bool biting_ = false;
  bool reeled_ = false;
};
