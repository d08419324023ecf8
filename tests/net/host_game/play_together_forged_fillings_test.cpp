// Firework fillings a hostile client makes up, over real ENet on 127.0.0.1: a paint she does not
// hold, something that is no paint, a firework word she has none of, a firework already full, a
// filling before she entered, and messages cut short or with bytes past their layout. The host's
// copy of her items fills nothing and spends nothing for any of them; an honest filling sent after
// them is carried out once, and only it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/inventory/firework_filling.h"
#include "net/players/player_messages.h"
#include "net/wire/wire_messages.h"
#include "net/wire/wire_out.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr uint16_t kFirework = firework::kItem;
constexpr uint16_t kRedPaint = 359;   // colour 6
constexpr uint16_t kBluePaint = 615;  // colour 10
constexpr uint8_t kRed = 6, kBlue = 10;
constexpr uint32_t kFull = 0x6A6A;  // four colours: it takes no more

// [2][14] as her game sends it: the paint's id and the firework's word before the filling.
Bytes filling(uint16_t paint, uint32_t word) {
  const wire::WireOut out = wire::clientMessage(wire::PlayerMsg::FillFirework).u16(paint).u32(word);
  return Bytes(out.data(), out.data() + out.size());
}

size_t timesTold(const Joiner& joiner, const std::string& text) {
  return static_cast<size_t>(std::count(joiner.log.messages.begin(), joiner.log.messages.end(), text));
}

class PlayTogetherForgedFillings : public PlayTogether {
 protected:
  PlayerItemCopy& annsItems() { return onHost(kAnn).items(); }
  // Her honest filling of the unfilled firework with her red paint, once the host's copy shows it:
  // every request she sent before it has been handled by then.
  void fillHonestly(Joiner& joiner, uint8_t peer) {
    sendBytes(joiner, filling(kRedPaint, 0));
    ASSERT_TRUE(runUntil([&] { return onHost(peer).items().countWithWord(kFirework, kRed) == 1; }))
        << "the honest filling after the forged ones";
  }
};

TEST_P(PlayTogetherForgedFillings, APaintSheDoesNotHoldOrNoPaintFillsNothing) {
  const uint16_t noPaint = stackingItems(1)[0];
  const ItemPtr probe = newItem(noPaint, 0, 1, 0, 0);
  ASSERT_EQ(paintCode(probe.get()), 0) << "the test's stack is no paint";
  carry(*ann, 0, kFirework, 2);
  carry(*ann, 1, kRedPaint, 1);
  carry(*ann, 2, noPaint, 3);

  const Bytes forged[] = {
      filling(kBluePaint, 0),  // a paint she never had
      filling(noPaint, 0),     // a stack she holds that is no paint
      filling(kFirework, 0),   // the firework itself
      filling(0xFFFF, 0),      // no item at all
      filling(4095, 0),        // the last id an item may have
      filling(0, 0),
  };
  for (const Bytes& message : forged) sendBytes(*ann, message);
  fillHonestly(*ann, kAnn);
  settle();

  PlayerItemCopy& items = annsItems();
  EXPECT_EQ(items.countOf(kFirework), 2u) << "no firework made or lost";
  EXPECT_EQ(items.countWithWord(kFirework, 0), 1u);
  EXPECT_EQ(items.countWithWord(kFirework, kBlue), 0u) << "a colour from a paint she never had";
  EXPECT_EQ(items.countOf(kRedPaint), 0u) << "her red paint spent once, on the honest filling";
  EXPECT_EQ(items.countOf(kBluePaint), 0u);
  EXPECT_EQ(items.countOf(noPaint), 3u) << "what is no paint is not spent as one";
  EXPECT_TRUE(runUntil([&] { return timesTold(*ann, player_msg::kNotHeld) == std::size(forged); }))
      << "each forged filling is refused to her";
  EXPECT_EQ(timesTold(*ann, player_msg::kNotHeld), std::size(forged));
}

TEST_P(PlayTogetherForgedFillings, AFireworkSheDoesNotHoldOrThatIsFullTakesNoPaint) {
  carry(*ann, 0, kFirework, 1);
  carry(*ann, 1, kRedPaint, 2);
  annsItems().add(Item(kFirework, 0, 1, 0, kFull));

  const Bytes refused[] = {
      filling(kRedPaint, kBlue),        // a filled firework she has none of
      filling(kRedPaint, 0xFFFFFFFF),   // a word no firework has
      filling(kRedPaint, kFull | (kRed << 16)),  // bits past the four places
  };
  for (const Bytes& message : refused) sendBytes(*ann, message);
  sendBytes(*ann, filling(kRedPaint, kFull));  // hers, but full
  fillHonestly(*ann, kAnn);
  settle();

  PlayerItemCopy& items = annsItems();
  EXPECT_EQ(items.countOf(kRedPaint), 1u) << "one paint spent, by the honest filling";
  EXPECT_EQ(items.countOf(kFirework), 2u);
  EXPECT_EQ(items.countWithWord(kFirework, kFull), 1u) << "the full firework stays as it was";
  EXPECT_EQ(items.countWithWord(kFirework, kRed), 1u);
  EXPECT_EQ(items.countWithWord(kFirework, kRed | (kRed << 4)), 0u) << "no firework filled twice";
  EXPECT_TRUE(runUntil([&] { return timesTold(*ann, player_msg::kNotHeld) == std::size(refused); }));
  EXPECT_EQ(timesTold(*ann, player_msg::kNotHeld), std::size(refused));
}

