// A pet follows its owner on every screen, over real ENet on 127.0.0.1: when the host's player walks
// away from its pet, the pet steps after it on the host, and the joined player's copy of the pet
// makes the same steps rather than standing where it was called.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "content/loader/game_tables_loader.h"
#include "content/tables/mob_def.h"
#include "content/tables/mob_item_table.h"
#include "entities/core/entity_cast.h"
#include "entities/mobs/mob_pet_entity.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr int32_t kStepsAway = 4;

class PlayTogetherPets : public PlayTogether {
 protected:
  void TearDown() override {
    PlayTogether::TearDown();
    resetGameTables();
  }
  // The host's player stands on level ground and puts on a trinket that calls a mob as its pet, as the
  // game calls it when the world starts: the pet it called.
  MobPetEntity* hostCallsPetOnLevelGround() {
    start_ = onLevelGround();
    if (start_ == nullptr) return nullptr;
    hostWalksTo(*start_);
    MobItemRow row;
    while (mobDefinitionById(row.mob) == nullptr && row.mob < 1000) ++row.mob;
    row.item = stackingItems(1)[0];
    GameTables tables;
    tables.mobItems = MobItemTable({row});
    setGameTables(std::move(tables));
    hostPlayer().inventory->setSlot({SlotKind::Trinket, 0, 0}, newItem(row.item, 0, 1, 0, 0));
    session->game().refreshPet();
    MobPetEntity* pet = nullptr;
    session->entities().lists().mobs().forEach([&](RealEntity& entity) {
      if (entity.ownerId() == hostPlayer().playerId() && !entity.data.removed) pet = entity_cast<MobPetEntity>(&entity);
    });
    return pet;
  }
  // The host's player stands on the cell, having left the one it stood on: its pet plans after it.
  void hostWalksTo(MapBlock& cell) {
    MapBlock* left = hostPlayer().currentMapBlock();
    hostPlayer().position = {static_cast<float>(cell.x) * 30.0f, static_cast<float>(cell.y) * 30.0f};
    hostPlayer().setCellCoordinates(static_cast<uint32_t>(cell.x), static_cast<uint32_t>(cell.y));
    hostPlayer().moveToCell(left);
  }
  // The cell over the ground of a column from which the ground runs level for a few columns to the
  // right: a path the pet walks. Null for none near the middle.
  MapBlock* onLevelGround() {
    for (int32_t x = column - 60; x < column + 60; ++x) {
      const MapBlock* first = groundIn(x);
      bool level = first != nullptr;
      for (int32_t dx = 1; dx <= kStepsAway && level; ++dx) {
        const MapBlock* next = groundIn(x + dx);
        level = next != nullptr && next->y == first->y;
      }
      if (level) return hostWorld->cellAt(x, first->y + 1);
    }
    return nullptr;
  }
  // The host's player walks a few cells along the level ground where it called its pet: the pet
  // plans a path of steps after it (rather than being put beside it). The cell it walked to.
  MapBlock* hostWalksOn(const MobPetEntity& pet) {
    MapBlock* goal = hostWorld->cellAt(start_->x + kStepsAway, start_->y);
    if (goal == nullptr) return nullptr;
    hostWalksTo(*goal);
    EXPECT_FALSE(pet.path().empty()) << "the pet walks after its owner rather than being put beside it";
    return goal;
  }
  // Frames until the joined player's copy of the pet stands on the cell where the host's stands;
  // `pump` drains a joined player the frames do not.
  void expectCopyReaches(const std::function<const MobPetEntity*()>& copy, const MapBlock& goal,
                         Joiner* pump = nullptr) {
    const auto there = [&] {
      const MobPetEntity* seen = copy();
      return seen != nullptr && seen->data.cell != nullptr && seen->data.cell->x == goal.x &&
             seen->data.cell->y == goal.y;
    };
    EXPECT_TRUE(runUntil([&] {
      if (pump != nullptr) pump->net.dispatchQueued();
      return there();
    })) << "the joined player's copy of the pet stands still, " << where(copy()) << ", while its owner is at "
            << goal.x << "," << goal.y;
  }
  static std::string where(const MobPetEntity* seen) {
    if (seen == nullptr || seen->data.cell == nullptr) return "nowhere";
    return "at " + std::to_string(seen->data.cell->x) + "," + std::to_string(seen->data.cell->y);
  }
  MobPetEntity* herCopy(EntityId id) { return entity_cast<MobPetEntity>(ann->world()->effects().entityById(id)); }

  MapBlock* start_ = nullptr;
};

TEST_P(PlayTogetherPets, HerCopyOfTheHostsPetFollowsItsOwner) {
  MobPetEntity* pet = hostCallsPetOnLevelGround();
  ASSERT_NE(pet, nullptr) << "the host's trinket calls a pet on level ground";
  const EntityId id = pet->id();
  ASSERT_TRUE(runUntil([&] { return herCopy(id) != nullptr; })) << "her world shows the host's pet";
  settle();

  const MapBlock* goal = hostWalksOn(*pet);
  ASSERT_NE(goal, nullptr);
  EXPECT_TRUE(runUntil([&] { return pet->data.cell == goal; })) << "the host's pet reaches its owner";
  expectCopyReaches([&] { return herCopy(id); }, *goal);
}

// A player who joins after the pet was called gets it with the rest of the running world: his copy
// follows as well.
TEST_P(PlayTogetherPets, ALaterPlayersCopyOfTheHostsPetFollowsItsOwner) {
  MobPetEntity* pet = hostCallsPetOnLevelGround();
  ASSERT_NE(pet, nullptr) << "the host's trinket calls a pet on level ground";
  const EntityId id = pet->id();
  settle();
  Joiner cy("Cy");
  ASSERT_TRUE(meeting->connect(cy.net, "Cy", 203));
  ASSERT_TRUE(runUntil([&] {
    cy.net.dispatchQueued();
    return inGame(cy) && server.joinStage(3) == host::JoinStage::Entered;
  }));
  const auto copy = [&]() -> const MobPetEntity* {
    return entity_cast<MobPetEntity>(cy.world()->effects().entityById(id));
  };
  ASSERT_TRUE(runUntil([&] {
    cy.net.dispatchQueued();
    return copy() != nullptr;
  })) << "his world shows the host's pet";

  const MapBlock* goal = hostWalksOn(*pet);
  ASSERT_NE(goal, nullptr);
  expectCopyReaches(copy, *goal, &cy);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherPets, ::testing::Values(false));

}  // namespace
}  // namespace nettest
