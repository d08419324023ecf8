// Matching the craft grid: each layout by the shape of what is laid out, equivalents, the
// station the recipe needs and an output slot that cannot take the result.
#include <gtest/gtest.h>

#include "tests/game/crafting/crafting_fixture.h"

namespace crafting_test {
namespace {

constexpr uint16_t A = 612, B = 431, Plank = 548;  // Plank stands in for A where allowed

struct GridCase {
  const char* what;
  test_rows::Recipe recipe;
  std::initializer_list<uint16_t> grid;
  bool matches;
};

class CraftGridTest : public CraftingTest {
 protected:
  uint8_t station = 0;
};

TEST_F(CraftGridTest, LayoutsMatchTheShapesTheyDescribe) {
  const GridCase cases[] = {
      {"single equivalent allowed", {.layout = 0, .cells = 1, .grid = {A}, .equivalents = true},
       {Plank, E, E, E, E, E, E, E, E}, true},
      {"single equivalent refused", {.layout = 0, .cells = 1, .grid = {A}}, {Plank, E, E, E, E, E, E, E, E}, false},
      {"two of the first only", {.layout = 1, .cells = 2, .grid = {A, B}}, {A, E, E, A, E, E, E, E, E}, false},
      {"four in an L", {.layout = 2, .cells = 4, .grid = {A}}, {A, E, E, A, E, E, A, A, E}, false},
      {"square of equivalents", {.layout = 2, .cells = 4, .grid = {A}, .equivalents = true},
       {Plank, A, E, A, Plank, E, E, E, E}, true},
      {"grid moved down a row", {.layout = 3, .cells = 3, .grid = {A, A, A}}, {E, E, E, A, A, A, E, E, E}, false},
      {"second left of first", {.layout = 4, .cells = 2, .grid = {A, B}}, {E, E, E, B, A, E, E, E, E}, false},
      {"pair in a row and one more", {.layout = 5, .cells = 3, .grid = {A, B}}, {E, E, B, E, E, E, A, A, E}, true},
      {"pair in a column", {.layout = 5, .cells = 3, .grid = {A, B}}, {A, E, B, A, E, E, E, E, E}, false},
      {"unknown layout", {.layout = 9, .cells = 1, .grid = {A}}, {A, E, E, E, E, E, E, E, E}, false},
  };
  for (const GridCase& c : cases) {
    test_rows::setRecipe(0, c.recipe);
    lay(c.grid);
    const CraftGridMatch match = matchCraftGrid(inventory, station);
    EXPECT_EQ(match.status, c.matches ? GridMatch::Ready : GridMatch::NoRecipe) << c.what;
    EXPECT_EQ(match.recipe, c.matches ? 0 : -1) << c.what;
  }
}

TEST_F(CraftGridTest, StationAndOutputDecideWhetherItCanBeMade) {
  constexpr uint16_t kGem = 900, kBrick = 901;
  test_rows::defineItem(kGem, 15, false);
  test_rows::defineItem(kBrick, 4, true);
  test_rows::setRecipe(0, {.layout = 0, .cells = 1, .result = kGem, .grid = {A}, .station = 5});
  lay({A, E, E, E, E, E, E, E, E});

  CraftGridMatch match = matchCraftGrid(inventory, station);
  EXPECT_EQ(match.status, GridMatch::WrongStation);
  EXPECT_EQ(match.station, 5);

  station = 5;
  EXPECT_EQ(matchCraftGrid(inventory, station).status, GridMatch::Ready);
  inventory.setSlot({SlotKind::Single, 0, 0}, newItem(kGem, 0, 1, 0, 0));
  EXPECT_EQ(matchCraftGrid(inventory, station).status, GridMatch::OutputTaken);
  test_rows::setRecipe(0, {.layout = 0, .cells = 1, .result = kBrick, .grid = {A}, .station = 5});
  EXPECT_EQ(matchCraftGrid(inventory, station).status, GridMatch::Ready) << "a different result can wait there";
}

// Four of a kind in the top-left corner fit both a whole-grid layout of a station and a square
// made by hand: the first fitting row of the table decides wherever she stands, so away from the
// station the grid names it rather than make the later square; with the square's row first, the
// square is made everywhere, at the station too.
TEST_F(CraftGridTest, TheFirstFittingRowDecidesEvenWhenItNeedsAStation) {
  test_rows::setRecipe(0, {.layout = 3, .cells = 4, .grid = {A, A, E, A, A, E, E, E, E}, .station = 5});
  test_rows::setRecipe(1, {.layout = 2, .cells = 4, .grid = {A}});
  lay({A, A, E, A, A, E, E, E, E});

  CraftGridMatch match = matchCraftGrid(inventory, station);
  EXPECT_EQ(match.status, GridMatch::WrongStation) << "a later row that fits is not made instead";
  EXPECT_EQ(match.recipe, 0);
  EXPECT_EQ(match.station, 5);

  station = 5;
  match = matchCraftGrid(inventory, station);
  EXPECT_EQ(match.status, GridMatch::Ready);
  EXPECT_EQ(match.recipe, 0) << "at the station the first fitting row is made";

  test_rows::setRecipe(0, {.layout = 2, .cells = 4, .grid = {A}});
  test_rows::setRecipe(1, {.layout = 3, .cells = 4, .grid = {A, A, E, A, A, E, E, E, E}, .station = 5});
  for (uint8_t at : {uint8_t{0}, uint8_t{5}}) {
    station = at;
    match = matchCraftGrid(inventory, station);
    EXPECT_EQ(match.status, GridMatch::Ready) << "station " << int{at};
    EXPECT_EQ(match.recipe, 0) << "station " << int{at};
  }
}

}  // namespace
}  // namespace crafting_test
