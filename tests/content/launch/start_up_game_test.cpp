// The content start-up: intact and damaged content files, the alert, the refusal to start games,
// the store front's pump and the process-wide objects it leaves behind.

#include "content/launch/start_up_game.h"

#include "content/tables/content_tables.h"
#include "engine/scene/scheduled_slots.h"
#include "platform/resource_folders.h"
#include "engine/scene/scheduler.h"
#include "tests/content/launch/launch_fixture.h"

namespace launchtest {
namespace {

class StartUpGameTest : public LaunchTest {
 protected:
  engine::Scheduler* scheduler() { return engine::Director::getInstance()->getScheduler(); }

  // As in a fresh process: no content loaded, no alert shown yet.
  void forgetLoadedContent() {
    resetContentDatabase();
    recordAlerts();
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
    events.clear();
    if (bytes == "-") {
      std::filesystem::remove(root.file("data/data.dat"));
    } else {
      writeContentFile(bytes);
    }
    startUpGame();
    ASSERT_EQ(alerts.size(), 1u) << bytes.size();
    EXPECT_EQ(alerts[0], "Hacked Data Files! / Data files have been compromised. You won't be able to play.");
    EXPECT_FALSE(mayStartGame()) << bytes.size();
    // The start-up went on to the end all the same.
    EXPECT_EQ(events.back(), "main layer");
  }
}

TEST_F(StartUpGameTest, TheSlotTableIsSizedWithoutLosingLiveEntries) {
  int marker = 0;
  engine::scheduledSlots().resize(40, nullptr);
  engine::scheduledSlots()[3] = &marker;
  writeContentFile(intactContentFile());
  startUpGame();
  ASSERT_EQ(engine::scheduledSlots().size(), engine::SCHEDULED_SLOT_COUNT);
  EXPECT_EQ(engine::scheduledSlots()[3], &marker);
  engine::scheduledSlots()[3] = nullptr;
}

TEST_F(StartUpGameTest, ThePumpRunsAboutTwentyTimesASecondWithoutAClientToo) {
  writeContentFile(intactContentFile());
  startUpGame();
  EXPECT_TRUE(scheduler()->isScheduled(STEAM_PUMP_KEY, platform.get()));
  for (int frame = 0; frame < 60; ++frame) scheduler()->update(1.0f / 60.0f);
  EXPECT_GE(steamApi->pumps, 19);
  EXPECT_LE(steamApi->pumps, 21);
}

TEST_F(StartUpGameTest, TheAudioEngineAndTheBookTakeTheLiveOptionsAndTheLanguageFile) {
  kel::options().musicVolume = 0.7f;
  kel::options().soundEnabled = false;
  writeContentFile(intactContentFile());
  root.write("data/language/english.json",
             R"({"book": [{"name": "Tools", "pages": []}, {"name": "Blocks", "pages": []}]})");
  startUpGame();
  kel::AudioEngine* audio = kel::AudioEngine::getInstance();
  EXPECT_FLOAT_EQ(audio->options().musicVolume, 0.7f);
  EXPECT_FALSE(audio->options().soundEnabled);
  EXPECT_EQ(audio->effectsFolder(), platform->folderPath(kel::FOLDER_SOUND_EFFECTS));
  EXPECT_EQ(events.front(), "book pages 2");
}

}  // namespace
}  // namespace launchtest
