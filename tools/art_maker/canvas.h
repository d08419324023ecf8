#pragma once
// An RGBA picture with the drawing primitives the atlases are made of: rectangles, lines, circles,
// a shaded box lit from the top left, clusters of speckles, ordered dithering, an outline around a
// shape and copies between pictures. Coordinates grow right and down from the top-left pixel.
//
// A canvas can wrap: drawing past an edge then comes back in at the opposite edge, so a block frame
// drawn on a wrapping 30x30 canvas tiles with itself. Without wrapping, pixels outside are dropped.

#include <cstdint>
#include <cstddef>
#include <vector>

#include "tools/art_maker/colour.h"

namespace artmaker {

class ArtRandom;

struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }    // one past the last column
  int bottom() const { return y + h; }   // one past the last row
};

// How speckle clusters look: their count, size in pixels and the shades they use.
struct SpeckleStyle {
  int clusters = 6;
  int minPixels = 2;
  int maxPixels = 5;
  Colour body = kClear;       // the cluster's own shade
  Colour highlight = kClear;  // one pixel per cluster at its top-left end, when not clear
  Colour shadow = kClear;     // under the cluster's lowest pixels, when not clear
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Colour fill = kClear);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<Colour>& pixels() const { return pixels_; }
  void setWrapping(bool wrap) { wrap_ = wrap; }

  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Colour at(int x, int y) const;  // clear outside (wrapped when wrapping)
  void set(int x, int y, Colour c);
  void blend(int x, int y, Colour c);  // c over what is there

  void fill(Colour c);
  void fillRect(PixelRect r, Colour c);
  void strokeRect(PixelRect r, Colour c);
  void line(int x0, int y0, int x1, int y1, Colour c);
  void fillCircle(int cx, int cy, int radius, Colour c);
  void strokeCircle(int cx, int cy, int radius, Colour c);
  void fillEllipse(int cx, int cy, int rx, int ry, Colour c);
  // A filled box lit from the top left: one-pixel highlight on its top and left edges, one-pixel
  // shadow on its bottom and right edges.
  void shadedBox(PixelRect r, Colour body, Colour light, Colour dark);
  // A lump: a filled ellipse whose pixels on its top and left rim take the light and whose pixels
  // on its bottom and right rim take the shadow (clear colours leave the body colour there).
  void shadedBlob(int cx, int cy, int rx, int ry, Colour body, Colour light, Colour dark);
  // Clusters of a few touching pixels placed by a seeded random walk inside the area.
  void speckles(PixelRect area, const SpeckleStyle& style, ArtRandom& random);
  // Ordered 4x4 dithering between a and b; fraction 0 is all a, 1 all b.
  void dither(PixelRect r, Colour a, Colour b, float fraction);
  // A vertical gradient through the stops (evenly spaced), dithered between neighbouring shades.
  void verticalGradient(PixelRect r, const std::vector<Colour>& stops);
  // Every clear pixel beside an opaque one (four-neighbour) becomes the colour.
  void outline(Colour c);
  // Every pixel of the given colour (exact) is replaced.
  void replace(Colour from, Colour to);

  // Copies the source with its corner at (x, y); over = alpha blend instead of replace.
  void blit(const Canvas& source, int x, int y, bool over = false);
  Canvas crop(PixelRect r) const;
  Canvas scaled(int factor) const;  // nearest neighbour
  Canvas flippedX() const;

  // True when any pixel in the rectangle has alpha above zero.
  bool anyOpaque(PixelRect r) const;

 private:
  bool place(int& x, int& y) const;  // wraps or clips; false when the pixel is dropped
  size_t index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x); }

  int width_ = 0;
  int height_ = 0;
  bool wrap_ = false;
  std::vector<Colour> pixels_;
};

}  // namespace artmaker
