#include "content/art/tile_effects_layout.h"

#include <algorithm>

namespace art {
namespace {

constexpr int kCell = 32;

struct Placement {
  int column, row, frames;
};

Placement placement(TileEffect effect) {
  switch (effect) {
    case TileEffect::Crack: return {0, 0, kCrackStages};
    case TileEffect::Highlight: return {0, 1, 1};
    case TileEffect::Marker: return {1, 1, 1};
    case TileEffect::Glint: return {2, 1, kGlintFrames};
  }
  return {0, 0, 1};
}

}  // namespace

int tileEffectFrames(TileEffect effect) { return placement(effect).frames; }

engine::Rect tileEffectRect(TileEffect effect, int frame) {
  const Placement p = placement(effect);
  const int column = p.column + std::clamp(frame, 0, p.frames - 1);
  return {float(column * kCell + 1), float(p.row * kCell + 1), 30.0f, 30.0f};
}

}  // namespace art
