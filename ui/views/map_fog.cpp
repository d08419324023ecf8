#include "ui/views/map_fog.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// A repeatable value in [0, 1) for a lattice point.
float latticeValue(int32_t x, int32_t y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFu) / 65536.0f;
}

// Value noise on a lattice of `step` texels, smoothly blended between its points.
float blot(int32_t x, int32_t y, int32_t step) {
  const int32_t cx = x / step;
  const int32_t cy = y / step;
  const auto ease = [](float t) { return t * t * (3.0f - 2.0f * t); };
  const float fx = ease(static_cast<float>(x % step) / static_cast<float>(step));
  const float fy = ease(static_cast<float>(y % step) / static_cast<float>(step));
  const float low = latticeValue(cx, cy) + (latticeValue(cx + 1, cy) - latticeValue(cx, cy)) * fx;
  const float high = latticeValue(cx, cy + 1) + (latticeValue(cx + 1, cy + 1) - latticeValue(cx, cy + 1)) * fx;
  return low + (high - low) * fy;
}

}  // namespace

std::vector<uint8_t> mapFogPicture(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return {};
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  constexpr int kTones = static_cast<int>(std::size(kMapFogTones));
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      // Large blots with smaller ones over them; a fine grain breaks the bands between tones into
      // dithered edges, as the world's pictures are shaded.
      const float value = 0.65f * blot(x, y, 24) + 0.35f * blot(x + 97, y + 31, 7);
      const float grain = (latticeValue(x + 4099, y + 7) - 0.5f) * 0.18f;
      const int tone = std::clamp(static_cast<int>(std::floor((value + grain) * kTones)), 0, kTones - 1);
      const uint8_t* colour = kMapFogTones[tone];
      std::copy(colour, colour + 4, pixels.begin() + (static_cast<std::ptrdiff_t>(y) * width + x) * 4);
    }
  }
  return pixels;
}
