#include "tools/art_maker/region_grid.h"

#include <algorithm>
#include <cmath>

namespace artmaker {
namespace {

constexpr char kEmpty = ' ';

float distanceToSegment(float px, float py, float x0, float y0, float x1, float y1) {
  const float dx = x1 - x0, dy = y1 - y0;
  const float length2 = dx * dx + dy * dy;
  float t = length2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / length2 : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  const float ex = x0 + t * dx - px, ey = y0 + t * dy - py;
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

RegionGrid::RegionGrid(int size)
    : width_(size), height_(size), scale_(float(size) / 16.0f), cells_(size_t(size) * size_t(size), kEmpty) {}

RegionGrid::RegionGrid(int width, int height)
    : width_(width), height_(height), scale_(1.0f), cells_(size_t(width) * size_t(height), kEmpty) {}

char RegionGrid::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kEmpty;
  return cells_[size_t(y) * size_t(width_) + size_t(x)];
}

void RegionGrid::set(int x, int y, char region) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cells_[size_t(y) * size_t(width_) + size_t(x)] = region;
}

void RegionGrid::line(float x0, float y0, float x1, float y1, float width, char region) {
  const float half = std::max(width * 0.5f, 0.5f / scale_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const float ux = (x + 0.5f) / scale_, uy = (y + 0.5f) / scale_;
      if (distanceToSegment(ux, uy, x0, y0, x1, y1) <= half) set(x, y, region);
    }
  }
}

void RegionGrid::disc(float cx, float cy, float radius, char region) { ellipse(cx, cy, radius, radius, region); }

void RegionGrid::ellipse(float cx, float cy, float rx, float ry, char region) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const float ux = ((x + 0.5f) / scale_ - cx) / rx, uy = ((y + 0.5f) / scale_ - cy) / ry;
      if (ux * ux + uy * uy <= 1.0f) set(x, y, region);
    }
  }
}

void RegionGrid::rect(float x, float y, float w, float h, char region) {
  const int x0 = int(std::lround(x * scale_)), y0 = int(std::lround(y * scale_));
  const int x1 = int(std::lround((x + w) * scale_)), y1 = int(std::lround((y + h) * scale_));
  for (int py = y0; py < y1; ++py) {
    for (int px = x0; px < x1; ++px) set(px, py, region);
  }
}

void RegionGrid::polygon(const std::vector<float>& xy, char region) {
  const size_t n = xy.size() / 2;
  if (n < 3) return;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const float ux = (x + 0.5f) / scale_, uy = (y + 0.5f) / scale_;
      bool in = false;
      for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > uy) != (yj > uy) && ux < (xj - xi) * (uy - yi) / (yj - yi) + xi) in = !in;
      }
      if (in) set(x, y, region);
    }
  }
}

void RegionGrid::curve(float x0, float y0, float cx, float cy, float x1, float y1, float width, char region) {
  constexpr int kSteps = 10;
  float px = x0, py = y0;
  for (int i = 1; i <= kSteps; ++i) {
    const float t = float(i) / kSteps, u = 1 - t;
    const float qx = u * u * x0 + 2 * u * t * cx + t * t * x1, qy = u * u * y0 + 2 * u * t * cy + t * t * y1;
    line(px, py, qx, qy, width, region);
    px = qx, py = qy;
  }
}

void RegionGrid::dot(float x, float y, char region) {
  const int x0 = int(x * scale_), y0 = int(y * scale_);
  const int n = std::max(1, int(scale_));
  for (int dy = 0; dy < n; ++dy) {
    for (int dx = 0; dx < n; ++dx) set(x0 + dx, y0 + dy, region);
  }
}

void RegionGrid::recolour(char from, char to) { std::replace(cells_.begin(), cells_.end(), from, to); }

bool RegionGrid::empty() const {
  return std::all_of(cells_.begin(), cells_.end(), [](char c) { return c == kEmpty; });
}

bool RegionGrid::holds(char region) const { return std::find(cells_.begin(), cells_.end(), region) != cells_.end(); }

Canvas renderRegions(const RegionGrid& grid, const RegionRamps& ramps) {
  const int w = grid.width(), h = grid.height();
  Canvas canvas(w, h);
  auto rampAt = [&](int x, int y) -> const Ramp* {
    const char c = grid.at(x, y);
    return c == kEmpty ? nullptr : ramps(c);
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const char c = grid.at(x, y);
      const Ramp* ramp = rampAt(x, y);
      if (ramp == nullptr) continue;
      const bool lit = grid.at(x, y - 1) != c || grid.at(x - 1, y) != c;
      const bool dark = grid.at(x, y + 1) != c || grid.at(x + 1, y) != c;
      const int step = lit && !dark ? 3 : dark && !lit ? 1 : 2;
      canvas.set(x, y, (*ramp)[step]);
    }
  }
  // Selective outline: an empty pixel beside the shape takes the darkest shade of what it borders,
  // a little lighter on the lit (top and left) sides.
  Canvas outlined = canvas;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (rampAt(x, y) != nullptr) continue;
      const Ramp* below = rampAt(x, y + 1);
      const Ramp* right = rampAt(x + 1, y);
      const Ramp* above = rampAt(x, y - 1);
      const Ramp* left = rampAt(x - 1, y);
      if (above != nullptr || left != nullptr) {
        outlined.set(x, y, mix((above != nullptr ? above : left)->darkest(), rgba(10, 8, 20), 0.45f));
      } else if (below != nullptr || right != nullptr) {
        outlined.set(x, y, (below != nullptr ? below : right)->darkest());
      }
    }
  }
  return outlined;
}

}  // namespace artmaker
