#pragma once
// Which part of the world map the map view shows and how large: the whole map fitted to the frame
// at the first zoom step at a whole-pixel scale (whole points a cell, or for a map larger than the
// frame a whole power of two cells a point), so every cell draws alike, then each step in doubles
// the size of a cell and halves the cells shown,
// around a centre cell the player pans. The centre asked for is kept, and what shows is moved
// only as far as needed to stay inside the map, so a zoom in near an edge still closes in on it. Cells count from the map's lower left corner; points from the frame's lower left corner.

#include <cstdint>

#include "engine/base/geometry.h"

class MapFrame {
 public:
  static constexpr int kMaxZoomSteps = 6;  // a cell up to 64 times its fitted size

  // The map's size in cells and the frame's size in points; the centre goes to the map's middle.
  void reset(int32_t mapWidth, int32_t mapHeight, engine::Size frame);
  // Points for a new window; the zoom and the centre stay.
  void setFrame(engine::Size frame);
  void centreOn(float cellX, float cellY);

  // False when the zoom was already at its end.
  bool zoomIn();
  bool zoomOut();
  int zoomSteps() const { return zoomSteps_; }
  // Moves the centre by cells, or by points of the frame (a drag: the map follows the pointer).
  void panCells(float dx, float dy);
  void panPoints(float dx, float dy);

  // Points per cell at the present zoom.
  float scale() const;
  // The cells shown, in map cells from the lower left corner.
  engine::Rect shownCells() const;
  // The cells the whole frame spans, past the map's edges where the map is smaller than the frame;
  // its lower left corner falls on a whole point of the frame, so cells' edges fall on pixels.
  engine::Rect frameCells() const;
  // Where the middle of the cell falls in the frame, in points.
  engine::Vec2 pointOfCell(int32_t cellX, int32_t cellY) const;
  bool showsCell(int32_t cellX, int32_t cellY) const;
  // The middle of what shows: the centre asked for, moved inside the map and onto whole points.
  engine::Vec2 centre() const;

 private:

  int32_t mapWidth_ = 0;
  int32_t mapHeight_ = 0;
  engine::Size frame_;
  int zoomSteps_ = 0;
  engine::Vec2 focus_;  // the centre asked for
};
