// A whole trade between two players through the host's session: offers and withdrawals, both
// ready, both confirmed, the exchange and statistic 61; an offer that changed in its slot, a
// received stack with no slot, a player who leaves, and answers to requests nobody made.

#include "tests/game/trade/trade_fixture.h"

namespace game_test {
namespace {

TEST_F(TradeTest, BothConfirmedExchangesTheOffersAndCountsTheTrade) {
  ann->inventory().setSlot(quick(0), makeItem(kStone, 10));
  ann->inventory().setSlot(pack(1, 1), makeItem(kGem, 1));
  bob->inventory().setSlot(quick(0), makeItem(kPick, 1));
  const long aliveBefore = alive();
  startTrade();
  ASSERT_NE(ann->window(), nullptr);
  ASSERT_NE(bob->window(), nullptr);
  EXPECT_EQ(ann->window()->partner(), "Bob");

  ASSERT_TRUE(ann->window()->offer(quick(0)));
  ASSERT_TRUE(ann->window()->offer(pack(1, 1)));
  ASSERT_TRUE(ann->window()->withdraw(pack(1, 1)));
  ASSERT_TRUE(bob->window()->offer(quick(0)));
  ASSERT_NE(bob->window()->otherOffer(0), nullptr);
  EXPECT_EQ(bob->window()->otherOffer(0)->id, kStone) << "the gem was withdrawn, the stones moved up";
  EXPECT_EQ(bob->window()->otherOffer(1), nullptr);
  EXPECT_EQ(bob->inventory().slotItem({SlotKind::TradeOffer, 1, 0})->count, 10) << "the other side's row";
  EXPECT_EQ(ann->inventory().slotItem({SlotKind::TradeOffer, 0, 0}), ann->inventory().slotItem(quick(0)))
      << "an own offer reads the stack in its slot";
  EXPECT_EQ(bob->inventory().slotItem({SlotKind::TradeOffer, 1, trade::kOfferPlaces}), nullptr);

  ann->window()->setReady(true);
  EXPECT_EQ(bob->window()->state(), TradeAbstract::kOtherReady);
  bob->window()->setReady(true);

  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(ann->window(), nullptr) << "the window closes on completion";
  EXPECT_EQ(bob->window(), nullptr);
  EXPECT_EQ(ann->units(kStone), 0u);
  EXPECT_EQ(ann->units(kPick), 1u);
  EXPECT_EQ(ann->units(kGem), 1u);
  EXPECT_EQ(bob->units(kStone), 10u);
  EXPECT_EQ(bob->units(kPick), 0u);
  for (Trader* side : {ann.get(), bob.get()}) {
    EXPECT_NE(std::find(side->events.stats.begin(), side->events.stats.end(), RecordingEvents::Stat{61, 0}),
              side->events.stats.end());
  }
  EXPECT_EQ(alive(), aliveBefore) << "every copy went back; nothing was made";
}

TEST_F(TradeTest, AnOfferThatChangedInItsSlotCancelsTheTradeAndNothingMoves) {
  const long aliveBefore = offerStonesForPick();
  ann->inventory().slotItem(quick(0))->count = 3;  // used up after it was offered

  ann->window()->setReady(true);
  bob->window()->setReady(true);

  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(ann->window(), nullptr);
  EXPECT_EQ(bob->window(), nullptr);
  EXPECT_EQ(ann->units(kStone), 3u);
  EXPECT_EQ(ann->units(kPick), 0u);
  EXPECT_EQ(bob->units(kStone), 0u);
  EXPECT_EQ(bob->units(kPick), 1u);
  EXPECT_EQ(bob->events.stats.size(), 0u) << "no trade counted";
  EXPECT_EQ(alive(), aliveBefore);
}

TEST_F(TradeTest, AReceivedStackWithNoSlotFallsAtThePlayersFeet) {
  // Bob's slots are all taken; the helmet he gives is worn, so the room test passes (one out,
  // one in) while no slot takes the stones once it is gone.
  Inventory& full = bob->inventory();
  for (uint8_t i = 0; i < Inventory::kQuickSlots; ++i) full.setSlot(quick(i), makeItem(kGem, 1));
  for (uint8_t x = 0; x < 6; ++x) {
    for (uint8_t y = 0; y < 6; ++y) full.setSlot(pack(x, y), makeItem(kGem, 1));
  }
  for (uint8_t x = 0; x < 3; ++x) {
    for (uint8_t y = 0; y < 3; ++y) full.setSlot({SlotKind::CraftGrid, x, y}, makeItem(kGem, 1));
  }
  full.setSlot({SlotKind::Equipment, 0, 0}, makeItem(kHelmet, 1));
  ann->inventory().setSlot(quick(0), makeItem(kStone, 10));
  startTrade();
  ann->window()->offer(quick(0));
  bob->window()->offer({SlotKind::Equipment, 0, 0});
  ann->window()->setReady(true);
  bob->window()->setReady(true);

  ASSERT_EQ(bob->game.dropped.size(), 1u);
  EXPECT_EQ(bob->game.dropped[0].id, kStone);
  EXPECT_EQ(bob->units(kStone), 10u);
  EXPECT_EQ(ann->units(kHelmet), 1u);
  EXPECT_EQ(bob->units(kHelmet), 0u);
}

TEST_F(TradeTest, APlayerWhoLeavesEndsTheTradeAndTheCopiesGoBack) {
  const long aliveBefore = offerStonesForPick();
  EXPECT_GT(alive(), aliveBefore) << "the session and the windows hold copies";

  bob.reset();

  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(ann->window(), nullptr) << "the one left behind sees its window close";
  EXPECT_FALSE(ann->events.messages.empty()) << "and reads that the trade was cancelled";
  EXPECT_EQ(ann->units(kStone), 10u);
  EXPECT_EQ(alive(), aliveBefore - 1) << "Bob's own pick went with him; every copy went back";
}

TEST_F(TradeTest, AFifthOfferIsRefusedAndTheOtherSideSeesNothing) {
  for (uint8_t i = 0; i < 5; ++i) ann->inventory().setSlot(quick(i), makeItem(kGem, 1));
  startTrade();
  for (uint8_t i = 0; i < 4; ++i) EXPECT_TRUE(ann->window()->offer(quick(i)));
  EXPECT_FALSE(ann->window()->offer(quick(4)));
  EXPECT_FALSE(ann->window()->offer(quick(0))) << "a slot is offered once";
  EXPECT_FALSE(ann->window()->offer({SlotKind::Catalogue, 0, 0})) << "nor is what is not the player's";
  EXPECT_NE(bob->window()->otherOffer(3), nullptr);
  EXPECT_EQ(trades->sessions().front()->offersA[3]->id, kGem);
}

TEST_F(TradeTest, AnOfferChangeAfterBothWereReadyAsksForReadinessAgain) {
  ann->inventory().setSlot(quick(0), makeItem(kStone, 10));
  ann->inventory().setSlot(quick(1), makeItem(kGem, 1));
  startTrade();
  TradeSession& session = *trades->sessions().front();
  ann->window()->offer(quick(0));
  // Bob is ready; Ann offers more, which voids Bob's readiness before Ann says she is ready.
  bob->window()->setReady(true);
  EXPECT_EQ(session.readyB, 1);
  ann->window()->offer(quick(1));
  EXPECT_EQ(session.readyB, 0);
  EXPECT_EQ(bob->window()->state(), TradeAbstract::kNoneReady);
  ann->window()->setReady(true);
  EXPECT_EQ(session.bothReady, 0);
  ASSERT_EQ(trades->sessions().size(), 1u) << "no confirmation was asked for";
  handleTradeEvent(session, *bob->player, trade::kConfirm);
  EXPECT_EQ(trades->sessions().size(), 1u) << "a confirmation before both are ready counts for nothing";
  EXPECT_EQ(ann->units(kStone), 10u);
}

TEST_F(TradeTest, OnlyAnAnswerToARequestThatWasMadeStartsATrade) {
  answerTradeRequest(trade::kAccept, *ann->player, *bob->player, "Bob", "Ann");
  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(ann->window(), nullptr);
  startTrade();
  EXPECT_EQ(trades->sessions().size(), 1u);
  recordTradeRequest(*ann->player, *bob->player);
  answerTradeRequest(trade::kAccept, *ann->player, *bob->player, "Bob", "Ann");
  EXPECT_EQ(trades->sessions().size(), 1u) << "a player already trading gets no second session";
}

TEST_F(TradeTest, ARefusalIsToldToTheAsker) {
  recordTradeRequest(*ann->player, *bob->player);
  answerTradeRequest(trade::kRefuse, *ann->player, *bob->player, "Bob", "Ann");
  EXPECT_TRUE(trades->sessions().empty());
  ASSERT_EQ(ann->events.messages.size(), 1u);
  EXPECT_EQ(ann->events.messages[0].kind, trade::kRefusalKind);
  answerTradeRequest(trade::kRefuse, *ann->player, *bob->player, "Bob", "Ann");
  EXPECT_EQ(ann->events.messages.size(), 1u) << "the request was answered once";
}

TEST_F(TradeTest, CancellingClosesBothWindows) {
  startTrade();
  ann->window()->sendEvent(trade::kCancel);
  ann->player->tradeEnded();
  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(bob->window(), nullptr);
  EXPECT_EQ(ann->window(), nullptr);
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

TEST_F(TradeTest, ClosingWithNoContainerOpenCancelsTheLocalPlayersTrade) {
  createTrade(*player, *bob->player);
  player->inventory->setTrade(std::make_unique<TradeLocal>(*player, "Bob"));
  bob->player->tradeStarted("Player");
  ASSERT_NE(bob->window(), nullptr);

  game.closeContainer();

  EXPECT_EQ(player->inventory->trade(), nullptr);
  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(bob->window(), nullptr) << "the other side is told";
}

TEST_F(TradeTest, ALocalGameHasNobodyToTradeWith) {
  game.requestTrade(bob->player.get());
  EXPECT_EQ(events.texts, (RecordingEvents::Texts{{3, GameLocal::kTextTradeNeedsMultiplayer}}));
  EXPECT_EQ(game.tradeWindows(), nullptr) << "no trade window, no answers";
  EXPECT_TRUE(trades->sessions().empty());
}

}  // namespace
}  // namespace game_test
