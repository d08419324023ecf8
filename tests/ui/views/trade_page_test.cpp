// The trade window as the player works it: the inventory view opens on its trade page when a trade
// starts, shows both sides' offers in its cells, offers a stack, says ready and cancels through its
// list; a request asked in the main view is a dialog to accept or refuse, and anywhere else the
// player is busy.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/inventory/inventory.h"
#include "game/trade/trade_book.h"
#include "game/trade/trade_local.h"
#include "game/trade/trade_session.h"
#include "tests/ui/play_fixture.h"
#include "ui/ui_player_events.h"
#include "ui/views/dialog_view.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"

namespace {

using game_test::kGem;
using game_test::kPick;
using game_test::kStone;
using game_test::makeItem;

class TradePageTest : public ui_test::PlayTest {
 protected:
  // The local player tells the interface, as the program's does.
  PlayerEvents& playerSink() override { return ui; }
  void SetUp() override {
    PlayTest::SetUp();
    views().switchTo(ViewId::Main);
    bob = std::make_unique<PlayerDesktopLocal>(nullptr);
    local->setTrades(trades);
    bob->setTrades(trades);
  }
  void TearDown() override {
    trades->clear();
    local->inventory->setTrade(nullptr);
    bob.reset();
    PlayTest::TearDown();
  }
  // The local player trades with Bob; its window opens as the host's events open it.
  void startTrade() {
    session = createTrade(*local, *bob);
    local->inventory->setTrade(std::make_unique<TradeLocal>(*local, "Bob"));
    ui.tradeWindowOpened("Bob");
  }
  InventoryView& view() { return views().inventoryView(); }
  // Chooses the first row whose text starts with the words.
  bool choose(const std::string& start) {
    for (const MenuList::Row& row : view().list().rows()) {
      if (row.text.rfind(start, 0) == 0 && row.action) {
        row.action();
        return true;
      }
    }
    return false;
  }

  UiPlayerEvents ui;
  std::shared_ptr<TradeBook> trades = std::make_shared<TradeBook>();
  std::unique_ptr<PlayerDesktopLocal> bob;
  TradeSession* session = nullptr;
};

}  // namespace

TEST_F(TradePageTest, AStartedTradeOpensItsPageWhereStacksAreOfferedAndReadinessSaid) {
  local->inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(kStone, 7));
  startTrade();
  ASSERT_EQ(views().currentId(), ViewId::Inventory);
  EXPECT_EQ(view().page(), InventoryView::kTrade);
  EXPECT_NE(view().spriteForSlot({SlotKind::TradeOffer, 0, 0}), nullptr) << "own offers have cells";
  EXPECT_NE(view().spriteForSlot({SlotKind::TradeOffer, 1, 3}), nullptr) << "so have the other side's";

  ASSERT_TRUE(choose("Offer: "));
  ASSERT_NE(session->offersA[0], nullptr);
  EXPECT_EQ(session->offersA[0]->count, 7);
  EXPECT_FALSE(choose("Offer: ")) << "an offered stack is offered once";

  session->offerItem(*bob, Item(kPick, 0, 1, 0, 0));  // Bob's offer reaches the window...
  local->tradeOfferChanged(true, session->offersB[0].get());
  EXPECT_NE(local->inventory->slotItem({SlotKind::TradeOffer, 1, 0}), nullptr) << "...and its cell";

  ASSERT_TRUE(choose("Ready"));
  EXPECT_EQ(session->readyA, 1);
  ASSERT_TRUE(choose("Take back: "));
  EXPECT_EQ(session->offersA[0], nullptr);
  EXPECT_EQ(session->readyA, 0) << "a changed offer asks for readiness again";
}

TEST_F(TradePageTest, TheRowsStayUnderThePointerWhileTheOtherSidesOffersArrive) {
  local->inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(kStone, 7));
  local->inventory->setSlot({SlotKind::Quick, 1, 0}, makeItem(kGem, 1));
  startTrade();
  // A row stands where the lines above it and the rows before it put it: the pointer rests on a
  // row while Bob's offers arrive, and the same row must be under it after each.
  const auto clickable = [this] {
    std::vector<std::pair<size_t, std::string>> shown;
    const std::vector<MenuList::Row>& rows = view().list().rows();
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].action) shown.emplace_back(i, rows[i].text);
    }
    return shown;
  };
  const auto before = clickable();
  const size_t lines = view().lines().size();
  ASSERT_GE(before.size(), 3u) << "ready, cancel and the offers";
  for (int offer = 0; offer < 2; ++offer) {
    session->offerItem(*bob, Item(offer == 0 ? kPick : kStone, 0, 3, 0, 0));
    local->tradeOfferChanged(true, session->offersB[offer].get());
    EXPECT_EQ(view().lines().size(), lines) << "a line more moves every row down";
    EXPECT_EQ(clickable(), before) << "a clickable row moved under the pointer";
  }
  EXPECT_EQ(view().list().rows()[0].text.rfind("You get: ", 0), 0u) << "the offers are told: " << view().list().rows()[0].text;
}

TEST_F(TradePageTest, OfferingAndTakingBackAStackKeepsEveryRowInItsPlace) {
  local->inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(kStone, 7));
  local->inventory->setSlot({SlotKind::Quick, 1, 0}, makeItem(kGem, 1));
  startTrade();
  const auto texts = [this] {
    std::vector<std::string> shown;
    for (const MenuList::Row& row : view().list().rows()) shown.push_back(row.text);
    return shown;
  };
  const std::vector<std::string> before = texts();
  ASSERT_TRUE(choose("Offer: "));
  const std::vector<std::string> offered = texts();
  ASSERT_EQ(offered.size(), before.size()) << "a row more moves the rows under the pointer";
  size_t turned = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    if (offered[i] == before[i]) continue;
    ++turned;
    EXPECT_EQ(before[i].rfind("Offer: ", 0), 0u) << before[i];
    EXPECT_EQ(offered[i], "Take back: " + before[i].substr(std::string("Offer: ").size())) << "the stack's own row";
  }
  EXPECT_EQ(turned, 1u) << "only the offered stack's row changes";
  ASSERT_TRUE(choose("Take back: "));
  EXPECT_EQ(session->offersA[0], nullptr);
  EXPECT_EQ(texts(), before);
}

TEST_F(TradePageTest, CancellingEndsTheTradeAndClosesThePage) {
  startTrade();
  ASSERT_TRUE(choose("Cancel the trade"));
  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(local->inventory->trade(), nullptr);
  EXPECT_EQ(views().currentId(), ViewId::Main);
}

TEST_F(TradePageTest, ARequestIsAskedInTheMainViewOnly) {
  EXPECT_TRUE(ui.tradeRequest(2, 0, "Ann"));
  EXPECT_EQ(views().currentId(), ViewId::Dialog);
  std::vector<std::string> texts;
  auto& dialog = static_cast<DialogView&>(views().view(ViewId::Dialog));
  for (const MenuList::Row& row : dialog.list().rows()) texts.push_back(row.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Trade", "No, thanks"}));
  EXPECT_FALSE(ui.tradeRequest(2, 0, "Ann")) << "in another view the player is busy";
}
