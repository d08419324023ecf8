#include "tools/art_maker/turned_picture.h"

#include <cmath>

namespace artmaker {

Canvas turnedEighth(const Canvas& source, float gripX, float gripY) {
  Canvas out(2 * source.width(), 2 * source.height());
  const float cx = static_cast<float>(source.width());
  const float cy = static_cast<float>(source.height());
  const float half = std::sqrt(0.5f);  // cos and sin of 45 degrees
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      // Back from the result to the source: a turn of 45 degrees anticlockwise (y grows down).
      const float dx = static_cast<float>(x) + 0.5f - cx;
      const float dy = static_cast<float>(y) + 0.5f - cy;
      const float sx = gripX + half * (dx + dy);
      const float sy = gripY + half * (dy - dx);
      out.set(x, y, source.at(static_cast<int>(std::floor(sx)), static_cast<int>(std::floor(sy))));
    }
  }
  return out;
}

}  // namespace artmaker
