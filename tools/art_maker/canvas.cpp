#include "tools/art_maker/canvas.h"

#include <algorithm>
#include <cstdlib>

#include "tools/art_maker/art_random.h"

namespace artmaker {
namespace {

constexpr int kBayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int wrapInto(int v, int size) {
  v %= size;
  return v < 0 ? v + size : v;
}

}  // namespace

Canvas::Canvas(int width, int height, Colour fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

bool Canvas::place(int& x, int& y) const {
  if (width_ == 0 || height_ == 0) return false;
  if (wrap_) {
    x = wrapInto(x, width_);
    y = wrapInto(y, height_);
    return true;
  }
  return inside(x, y);
}

Colour Canvas::at(int x, int y) const { return place(x, y) ? pixels_[index(x, y)] : kClear; }

void Canvas::set(int x, int y, Colour c) {
  if (place(x, y)) pixels_[index(x, y)] = c;
}

void Canvas::blend(int x, int y, Colour c) {
  if (place(x, y)) pixels_[index(x, y)] = blendOver(pixels_[index(x, y)], c);
}

void Canvas::fill(Colour c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::fillRect(PixelRect r, Colour c) {
  for (int y = r.y; y < r.bottom(); ++y) {
    for (int x = r.x; x < r.right(); ++x) set(x, y, c);
  }
}

void Canvas::strokeRect(PixelRect r, Colour c) {
  if (r.w <= 0 || r.h <= 0) return;
  line(r.x, r.y, r.right() - 1, r.y, c);
  line(r.x, r.bottom() - 1, r.right() - 1, r.bottom() - 1, c);
  line(r.x, r.y, r.x, r.bottom() - 1, c);
  line(r.right() - 1, r.y, r.right() - 1, r.bottom() - 1, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, Colour c) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) return;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void Canvas::fillCircle(int cx, int cy, int radius, Colour c) { fillEllipse(cx, cy, radius, radius, c); }

void Canvas::fillEllipse(int cx, int cy, int rx, int ry, Colour c) {
  if (rx < 0 || ry < 0) return;
  const long long rx2 = (long long)rx * rx + rx, ry2 = (long long)ry * ry + ry;  // rounder small shapes
  for (int y = -ry; y <= ry; ++y) {
    for (int x = -rx; x <= rx; ++x) {
      if ((long long)x * x * ry2 + (long long)y * y * rx2 <= rx2 * ry2) set(cx + x, cy + y, c);
    }
  }
}

void Canvas::strokeCircle(int cx, int cy, int radius, Colour c) {
  int x = radius, y = 0, err = 1 - radius;
  while (x >= y) {
    for (auto [px, py] : {std::pair{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}}) {
      set(cx + px, cy + py, c);
    }
    ++y;
    if (err < 0) {
      err += 2 * y + 1;
    } else {
      --x;
      err += 2 * (y - x) + 1;
    }
  }
}

void Canvas::shadedBox(PixelRect r, Colour body, Colour light, Colour dark) {
  if (r.w <= 0 || r.h <= 0) return;
  fillRect(r, body);
  line(r.x, r.y, r.right() - 1, r.y, light);
  line(r.x, r.y, r.x, r.bottom() - 1, light);
  line(r.x, r.bottom() - 1, r.right() - 1, r.bottom() - 1, dark);
  line(r.right() - 1, r.y + 1, r.right() - 1, r.bottom() - 1, dark);
}

void Canvas::shadedBlob(int cx, int cy, int rx, int ry, Colour body, Colour light, Colour dark) {
  if (rx < 0 || ry < 0) return;
  const long long rx2 = (long long)rx * rx + rx, ry2 = (long long)ry * ry + ry;
  auto in = [&](int x, int y) { return (long long)x * x * ry2 + (long long)y * y * rx2 <= rx2 * ry2; };
  for (int y = -ry; y <= ry; ++y) {
    for (int x = -rx; x <= rx; ++x) {
      if (!in(x, y)) continue;
      Colour c = body;
      if (dark != kClear && (!in(x + 1, y) || !in(x, y + 1))) c = dark;
      else if (light != kClear && (!in(x - 1, y) || !in(x, y - 1))) c = light;
      set(cx + x, cy + y, c);
    }
  }
}

void Canvas::speckles(PixelRect area, const SpeckleStyle& style, ArtRandom& random) {
  if (area.w <= 0 || area.h <= 0) return;
  for (int i = 0; i < style.clusters; ++i) {
    int x = area.x + random.below(area.w), y = area.y + random.below(area.h);
    const int count = random.between(style.minPixels, style.maxPixels);
    int firstX = x, firstY = y, lowX = x, lowY = y;
    for (int p = 0; p < count; ++p) {
      set(x, y, style.body);
      if (y > lowY || (y == lowY && x > lowX)) lowX = x, lowY = y;
      if (y < firstY || (y == firstY && x < firstX)) firstX = x, firstY = y;
      // The walk prefers right and down so a cluster stays compact and reads as one lump.
      const int step = random.below(4);
      if (step < 2) x += 1;
      else if (step == 2) y += 1;
      else x -= 1, y += 1;
      if (!wrap_) x = std::clamp(x, area.x, area.right() - 1), y = std::clamp(y, area.y, area.bottom() - 1);
    }
    if (style.shadow != kClear && at(lowX, lowY + 1) != style.body) set(lowX, lowY + 1, style.shadow);
    if (style.highlight != kClear) set(firstX, firstY, style.highlight);
  }
}

void Canvas::dither(PixelRect r, Colour a, Colour b, float fraction) {
  const int level = static_cast<int>(std::clamp(fraction, 0.0f, 1.0f) * 16.0f + 0.5f);
  for (int y = r.y; y < r.bottom(); ++y) {
    for (int x = r.x; x < r.right(); ++x) set(x, y, kBayer4[y & 3][x & 3] < level ? b : a);
  }
}

void Canvas::verticalGradient(PixelRect r, const std::vector<Colour>& stops) {
  if (stops.empty() || r.h <= 0) return;
  if (stops.size() == 1) return fillRect(r, stops[0]);
  const float spans = float(stops.size() - 1);
  for (int y = r.y; y < r.bottom(); ++y) {
    const float t = r.h == 1 ? 0.0f : float(y - r.y) / float(r.h - 1) * spans;
    const size_t i = std::min(static_cast<size_t>(t), stops.size() - 2);
    const float local = t - float(i);
    // Quantise to eight bands between stops and dither inside each band.
    const float bands = local * 8.0f;
    const int band = std::min(static_cast<int>(bands), 7);
    const Colour lo = mix(stops[i], stops[i + 1], band / 8.0f), hi = mix(stops[i], stops[i + 1], (band + 1) / 8.0f);
    dither({r.x, y, r.w, 1}, lo, hi, bands - float(band));
  }
}

void Canvas::outline(Colour c) {
  std::vector<Colour> out = pixels_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (alpha(pixels_[index(x, y)]) != 0) continue;
      const bool touches = alpha(at(x - 1, y)) > 0 || alpha(at(x + 1, y)) > 0 || alpha(at(x, y - 1)) > 0 ||
                           alpha(at(x, y + 1)) > 0;
      if (touches) out[index(x, y)] = c;
    }
  }
  pixels_.swap(out);
}

void Canvas::replace(Colour from, Colour to) { std::replace(pixels_.begin(), pixels_.end(), from, to); }

void Canvas::blit(const Canvas& source, int x, int y, bool over) {
  for (int sy = 0; sy < source.height_; ++sy) {
    for (int sx = 0; sx < source.width_; ++sx) {
      const Colour c = source.pixels_[source.index(sx, sy)];
      if (over) blend(x + sx, y + sy, c);
      else set(x + sx, y + sy, c);
    }
  }
}

Canvas Canvas::crop(PixelRect r) const {
  Canvas out(r.w, r.h);
  for (int y = 0; y < r.h; ++y) {
    for (int x = 0; x < r.w; ++x) out.pixels_[out.index(x, y)] = at(r.x + x, r.y + y);
  }
  return out;
}

Canvas Canvas::scaled(int factor) const {
  if (factor <= 1) return *this;
  Canvas out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.height_; ++y) {
    for (int x = 0; x < out.width_; ++x) out.pixels_[out.index(x, y)] = pixels_[index(x / factor, y / factor)];
  }
  return out;
}

Canvas Canvas::flippedX() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) out.pixels_[out.index(width_ - 1 - x, y)] = pixels_[index(x, y)];
  }
  return out;
}

bool Canvas::anyOpaque(PixelRect r) const {
  for (int y = std::max(r.y, 0); y < std::min(r.bottom(), height_); ++y) {
    for (int x = std::max(r.x, 0); x < std::min(r.right(), width_); ++x) {
      if (alpha(pixels_[index(x, y)]) != 0) return true;
    }
  }
  return false;
}

}  // namespace artmaker
