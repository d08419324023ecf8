#pragma once
// The world map: the cells the player explored, drawn as one texture scaled to the window, with
// the player's cell marked. Closed with Escape or the map key. The game's ordinary timers are
// paused while it is current.

#include <cstdint>

#include "ui/views/list_view.h"

namespace engine {
class Sprite;
}

class MapView final : public ListView {
 public:
  MapView() : ListView(ViewId::Map) {}
  ~MapView() override;

  void enter() override;
  void exit() override;
  // The texts, and the picture scaled to the new window.
  void layOut() override;
  // The place of death, shown as the player's cell until the map is next opened.
  void setPlayerCell(int32_t x, int32_t y);
  // The picture's sprite; null without a game or a GL context.
  engine::Sprite* picture() const { return picture_; }

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;
  bool ownKey(engine::KeyCode key, bool released) override;

 private:
  void drawPicture();
  void placePicture();
  void dropPicture();

  engine::Sprite* picture_ = nullptr;  // retained
  int32_t cellX_ = -1;
  int32_t cellY_ = -1;
};
