#include "ui/views/map_frame.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest whole-pixel scale not above the fitted one: whole points a cell, or below one point a
// cell, a power of two cells a point, so each step of the zoom stays whole.
float wholePixelScale(float fitted) {
  if (fitted >= 1.0f) return std::floor(fitted);
  constexpr float kSmallest = 1.0f / 1024.0f;
  float scale = 1.0f;
  while (scale > fitted && scale > kSmallest) scale /= 2.0f;
  return scale;
}

}  // namespace

void MapFrame::reset(int32_t mapWidth, int32_t mapHeight, engine::Size frame) {
  mapWidth_ = mapWidth;
  mapHeight_ = mapHeight;
  frame_ = frame;
  zoomSteps_ = 0;
  focus_ = engine::Vec2(mapWidth / 2.0f, mapHeight / 2.0f);
}

void MapFrame::setFrame(engine::Size frame) { frame_ = frame; }

void MapFrame::centreOn(float cellX, float cellY) { focus_ = engine::Vec2(cellX, cellY); }

bool MapFrame::zoomIn() {
  if (zoomSteps_ >= kMaxZoomSteps) return false;
  ++zoomSteps_;
  return true;
}

bool MapFrame::zoomOut() {
  if (zoomSteps_ <= 0) return false;
  --zoomSteps_;
  return true;
}

void MapFrame::panCells(float dx, float dy) {
  // From what shows, so a pan away from an edge moves the view at once.
  focus_ = centre() + engine::Vec2(dx, dy);
  focus_ = centre();
}

void MapFrame::panPoints(float dx, float dy) {
  const float s = scale();
  if (s > 0) panCells(dx / s, dy / s);
}

float MapFrame::scale() const {
  if (mapWidth_ <= 0 || mapHeight_ <= 0 || frame_.width <= 0 || frame_.height <= 0) return 0;
  const float fitted = std::min(frame_.width / static_cast<float>(mapWidth_), frame_.height / static_cast<float>(mapHeight_));
  return wholePixelScale(fitted) * static_cast<float>(1 << zoomSteps_);
}

engine::Rect MapFrame::shownCells() const {
  const float s = scale();
  if (s <= 0) return engine::Rect(0, 0, 0, 0);
  const float width = std::min(static_cast<float>(mapWidth_), frame_.width / s);
  const float height = std::min(static_cast<float>(mapHeight_), frame_.height / s);
  const engine::Vec2 middle = centre();
  return engine::Rect(middle.x - width / 2.0f, middle.y - height / 2.0f, width, height);
}

engine::Rect MapFrame::frameCells() const {
  const float s = scale();
  if (s <= 0) return engine::Rect(0, 0, 0, 0);
  const engine::Vec2 middle = centre();
  return engine::Rect(middle.x - frame_.width / (2.0f * s), middle.y - frame_.height / (2.0f * s), frame_.width / s,
                      frame_.height / s);
}

engine::Vec2 MapFrame::pointOfCell(int32_t cellX, int32_t cellY) const {
  const engine::Rect shown = shownCells();
  const float s = scale();
  const float frameLeft = (frame_.width - shown.size.width * s) / 2.0f;
  const float frameBottom = (frame_.height - shown.size.height * s) / 2.0f;
  return engine::Vec2(frameLeft + (static_cast<float>(cellX) + 0.5f - shown.origin.x) * s,
                      frameBottom + (static_cast<float>(cellY) + 0.5f - shown.origin.y) * s);
}

bool MapFrame::showsCell(int32_t cellX, int32_t cellY) const {
  const engine::Rect shown = shownCells();
  const float x = static_cast<float>(cellX) + 0.5f;
  const float y = static_cast<float>(cellY) + 0.5f;
  return x >= shown.origin.x && x <= shown.origin.x + shown.size.width && y >= shown.origin.y &&
         y <= shown.origin.y + shown.size.height;
}

engine::Vec2 MapFrame::centre() const {
  const float s = scale();
  if (s <= 0) return focus_;
  const float halfWidth = std::min(static_cast<float>(mapWidth_), frame_.width / s) / 2.0f;
  const float halfHeight = std::min(static_cast<float>(mapHeight_), frame_.height / s) / 2.0f;
  const float x = std::clamp(focus_.x, halfWidth, static_cast<float>(mapWidth_) - halfWidth);
  const float y = std::clamp(focus_.y, halfHeight, static_cast<float>(mapHeight_) - halfHeight);
  // The frame's lower left corner on a whole point of the picture, so no cell is drawn a pixel
  // narrower than the others.
  const float left = std::round((x - frame_.width / (2.0f * s)) * s) / s;
  const float bottom = std::round((y - frame_.height / (2.0f * s)) * s) / s;
  return engine::Vec2(left + frame_.width / (2.0f * s), bottom + frame_.height / (2.0f * s));
}
