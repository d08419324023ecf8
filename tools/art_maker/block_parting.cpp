#include "tools/art_maker/block_parting.h"

#include <algorithm>

#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/distinct_pictures.h"
#include "tools/art_maker/item_looks.h"
#include "tools/art_maker/special_tiles.h"

namespace artmaker {

namespace {

// Frames closer than this (mean difference over the pixels and channels, in steps of 255) read as
// one block.
constexpr double kBlocksApart = 8.0;
constexpr int kMaxVariations = 12;

// The look in a variation: the colour that makes the block (the ore's clusters, else the body)
// turned further toward a colour of the block's own.
BlockLook turned(const BlockLook& look, int variation) {
  if (variation == 0) return look;
  BlockLook out = look;
  const Colour own = ownColour(uint16_t(look.id * 17 + variation), 0.5f, 0.72f);
  const float amount = std::min(0.14f * float(variation), 0.8f);
  if (look.family == Family::Ore) out.accent = mix(look.accent, own, amount);
  else out.base = mix(look.base, own, amount);
  return out;
}

Canvas firstFrame(const BlockLook& look) {
  Canvas frame(kTile, kTile);
  paintBlock(frame, look, 0);
  return frame;
}

// The middle of a frame, as a block item's icon shows it.
Canvas middleOf(const Canvas& frame) {
  constexpr int kMiddle = 14;
  return frame.crop({(kTile - kMiddle) / 2, (kTile - kMiddle) / 2, kMiddle, kMiddle});
}

}  // namespace

void partLookAlikeBlocks(std::vector<BlockLook>& looks) {
  // Whole frames as the world shows them, and their middles as the icons do.
  DistinctPictures kept(kBlocksApart), keptMiddles(kBlocksApart);
  for (BlockLook& look : looks) {
    if (look.id == 0 || look.shape != BlockShape::Solid || isSpecialTile(look.id)) continue;
    // The first variation that stands apart; failing that, the one that stands farthest.
    BlockLook best = look;
    Canvas bestFrame;
    double bestDistance = -1;
    for (int variation = 0; variation < kMaxVariations && bestDistance < kBlocksApart; ++variation) {
      const BlockLook candidate = turned(look, variation);
      Canvas frame = firstFrame(candidate);
      const double distance = std::min(kept.nearest(frame), keptMiddles.nearest(middleOf(frame)));
      if (distance <= bestDistance) continue;
      bestDistance = distance;
      best = candidate;
      bestFrame = std::move(frame);
    }
    look = best;
    keptMiddles.keep(middleOf(bestFrame));
    kept.keep(bestFrame);
  }
}

}  // namespace artmaker
