// A joined player's character is kept whenever she hands a stack to the host's world, over real
// ENet on 127.0.0.1: when her game dies after she stored her stack in the host's chest and she
// joins again with what her file holds, the stack exists once, in the chest; when it dies after a
// trade completed, she comes back holding what the trade gave her.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "game/session/game_saves.h"
#include "game/session/game_services.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

// A character file of one kind of stack: what the player carried of it when last saved, given
// back to the player loaded for a new join.
class KeptCharacter final : public CharacterTokens {
 public:
  explicit KeptCharacter(uint16_t item, uint32_t count) : item_(item), kept_(count) {}
  void saveCharacter(SaveDone done) override {
    if (player != nullptr) kept_ = player->inventory->countItems(item_, false, true);
    if (done) done(true);
  }
  std::unique_ptr<PlayerDesktopLocal> loadLocalPlayer(GameInterface& game, PlayerEvents* events,
                                                      GameClock* clock) override {
    std::unique_ptr<PlayerDesktopLocal> loaded = CharacterTokens::loadLocalPlayer(game, events, clock);
    if (kept_ > 0) loaded->inventory->setSlot({SlotKind::Quick, 0, 0}, newItem(item_, 0, static_cast<uint16_t>(kept_), 0, 0));
    return loaded;
  }
  uint32_t kept() const { return kept_; }
  const PlayerDesktopLocal* player = nullptr;

 private:
  uint16_t item_;
  uint32_t kept_;
};

class PlayTogetherKept : public PlayTogether {
 protected:
  // Cy joins with her character file: the joined game reads and writes it.
  std::unique_ptr<Joiner> joinWith(KeptCharacter& file, uint64_t user) {
    auto cy = std::make_unique<Joiner>("Cy");
    GameServices services;
    services.saves = &file;
    cy->joined.reset();
    cy->joined = std::make_unique<JoinedGame>(cy->net, cy->exit, WorldContext{}, &cy->log, nullptr, services);
    cy->joined->knowHost(kHostKey);
    file.player = cy->joined->player();
    EXPECT_TRUE(meeting->connect(cy->net, "Cy", user));
    EXPECT_TRUE(runUntil([&] { return inGame(*cy) && server.joinStage(kCy) == host::JoinStage::Entered; }));
    return cy;
  }
  uint32_t inHostChests(uint16_t id) {
    uint32_t count = 0;
    for (const auto& chest : hostWorld->chests()) {
      for (size_t slot = 0; slot < chest->slotCount(); ++slot) {
        const Item* item = chest->itemAt(slot);
        if (item != nullptr && item->id == id) count += item->count;
      }
    }
    return count;
  }
  static constexpr uint8_t kCy = 3;
};

TEST_P(PlayTogetherKept, AStoredStackIsNotBackInHerHandsWhenHerGameDies) {
  const uint16_t torch = stackingItems(1)[0];
  KeptCharacter file(torch, 16);
  std::unique_ptr<Joiner> cy = joinWith(file, 203);
  ASSERT_EQ(cy->inventory().countItems(torch, false, true), 16u);
  onHost(kCy).items().add(Item(torch, 0, 16, 0, 0));

  MapBlock& stands = standingRoom(column + 2);
  walk(*cy, stands);
  ASSERT_TRUE(runUntil([&] { return onHost(kCy).cellX == stands.x; }));
  MapBlock& chestCell = *hostWorld->cellAt(stands.x + 1, stands.y);
  placeChest(chestCell, 8);
  useChest(*cy, chestCell);
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(cy->player().openContainer()) != nullptr; }));
  auto& copy = dynamic_cast<Chest&>(*cy->player().openContainer());
  copy.setItem(0, cy->inventory().takeSlot({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(runUntil([&] { return inHostChests(torch) == 16u; }));

  // Her game dies: no quit, no save, the connection simply ends.
  file.player = nullptr;
  cy->joined.reset();
  loseConnection(*cy, kCy);
  cy.reset();

  std::unique_ptr<Joiner> back = joinWith(file, 204);
  EXPECT_EQ(back->inventory().countItems(torch, false, true) + inHostChests(torch), 16u)
      << "the sixteen torches exist once: " << file.kept() << " in her file, " << inHostChests(torch) << " in the chest";
  file.player = nullptr;
}

TEST_P(PlayTogetherKept, HerGameKilledAfterATradeComesBackHoldingTheTradesResult) {
  const uint16_t apple = stackingItems(2)[1];
  KeptCharacter file(apple, 0);
  std::unique_ptr<Joiner> cy = joinWith(file, 203);
  carry(*bo, 0, apple, 3);
  ASSERT_TRUE(openTrade(*cy, *bo, kBo));
  ASSERT_TRUE(bo->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(runUntil([&] { return cy->inventory().trade()->otherOffer(0) != nullptr; }));
  cy->inventory().trade()->setReady(true);
  bo->inventory().trade()->setReady(true);
  ASSERT_TRUE(runUntil([&] {
    return cy->inventory().trade() == nullptr && cy->inventory().countItems(apple, false, true) == 3;
  })) << "the trade completed: Bo's three apples are hers";

  // Her game dies: no quit, no save, the connection simply ends.
  file.player = nullptr;
  cy->joined.reset();
  loseConnection(*cy, kCy);
  cy.reset();

  std::unique_ptr<Joiner> back = joinWith(file, 204);
  EXPECT_EQ(back->inventory().countItems(apple, false, true), 3u) << "her file holds what the trade gave her";
  ASSERT_TRUE(runUntil([&] { return onHost(kCy).items().declared(); }));
  EXPECT_EQ(onHost(kCy).items().countOf(apple), 3u) << "as the host's copy of her items does";
  file.player = nullptr;
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherKept, ::testing::Values(false));

}  // namespace
}  // namespace nettest