// Cut short, the catalogue refuses it before any handler reads it; with bytes past its layout it
// is read up to the layout, once: the bytes after it are no second filling.
TEST_P(PlayTogetherForgedFillings, AFillingCutShortIsRefusedAndALongOneFillsOnce) {
  carry(*ann, 0, kFirework, 2);
  carry(*ann, 1, kRedPaint, 1);
  carry(*ann, 2, kBluePaint, 1);
  const Bytes whole = filling(kBluePaint, 0);
  const Bytes cut[] = {Bytes(whole.begin(), whole.end() - 1), Bytes(whole.begin(), whole.begin() + 4),
                       Bytes{whole[0], whole[1]}, Bytes{whole[0]}};
  const uint64_t refusedBefore = server.refusedCount();
  for (const Bytes& message : cut) sendBytes(*ann, message);
  Bytes longer = filling(kRedPaint, 0);
  longer.insert(longer.end(), whole.begin(), whole.end());  // a second filling, as trailing bytes
  sendBytes(*ann, longer);
  ASSERT_TRUE(runUntil([&] { return annsItems().countWithWord(kFirework, kRed) == 1; }));
  settle();

  EXPECT_EQ(server.refusedCount(), refusedBefore + std::size(cut)) << "every message cut short";
  PlayerItemCopy& items = annsItems();
  EXPECT_EQ(items.countOf(kBluePaint), 1u) << "no filling read out of the cut or trailing bytes";
  EXPECT_EQ(items.countOf(kRedPaint), 0u);
  EXPECT_EQ(items.countWithWord(kFirework, 0), 1u);
  EXPECT_EQ(items.countWithWord(kFirework, kBlue), 0u);
  EXPECT_EQ(items.countWithWord(kFirework, kRed | (kBlue << 4)), 0u);
  EXPECT_EQ(timesTold(*ann, player_msg::kNotHeld), 0u);
}

// A filling from a client that is admitted but has not entered: her player is in no world and the
// host has no copy of her items yet. It is dropped, and the copy she enters with is as she brought it.
TEST_P(PlayTogetherForgedFillings, AFillingBeforeSheEnteredIsDropped) {
  Joiner cy("Cy");
  give(cy.inventory(), 0, kFirework, 1);
  give(cy.inventory(), 1, kRedPaint, 1);
  const uint64_t refusedBefore = server.refusedCount();
  ASSERT_TRUE(meeting->connect(cy.net, "Cy", 203));
  // Admitted and not yet entered: on a busy machine one frame of the host may take her from her
  // admission on to receiving the world, so any stage short of entering will do.
  uint8_t peer = 0;
  ASSERT_TRUE(runUntil([&] {
    for (uint8_t index = kBo + 1; index < server.players().size() && peer == 0; ++index) {
      const host::JoinStage stage = server.joinStage(index);
      if (stage != host::JoinStage::None && stage != host::JoinStage::Entered) peer = index;
    }
    return peer != 0;
  })) << "the host admits her";
  sendBytes(cy, filling(kRedPaint, 0));
  ASSERT_TRUE(runUntil([&] {
    return inGame(cy) && server.joinStage(peer) == host::JoinStage::Entered && onHost(peer).items().declared();
  }));
  ASSERT_EQ(cy.net.localPeerId(), peer);
  EXPECT_EQ(server.refusedCount(), refusedBefore + 1) << "her filling before she entered";
  EXPECT_FALSE(server.isShutDown());
  PlayerItemCopy& items = onHost(peer).items();
  EXPECT_EQ(items.countOf(kRedPaint), 1u) << "the paint she entered with";
  EXPECT_EQ(items.countWithWord(kFirework, 0), 1u) << "her firework as she brought it";

  fillHonestly(cy, peer);
  settle();
  EXPECT_EQ(items.countOf(kRedPaint), 0u);
  EXPECT_EQ(items.countOf(kFirework), 1u) << "the early filling was not kept for later";
  EXPECT_EQ(timesTold(cy, player_msg::kNotHeld), 0u);
  cy.net.shutdown();
  runUntil([&] { return server.players().at(peer) == nullptr; });
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherForgedFillings, ::testing::Values(false));

}  // namespace
}  // namespace nettest
