#pragma once
// Where the sky's layers sit on the screen: the backdrop (layer 0) and, unless the lower sky is
// asked for, three rows of hill strips (the farthest first, drawn in that order over the
// backdrop). The backdrop sinks as the player climbs towards the top of the map; the hills rise
// with the player and slide sideways against the player's movement, the nearer the faster, the
// strips of a row taking turns so that the screen is always covered.
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

// One quad of the sky's mesh: corners and texture coordinates in vertex order (bottom left, bottom
// right, top left, top right).
struct SkyQuad {
  std::array<engine::Vec2, 4> corners;
  std::array<engine::Vec2, 4> uv;
};

class SkyLayers {
 public:
  static constexpr int kHillRows = 3;

  // The layers for a screen size; one (the backdrop) with `lower`, else the backdrop and three rows
  // of hill strips. Every layer is drawn at `pictureScale` (the world's own whole scale, so a sky
  // pixel is the size of a block's), each row with as many strips side by side as cover the
  // screen while they slide. The backdrop starts at (width x 0.5, height x 0.7).
  SkyLayers(engine::Size screen, bool lower, float pictureScale);

  size_t count() const { return layers_.size(); }
  const SkyLayer& layer(size_t i) const { return layers_[i]; }
  // The strips in one hill row (0 the farthest, 2 the nearest), and the layer index of one.
  int stripsPerRow() const { return stripsPerRow_; }
  size_t stripIndex(int row, int strip) const { return 1 + static_cast<size_t>(row * stripsPerRow_ + strip); }
  float scaleOf(size_t) const { return scale_; }
  float backdropScale() const { return scale_; }
  float hillScale() const { return scale_; }
  float stripWidth() const { return stripWidth_; }

  // Where the backdrop's top stands above the player (the screen's middle), in sky pixels: at the
  // top of its range, and how much higher at the bottom of it; never above the screen's top (or,
  // for a backdrop taller than the screen, never with its bottom above the screen's bottom), and the
  // hills under it go down with it.
  static constexpr float kBackdropTopAbovePlayer = 180.0f;
  static constexpr float kBackdropSink = 112.5f;

  // A step of the local player: dx is half its horizontal velocity, y its height in pixels.
  // Nothing with the lower sky.
  void updatePosition(float dx, float y, const SkyHeights& heights);
  // Each row's strips back side by side from x 0 (a rebuild of the world view).
  void resetLayerX();

  // The layer's corners in node space, in vertex order (bottom left, bottom right, top left, top
  // right), each coordinate rounded up to a whole point.
  std::array<engine::Vec2, 4> corners(size_t i) const;
  // Texture coordinates in the same order, for a picture of `pixels` at a content scale.
  std::array<engine::Vec2, 4> texCoords(size_t i, engine::Size pixels, float contentScale) const;

  // Every quad the sky draws, back to front: each layer, with the fill that carries its edge on
  // to the screen's edge, so that no part of the screen is left without sky: a copy of the
  // backdrop on each side (its edges meet), a pixel of its lowest row down to the bottom and of its
  // highest row up to the top, a pixel of each
  // strip's lowest row down to the bottom; below a near strip, its ground rows
  // (`art::kNearGroundRows`) repeated down to the bottom, `groundCopies()` of them, so the open air
  // under the hills shows ground rather than one colour. A fill with nothing to cover has no height.
  // Always `quadCount()` of them.
  std::vector<SkyQuad> quads(engine::Size pixels, float contentScale) const;
  size_t quadCount() const {
    return 7 + 2 * layers_.size() + static_cast<size_t>(stripsPerRow_) * static_cast<size_t>(groundCopies_ - 1);
  }
  int groundCopies() const { return groundCopies_; }

 private:
  void slide(SkyLayer& layer, float dx) const;
  void sideCopy(std::vector<SkyQuad>& out, float left, float right, float bottom, float top,
                const std::array<engine::Vec2, 4>& uv, engine::Size pixels, float contentScale) const;
  // The near ground's copies under a near strip whose corners span [left, right] down to `bottom`.
  void groundBelow(std::vector<SkyQuad>& out, float left, float right, float bottom, const std::array<engine::Vec2, 4>& uv,
                   float pictureHeight) const;

  engine::Size screen_;
  std::vector<SkyLayer> layers_;
  float scale_ = 1.0f;
  float stripWidth_ = 0.0f;  // a hill strip's width on screen; a row's strips lie this far apart
  int stripsPerRow_ = 0;
  int groundCopies_ = 1;  // the near ground's copies under each near strip
};
