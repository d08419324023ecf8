#pragma once
// The main view's HUD: the world view's portrait frame (the character, its health and breath) and
// the quick slots with their durability bars. The messages go to the world view's console
// (MainLayer::console). `update` reads the local player once a frame; only what changed is redrawn.
//
// Main thread only.

#include <memory>

#include "engine/base/ref_ptr.h"

namespace engine {
class InnerNode;
}
class Player;
class PortraitFrame;
class QuickSlots;

class Hud {
 public:
  // `buildHud`: fills the parent with the HUD's nodes.
  explicit Hud(engine::InnerNode* parent);
  ~Hud();
  Hud(const Hud&) = delete;
  Hud& operator=(const Hud&) = delete;

  void update(Player& player);
  // The window changed size: the quick slots are placed again and the portrait goes, to be made
  // at the new size and scale by the next update.
  void layOut();
  // Null until the first update; made again for another player.
  PortraitFrame* portrait() const { return portrait_; }
  QuickSlots& quickSlots() { return *quickSlots_; }

 private:
  void showPortraitOf(Player& player);
  void dropPortrait();

  engine::InnerNode* parent_;
  engine::RefPtr<PortraitFrame> portrait_;  // a child of the parent
  std::unique_ptr<QuickSlots> quickSlots_;
};
