// The circuit parts as the block atlas draws them: every kind a player places reads apart from every
// other, and each shows on which sides it takes its inputs and drives its output, at the middle of
// the side where a wire's arm ends. The tilled soil a hoe makes is a whole frame of worked soil; the
// blasting charge hung on a block reads as the charge, and once lit shows its burning fuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/art/block_atlas_layout.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/art_maker/block_painter.h"
#include "world/blocks/fuse_blocks.h"
#include "world/circuits/circuit_part.h"

namespace artmaker {
namespace {

constexpr uint16_t kTilledSoil = 2435;

Canvas frameOf(uint16_t block, uint8_t variant = 0) {
  const Canvas* rocks = arttest::madePicture("rocks.png");
  if (rocks == nullptr) return Canvas(kTile, kTile);
  const engine::Rect r = art::blockSpriteRect(block, variant);
  return rocks->crop({int(r.origin.x), int(r.origin.y), kTile, kTile});
}

// The parts placed as blocks of their own (the wires are the view's overlay, drawn apart).
std::vector<CircuitPart> placedParts() {
  std::vector<CircuitPart> parts;
  for (const CircuitPart& part : circuitParts()) {
    if (part.block != 0 && part.kind != circuit_kind::kWire && part.kind != circuit_kind::kConnectorWire) parts.push_back(part);
  }
  return parts;
}

int differingPixels(const Canvas& a, const Canvas& b) {
  int count = 0;
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) count += a.at(x, y) != b.at(x, y);
  }
  return count;
}

// The pixel one in from the edge at the middle of side d (0 up, 1 right, 2 down, 3 left).
Colour sideMiddle(const Canvas& frame, int side) {
  constexpr int mid = kTile / 2, in = 1;
  switch (side) {
    case 0: return frame.at(mid, in);
    case 1: return frame.at(kTile - 1 - in, mid);
    case 2: return frame.at(mid, kTile - 1 - in);
    default: return frame.at(in, mid);
  }
}

bool greenPin(Colour c) { return alpha(c) == 255 && green(c) > red(c) + 40 && green(c) > blue(c) + 40; }
bool copperPin(Colour c) { return alpha(c) == 255 && red(c) > green(c) + 30 && green(c) > blue(c); }

TEST(CircuitPartArt, EveryPartKindIsDrawnApartFromEveryOther) {
  const std::vector<CircuitPart> parts = placedParts();
  ASSERT_EQ(parts.size(), 20u);
  for (size_t i = 0; i < parts.size(); ++i) {
    const Canvas a = frameOf(parts[i].block);
    for (size_t j = i + 1; j < parts.size(); ++j) {
      EXPECT_GT(differingPixels(a, frameOf(parts[j].block)), 20)
          << "kinds " << parts[i].kind << " and " << parts[j].kind << " look alike";
    }
  }
}

TEST(CircuitPartArt, EachPartMarksTheSidesItTakesAndDrives) {
  for (const CircuitPart& part : placedParts()) {
    const Canvas frame = frameOf(part.block);
    for (int side = 0; side < 4; ++side) {
      const Colour pin = sideMiddle(frame, side);
      const bool drives = part.outputs & (1 << side), takes = part.inputs & (1 << side);
      if (part.kind == circuit_kind::kCrossing) {
        EXPECT_EQ(alpha(pin), 255) << "the crossing's track reaches side " << side;
      } else if (drives) {
        EXPECT_TRUE(greenPin(pin)) << "kind " << part.kind << " drives side " << side;
      } else if (takes) {
        EXPECT_TRUE(copperPin(pin)) << "kind " << part.kind << " takes side " << side;
      } else {
        EXPECT_EQ(alpha(pin), 0) << "kind " << part.kind << " shows a pin on side " << side << " it does not use";
      }
    }
  }
}

TEST(TilledSoilArt, TheHoesDecorationIsAWholeFrameOfWorkedSoilInRows) {
  for (int variant = 0; variant < 3; ++variant) {
    const Canvas* rocks = arttest::madePicture("rocks.png");
    ASSERT_NE(rocks, nullptr);
    const engine::Rect r = art::blockSpriteRect(kTilledSoil, uint8_t(variant));
    const Canvas frame = rocks->crop({int(r.origin.x), int(r.origin.y), kTile, kTile});
    int soil = 0;
    for (int y = 0; y < kTile; ++y) {
      for (int x = 0; x < kTile; ++x) {
        const Colour c = frame.at(x, y);
        ASSERT_EQ(alpha(c), 255) << "it hides the grass it tills, at " << x << ", " << y;
        soil += red(c) >= green(c) && red(c) > blue(c);
      }
    }
    EXPECT_GT(soil, kTile * kTile * 3 / 4) << "earth-coloured, variant " << variant;
    // Furrows: rows across the frame darker than the ridge above them.
    int darkerRows = 0;
    for (int y = 4; y < kTile; ++y) {
      int sumAbove = 0, sum = 0;
      for (int x = 0; x < kTile; ++x) {
        sumAbove += red(frame.at(x, y - 1)) + green(frame.at(x, y - 1));
        sum += red(frame.at(x, y)) + green(frame.at(x, y));
      }
      darkerRows += sum * 10 < sumAbove * 7;
    }
    EXPECT_GE(darkerRows, 3) << "variant " << variant;
  }
}

// Spark pixels: a hot yellow, not the plum of the charge nor the tan of its cord.
int sparkPixels(const Canvas& frame) {
  int count = 0;
  for (int y = 0; y < kTile / 2; ++y) {
    for (int x = kTile / 2; x < kTile; ++x) {
      const Colour c = frame.at(x, y);
      count += alpha(c) > 0 && red(c) > 230 && green(c) > 170 && blue(c) < 190;
    }
  }
  return count;
}

TEST(BlastingChargeArt, TheHungChargeIsARoundBundleAndItsLitStateBurnsAtTheFuse) {
  const Canvas hung = frameOf(fuse_block::kCharge);
  // A round bundle standing on its base, where a chest's box would fill the bottom corners.
  EXPECT_EQ(alpha(hung.at(kTile / 2, kTile - 6)), 255);
  EXPECT_EQ(alpha(hung.at(2, kTile - 3)), 0);
  EXPECT_EQ(alpha(hung.at(kTile - 3, kTile - 3)), 0);
  EXPECT_EQ(sparkPixels(hung), 0) << "unlit, it shows no spark";
  for (uint8_t variant = 0; variant < 3; ++variant) {
    const Canvas lit = frameOf(fuse_block::kLit, variant);
    EXPECT_GE(sparkPixels(lit), 6) << "variant " << int(variant);
    // The same bundle under the spark, not a plant or a box of its own.
    const Colour body = lit.at(kTile / 2, kTile - 9), hungBody = hung.at(kTile / 2, kTile - 9);
    EXPECT_EQ(alpha(body), 255);
    EXPECT_NEAR(red(body), red(hungBody), 24);
    EXPECT_NEAR(green(body), green(hungBody), 24);
    EXPECT_NEAR(blue(body), blue(hungBody), 24);
    EXPECT_EQ(alpha(lit.at(2, kTile - 3)), 0);
  }
}

}  // namespace
}  // namespace artmaker
