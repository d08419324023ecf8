#include "view/sky/sky_layers.h"

#include <algorithm>
#include <cmath>

#include "content/art/sky_layout.h"

namespace {

constexpr float kRowPixels = 30.0f;

// The hill rows from the farthest to the nearest, each sliding by the player's movement over its
// divisor.
struct HillRow {
  art::SkyLayer layer;
  float divisor;
};
constexpr HillRow kHillRowsOf[SkyLayers::kHillRows] = {
    {art::SkyLayer::FarHills, 4.0f}, {art::SkyLayer::MiddleHills, 2.0f}, {art::SkyLayer::NearHills, 1.0f}};

float pixelOfRow(float row) { return row * kRowPixels; }

}  // namespace

SkyHeights skyHeightsFor(int32_t mapRows, int32_t surfaceDepth, int32_t skyMargin) {
  SkyHeights h;
  const float rows = static_cast<float>(mapRows);
  const float depth = static_cast<float>(surfaceDepth);
  const float margin = static_cast<float>(skyMargin);
  h.skyRow = static_cast<int16_t>(mapRows - skyMargin) - surfaceDepth - 3;
  h.backTop = pixelOfRow(rows);
  h.backBottom = pixelOfRow(std::trunc(rows - depth - 0.75f * margin));
  h.backRange = h.backTop - h.backBottom;
  h.hillTop = pixelOfRow(std::trunc(rows - 0.75f * depth));
  h.hillBottom = pixelOfRow(rows - margin - depth);
  h.hillRange = h.hillTop - h.hillBottom;
  return h;
}

float skyProgress(float y, float bottom, float range) {
  if (!(range > 0.0f)) return y >= bottom ? 1.0f : 0.0f;
  return std::clamp((y - bottom) / range, 0.0f, 1.0f);
}

bool skyVisibleAt(int32_t playerRow, int32_t visibleRows, int32_t skyRow) {
  return playerRow + visibleRows / 2 >= skyRow;
}

SkyLayers::SkyLayers(engine::Size screen, bool lower, float pictureScale)
    : screen_(screen), scale_(std::max(1.0f, std::round(pictureScale))) {
  layers_.resize(1);
  layers_[0].rect = art::skyLayerRect(art::SkyLayer::Backdrop);
  layers_[0].position = {screen.width * 0.5f, screen.height * 0.7f};
  if (lower) return;
  stripWidth_ = art::skyLayerRect(art::SkyLayer::FarHills).size.width * scale_;
  // One strip more than the screen's width needs, so a row still covers it while a strip wraps.
  stripsPerRow_ = std::max(2, static_cast<int>(std::ceil(screen.width / std::max(stripWidth_, 1.0f))) + 1);
  // Enough copies of the near ground to reach from the top of the screen to its bottom.
  groundCopies_ = static_cast<int>(std::ceil(screen.height / (art::kNearGroundRows * scale_))) + 1;
  for (const HillRow& row : kHillRowsOf) {
    for (int k = 0; k < stripsPerRow_; ++k) layers_.push_back(SkyLayer{art::skyLayerRect(row.layer), row.divisor, {}});
  }
  resetLayerX();
}

void SkyLayers::resetLayerX() {
  for (int row = 0; row < kHillRows && stripsPerRow_ > 0; ++row) {
    for (int k = 0; k < stripsPerRow_; ++k) layers_[stripIndex(row, k)].position.x = static_cast<float>(k) * stripWidth_;
  }
}

