// Portal frames of each shape, frames that make no portal, the links between portals of two
// planets in the order they are built, and breaking a frame.

#include "tests/world/circuits/circuit_fixture.h"
#include "world/portals/portal_list.h"
#include "world/portals/portal_registry.h"

namespace {

using namespace world_test;

constexpr uint16_t kFrameToPlanet1 = 2755, kFrameToPlanet2 = 2760, kPortal = PortalRegistry::kPortalBlock;

class PortalTest : public CircuitTest {
 protected:
  void SetUp() override {
    CircuitTest::SetUp();
    defineBlock(kFrameToPlanet1, {.flags = bits({12, 23})});
    defineBlock(kFrameToPlanet2, {.flags = bits({12, 23})});
    defineBlock(kPortal, {.transparency = 1, .variants = 2});
    context.portals = &portals;  // one game's list, across the planets it visits
    onPlanet(2, 3);
  }
  PortalList portals;

  void onPlanet(uint32_t planet, uint8_t mode) {
    WorldParams params;
    params.planetId = planet;
    params.mode = mode;
    makeWorld(params);
    logic.world = world.get();
    context.rules = &logic;
    rebind();
  }
  void frame(int32_t x, int32_t y, uint16_t block = kFrameToPlanet1) {
    ASSERT_FALSE(apply(edit(edit_kind::kPlace, x, y, block)).wasRefused());
  }
  // The three frame blocks around (x, 5): left, top and right.
  void frameAround(int32_t x, uint16_t top = kFrameToPlanet1) {
    frame(x - 1, 5);
    frame(x, 6, top);
    frame(x + 1, 5);
  }
  void removeFront(int32_t x, int32_t y) {
    BlockEdit remove = edit(edit_kind::kRemoveLayer, x, y);
    remove.layer = MapBlock::kFront;
    apply(remove);
  }
};

TEST_F(PortalTest, EachShapeCompletesThePortalWhateverBlockComesLast) {
  const struct {
    int32_t x;
    int order[3];  // 0 left, 1 top, 2 right
  } cases[] = {{5, {1, 2, 0}}, {12, {0, 2, 1}}, {19, {0, 1, 2}}};
  for (const auto& c : cases) {
    const int32_t spots[3][2] = {{c.x - 1, 5}, {c.x, 6}, {c.x + 1, 5}};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(at(c.x, 5).frontId(), kAir) << "not yet at x " << c.x;
      frame(spots[c.order[i]][0], spots[c.order[i]][1]);
    }
    EXPECT_EQ(at(c.x, 5).frontId(), kPortal) << "x " << c.x;
  }
  ASSERT_EQ(portals.records().size(), 3u);
  EXPECT_EQ(portals.records()[0].target, 1u);
}

TEST_F(PortalTest, NoPortalOutsideTheThirdModeOrWithMixedFrames) {
  onPlanet(2, 0);
  frameAround(5);
  EXPECT_EQ(at(5, 5).frontId(), kAir);
  onPlanet(2, 3);
  frameAround(5, kFrameToPlanet2);
  EXPECT_EQ(at(5, 5).frontId(), kAir);
  EXPECT_TRUE(portals.records().empty());
}

TEST_F(PortalTest, PortalsOfTwoPlanetsLinkInTheOrderTheyAreBuilt) {
  PortalList& list = portals;
  list.addPortal(2, 10, 20, 1);  // the first: no partner anywhere yet
  EXPECT_EQ(list.records()[0].x, PortalRecord::kNoPlace);
  list.records()[0].x = 10;  // as built in the world
  list.records()[0].y = 20;
  list.addPortal(1, 30, 40, 2);  // its partner on planet 1 links back to it, and it to the partner
  EXPECT_EQ(list.records()[1].link, packPortalCell(10, 20));
  EXPECT_EQ(list.records()[0].link, packPortalCell(30, 40));
  list.addPortal(2, 12, 22, 1);  // a second portal on planet 2 shares the partner
  EXPECT_EQ(list.records()[1].link, packPortalCell(12, 22)) << "the partner now leads to the newest";

  list.removePortal(2, 12, 22);
  ASSERT_EQ(list.records().size(), 2u);
  EXPECT_EQ(list.records()[1].link, packPortalCell(10, 20)) << "relinked to the portal that is left";
}

TEST_F(PortalTest, BreakingTheTopFrameBlockRemovesThePortalBelowAndItsRecord) {
  portals.addPortal(1, 30, 7, 2);  // a partner on planet 1, so the new portal keeps its place
  frameAround(5);
  ASSERT_EQ(at(5, 5).frontId(), kPortal);
  removeFront(5, 6);
  EXPECT_EQ(at(5, 5).frontId(), kAir);
  ASSERT_EQ(portals.records().size(), 1u);
  EXPECT_EQ(portals.records()[0].planet, 1u);
}

}  // namespace
