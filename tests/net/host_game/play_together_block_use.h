#pragma once
// A host and two joined players over real ENet on 127.0.0.1, each of whom uses blocks beside
// where they stand: the host's own player at the host's column, the joined player six cells out.
// Helpers lay blocks through the host's rules, hold items, click a cell as each player's game
// does, and wait until every machine's world agrees.

#include <gtest/gtest.h>

#include <functional>

#include "tests/net/host_game/play_together.h"
#include "world/edits/cell_edit.h"

namespace nettest {

// Who uses the block: the joined player (through her game's request) or the host's own player.
enum class Who { Guest, Host };

class PlayTogetherBlockUse : public PlayTogether {
 protected:
  void SetUp() override {
    PlayTogether::SetUp();
    if (HasFatalFailure()) return;
    row_ = ground->y + 1;
    for (int32_t x : {column - 1, column, column + 6, column + 7}) room(x);
    // She stands six cells from the host, where her game and the host agree.
    MapBlock& hers = *hostWorld->cellAt(column + 6, row_);
    onHost(kAnn).setCellCoordinates(hers.x, hers.y);
    walk(*ann, hers);
    ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == hers.x && onHost(kAnn).cellY == hers.y; }));
  }

  // A floor of the ground's block in column x and two open cells above it, on every machine.
  void room(int32_t x) {
    const uint16_t floor = ground->front;
    for (World* world : {hostWorld, ann->world(), bo->world()}) {
      WorldMap& map = world->map();
      for (int32_t y = row_ - 1; y <= row_ + 1; ++y) {
        MapBlock* cell = map.cellAt(map.wrapX(x), y);
        cell->front = y < row_ ? floor : 0;
        cell->back = 0;
        cell->decos = {};
        cell->liquid = 0;
        // Whether light passes follows the block, as the world's own edits keep it.
        const bool passes = !cell->shutsOutLight(map.props());
        cell->flags = static_cast<uint8_t>(passes ? cell->flags | cell_flag::kLetsLightThrough
                                                  : cell->flags & ~cell_flag::kLetsLightThrough);
      }
    }
  }
  // The cell each uses: beside the host, beside her.
  MapBlock& target(Who who) { return *hostWorld->cellAt(who == Who::Host ? column - 1 : column + 7, row_); }
  // The same cell in a world.
  static MapBlock& in(World& world, const MapBlock& cell) { return *world.map().cellAt(cell.x, cell.y); }

  // What a player places goes through the host's rules: every machine's world follows.
  void lay(MapBlock& cell, uint16_t block, uint8_t variant = 0) {
    BlockEdit edit = editForCell(cell, edit_kind::kSetLayerBlock, block);
    edit.variant = variant;
    edit.layer = MapBlock::kFront;
    ASSERT_TRUE(hostWorld->rules().editBlock(edit, nullptr)) << block;
  }
  void layDeco(MapBlock& cell, uint16_t deco, uint8_t side) {
    const DecoHit free = cell.findFreeDecoSlot();
    ASSERT_TRUE(free);
    BlockEdit edit = editForCell(cell, edit_kind::kSetDeco, deco);
    edit.slot = static_cast<uint8_t>(free.index);
    edit.layer = side;
    ASSERT_TRUE(hostWorld->rules().editBlock(edit, nullptr)) << deco;
  }
  // Every machine's world shows the cell as the host's does.
  bool sameEverywhere(const MapBlock& cell) {
    return runUntil([&] {
      for (Joiner* joiner : {ann.get(), bo.get()}) {
        const MapBlock& copy = in(*joiner->world(), cell);
        if (copy.front != cell.front || copy.back != cell.back || copy.decos != cell.decos) return false;
      }
      return true;
    });
  }
  // The test holds on every machine's copy of the cell.
  bool everywhere(const MapBlock& cell, const std::function<bool(const MapBlock&)>& test) {
    return runUntil([&] {
      for (World* world : {hostWorld, ann->world(), bo->world()}) {
        if (!test(in(*world, cell))) return false;
      }
      return true;
    });
  }

  // The player holds the stack in quick slot 0: hers brought in (the host's copy counts it).
  void hold(Who who, ItemPtr stack) {
    if (who == Who::Guest) {
      carryTool(*ann, 0, std::move(stack));
      PlayTogether::hold(*ann, 0);
      ASSERT_TRUE(runUntil([&] { return onHost(kAnn).heldItem() != nullptr; }));
    } else {
      hostPlayer().inventory->setSlot({SlotKind::Quick, 0, 0}, std::move(stack));
      hostPlayer().inventory->select(0);
    }
  }
  void hold(Who who, uint16_t id, uint16_t count = 1) { hold(who, newItem(id, 0, count, 0, 0)); }
  // An empty hand.
  void emptyHand(Who who) {
    if (who == Who::Guest) {
      ann->inventory().select(9);
      PlayTogether::hold(*ann, 9);
      ASSERT_TRUE(runUntil([&] { return onHost(kAnn).heldItem() == nullptr; }));
    } else {
      hostPlayer().inventory->select(9);
    }
  }
  // The player clicks the cell: her game checks it and asks the host; the host's player's game
  // runs the use itself.
  void use(Who who, const MapBlock& cell, uint8_t layer = MapBlock::kFront) {
    if (who == Who::Guest) {
      ASSERT_TRUE(ann->game().useBlock(in(*ann->world(), cell), layer)) << "her own game refused the use";
    } else {
      ASSERT_TRUE(session->game().useBlock(*hostWorld->cellAt(cell.x, cell.y), layer)) << "the host's game refused the use";
    }
  }
  Inventory& inventoryOf(Who who) { return who == Who::Guest ? ann->inventory() : *hostPlayer().inventory; }
  const Item* heldStack(Who who) { return inventoryOf(who).slotItem({SlotKind::Quick, 0, 0}); }

  // Each player in turn, the guest first: `play` lays the cell, uses it and checks the result.
  void forEachPlayer(const std::function<void(Who, MapBlock&)>& play) {
    for (Who who : {Who::Guest, Who::Host}) {
      SCOPED_TRACE(who == Who::Guest ? "the joined player" : "the host's own player");
      play(who, target(who));
      if (HasFatalFailure()) return;
    }
  }
  // A switched block is laid shut, used, and stands open on every machine.
  void opens(uint16_t block) {
    forEachPlayer([&](Who who, MapBlock& cell) {
      lay(cell, block, 0);
      ASSERT_TRUE(sameEverywhere(cell));
      emptyHand(who);
      use(who, cell);
      EXPECT_TRUE(everywhere(cell, [&](const MapBlock& c) { return c.frontId() == block && c.frontVariant() == 1; }))
          << "block " << block << " stayed as it was";
    });
  }

  int32_t row_ = 0;
};

}  // namespace nettest
