#include "tools/art_maker/special_tiles.h"

#include "content/art/block_atlas_layout.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/palette.h"

namespace artmaker {
namespace {

void caveShade(Canvas& f) {
  // The back wall of a cave: stone pushed far into the shade, with little contrast.
  const Ramp ramp = makeRamp(rgba(46, 42, 56), 0.45f);
  paintMaterial(f, Family::Stone, ramp, ramp[3], artSeed("cave-shade"));
}

void shadowEdge(Canvas& f, int side, bool behindBack) {
  static constexpr int kFalloff[] = {150, 118, 90, 66, 46, 30, 18, 9};
  for (int depth = 0; depth < 8; ++depth) {
    const int a = behindBack ? kFalloff[depth] * 3 / 4 : kFalloff[depth];
    const Colour c = rgba(8, 6, 20, a);
    for (int k = 0; k < kTile; ++k) {
      switch (side) {
        case 0: f.set(k, depth, c); break;
        case 1: f.set(kTile - 1 - depth, k, c); break;
        case 2: f.set(k, kTile - 1 - depth, c); break;
        default: f.set(depth, k, c); break;
      }
    }
  }
}

void tileOverlay(Canvas& f) {
  // Corner brackets around the struck tile: white with a dark rim so they read on any block.
  const Colour light = rgba(255, 255, 255, 230), dark = rgba(20, 18, 30, 200);
  for (int corner = 0; corner < 4; ++corner) {
    const int x = corner % 2 ? kTile - 1 : 0, y = corner / 2 ? kTile - 1 : 0;
    const int dx = corner % 2 ? -1 : 1, dy = corner / 2 ? -1 : 1;
    for (int k = 0; k < 8; ++k) {
      f.set(x + dx * k, y, light);
      f.set(x, y + dy * k, light);
      f.set(x + dx * k, y + dy, dark);
      f.set(x + dx, y + dy * k, dark);
    }
  }
  f.fillRect({1, 1, kTile - 2, kTile - 2}, rgba(255, 255, 255, 28));
}

void wire(Canvas& f, int sides, Colour body) {
  const Ramp ramp = makeRamp(body, 0.8f);
  static constexpr int kArms[4][4] = {{14, 0, 3, 15}, {15, 14, 15, 3}, {14, 15, 3, 15}, {0, 14, 15, 3}};
  for (int side = 0; side < 4; ++side) {
    if (!(sides & (1 << side))) continue;
    const int* arm = kArms[side];
    f.fillRect({arm[0], arm[1], arm[2], arm[3]}, ramp[2]);
    if (side % 2 == 0) f.line(arm[0], arm[1], arm[0], arm[1] + arm[3] - 1, ramp[4]);
    else f.line(arm[0], arm[1], arm[0] + arm[2] - 1, arm[1], ramp[4]);
  }
  f.shadedBox({12, 12, 7, 7}, ramp[2], ramp[4], ramp[0]);
  f.set(15, 15, ramp[4]);
}

// Seven segments per digit, bit 0 = top, then top right, bottom right, bottom, bottom left, top left,
// middle.
constexpr uint8_t kSegments[16] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07,
                                   0x7F, 0x6F, 0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71};

void display(Canvas& f, int digit) {
  const Colour lit = rgba(120, 255, 150), glow = rgba(60, 200, 100, 150), unlit = rgba(30, 70, 40, 90);
  struct Segment { int x, y, w, h; };
  static constexpr Segment kPlaces[7] = {{10, 5, 10, 2}, {20, 7, 2, 8}, {20, 16, 2, 8}, {10, 24, 10, 2},
                                         {8, 16, 2, 8},  {8, 7, 2, 8},  {10, 15, 10, 1}};
  for (int s = 0; s < 7; ++s) {
    const Segment& p = kPlaces[s];
    const bool on = kSegments[digit & 15] & (1 << s);
    if (on) f.fillRect({p.x - 1, p.y - 1, p.w + 2, p.h + 2}, glow);
    f.fillRect({p.x, p.y, p.w, p.h}, on ? lit : unlit);
  }
}

}  // namespace

bool isSpecialTile(uint16_t id) {
  return id == art::kCaveShadeBlock || id == art::kShadowEdgeOpenBlock || id == art::kShadowEdgeBackBlock ||
         id == art::kTileOverlayBlock || id == art::kWireBlock || id == art::kWireBlock2 || id == art::kDisplayBlock;
}

void paintSpecialTile(Canvas& frame, uint16_t id, int variant) {
  switch (id) {
    case art::kCaveShadeBlock: caveShade(frame); break;
    case art::kShadowEdgeOpenBlock: shadowEdge(frame, variant & 3, false); break;
    case art::kShadowEdgeBackBlock: shadowEdge(frame, variant & 3, true); break;
    case art::kTileOverlayBlock: tileOverlay(frame); break;
    case art::kWireBlock: wire(frame, variant & 15, rgba(200, 70, 50)); break;
    case art::kWireBlock2: wire(frame, variant & 15, rgba(70, 120, 220)); break;
    case art::kDisplayBlock: display(frame, variant); break;
    default: break;
  }
}

}  // namespace artmaker
