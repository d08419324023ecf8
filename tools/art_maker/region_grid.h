#pragma once
// A silhouette drawn in regions before it gets colours: shapes paint region letters ('M' the main
// material, 'H' a handle, 'A' an accent, ...) in a unit space of 16 x 16 that is scaled to the
// grid's size, so one shape function draws a 16-px icon and a 32-px held tool alike. Rendering
// gives each region its ramp and lights it from the top left: a region's top and left edge pixels
// take the light shade, its bottom and right edge pixels the dark shade, and every empty pixel
// beside the shape becomes a selective outline (darker on the shadow side).

#include <functional>
#include <string>
#include <vector>

#include "tools/art_maker/canvas.h"

namespace artmaker {

class RegionGrid {
 public:
  explicit RegionGrid(int size);
  // A width x height grid in plain pixels (one unit is one pixel), for pictures of any shape.
  RegionGrid(int width, int height);

  int size() const { return width_; }
  int width() const { return width_; }
  int height() const { return height_; }
  char at(int x, int y) const;
  void set(int x, int y, char region);

  // Unit-space primitives (0-16 across, y down). Widths and radii are in units too. Painting the
  // region ' ' clears.
  void line(float x0, float y0, float x1, float y1, float width, char region);
  void disc(float cx, float cy, float radius, char region);
  void ellipse(float cx, float cy, float rx, float ry, char region);
  void rect(float x, float y, float w, float h, char region);
  // A convex or simple polygon, filled by the even-odd rule over pixel centres.
  void polygon(const std::vector<float>& xy, char region);
  // A quadratic curve through a control point, stroked.
  void curve(float x0, float y0, float cx, float cy, float x1, float y1, float width, char region);
  // Sets single pixels in unit space (one pixel at 16 px, a 2x2 block at 32 px).
  void dot(float x, float y, char region);

  // Paints every pixel of one region as another (a later detail pass).
  void recolour(char from, char to);
  bool empty() const;
  // Whether any pixel is of the region.
  bool holds(char region) const;

 private:
  int width_;
  int height_;
  float scale_;
  std::vector<char> cells_;
};

// The colours of each region letter; a letter with no ramp is drawn clear.
using RegionRamps = std::function<const Ramp*(char region)>;

// The lit, outlined picture of the grid.
Canvas renderRegions(const RegionGrid& grid, const RegionRamps& ramps);

}  // namespace artmaker