void SkyLayers::updatePosition(float dx, float y, const SkyHeights& heights) {
  if (layers_.size() == 1) return;
  const float tHill = skyProgress(y, heights.hillBottom, heights.hillRange);
  const float tBack = skyProgress(y, heights.backBottom, heights.backRange);

  SkyLayer& back = layers_[0];
  const float backHalf = back.rect.size.height * 0.5f * scale_;
  // Placed about the player, who stands at the screen's middle, in sky pixels drawn at the world's
  // scale: the hills meet the ground near her feet whatever the scale or the window's height, and
  // the sky above them sinks as a far backdrop does while she climbs.
  const float aboutPlayer = screen_.height * 0.5f + scale_ * (kBackdropTopAbovePlayer + kBackdropSink * (1.0f - tBack));
  // Never above the window's top while the backdrop fits in it (nor above its own height when it
  // does not): at a large scale or on a short window the place about the player lies above the
  // top, and the hills, which hang from the backdrop, would fill the window where its gradient,
  // sun and clouds belong.
  const float top = std::min(aboutPlayer, std::max(screen_.height, 2.0f * backHalf));
  const float y0 = top - backHalf;
  back.position = {screen_.width * 0.5f, y0};

  const float k = scale_;
  const float u = 1.0f - tHill;
  const float farH = art::skyLayerRect(art::SkyLayer::FarHills).size.height;
  const float middleH = art::skyLayerRect(art::SkyLayer::MiddleHills).size.height;
  const float nearH = art::skyLayerRect(art::SkyLayer::NearHills).size.height;
  const float a = nearH * 0.5f - 33.0f;
  const float yNear = y0 - backHalf - (a - u * 60.0f - 10.0f) * k;
  const float yMiddle = (middleH * 0.5f + a) * k + yNear - (nearH - 33.0f) * 0.5f * u * k;
  const float yFar = (farH * 0.5f + a) * k + yNear - u * (nearH - 33.0f) * k;
  const float heightsByRow[kHillRows] = {yFar, yMiddle, yNear};
  for (int row = 0; row < kHillRows; ++row) {
    for (int strip = 0; strip < stripsPerRow_; ++strip) {
      SkyLayer& layer = layers_[stripIndex(row, strip)];
      layer.position.y = heightsByRow[row];
      slide(layer, dx);
    }
  }
}

void SkyLayers::slide(SkyLayer& layer, float dx) const {
  float x = layer.position.x - dx / layer.divisor;
  // A row's strips lie side by side, so one that leaves the screen joins the far end of the row.
  const float span = static_cast<float>(stripsPerRow_) * stripWidth_;
  if (x < -0.5f * stripWidth_ && dx > 0.0f) {
    x += span;
  } else if (x > span - 0.5f * stripWidth_ && dx < 0.0f) {
    x -= span;
  }
  layer.position.x = x;
}

std::array<engine::Vec2, 4> SkyLayers::corners(size_t i) const {
  const SkyLayer& layer = layers_[i];
  const float s = scaleOf(i);
  const float hw = layer.rect.size.width * 0.5f;
  const float hh = layer.rect.size.height * 0.5f;
  const auto place = [&](float cx, float cy) {
    return engine::Vec2(std::ceil(cx * s + layer.position.x), std::ceil(cy * s + layer.position.y));
  };
  return {place(-hw, -hh), place(hw, -hh), place(-hw, hh), place(hw, hh)};
}

std::array<engine::Vec2, 4> SkyLayers::texCoords(size_t i, engine::Size pixels,
                                                 float contentScale) const {
  const engine::Rect& r = layers_[i].rect;
  const float w = pixels.width > 0.0f ? pixels.width : 1.0f;
  const float h = pixels.height > 0.0f ? pixels.height : 1.0f;
  const float left = r.getMinX() * contentScale / w;
  const float right = r.getMaxX() * contentScale / w;
  const float top = r.getMinY() * contentScale / h;
  const float bottom = r.getMaxY() * contentScale / h;
  return {engine::Vec2(left, bottom), engine::Vec2(right, bottom), engine::Vec2(left, top),
          engine::Vec2(right, top)};
}

namespace {

// A quad over [left, right] x [bottom, top] showing the texture's rectangle [u0, u1] x [v0, v1]
// (v0 at the bottom).
SkyQuad quadOver(float left, float right, float bottom, float top, float u0, float u1, float v0, float v1) {
  return SkyQuad{{engine::Vec2(left, bottom), engine::Vec2(right, bottom), engine::Vec2(left, top), engine::Vec2(right, top)},
                 {engine::Vec2(u0, v0), engine::Vec2(u1, v0), engine::Vec2(u0, v1), engine::Vec2(u1, v1)}};
}

}  // namespace

