// Stopping a world's generation: quitting the game, or the program's exit (the engine purged
// first, then the game destroyed), while the largest world generates stops the worker where it is
// instead of waiting for the whole world (the worker never reached the world's end, where it makes
// the world's first save ready), lets the half-made world go and leaves nothing behind (the
// sanitizers' leak check runs at the end of the suite).

#include <memory>

#include "content/planets/planet_def.h"
#include "game/session/local_session.h"
#include "tests/game/session/session_fixture.h"

namespace game_test {
namespace {

class GenerationStopTest : public GeneratingSessionTest {
 protected:
  void SetUp() override {
    GeneratingSessionTest::SetUp();
    generateOfSize(4);  // 4096 x 512, the largest
  }
  // Starts generating with the game and waits for its first stage text: the worker is under way.
  void startGenerating(GameLocal& generating) {
    generating.begin(2, [this] { finished = true; });
    ASSERT_TRUE(pumpUntil([this] { return !screen.texts.empty(); }));
  }
};

TEST_F(GenerationStopTest, QuittingDuringTheLargestWorldsGenerationReturnsPromptlyAndEntersNothing) {
  startGenerating(game);
  game.quit();  // joins the worker
  EXPECT_TRUE(saves.preparedSizes.empty()) << "the quit waited for the whole world";
  for (int frame = 0; frame < 5; ++frame) scheduler().update(0.0f);
  EXPECT_FALSE(finished) << "a stopped world is never entered";
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(game.world(), nullptr);
}

TEST_F(GenerationStopTest, TheProgramsExitDuringGenerationStopsItAfterTheEngineWent) {
  auto session = std::make_unique<LocalSession>(WorldContext{}, nullptr, nullptr, SessionKind{},
                                                GameServices{.screen = &screen, .saves = &saves});
  session->running().player = std::make_unique<PlayerDesktopLocal>(&session->game());
  startGenerating(session->game());
  scenetest::resetScene();  // the application's loop purges the engine before the game goes
  session.reset();  // joins the worker
  EXPECT_TRUE(saves.preparedSizes.empty()) << "the exit waited for the whole world";
  EXPECT_FALSE(finished);
}

}  // namespace
}  // namespace game_test
