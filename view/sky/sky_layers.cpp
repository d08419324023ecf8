#include "view/sky/sky_layers.h"

#include <algorithm>
#include <cmath>

#include "content/art/sky_layout.h"

namespace {

constexpr float kRowPixels = 30.0f;

// The smallest whole scale at which a layer of that width spans the screen: whole, so every
// picture pixel covers the same square of screen pixels.
float wholeScaleToSpan(float screenWidth, float layerWidth) {
  if (!(layerWidth > 0.0f)) return 1.0f;
  return std::max(1.0f, std::ceil(screenWidth / layerWidth));
}

// The hill pairs from the farthest to the nearest, each sliding by the player's movement over its
// divisor.
struct HillRow {
  art::SkyLayer layer;
  float divisor;
};
constexpr HillRow kHillRows[3] = {
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

SkyLayers::SkyLayers(engine::Size screen, bool lower) : screen_(screen) {
  layers_.resize(lower ? 1 : kFullCount);
  layers_[0].rect = art::skyLayerRect(art::SkyLayer::Backdrop);
  layers_[0].position = {screen.width * 0.5f, screen.height * 0.7f};
  backdropScale_ = wholeScaleToSpan(screen.width, layers_[0].rect.size.width);
  if (lower) return;
  for (size_t i = 1; i < kFullCount; ++i) {
    const HillRow& row = kHillRows[(i - 1) / 2];
    layers_[i].rect = art::skyLayerRect(row.layer);
    layers_[i].divisor = row.divisor;
  }
  hillScale_ = wholeScaleToSpan(screen.width, layers_[1].rect.size.width);
  stripWidth_ = layers_[1].rect.size.width * hillScale_;
  resetLayerX();
}

void SkyLayers::resetLayerX() {
  // Layers 2, 4 and 6 start on the screen, 1, 3 and 5 one strip width to the right.
  for (size_t i = 1; i < layers_.size(); ++i) {
    layers_[i].position.x = (i % 2 == 1) ? stripWidth_ : 0.0f;
  }
}

void SkyLayers::updatePosition(float dx, float y, const SkyHeights& heights, int32_t visibleRows) {
  if (layers_.size() == 1) return;
  const float tHill = skyProgress(y, heights.hillBottom, heights.hillRange);
  const float tBack = skyProgress(y, heights.backBottom, heights.backRange);

  SkyLayer& back = layers_[0];
  const float backHalf = back.rect.size.height * 0.5f * backdropScale_;
  const float y0 = screen_.height - backHalf +
                   static_cast<float>(visibleRows) * kRowPixels * 0.5f * (1.0f - tBack);
  back.position = {screen_.width * 0.5f, y0};

  const float k = hillScale_;
  const float u = 1.0f - tHill;
  const float h5 = layers_[5].rect.size.height;
  const float a = h5 * 0.5f - 33.0f;
  const float y56 = y0 - backHalf - (a - u * 60.0f - 10.0f) * k;
  const float y34 = (layers_[3].rect.size.height * 0.5f + a) * k + y56 - (h5 - 33.0f) * 0.5f * u * k;
  const float y12 = (layers_[1].rect.size.height * 0.5f + a) * k + y56 - u * (h5 - 33.0f) * k;
  const float heightsByPair[3] = {y12, y34, y56};
  for (size_t i = 1; i < layers_.size(); ++i) {
    layers_[i].position.y = heightsByPair[(i - 1) / 2];
    slide(layers_[i], dx);
  }
}

void SkyLayers::slide(SkyLayer& layer, float dx) const {
  float x = layer.position.x - dx / layer.divisor;
  // A pair's strips lie side by side, so one that leaves the screen joins the far end of the other.
  if (x < -0.5f * stripWidth_ && dx > 0.0f) {
    x += 2.0f * stripWidth_;
  } else if (x > 1.5f * stripWidth_ && dx < 0.0f) {
    x -= 2.0f * stripWidth_;
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
