// The game the interface plays: each view stack acts through the game bound to it, whichever
// game is the process's current one, and the launch binds its views to the game played, before
// and after it creates them.

#include <gtest/gtest.h>

#include "game/combat/melee_swing.h"
#include "game/rules/rule_entities.h"
#include "game/session/running_world.h"
#include "game/stats/achievement_table.h"
#include "game/stats/stats_store.h"
#include "tests/ui/play_fixture.h"
#include "ui/ui_launch_services.h"
#include "ui/views/list_view.h"
#include "world/rules/game.h"

namespace {

// The game operations the death view calls, counted.
class CountingGame final : public NullGame {
 public:
  void pause() override { ++pauses; }
  void unpause() override { ++unpauses; }
  void respawn() override { ++respawns; }
  int pauses = 0, unpauses = 0, respawns = 0;
};

// Entities that find the mobs a swing hits.
class SwingingEntities final : public NullRuleEntities, public SwingTargets {
 public:
  SwingTargets* swingTargets() override { return this; }
};

class UiSessionTest : public ui_test::PlayTest {
 protected:
  ListView& deathView(GameViews& stack) { return dynamic_cast<ListView&>(stack.view(ViewId::Death)); }
};

TEST_F(UiSessionTest, TwoViewStacksEachActThroughTheirOwnGameNotTheCurrentOne) {
  CountingGame first;
  CountingGame second;
  play(first);
  GameViews other;
  other.setLayer(layer);
  RunningWorld otherRunning;
  other.session().bind(&second, &rules, &rules, &rules, &otherRunning);
  ASSERT_EQ(&currentGame(), static_cast<GameInterface*>(&game)) << "the process's current game is a third";

  other.switchTo(ViewId::Death);
  EXPECT_EQ(second.pauses, 1);
  EXPECT_TRUE(deathView(other).choose("Respawn"));
  EXPECT_EQ(second.respawns, 1);
  EXPECT_EQ(first.pauses + first.respawns, 0) << "the other stack's game is not touched";

  views().switchTo(ViewId::Death);
  EXPECT_EQ(first.pauses, 1);
  EXPECT_EQ(second.pauses, 1);
  EXPECT_EQ(views().session().player(), local) << "each reads its own running world's player";
  EXPECT_EQ(other.session().player(), nullptr);
  // The views leave the stack while the games they pause still exist.
  other.clearViewStack();
  views().clearViewStack();
}

// The achievements list of each stack counts what its own game unlocked, whatever the process's
// store holds.
TEST_F(UiSessionTest, TwoViewStacksEachShowTheirOwnGamesAchievements) {
  StatsStore firstStatistics;
  StatsStore secondStatistics;
  secondStatistics.unlockAchievement(0);
  secondStatistics.unlockAchievement(1);
  statsStore().unlockAchievement(2);
  CountingGame first;
  CountingGame second;
  views().session().bind(&first, &rules, &rules, &rules, &runningWorld(), &firstStatistics);
  GameViews other;
  other.setLayer(layer);
  RunningWorld otherRunning;
  other.session().bind(&second, &rules, &rules, &rules, &otherRunning, &secondStatistics);

  const std::string total = std::to_string(achievementRows().size());
  views().switchTo(ViewId::Achievements);
  other.switchTo(ViewId::Achievements);
  const auto& firstLines = dynamic_cast<ListView&>(views().view(ViewId::Achievements)).lines();
  const auto& secondLines = dynamic_cast<ListView&>(other.view(ViewId::Achievements)).lines();
  ASSERT_FALSE(firstLines.empty());
  ASSERT_FALSE(secondLines.empty());
  EXPECT_EQ(firstLines.front(), "0 of " + total + " unlocked");
  EXPECT_EQ(secondLines.front(), "2 of " + total + " unlocked");
  other.clearViewStack();
  views().clearViewStack();
  statsStore().clearUnlocked();
}

TEST_F(UiSessionTest, TheLaunchBindsTheGamePlayedToViewsMadeBeforeAndAfterAndLetsGoOnlyOfIt) {
  CountingGame played;
  CountingGame stale;
  UiLaunchServices launch;
  launch.bindGame(played, rules, rules, rules, runningWorld());
  EXPECT_EQ(&views().session().game(), static_cast<GameInterface*>(&played)) << "views made already";
  launch.unbindGame(stale);
  EXPECT_EQ(&views().session().game(), static_cast<GameInterface*>(&played)) << "another game's end changes nothing";

  destroyViews();
  launch.createViews();
  gameViews()->setLayer(layer);
  EXPECT_EQ(&views().session().game(), static_cast<GameInterface*>(&played)) << "views made afterwards";
  views().switchTo(ViewId::Death);
  EXPECT_EQ(played.pauses, 1);

  views().popToMainView();
  launch.unbindGame(played);
  EXPECT_EQ(views().session().player(), nullptr) << "no world is read once the game is let go of";
  views().switchTo(ViewId::Death);
  EXPECT_EQ(played.pauses, 1) << "and the game let go of is not acted on";
}

TEST_F(UiSessionTest, ASwingHitsWhatTheBoundRulesEntitiesFindWhenItSwingsAndNothingUnbound) {
  EXPECT_EQ(views().session().swingTargets(), nullptr) << "the rules' null entities find no mobs";
  SwingingEntities entities;
  rules.setEntities(&entities);
  EXPECT_EQ(views().session().swingTargets(), static_cast<SwingTargets*>(&entities))
      << "entities registered after the binding are asked";
  GameViews unbound;
  EXPECT_EQ(unbound.session().swingTargets(), nullptr);
  rules.setEntities(nullptr);
  EXPECT_EQ(views().session().swingTargets(), nullptr);
}

}  // namespace
