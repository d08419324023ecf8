#pragma once
// The world map: the cells the player explored, drawn as one texture on the map's fog inside a
// frame like the menus' panels, at a whole-pixel scale and centred, with the player's cell marked, and the place of the player's last death marked in another colour
// so that what was dropped there can be found again. The wheel, + and - zoom (each step doubles a cell's size), the arrow
// keys and a drag pan; the marker follows its cell and hides when the cell is out of the frame.
// Closed with Escape or the map key. The game's ordinary timers are paused while it is current.

#include <cstdint>

#include "ui/views/list_view.h"
#include "ui/views/map_frame.h"

namespace engine {
class InnerNode;
class LayerColor;
class Sprite;
}

class World;

class MapView final : public ListView {
 public:
  // The marker is never smaller than this, so the player's cell shows on a large map.
  static constexpr float kMarkerPoints = 8.0f;
  // The line under the player's cell that says how to move about the map.
  static constexpr const char* kHint = "Wheel or + - to zoom, arrows or drag to move";

  MapView();
  ~MapView() override;

  void enter() override;
  void exit() override;
  // The texts, and the picture scaled to the new window.
  void layOut() override;
  // The player's cell, taken again each time the map opens.
  void setPlayerCell(int32_t x, int32_t y);
  // Where the player last died; the mark stays until the next death, shown in that world only.
  void setDeathCell(int32_t x, int32_t y);
  // The picture's sprite; null without a game or a GL context.
  engine::Sprite* picture() const { return picture_; }
  engine::LayerColor* marker() const { return marker_; }
  engine::LayerColor* deathMarker() const { return deathMarker_; }
  const MapFrame& frame() const { return frame_; }
  // The fog the picture lies on, filling the frame; null while the picture is.
  engine::Sprite* fog() const { return fog_; }
  // The framed panel around the picture; null while the picture is.
  engine::InnerNode* framePanel() const { return panel_; }
  // Where the picture and its fog are drawn, in whole points: the window less its margins, below
  // the texts and above the HUD's quick row, inside the frame's gold edge.
  engine::Rect pictureFrame() const;

  // ---- Input, from the controls and the keys ----
  void zoom(bool in);
  // Pans by a drag's move in points: the map follows the pointer.
  void panBy(const engine::Vec2& delta);
  // The window reports the wheel turned towards the player as a positive amount: that zooms out.
  void wheelZoom(float amount) { zoom(amount < 0); }

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;
  bool ownKey(engine::KeyCode key, bool released) override;

 private:
  bool navigationKey(engine::KeyCode key);
  void drawPicture();
  void placePicture();
  void dropPicture();
  // The frame and the fog for the picture's place, made again only when that place changed.
  void placeFrameAndFog(const engine::Rect& box);
  void placeMarker(engine::LayerColor* marker, int32_t x, int32_t y);
  bool deathShownIn(const World* world) const;

  engine::RefPtr<engine::Sprite> picture_;
  engine::RefPtr<engine::Sprite> fog_;  // a child of the root while the picture shows
  engine::InnerNode* panel_ = nullptr;  // the frame around the picture, likewise
  engine::Rect fogBox_;  // where the fog and the frame were made for
  engine::LayerColor* marker_ = nullptr;  // a child of the root while the picture shows
  engine::LayerColor* deathMarker_ = nullptr;  // likewise, while a death is marked
  MapFrame frame_;
  int32_t cellX_ = -1;
  int32_t cellY_ = -1;
  int32_t deathX_ = -1;
  int32_t deathY_ = -1;
  uint32_t deathWorld_ = 0;  // the serial of the world she died in; 0 for none
};
