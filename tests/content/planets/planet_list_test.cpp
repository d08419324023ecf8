// The process-wide planet list: a load installs its planets whole, in file order, and nothing of
// an earlier load survives it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "content/planets/planet_def.h"

namespace {

PlanetList listOf(std::initializer_list<std::pair<const char*, uint32_t>> planets) {
  PlanetList list;
  for (const auto& [name, id] : planets) list.push_back(std::make_unique<PlanetDef>(name, id, 1));
  return list;
}

class PlanetListTest : public ::testing::Test {
 protected:
  void TearDown() override { resetPlanetDefs(); }
};

TEST_F(PlanetListTest, ALoadReplacesTheEarlierPlanetsWhole) {
  installPlanetDefs(listOf({{"Ash", 1}, {"Brine", 2}, {"Cinder", 4}}));
  installPlanetDefs(listOf({{"Dune", 1}, {"Ember", 8}}));
  ASSERT_EQ(planetDefs().size(), 2u);
  EXPECT_EQ(planetDefs()[0]->name, "Dune");
  EXPECT_EQ(planetDefs()[1]->name, "Ember");
  EXPECT_EQ(planetDefs()[1]->id, 8u);
}

TEST_F(PlanetListTest, ResetLeavesNoPlanet) {
  installPlanetDefs(listOf({{"Ash", 1}}));
  resetPlanetDefs();
  EXPECT_TRUE(planetDefs().empty());
}

}  // namespace
