// What a joined player leaves in the hosted world when she goes, over real ENet on 127.0.0.1: her
// pet and her fishing bobber leave with her, and a player who comes back wearing her pet's trinket
// has exactly one pet (each return used to call one more, the last one left behind ownerless).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "content/loader/game_tables_loader.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "content/tables/mob_item_table.h"
#include "entities/projectiles/bobber_entity.h"
#include "game/fishing/fishing_catch.h"
#include "game/rules/projectile_choice.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr SlotRef kTrinket{SlotKind::Trinket, 0, 0};

class PlayTogetherDepartures : public PlayTogether {
 protected:
  std::shared_ptr<CharacterTokens> backFrom_;
  void TearDown() override {
    PlayTogether::TearDown();
    resetGameTables();
  }

  // A rod of the content that casts a bobber; 0 for none.
  static uint16_t castingRod() {
    const auto& defs = contentTables().itemDefs;
    for (uint16_t id = 1; id < defs.size(); ++id) {
      if (fishingRodTier(id) >= 0 && defs[id].defined && defs[id].rangedSpec != nullptr &&
          defs[id].rangedSpec->castsBobber()) {
        return id;
      }
    }
    return 0;
  }
  // What the rod casts from the ammunition slot; 0 for none.
  static uint16_t bobberOf(uint16_t rod) {
    const auto& defs = contentTables().itemDefs;
    for (uint16_t id = 1; id < defs.size(); ++id) {
      bool rangeFlag = false;
      if (defs[id].defined && defs[id].rangedSpec != nullptr && acceptsAmmunition(rod, id, rangeFlag)) return id;
    }
    return 0;
  }
  // Three cells of still water over the ground of a column right of the host's player, with two
  // cells of air above: the cell a caster standing there reaches by casting straight down.
  MapBlock* standOverWater() {
    for (int32_t x = column + 4; x < column + 60; ++x) {
      const int32_t y = groundIn(x)->y + 1;
      std::vector<MapBlock*> water;
      for (int32_t dx = -1; dx <= 1; ++dx) water.push_back(hostWorld->cellAt(x + dx, y));
      const bool open = std::all_of(water.begin(), water.end(), [](const MapBlock* cell) {
        return cell != nullptr && cell->frontId() == 0 && cell->liquid == 0;
      });
      if (!open || hostWorld->cellAt(x, y + 1)->frontId() != 0 || hostWorld->cellAt(x, y + 2)->frontId() != 0) {
        continue;
      }
      for (MapBlock* cell : water) {
        cell->liquid = static_cast<uint8_t>((static_cast<uint8_t>(LiquidKind::Water) << 6) | (4u << 3) | 4u);
        cell->flags |= cell_flag::kLiquidSource;
      }
      return hostWorld->cellAt(x, y + 2);
    }
    return nullptr;
  }
  // The bobbers in the hosted world that are not gone, whoever cast them.
  size_t liveBobbers() {
    size_t bobbers = 0;
    session->entities().lists().bullets().forEach([&](const RealEntity& entity) {
      if (dynamic_cast<const BobberEntity*>(&entity) != nullptr && !entity.data.removed) ++bobbers;
    });
    return bobbers;
  }
  // She quits her game, as from its pause menu: her endpoint and her connection end; her
  // character (its hosts file) stays for her return.
  void quit(std::unique_ptr<Joiner>& joiner, uint8_t peer) {
    backFrom_ = joiner->character;
    joiner.reset();
    ASSERT_TRUE(runUntil([&] { return server.players().at(peer) == nullptr; }));
  }
  // She joins again with her character, wearing what it wears: the host hears of it as she enters.
  void rejoin(std::unique_ptr<Joiner>& joiner, const std::string& name, uint64_t user, uint16_t trinket) {
    std::shared_ptr<CharacterTokens> character = joiner != nullptr ? joiner->character : backFrom_;
    joiner = std::make_unique<Joiner>(name, character);
    joiner->inventory().setSlot(kTrinket, newItem(trinket, 0, 1, 0, 0));
    ASSERT_TRUE(meeting->connect(joiner->net, name, user));
    ASSERT_TRUE(runUntil([&] {
      return inGame(*joiner) && server.joinStage(joiner->net.localPeerId()) == host::JoinStage::Entered;
    }));
  }
};

