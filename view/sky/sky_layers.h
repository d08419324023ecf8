#pragma once
// Where the sky's layers sit on the screen: the backdrop (layer 0) and, unless the lower sky is
// asked for, three pairs of hill strips (layers 1-2 the farthest, 3-4, 5-6 the nearest, drawn in
// that order over the backdrop). The backdrop sinks as the player climbs towards the top of the
// map; the hills rise with the player and slide sideways against the player's movement, the
// nearer the faster, each pair of strips taking turns so that the screen is always covered.
//
// Pure layout arithmetic in node space (points, y up); the sky node turns it into vertices.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/base/geometry.h"

// The pixel heights that drive the vertical movement, from the map and its planet. A cell row r
// lies at pixel r x 30.
struct SkyHeights {
  int32_t skyRow = 0;  // lowest row at which the sky is still shown
  float backBottom = 0, backTop = 0, backRange = 0;
  float hillBottom = 0, hillTop = 0, hillRange = 0;
};

// H the map's height in rows, F its surface depth in rows (its top band), D the planet's sky margin
// in rows.
SkyHeights skyHeightsFor(int32_t mapRows, int32_t surfaceDepth, int32_t skyMargin);
// clamp((y - bottom) / range, 0, 1); a range that is not positive answers 0 below `bottom` and 1
// from it on, so a flat map never divides by zero.
float skyProgress(float y, float bottom, float range);
// Whether the sky shows with the player's row and the visible row count: hidden while the top row
// on screen (player's row plus half the visible rows) is below the sky row.
bool skyVisibleAt(int32_t playerRow, int32_t visibleRows, int32_t skyRow);

struct SkyLayer {
  engine::Rect rect;     // in the sky picture, points
  float divisor = 0.0f;  // sideways parallax; 0 for the backdrop, which never slides
  engine::Vec2 position;  // centre, node space
};

class SkyLayers {
 public:
  static constexpr size_t kFullCount = 7;

  // The layers for a screen size; one (the backdrop) with `lower`, else seven. The backdrop
  // starts at (width x 0.5, height x 0.7) and every layer is scaled by the smallest whole number
  // that makes it at least as wide as the screen.
  SkyLayers(engine::Size screen, bool lower);

  size_t count() const { return layers_.size(); }
  const SkyLayer& layer(size_t i) const { return layers_[i]; }
  float scaleOf(size_t i) const { return i == 0 ? backdropScale_ : hillScale_; }
  float backdropScale() const { return backdropScale_; }
  float hillScale() const { return hillScale_; }

  // A step of the local player: dx is half its horizontal velocity, y its height in pixels.
  // Nothing with the lower sky.
  void updatePosition(float dx, float y, const SkyHeights& heights, int32_t visibleRows);
  // Each hill pair's strips back at x 0 and x one strip width (a rebuild of the world view).
  void resetLayerX();

  // The layer's corners in node space, in vertex order (bottom left, bottom right, top left, top
  // right), each coordinate rounded up to a whole point.
  std::array<engine::Vec2, 4> corners(size_t i) const;
  // Texture coordinates in the same order, for a picture of `pixels` at a content scale.
  std::array<engine::Vec2, 4> texCoords(size_t i, engine::Size pixels, float contentScale) const;

 private:
  void slide(SkyLayer& layer, float dx) const;

  engine::Size screen_;
  std::vector<SkyLayer> layers_;
  float backdropScale_ = 1.0f;
  float hillScale_ = 1.0f;
  float stripWidth_ = 0.0f;  // a hill strip's width on screen; a pair's strips lie this far apart
};
