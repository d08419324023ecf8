#include <gtest/gtest.h>

#include <cmath>

#include "engine/base/random.h"
#include "world/weather/weather_command.h"
#include "world/weather/weather_state.h"

namespace {

class WeatherTest : public ::testing::Test {
 protected:
  void SetUp() override { engine::randomSeed(17); }
};

TEST_F(WeatherTest, APlanetWithoutATableNeverChangesButCanBeForced) {
  WeatherState state(2);
  for (int i = 0; i < 500; ++i) ASSERT_FALSE(state.tick());
  EXPECT_EQ(state.kind, WeatherKind::None);
  state.force(WeatherKind::Snow);
  EXPECT_EQ(state.kind, WeatherKind::Snow);
}

TEST_F(WeatherTest, ForceKeepsTheAccumulatorAndOffStopsEverything) {
  WeatherState state(1);
  state.accumulator = 0.25f;
  state.ticksSinceChange = 30;
  state.force(WeatherKind::AcidRain);
  EXPECT_EQ(state.ticksSinceChange, 0u);
  EXPECT_FLOAT_EQ(state.accumulator, 0.25f);

  state.active = 0;
  state.force(WeatherKind::Rain);
  EXPECT_EQ(state.kind, WeatherKind::AcidRain);
  state.accumulator = 5.0f;  // would change on any draw
  EXPECT_FALSE(state.tick());
}

TEST_F(WeatherTest, RestoreTakesTheRateOfTheKindFromThePlanetsTable) {
  WeatherState state(0);
  state.restore(1, WeatherKind::Rain, 0.5f, 300);
  EXPECT_FLOAT_EQ(state.rate, 12.0f);
  EXPECT_EQ(state.ticksSinceChange, 300u % 256u) << "the file keeps the steps as a byte";
  state.restore(1, WeatherKind::None, 0.0f, 0);
  state.restore(32, WeatherKind::AcidRain, 0.0f, 3);
  EXPECT_FLOAT_EQ(state.rate, 45.0f) << "a kind the table lacks keeps the rate";
}

TEST_F(WeatherTest, PoissonTermStaysANumberForLongSpells) {
  EXPECT_NEAR(poissonTerm(3, 2.0f), 8.0f * std::exp(-2.0f) / 6.0f, 1e-7f);
  // Far past the mean, float k! and lambda^k overflow but the term is tiny.
  for (uint32_t k : {200u, 100000u}) {
    const float term = poissonTerm(k, 45.0f);
    EXPECT_FALSE(std::isnan(term)) << k;
    EXPECT_GE(term, 0.0f) << k;
    EXPECT_LT(term, 1e-30f) << k;
  }
  WeatherState state(1);
  state.ticksSinceChange = 250;
  state.accumulator = -1.0f;  // keep it from changing so the sum stays observable
  state.tick();
  EXPECT_FALSE(std::isnan(state.accumulator));
}

TEST_F(WeatherTest, ChatArgumentsForceOrDisableWithTheirReplies) {
  const struct {
    const char* argument;
    WeatherKind kind;
    const char* reply;
    uint8_t active;
  } cases[] = {
      {"acidrain", WeatherKind::AcidRain, "Weather set to acid rain.", 1},
      {"off", WeatherKind::Snow, "Weather disabled.", 0},
  };
  for (const auto& c : cases) {
    WeatherState state(1);
    state.kind = WeatherKind::Snow;
    const auto command = weatherCommandFor(c.argument);
    ASSERT_TRUE(command.has_value()) << c.argument;
    command->applyTo(state);
    EXPECT_EQ(state.kind, c.kind) << c.argument;
    EXPECT_EQ(state.active, c.active) << c.argument;
    EXPECT_EQ(command->reply, c.reply);
  }
  EXPECT_FALSE(weatherCommandFor("hail").has_value());
}

}  // namespace
