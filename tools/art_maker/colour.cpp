#include "tools/art_maker/colour.h"

#include <algorithm>
#include <cmath>

namespace artmaker {
namespace {

struct Hsv {
  float h, s, v;  // h in degrees 0-360, s and v 0-1
};

Hsv toHsv(Colour c) {
  const float r = red(c) / 255.0f, g = green(c) / 255.0f, b = blue(c) / 255.0f;
  const float maxC = std::max({r, g, b}), minC = std::min({r, g, b}), d = maxC - minC;
  float h = 0.0f;
  if (d > 0.0f) {
    if (maxC == r) h = 60.0f * std::fmod((g - b) / d, 6.0f);
    else if (maxC == g) h = 60.0f * ((b - r) / d + 2.0f);
    else h = 60.0f * ((r - g) / d + 4.0f);
  }
  if (h < 0.0f) h += 360.0f;
  return {h, maxC > 0.0f ? d / maxC : 0.0f, maxC};
}

Colour fromHsv(Hsv c, int a) {
  const float h = std::fmod(c.h + 360.0f, 360.0f) / 60.0f;
  const float s = std::clamp(c.s, 0.0f, 1.0f), v = std::clamp(c.v, 0.0f, 1.0f);
  const float chroma = v * s, x = chroma * (1.0f - std::fabs(std::fmod(h, 2.0f) - 1.0f)), m = v - chroma;
  float r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0: r = chroma; g = x; break;
    case 1: r = x; g = chroma; break;
    case 2: g = chroma; b = x; break;
    case 3: g = x; b = chroma; break;
    case 4: r = x; b = chroma; break;
    default: r = chroma; b = x; break;
  }
  auto byte = [m](float f) { return static_cast<int>(std::lround((f + m) * 255.0f)); };
  return rgba(byte(r), byte(g), byte(b), a);
}

// Moves a hue toward a target hue by at most the given degrees along the shorter way.
float hueToward(float hue, float target, float degrees) {
  float diff = std::fmod(target - hue + 540.0f, 360.0f) - 180.0f;
  if (std::fabs(diff) < degrees) return target;
  return hue + (diff > 0 ? degrees : -degrees);
}

}  // namespace

Colour mix(Colour a, Colour b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return rgba(channel(red(a), red(b)), channel(green(a), green(b)), channel(blue(a), blue(b)),
              channel(alpha(a), alpha(b)));
}

Colour blendOver(Colour dst, Colour src) {
  const int sa = alpha(src);
  if (sa == 255) return src;
  if (sa == 0) return dst;
  const int da = alpha(dst);
  const int outA = sa + da * (255 - sa) / 255;
  if (outA == 0) return kClear;
  auto channel = [&](int s, int d) { return (s * sa + d * da * (255 - sa) / 255) / outA; };
  return rgba(channel(red(src), red(dst)), channel(green(src), green(dst)), channel(blue(src), blue(dst)), outA);
}

Colour shade(Colour base, float steps) {
  if (steps == 0.0f) return base;
  Hsv c = toHsv(base);
  const bool grey = c.s < 0.06f;
  if (steps < 0.0f) {
    const float k = -steps;
    if (grey) {
      c.h = 235.0f;  // a grey's shadow picks up a cool tint
      c.s = std::min(0.2f, c.s + 0.03f * k);
    } else {
      c.h = hueToward(c.h, 245.0f, 9.0f * k);
      c.s = std::max(0.0f, c.s - 0.01f * k);
    }
    c.v *= std::pow(0.78f, k);
  } else {
    if (!grey) c.h = hueToward(c.h, 55.0f, 6.0f * steps);
    else c.h = 50.0f, c.s = std::min(0.10f, 0.03f * steps);
    const float lifted = c.v * std::pow(1.16f, steps);
    if (lifted > 1.0f) c.s = std::max(0.0f, c.s - (lifted - 1.0f) * 0.6f);  // past white: paler
    c.v = std::min(1.0f, lifted) ;
    if (!grey) c.s = std::min(1.0f, c.s + 0.02f * steps);
  }
  return fromHsv(c, alpha(base));
}

Ramp makeRamp(Colour base, float spread) {
  Ramp ramp;
  for (int i = 0; i < 5; ++i) ramp.shades[static_cast<size_t>(i)] = shade(base, (i - 2) * spread);
  return ramp;
}

}  // namespace artmaker
