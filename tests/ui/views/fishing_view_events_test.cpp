// The fishing view follows the bobber: the bite the player's events tell starts the reaction count
// (a bite while another view is current changes nothing), and the end of the fishing closes it.

#include <gtest/gtest.h>

#include "tests/ui/play_fixture.h"
#include "ui/ui_player_events.h"
#include "ui/views/fish_view.h"

namespace {

class FishingViewEventsTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    views().switchTo(ViewId::Main);
  }
  FishView& fish() { return dynamic_cast<FishView&>(views().view(ViewId::Fish)); }
  UiPlayerEvents interfaceEvents;
};

TEST_F(FishingViewEventsTest, TheBiteStartsTheCountAndTheEndOfTheFishingClosesTheView) {
  interfaceEvents.fishBiting();
  EXPECT_EQ(views().currentId(), ViewId::Main) << "no fishing view, nothing to tell";
  views().push(ViewId::Fish);
  EXPECT_FALSE(fish().biting());
  interfaceEvents.fishBiting();
  EXPECT_TRUE(fish().biting());
  EXPECT_EQ(fish().lines().front(), FishView::kBiting);
  interfaceEvents.fishingEnded();
  EXPECT_EQ(views().currentId(), ViewId::Main);
  EXPECT_FALSE(fish().biting()) << "the count ends with the view";
  interfaceEvents.fishingEnded();
  EXPECT_EQ(views().currentId(), ViewId::Main) << "the main view stays";
}

}  // namespace
