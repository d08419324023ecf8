// Stopping a world's generation: quitting the game, or the program's exit (the engine purged
// first, then the game destroyed), while the largest world generates returns at once instead of
// waiting for the whole world, lets the half-made world go and leaves nothing behind (the
// sanitizers' leak check runs at the end of the suite).

#include <chrono>
#include <memory>

#include "content/planets/planet_def.h"
#include "game/session/local_session.h"
#include "tests/game/session/session_fixture.h"

namespace game_test {
namespace {

// Far below the seconds the whole largest world takes under the sanitizers, and loose enough that a
// loaded machine does not fail it: the stop itself comes within a column's work.
constexpr auto kPromptly = std::chrono::milliseconds(1000);

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
  template <class Action>
  static std::chrono::steady_clock::duration timed(const Action& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::steady_clock::now() - start;
  }
};

TEST_F(GenerationStopTest, QuittingDuringTheLargestWorldsGenerationReturnsPromptlyAndEntersNothing) {
  startGenerating(game);
  EXPECT_LT(timed([this] { game.quit(); }), kPromptly);
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
  EXPECT_LT(timed([&session] { session.reset(); }), kPromptly);
  EXPECT_FALSE(finished);
}

}  // namespace
}  // namespace game_test
