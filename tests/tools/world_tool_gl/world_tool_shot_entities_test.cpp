// A picture of a played game shows its entities with their sprites: a mob released beside the
// player and a ball the player threw are drawn where they are, and nothing else differs from a
// picture of the same game without them.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"

namespace {

using world_tool_test::reportOf;

constexpr int kWidth = 960;
constexpr int kHeight = 540;
constexpr int kScale = 2;       // the view's default scale: a world pixel is two on the screen
constexpr int kReach = 3 * 30;  // screen pixels around a cell's centre where its entity shows

struct Cell {
  int x = 0, y = 0;
};

// The "(X,Y)" or "(X, Y)" that follows `word` in the report; {-1, -1} when there is none.
Cell cellAfter(const std::string& report, const std::string& word) {
  const size_t at = report.find(word);
  Cell cell{-1, -1};
  if (at == std::string::npos) return cell;
  if (std::sscanf(report.c_str() + at + word.size(), "(%d,%d)", &cell.x, &cell.y) == 2) return cell;
  if (std::sscanf(report.c_str() + at + word.size(), "(%d, %d)", &cell.x, &cell.y) == 2) return cell;
  return {-1, -1};
}

struct Shot {
  std::string report;  // the last line's
  engine::Image image;
};

void play(const testsupport::TempDir& dir, const std::string& name, const std::string& script, int lines, Shot& shot) {
  const std::string png = dir.file(name + ".png");
  const world_tool_test::Outcome played =
      world_tool_test::runTool({"play", "--planet", "terra", "--size", "0", "--seed", "7", "--script",
                                dir.write(name + ".txt", script), "--shot", png, "--view", "960x540"});
  ASSERT_EQ(played.code, 0) << played.err << played.out;
  shot.report = reportOf(played.out, lines);
  ASSERT_TRUE(shot.image.initWithImageFile(png));
  ASSERT_EQ(shot.image.getWidth(), kWidth);
  ASSERT_EQ(shot.image.getHeight(), kHeight);
}

bool differs(const Shot& a, const Shot& b, int x, int y) {
  const size_t at = (static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)) * 4;
  for (size_t c = 0; c < 3; ++c) {
    if (std::abs(a.image.getData()[at + c] - b.image.getData()[at + c]) > 8) return true;
  }
  return false;
}

TEST(WorldToolShotEntities, AShotDrawsTheMobAndTheThrownBallWhereTheyAreAndNothingElseChanges) {
  testsupport::TempDir dir;
  // The same steps of the player, the same time passing; only the second releases a mob and throws
  // a ball, both aimed down into the ground a cell or so from her, so that they stay within the view
  // although a throw leaves the hand at full shot speed (the ball comes to rest behind the player,
  // who walks on).
  // The given items land after the starter kit's six slots. A throw uses up what it throws, so the
  // second game is given one more of each: both end holding the same, and their HUDs match.
  const std::string given = "give 913 1 5\ngive 978 1\nselect 6\n";
  const std::string givenMore = "give 913 2 5\ngive 978 2\nselect 6\n";
  Shot without;
  Shot with;
  play(dir, "without", given + "select 7\nwalk right 40\nwait 1\n", 6, without);
  play(dir, "with", givenMore + "shoot 257 111\nselect 7\nshoot 255 111\nwalk right 40\nwait 1\n", 8, with);
  const Cell player = cellAfter(with.report, "cell ");
  ASSERT_EQ(cellAfter(without.report, "cell ").x, player.x) << without.report << "\n" << with.report;
  const Cell ball = cellAfter(with.report, "978x1@");
  const Cell mob = cellAfter(with.report, "mob 5@");
  ASSERT_GE(ball.x, 0) << "the ball lies in the world: " << with.report;
  ASSERT_GE(mob.x, 0) << "the mob is near: " << with.report;

  // Where a cell's centre is on the screen, the player's cell at its middle (rows from the top).
  auto screen = [&](Cell c) {
    return Cell{kWidth / 2 + (c.x - player.x) * 30 * kScale, kHeight / 2 - (c.y - player.y) * 30 * kScale};
  };
  auto within = [](Cell at, int x, int y) { return std::abs(x - at.x) <= kReach && std::abs(y - at.y) <= kReach; };
  int nearBall = 0, nearMob = 0, elsewhere = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!differs(without, with, x, y)) continue;
      if (within(screen(ball), x, y)) {
        ++nearBall;
      } else if (within(screen(mob), x, y)) {
        ++nearMob;
      } else {
        ++elsewhere;
      }
    }
  }
  EXPECT_GT(nearBall, 40) << "the ball's sprite";
  EXPECT_GT(nearMob, 40) << "the mob's sprite";
  EXPECT_EQ(elsewhere, 0);
}

}  // namespace
