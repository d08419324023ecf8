// The interface's side of a portal wait and of the pause view's options: the player's portal event
// opens the travel dialog naming the planet, and the pause view opens its options, where a choice
// changes the option, and Escape comes back to the pause rows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/planets/planet_def.h"
#include "tests/support/added_planets.h"
#include "tests/ui/play_fixture.h"
#include "ui/ui_player_events.h"
#include "ui/views/dialog_view.h"
#include "ui/views/pause_view.h"

namespace ui_test {
namespace {

class PortalAndPauseOptionsTest : public PlayTest {
 protected:
  ListView& list(ViewId id) { return dynamic_cast<ListView&>(views().view(id)); }
};

TEST_F(PortalAndPauseOptionsTest, APlayerWaitingAtAPortalSeesTheTravelDialogWithThePlanet) {
  resetPlanetDefs();
  testsupport::addPlanetDef("Mars", 16, 1);
  views().switchTo(ViewId::Main);
  UiPlayerEvents interfaceEvents;
  interfaceEvents.portalTravelDialog(16);
  ASSERT_EQ(views().currentId(), ViewId::Dialog);
  EXPECT_EQ(list(ViewId::Dialog).title(), "Portal");
  EXPECT_EQ(list(ViewId::Dialog).lines(), std::vector<std::string>{"Waiting for everyone to enter the portal to Mars."});
  EXPECT_TRUE(list(ViewId::Dialog).choose("OK"));
  EXPECT_EQ(views().currentId(), ViewId::Main);
  resetPlanetDefs();
}

TEST_F(PortalAndPauseOptionsTest, ThePauseViewsOptionsChangeAnOptionAndEscapeComesBack) {
  views().switchTo(ViewId::Main);
  views().push(ViewId::Pause);
  ASSERT_TRUE(list(ViewId::Pause).choose("Options"));
  EXPECT_EQ(list(ViewId::Pause).title(), "Options");
  ASSERT_TRUE(list(ViewId::Pause).choose("Smooth lighting: On"));
  EXPECT_FALSE(kel::options().smoothLighting);
  EXPECT_TRUE(list(ViewId::Pause).choose("Smooth lighting: Off"));
  list(ViewId::Pause).back();
  EXPECT_EQ(list(ViewId::Pause).title(), "Paused");
  EXPECT_EQ(views().currentId(), ViewId::Pause) << "the game stays paused";
  list(ViewId::Pause).back();
  EXPECT_EQ(views().currentId(), ViewId::Main);
}

TEST_F(PortalAndPauseOptionsTest, ThePauseViewOpensOnResumeWhateverWasChosenBefore) {
  views().switchTo(ViewId::Main);
  const auto press = [this](engine::KeyCode key) {
    views().current()->controls().keyEvent(key, false);
    views().current()->controls().keyEvent(key, true);
  };
  press(engine::KeyCode::ESCAPE);
  ASSERT_EQ(views().currentId(), ViewId::Pause);
  press(engine::KeyCode::DOWN_ARROW);  // onto "Save and quit"
  ListView& pause = list(ViewId::Pause);
  ASSERT_EQ(pause.list().rows()[static_cast<size_t>(pause.list().selected())].text, "Save and quit");
  press(engine::KeyCode::ESCAPE);
  ASSERT_EQ(views().currentId(), ViewId::Main);

  press(engine::KeyCode::ESCAPE);
  ASSERT_EQ(views().currentId(), ViewId::Pause);
  EXPECT_EQ(pause.list().rows()[static_cast<size_t>(pause.list().selected())].text, "Resume");
  press(engine::KeyCode::ENTER);
  EXPECT_EQ(views().currentId(), ViewId::Main) << "Escape then Enter goes back to the world";
}

}  // namespace
}  // namespace ui_test
