#pragma once
// Colours of the art maker: 0xRRGGBBAA words, the same form the PNG writer takes, and the few
// operations pixel art needs on them: mixing, alpha blending and shading along a hue-shifted ramp
// (shadows lean toward blue and lose a little saturation, highlights lean toward yellow).

#include <array>
#include <cstddef>
#include <cstdint>

namespace artmaker {

using Colour = uint32_t;

inline constexpr Colour kClear = 0;

constexpr Colour rgba(int r, int g, int b, int a = 255) {
  return (Colour(r & 0xFF) << 24) | (Colour(g & 0xFF) << 16) | (Colour(b & 0xFF) << 8) | Colour(a & 0xFF);
}
// A 0xRRGGBB word made opaque.
constexpr Colour opaque(uint32_t rgb) { return (rgb << 8) | 0xFF; }

constexpr int red(Colour c) { return int(c >> 24); }
constexpr int green(Colour c) { return int((c >> 16) & 0xFF); }
constexpr int blue(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int alpha(Colour c) { return int(c & 0xFF); }
constexpr Colour withAlpha(Colour c, int a) { return (c & 0xFFFFFF00u) | Colour(a & 0xFF); }

// t = 0 gives a, t = 1 gives b; every channel, alpha included.
Colour mix(Colour a, Colour b, float t);
// Source over destination with straight alpha.
Colour blendOver(Colour dst, Colour src);
// One step along a ramp: positive steps lighter and warmer, negative darker and cooler.
Colour shade(Colour base, float steps);

// Five shades of one material, darkest first; index 2 is the base colour.
struct Ramp {
  std::array<Colour, 5> shades{};
  Colour operator[](int i) const { return shades[static_cast<size_t>(i < 0 ? 0 : i > 4 ? 4 : i)]; }
  Colour darkest() const { return shades[0]; }
  Colour base() const { return shades[2]; }
  Colour lightest() const { return shades[4]; }
};

// The ramp around a base colour; spread scales the distance between shades (1 is the usual).
Ramp makeRamp(Colour base, float spread = 1.0f);

}  // namespace artmaker
