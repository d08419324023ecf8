// The player's options as the running world reads them: each of the world's options answers from
// its own setting and from no other, and a change made in the options screen counts at once.
#include <gtest/gtest.h>

#include <array>

#include "platform/settings/settings.h"
#include "world/seams/world_options.h"
#include "tests/support/settings_reset.h"

namespace {

struct OptionPair {
  const char* name;
  bool kel::Options::*setting;
  bool (WorldOptions::*answer)() const;
};

constexpr std::array<OptionPair, 9> kOptions = {{
    {"explosives lock", &kel::Options::permissionExplosivesLock, &WorldOptions::explosivesLock},
    {"world lock", &kel::Options::permissionWorldLock, &WorldOptions::worldLock},
    {"chest lock", &kel::Options::permissionChestLock, &WorldOptions::chestLock},
    {"shelf lock", &kel::Options::permissionShelfLock, &WorldOptions::shelfLock},
    {"inverted toys", &kel::Options::invertToyMechanics, &WorldOptions::invertToyMechanics},
    {"last slot empty", &kel::Options::keepLastSlotEmpty, &WorldOptions::keepLastSlotEmpty},
    {"quiet console", &kel::Options::lessVerboseConsole, &WorldOptions::lessVerboseConsole},
    {"craft book", &kel::Options::openCraftbookRecipe, &WorldOptions::openCraftbookRecipe},
    {"chat sound", &kel::Options::chatSound, &WorldOptions::chatSound},
}};

class PlatformWorldOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::resetSettings(); }
  void TearDown() override { testsupport::resetSettings(); }

  void setAll(bool on) {
    for (const OptionPair& option : kOptions) kel::options().*option.setting = on;
  }

  PlatformWorldOptions platform;
  const WorldOptions& world = platform;
};

TEST_F(PlatformWorldOptionsTest, EachOptionAnswersFromItsOwnSettingOnly) {
  for (const OptionPair& turned : kOptions) {
    SCOPED_TRACE(turned.name);
    setAll(false);
    kel::options().*turned.setting = true;
    for (const OptionPair& option : kOptions) {
      EXPECT_EQ((world.*option.answer)(), &option == &turned) << option.name;
    }
    // And the other way round: every setting on but this one.
    setAll(true);
    kel::options().*turned.setting = false;
    for (const OptionPair& option : kOptions) {
      EXPECT_EQ((world.*option.answer)(), &option != &turned) << option.name;
    }
  }
}

TEST_F(PlatformWorldOptionsTest, AChangedSettingCountsAtOnce) {
  EXPECT_FALSE(world.worldLock());
  kel::options().permissionWorldLock = true;
  EXPECT_TRUE(world.worldLock()) << "the world reads the setting each time, not a copy taken earlier";
}

TEST(NullWorldOptions, EveryOptionIsOff) {
  testsupport::resetSettings();
  for (const OptionPair& option : kOptions) kel::options().*option.setting = true;
  const NullWorldOptions null;
  for (const OptionPair& option : kOptions) EXPECT_FALSE((null.*option.answer)()) << option.name;
  testsupport::resetSettings();
}

}  // namespace
