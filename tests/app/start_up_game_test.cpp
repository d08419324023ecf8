#include "app/start_up_game.h"

#include "content/tables/content_sound_definitions.h"
#include "content/tables/content_tables.h"
#include "engine/scene/scheduler.h"
#include "tests/app/launch_fixture.h"

namespace launchtest {
namespace {

class StartUpGameTest : public LaunchTest {
 protected:
  engine::Scheduler* scheduler() { return engine::Director::getInstance()->getScheduler(); }

  void forgetLoadedContent() {
    resetContentDatabase();
    alerts.clear();
  }
};

TEST_F(StartUpGameTest, AlteredTruncatedOrMissingContentAlertsOnceAndRefusesGames) {
  const std::string intact = intactContentFile();
  std::string altered = intact;
  altered[altered.size() / 2] = static_cast<char>(altered[altered.size() / 2] ^ 0x5A);
  for (const std::string& bytes :
       {altered, intact.substr(0, intact.size() - 1), std::string("-")}) {
    forgetLoadedContent();
    if (bytes == "-") {
      std::filesystem::remove(root.file("data/data.dat"));
    } else {
      writeContentFile(bytes);
    }
    startUpGame(seams);
    ASSERT_EQ(alerts.size(), 1u) << bytes.size();
    EXPECT_FALSE(mayStartGame()) << bytes.size();
    EXPECT_EQ(events.back(), "main layer");
  }
}

TEST_F(StartUpGameTest, AnIntactStartPumpsTwentyTimesASecondAndPassesTheOptionsOn) {
  kel::options().musicVolume = 0.7f;
  writeContentFile(intactContentFile());
  root.write("data/language/english.json",
             R"({"book": [{"name": "Tools", "pages": []}, {"name": "Blocks", "pages": []}]})");
  startUpGame(seams);
  EXPECT_FLOAT_EQ(kel::AudioEngine::getInstance()->options().musicVolume, 0.7f);
  // Block, mob and bullet sounds come from the content just loaded.
  EXPECT_EQ(&kel::AudioEngine::getInstance()->definitionSource(), &contentSoundDefinitions());
  EXPECT_EQ(events[0], "game tables");
  EXPECT_EQ(events[1], "book pages 2");
  for (int frame = 0; frame < 60; ++frame) scheduler()->update(1.0f / 60.0f);
  EXPECT_GE(steamApi->pumps, 19);
  EXPECT_LE(steamApi->pumps, 21);
}

}  // namespace
}  // namespace launchtest