// A copy of the backdrop beside it, in three pieces: its own columns left and right of the sun and
// moons, and between them the same columns without them, so a window wider than the picture shows
// one sun and not one per copy.
void SkyLayers::sideCopy(std::vector<SkyQuad>& out, float left, float right, float bottom, float top,
                         const std::array<engine::Vec2, 4>& uv, engine::Size pixels, float contentScale) const {
  const float picture = static_cast<float>(art::kSkyPictureWidth);
  const float from = static_cast<float>(art::kSkyLightsLeft) / picture;
  const float to = static_cast<float>(art::kSkyLightsLeft + art::kSkyLightsWidth) / picture;
  const float atFrom = left + (right - left) * from, atTo = left + (right - left) * to;
  const float uFrom = uv[0].x + (uv[1].x - uv[0].x) * from, uTo = uv[0].x + (uv[1].x - uv[0].x) * to;
  out.push_back(quadOver(left, atFrom, bottom, top, uv[0].x, uFrom, uv[0].y, uv[2].y));
  const engine::Rect band = art::skyLightlessRect();
  const float w = pixels.width > 0.0f ? pixels.width : 1.0f;
  const float h = pixels.height > 0.0f ? pixels.height : 1.0f;
  out.push_back(quadOver(atFrom, atTo, bottom, top, band.getMinX() * contentScale / w, band.getMaxX() * contentScale / w,
                         band.getMaxY() * contentScale / h, band.getMinY() * contentScale / h));
  out.push_back(quadOver(atTo, right, bottom, top, uTo, uv[1].x, uv[0].y, uv[2].y));
}

void SkyLayers::groundBelow(std::vector<SkyQuad>& out, float left, float right, float bottom,
                            const std::array<engine::Vec2, 4>& uv, float pictureHeight) const {
  // The near strip's lowest rows, copy under copy; a copy wholly below the screen has no height.
  const float band = art::kNearGroundRows * scale_;
  const float bandTop = uv[0].y - static_cast<float>(art::kNearGroundRows) / pictureHeight;
  for (int k = 0; k < groundCopies_; ++k) {
    const float top = bottom - band * static_cast<float>(k);
    const float low = std::max(std::min(0.0f, top), top - band);
    // The copy is cut at the screen's bottom: the rows it shows end where it is cut.
    const float shown = (top - low) / band;
    const float v1 = bandTop + (uv[0].y - bandTop) * shown;
    out.push_back(quadOver(left, right, low, top, uv[0].x, uv[1].x, v1, bandTop));
  }
}

std::vector<SkyQuad> SkyLayers::quads(engine::Size pixels, float contentScale) const {
  std::vector<SkyQuad> out;
  out.reserve(quadCount());
  const float h = pixels.height > 0.0f ? pixels.height : 1.0f;
  // Half a picture pixel in texture units, to sample an edge's own pixels and not their neighbours.
  const float halfV = 0.5f / h;
  for (size_t i = 0; i < layers_.size(); ++i) {
    const auto at = corners(i);
    const auto uv = texCoords(i, pixels, contentScale);
    out.push_back({at, uv});
    const float left = at[0].x, right = at[1].x, bottom = at[0].y, top = at[2].y;
    const float lowRow = uv[0].y - halfV;  // the picture's lowest row of pixels
    if (i == 0) {
      // The backdrop's edges meet without a seam: a copy on each side carries it on past a window
      // wider than the picture.
      const float width = right - left;
      sideCopy(out, left - width, left, bottom, top, uv, pixels, contentScale);
      sideCopy(out, right, right + width, bottom, top, uv, pixels, contentScale);
      const float middle = 0.5f * (uv[0].x + uv[1].x);
      out.push_back(quadOver(std::min(0.0f, left), std::max(screen_.width, right), std::min(0.0f, bottom), bottom, middle,
                             middle, lowRow, lowRow));
      // Above it, a pixel of its highest row up to the screen's top: a window taller than the
      // picture at the world's scale shows the sky's own colour there.
      const float highRow = uv[2].y + halfV;
      out.push_back(quadOver(std::min(0.0f, left), std::max(screen_.width, right), top, std::max(screen_.height, top), middle,
                             middle, highRow, highRow));
    } else if (i >= stripIndex(kHillRows - 1, 0)) {
      groundBelow(out, left, right, bottom, uv, h);
    } else {
      // One pixel of that row: a stretched row of dithered pixels would draw as stripes.
      const float middle = 0.5f * (uv[0].x + uv[1].x);
      out.push_back(quadOver(left, right, std::min(0.0f, bottom), bottom, middle, middle, lowRow, lowRow));
    }
  }
  return out;
}
