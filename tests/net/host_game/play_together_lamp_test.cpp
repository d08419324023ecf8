// A coloured lamp in a hosted game, over real ENet on 127.0.0.1: the host's player stands a lever,
// a wire and the lamp in a row and throws the lever. Every joined player's world then holds the
// colour the host stores for the lamp and lights the cells around it in that colour by its own
// light step, a player who joins later included; her lever turns it off everywhere, and no
// setting she forges at the lamp or the wire gives it another colour or touches the circuit.

#include <gtest/gtest.h>

#include <utility>

#include "game/rules/held_item_placement.h"
#include "tests/net/host_game/play_together_block_use.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"

namespace nettest {
namespace {

constexpr uint16_t kLeverItem = 1489, kWireItem = 1616, kColouredLampItem = 1423;
constexpr uint16_t kLever = 2086, kColouredLamp = 2114;
// The wire drives the lamp from its left, the red input; a high digital input gives 14.
constexpr uint16_t kRed = 0x00E;

class PlayTogetherLamp : public PlayTogetherBlockUse {
 protected:
  // Out from the host (at `column`) toward her: the lever next to him, the wire, the lamp and the
  // cell it lights.
  void SetUp() override {
    PlayTogetherBlockUse::SetUp();
    if (HasFatalFailure()) return;
    for (int32_t x = column + 1; x <= column + 4; ++x) room(x);
  }
  MapBlock& cellAt(int32_t dx) { return *hostWorld->cellAt(column + dx, row_); }
  MapBlock& lever() { return cellAt(1); }
  MapBlock& wire() { return cellAt(2); }
  MapBlock& lamp() { return cellAt(3); }
  MapBlock& beside() { return cellAt(4); }

  // The host's player places what she holds in the cell as her right click does.
  void place(uint16_t item, MapBlock& cell) {
    hold(Who::Host, item);
    BlockEdit edit = placeHeldItemRule(*hostWorld, hostPlayer(), cell, *heldStack(Who::Host), true);
    edit.takeHeld = 1;
    ASSERT_TRUE(session->game().editBlock(edit)) << "item " << item;
  }
  // The world's copy of the lamp is lit in the colour and lights the cell beside it as the host's
  // own light step does.
  bool litAsOnHost(World& world, uint16_t colour) {
    const MapBlock& copy = in(world, lamp());
    return copy.frontVariant() == (colour != 0 ? 1 : 0) && world.circuits().lampColourAt(copy) == colour &&
           in(world, beside()).lightColour() == beside().lightColour();
  }
  bool litEverywhere(uint16_t colour) {
    return runUntil([&] {
      return litAsOnHost(*hostWorld, colour) && litAsOnHost(*ann->world(), colour) && litAsOnHost(*bo->world(), colour);
    });
  }
  // A circuit setting she sends for the cell, as her configurator would send it.
  void forgeSetting(const MapBlock& cell, uint8_t tag, uint16_t value) {
    BlockEdit edit = editForCell(cell, edit_kind::kCircuitSetting, 0);
    edit.setValueByte(0, tag);
    edit.setValueByte(2, static_cast<uint8_t>(value));
    edit.setValueByte(3, static_cast<uint8_t>(value >> 8));
    ann->game().editBlock(edit);
  }
};

TEST_P(PlayTogetherLamp, EveryWorldLightsTheColouredLampInTheHostsColour) {
  place(kLeverItem, lever());
  place(kWireItem, wire());
  place(kColouredLampItem, lamp());
  ASSERT_TRUE(everywhere(lamp(), [](const MapBlock& c) {
    return c.frontId() == kColouredLamp && circuitKind(c) != circuit_kind::kNone;
  }));
  ASSERT_TRUE(everywhere(lever(), [](const MapBlock& c) { return c.frontId() == kLever; }));
  const uint16_t unlit = beside().lightColour();

  emptyHand(Who::Host);
  ASSERT_NO_FATAL_FAILURE(use(Who::Host, lever()));
  ASSERT_TRUE(litEverywhere(kRed)) << "some world's lamp is not lit in the host's colour";
  EXPECT_NE(beside().lightColour(), 0) << "the cell beside the lamp is dark";
  EXPECT_EQ(beside().lightColour() & 0xFF0, 0) << "lit in the lamp's red only";

  // Settings forged at the lit lamp (another device's) and at the wire (which takes none).
  ASSERT_NE(hostWorld->circuits().findMemory(lamp()), nullptr);
  const CircuitRecord kept = *hostWorld->circuits().findMemory(lamp());
  const auto circuitBytes = [](const MapBlock& c) { return std::pair{c.circuitA, c.circuitB}; };
  const auto lampBytes = circuitBytes(lamp()), wireBytes = circuitBytes(wire());
  forgeSetting(lamp(), circuit_tag::kToneEmitter, 0x00F);
  forgeSetting(lamp(), circuit_tag::kAnalogSource, 15);
  forgeSetting(lamp(), circuit_tag::kDispenser, 15);
  forgeSetting(wire(), circuit_tag::kOperationalUnit, 3);
  settle();
  EXPECT_EQ(*hostWorld->circuits().findMemory(lamp()), kept) << "a forged setting changed the lamp's colour";
  EXPECT_EQ(circuitBytes(lamp()), lampBytes) << "a forged setting reached the lamp's circuit";
  EXPECT_EQ(circuitBytes(wire()), wireBytes) << "a forged setting reached the wire";
  EXPECT_TRUE(litEverywhere(kRed)) << "a forged setting changed some world's lamp";

  {
    // A player who joins now receives the lamp lit in its colour.
    Joiner cy("Cy");
    ASSERT_TRUE(meeting->connect(cy.net, "Cy", 203));
    ASSERT_TRUE(runUntil([&] { return inGame(cy) && cy.world() != nullptr; }));
    EXPECT_TRUE(runUntil([&] { return litAsOnHost(*cy.world(), kRed); })) << "her world shows the lamp otherwise";
    cy.net.shutdown();
    runUntil([&] { return server.players().at(cy.net.localPeerId()) == nullptr; });
  }

  // She steps up to the lever, and her throw puts the lamp out in every world.
  onHost(kAnn).setCellCoordinates(wire().x, wire().y);
  walk(*ann, wire());
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == wire().x; }));
  emptyHand(Who::Guest);
  ASSERT_NO_FATAL_FAILURE(use(Who::Guest, lever()));
  EXPECT_TRUE(litEverywhere(0)) << "some world's lamp is still lit";
  EXPECT_EQ(beside().lightColour(), unlit);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherLamp, ::testing::Values(false));

}  // namespace
}  // namespace nettest