TEST_P(PlayTogetherDepartures, ALeavingPlayersPetLeavesWithHer) {
  const uint16_t trinket = petTrinket();
  ASSERT_FALSE(hostWorld->isCreative());
  carry(*ann, kTrinket, trinket, 1);
  const PlayerBase& annOnHost = onHost(kAnn);
  ann->game().refreshPet();
  ASSERT_TRUE(runUntil([&] { return petsOf(annOnHost) == 1; })) << "her pet came";

  loseConnection(*ann, kAnn);
  EXPECT_EQ(livePets(), 0u) << "no pet stays behind without its owner";
}

TEST_P(PlayTogetherDepartures, APlayerWhoComesBackWithHerPetHasOnePet) {
  const uint16_t trinket = petTrinket();
  carry(*ann, kTrinket, trinket, 1);
  ann->game().refreshPet();
  ASSERT_TRUE(runUntil([&] { return petsOf(onHost(kAnn)) == 1; })) << "her pet came";

  for (int visit = 1; visit <= 2; ++visit) {
    quit(ann, kAnn);
    rejoin(ann, "Ann", 201, trinket);
    const PlayerBase& back = onHost(ann->net.localPeerId());
    ASSERT_TRUE(runUntil([&] { return petsOf(back) == 1; })) << "her pet came back with her, visit " << visit;
    settle();
    EXPECT_EQ(livePets(), 1u) << "one pet, hers, after visit " << visit;
  }
}

TEST_P(PlayTogetherDepartures, ACharacterWhoComesBackTakesWhatSheLeftWithNotANewDeclaration) {
  const uint16_t stone = stackingItems(1).at(0);
  carry(*ann, 0, stone, 6);
  // She drops all six; her game then comes back with a character that still says six.
  ann->game().dropItem(ann->inventory().takeSlot({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(stone) == 0; }));
  quit(ann, kAnn);
  ann = std::make_unique<Joiner>("Ann", backFrom_);
  ann->inventory().setSlot({SlotKind::Quick, 0, 0}, newItem(stone, 0, 6, 0, 0));
  ASSERT_TRUE(meeting->connect(ann->net, "Ann", 201));
  ASSERT_TRUE(runUntil([&] {
    return inGame(*ann) && server.joinStage(ann->net.localPeerId()) == host::JoinStage::Entered;
  }));
  settle();
  EXPECT_EQ(onHost(ann->net.localPeerId()).items().countOf(stone), 0u) << "the host kept what she left with";
  ann->game().dropItem(ann->inventory().takeSlot({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(runUntil([&] { return ann->inventory().countItems(stone, false, true) == 6; }))
      << "the stones her file made up come back to her, not into the world";
}

TEST_P(PlayTogetherDepartures, ALeavingPlayersBobberLeavesWithHer) {
  const uint16_t rod = castingRod();
  ASSERT_NE(rod, 0) << "the content has a rod";
  const MapBlock* stands = standOverWater();
  ASSERT_NE(stands, nullptr);
  carry(*ann, 0, rod, 1);
  const uint16_t bobber = bobberOf(rod);
  ASSERT_NE(bobber, 0) << "the content has what the rod casts";
  carry(*ann, {SlotKind::Single, 0, 0}, bobber, 1);
  // The host takes her there (no body walks sixty columns in a frame), and her client stands there.
  onHost(kAnn).teleportTo(*hostWorld->cellAt(stands->x, stands->y));
  walk(*ann, *stands);
  hold(*ann, 0);
  PlayerServerDesktop& annOnHost = onHost(kAnn);
  ASSERT_TRUE(runUntil([&] {
    const Item* held = annOnHost.heldItem();
    return annOnHost.cellX == stands->x && held != nullptr && held->id == rod;
  }));
  const uint32_t her = annOnHost.playerId();
  // She casts as the main view does, barely sideways: the bobber drops into the water below her.
  ann->game().shoot(0.5f, 0.0f);
  ASSERT_TRUE(runUntil([&] {
    const BobberEntity* line = session->entities().bobberOf(her);
    return line != nullptr && line->state == 1;
  })) << "her line is in the water";

  loseConnection(*ann, kAnn);
  EXPECT_EQ(session->entities().bobberOf(her), nullptr);
  EXPECT_EQ(liveBobbers(), 0u) << "no line stays in the water without its fisher";
}

INSTANTIATE_TEST_SUITE_P(Enet, PlayTogetherDepartures, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>&) { return "OverEnet"; });

}  // namespace
}  // namespace nettest
