#include "tools/art_maker/growth_strokes.h"

#include <algorithm>
#include <cstdlib>

namespace artmaker {

void barkRun(Canvas& f, int x, int width, int top, int bottom, const Ramp& bark, ArtRandom& rnd) {
  f.fillRect({x, top, width, bottom - top + 1}, bark[2]);
  f.line(x, top, x, bottom, bark[3]);
  f.line(x + width - 1, top, x + width - 1, bottom, bark[0]);
  if (width > 4) f.line(x + width - 2, top, x + width - 2, bottom, bark[1]);
  for (int g = 0; g < width / 3; ++g) {
    const int gx = x + 2 + rnd.below(std::max(1, width - 4));
    int y = top + rnd.below(4);
    while (y <= bottom) {
      const int run = rnd.between(3, 6);
      f.line(gx, y, gx, std::min(bottom, y + run), bark[1]);
      y += run + rnd.between(2, 5);
    }
  }
}

void branch(Canvas& f, int x0, int y0, int x1, int y1, int thickness, const Ramp& bark) {
  for (int t = 0; t < thickness; ++t) f.line(x0, y0 + t, x1, y1 + t, t == 0 ? bark[3] : t + 1 == thickness ? bark[0] : bark[2]);
}

void leafClump(Canvas& f, int cx, int cy, int radius, const Ramp& leaf, ArtRandom& rnd) {
  f.fillCircle(cx + 1, cy + 1, radius, leaf[0]);
  f.fillCircle(cx, cy, radius, leaf[1]);
  f.fillCircle(cx - 1, cy - 1, std::max(1, radius - 1), leaf[2]);
  f.fillCircle(cx - radius / 3, cy - radius / 3, std::max(1, radius / 2), leaf[3]);
  f.set(cx - radius / 2, cy - radius / 2, leaf[4]);
  for (int m = 0; m < radius; ++m) {
    const int x = cx + rnd.between(-radius + 2, radius - 2), y = cy + rnd.between(-radius + 2, radius - 2);
    f.set(x, y, leaf[1]);
    f.set(x + 1, y, leaf[3]);
  }
}

void fruit(Canvas& f, int cx, int cy, int radius, Colour colour) {
  const Ramp r = makeRamp(colour, 0.9f);
  f.fillCircle(cx, cy, radius, r[0]);
  f.fillCircle(cx, cy, std::max(0, radius - 1), r[2]);
  if (radius >= 2) f.set(cx - 1, cy - 1, r[4]);
  f.set(cx, cy - radius - 1, rgba(70, 50, 30));
}

void mushroom(Canvas& f, int cx, int base, int height, int capRadius, const Ramp& cap, Colour stalk) {
  const Ramp s = makeRamp(stalk, 0.6f);
  const int capY = base - height;
  f.fillRect({cx - 1, capY, 3, height + 1}, s[2]);
  f.line(cx - 1, capY, cx - 1, base, s[3]);
  f.line(cx + 1, capY, cx + 1, base, s[1]);
  const int capH = std::max(2, capRadius * 2 / 3);
  f.shadedBlob(cx, capY, capRadius, capH, cap[2], cap[4], cap[0]);
  f.line(cx - capRadius + 1, capY + 1, cx + capRadius - 1, capY + 1, cap[1]);
  if (capRadius >= 3) {
    f.set(cx - capRadius / 2, capY - capH / 2, rgba(244, 238, 222));
    f.set(cx + capRadius / 2, capY - 1, rgba(244, 238, 222));
  }
}

void crystalShard(Canvas& f, int cx, int base, int height, int halfWidth, const Ramp& ramp) {
  for (int y = 0; y <= height; ++y) {
    const int top = base - y;
    const int half = y >= height - halfWidth ? height - y : halfWidth;
    for (int dx = -half; dx <= half; ++dx) f.set(cx + dx, top, dx < 0 ? ramp[3] : dx == 0 ? ramp[4] : ramp[1]);
  }
  f.set(cx - 1, base - height + halfWidth + 1, rgba(255, 255, 255));
}

void grassBlade(Canvas& f, int x, int base, int height, int lean, const Ramp& leaf) {
  for (int k = 0; k <= height; ++k) {
    const int px = x + (lean * k * k) / std::max(1, height * height);
    f.set(px, base - k, k < height / 3 ? leaf[1] : k < height * 2 / 3 ? leaf[2] : leaf[3]);
  }
}

}  // namespace artmaker
