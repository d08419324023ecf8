// A player who died and came back is asked to trade by a right click, on a joined player's screen:
// the host tells Ann that Bob (or the host's own player) died, then that he is back (his teleport
// to his spawn cell and the revival action), and Ann's right click on him goes out as a request to
// trade him, not as a placement.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "net/wire/wire_out.h"
#include "platform/controls/abstract_controls.h"
#include "tests/ui/net_gl/joined_world_view.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"

namespace {

using namespace worldgl;

constexpr uint8_t kHostPeer = 0;
constexpr uint8_t kBob = 2;
constexpr uint8_t kRevived = 7;

class JoinedTradeClick : public JoinedWorldView {
 protected:
  void TearDown() override {
    if (gameViews() != nullptr) destroyViews();
    JoinedWorldView::TearDown();
  }

  // Ann plays on the main view; Bob entered on the host player's cell, right of hers.
  void annAndBobInGame() {
    ASSERT_TRUE(joinAsAnn());
    ASSERT_TRUE(runUntil([&] { return annInGame(); }));
    joinAsBob();
    ASSERT_TRUE(runUntil([&] { return bob->state() == NetClient::kWorldReceived; }));
    bob->enterWorld(5, 5);
    ASSERT_TRUE(runUntil([&] { return swap->endpoint()->remotePlayer(kBob) != nullptr; }));
    createViews();
    gameViews()->setLayer(layer);
    LocalLogic& rules = swap->joined()->rules();
    gameViews()->session().bind(&swap->joined()->game(), &rules, &rules, &rules, &runningWorld());
    gameViews()->switchTo(ViewId::Main);
  }

  // The host's messages of the player's death, and of its return to a cell of the column, left of
  // Ann where nobody else stands.
  void hostTellsDeathAndReturn(uint8_t peer, int column) {
    hostSends(wire::WireOut(wire::outgoing(41, wire::Side::Host)).peer(peer));
    PlayerClientDesktop* copy = swap->endpoint()->remotePlayer(peer);
    ASSERT_TRUE(runUntil([&] { return copy->dead != 0; })) << "Ann hears of the death";
    hostSends(wire::WireOut(wire::outgoing(18, wire::Side::Host)).peer(peer).cell(column, kRow));
    hostSends(wire::WireOut(wire::outgoing(94, wire::Side::Host)).peer(peer).u8(kRevived).u8(0));
    // The teleport and the revival are two messages, handled in frames of their own: the wait is on
    // both, the revival's own mark included, which the click reads.
    ASSERT_TRUE(runUntil([&] { return copy->cellX == static_cast<uint32_t>(column) && copy->dead == 0; }))
        << "Ann's copy is back on its cell and alive again";
  }

  // Ann right-clicks the cell the player stands on; true once the host heard her ask that player
  // to trade ([11][111] naming him).
  bool rightClickAsksToTrade(uint8_t peer) {
    const PlayerClientDesktop* copy = swap->endpoint()->remotePlayer(peer);
    MainView& main = gameViews()->mainView();
    const engine::Vec2 at = main.windowPointOf({static_cast<float>(copy->cellX) * MainView::kCellPixels,
                                                static_cast<float>(copy->cellY) * MainView::kCellPixels});
    main.mouseButton(at, kel::MOUSE_BUTTON_RIGHT, false);
    main.mouseButton(at, kel::MOUSE_BUTTON_RIGHT, true);
    return runUntil([&] { return asked(peer); });
  }
  bool asked(uint8_t peer) const {
    return std::any_of(host->seen.begin(), host->seen.end(), [&](const nettest::Received& r) {
      return r.peer == 1 && r.bytes.size() >= 7 && r.bytes[0] == 11 && r.bytes[1] == 111 && r.bytes[6] == peer;
    });
  }
};

TEST_F(JoinedTradeClick, AnotherJoinedPlayerWhoDiedAndCameBackIsAskedToTradeByRightClick) {
  annAndBobInGame();
  ASSERT_FALSE(HasFatalFailure());
  hostTellsDeathAndReturn(kBob, kColumn - 1);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(rightClickAsksToTrade(kBob)) << "the click falls through to placing";
}

TEST_F(JoinedTradeClick, TheHostsPlayerWhoDiedAndCameBackIsAskedToTradeByRightClick) {
  annAndBobInGame();
  ASSERT_FALSE(HasFatalFailure());
  hostTellsDeathAndReturn(kHostPeer, kColumn - 1);  // away from Bob
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(rightClickAsksToTrade(kHostPeer)) << "the click falls through to placing";
}

// Only the revival brings a copy back: a teleport of a dead player leaves him dead.
TEST_F(JoinedTradeClick, ATeleportAloneDoesNotBringADeadPlayerBack) {
  annAndBobInGame();
  ASSERT_FALSE(HasFatalFailure());
  hostSends(wire::WireOut(wire::outgoing(41, wire::Side::Host)).peer(kBob));
  PlayerClientDesktop* copy = swap->endpoint()->remotePlayer(kBob);
  ASSERT_TRUE(runUntil([&] { return copy->dead != 0; }));
  hostSends(wire::WireOut(wire::outgoing(18, wire::Side::Host)).peer(kBob).cell(kColumn + 2, kRow));
  ASSERT_TRUE(runUntil([&] { return copy->cellX == static_cast<uint32_t>(kColumn + 2); }));
  EXPECT_NE(copy->dead, 0);
}

}  // namespace
