// The option rows change the live option, apply it at once (the music's volume, the music itself)
// and write the settings file before they return.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/audio/music.h"
#include "platform/settings/json_defaults.h"
#include "platform/settings/settings.h"
#include "tests/platform/audio/audio_fixture.h"
#include "tests/platform/settings/settings_test_host.h"
#include "tests/support/temp_dir.h"
#include "ui/views/option_rows.h"
#include "tests/support/settings_reset.h"

namespace {

class OptionRowsTest : public audiotest::AudioFixture {
 protected:
  void SetUp() override {
    AudioFixture::SetUp();
    testsupport::resetSettings();
    kel::setSettingsHost(&host);
  }
  void TearDown() override {
    testsupport::resetSettings();
    AudioFixture::TearDown();
  }
  // The rows as the page shows them now.
  std::vector<std::string> texts() {
    std::vector<MenuList::Row> rows;
    optionRows.append(rows);
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.text);
    return out;
  }
  bool shows(const std::string& text) {
    const std::vector<std::string> all = texts();
    return std::find(all.begin(), all.end(), text) != all.end();
  }
  // Presses Left (-1) or Right (+1) on the row whose text is the text, as the list would.
  void stepRow(const std::string& text, int steps) {
    MenuList list;
    std::vector<MenuList::Row> rows;
    optionRows.append(rows);
    list.setRows(std::move(rows));
    for (size_t i = 0; i < list.rows().size(); ++i) {
      if (list.rows()[i].text != text) continue;
      list.select(static_cast<int>(i));
      const engine::KeyCode key = steps < 0 ? engine::KeyCode::LEFT_ARROW : engine::KeyCode::RIGHT_ARROW;
      EXPECT_TRUE(list.keyEvent(key, false)) << text << " takes Left and Right";
      list.keyEvent(key, true);
      return;
    }
    ADD_FAILURE() << "no row " << text;
  }
  // Chooses the row whose text is the text, as the list would.
  void choose(const std::string& text) {
    std::vector<MenuList::Row> rows;
    optionRows.append(rows);
    for (const auto& row : rows) {
      if (row.text == text) return row.action();
    }
    ADD_FAILURE() << "no row " << text;
  }

  testsupport::ScopedDataHome home;
  settingstest::TestSettingsHost host;
  int changes = 0;
  int layerAsked = 0;  // the page's layer, which has no world view here
  OptionRows optionRows{[this] { ++changes; }, true, [this] {
                          ++layerAsked;
                          return static_cast<MainLayer*>(nullptr);
                        }};
};

TEST_F(OptionRowsTest, AVolumeStepSetsThePlayingMusicAndIsWrittenToTheSettingsFile) {
  track("alba-night-arps");
  ASSERT_TRUE(kel::playMenuMusic());
  ASSERT_FALSE(audio->music.channel.isNull());
  EXPECT_TRUE(shows("Music volume: 20%"));
  choose("Music volume: 20%");
  EXPECT_FLOAT_EQ(audio->music.channel.volume(), 0.3f) << "the playing track follows at once";
  EXPECT_TRUE(shows("Music volume: 30%"));
  EXPECT_EQ(changes, 1);
  EXPECT_FLOAT_EQ(settingstest::onDisk()->getFloat("option-musicVolume"), 0.3f);

  choose("Sound volume: 80%");
  EXPECT_FLOAT_EQ(audio->options().soundVolume, 0.9f) << "effects play at the new volume";
  EXPECT_FLOAT_EQ(audio->effectsGain, 1.0f) << "the volume counts once, not squared through the gain";
  EXPECT_FLOAT_EQ(settingstest::onDisk()->getFloat("option-soundVolume"), 0.9f);
}

TEST_F(OptionRowsTest, AVolumeAtItsTopWrapsRoundToSilence) {
  kel::options().soundVolume = 1.0f;
  choose("Sound volume: 100%");
  EXPECT_FLOAT_EQ(kel::options().soundVolume, 0.0f);
  EXPECT_TRUE(shows("Sound volume: 0%"));
}

TEST_F(OptionRowsTest, MusicOffStopsTheTrackAndMusicOnStartsTheMenusTrackAgain) {
  track("alba-night-arps");
  ASSERT_TRUE(kel::playMenuMusic());
  choose("Music: On");
  EXPECT_TRUE(audio->music.channel.isNull());
  EXPECT_FALSE(settingstest::onDisk()->getBool("option-musicEnabled"));
  choose("Music: Off");
  EXPECT_TRUE(audio->music.channel.isPlaying());
  EXPECT_TRUE(settingstest::onDisk()->getBool("option-musicEnabled"));
}

TEST_F(OptionRowsTest, TheDisplayAndTheScalesAreStoredAsChosen) {
  choose("Display: Full screen");
  EXPECT_FALSE(kel::options().fullScreen);
  EXPECT_TRUE(shows("Display: Window"));
  EXPECT_FALSE(settingstest::onDisk()->getBool("option-fullScreen"));

  // Automatic, x1 .. x4, then automatic again.
  for (int step = 1; step <= OptionRows::kLargestUiScale; ++step) optionRows.stepUiScale();
  EXPECT_TRUE(shows("Interface scale: x4"));
  EXPECT_EQ(settingstest::onDisk()->getInt("option-uiScale"), 4);
  choose("Interface scale: x4");
  EXPECT_TRUE(shows("Interface scale: Automatic"));

  choose("World scale: x2");
  EXPECT_EQ(static_cast<int>(kel::options().viewportScale), 4);
  choose("World scale: x3");
  EXPECT_EQ(static_cast<int>(kel::options().viewportScale), 2) << "the largest wraps to the smallest";
  EXPECT_EQ(settingstest::onDisk()->getInt("option-viewportScale"), 2);
}

TEST_F(OptionRowsTest, ASwitchRowTurnsItsOptionAndOnlyBooleanOptionsAreSwitches) {
  EXPECT_TRUE(shows("Smooth lighting: On"));
  choose("Smooth lighting: On");
  EXPECT_FALSE(kel::options().smoothLighting);
  EXPECT_TRUE(shows("Smooth lighting: Off"));
  EXPECT_FALSE(settingstest::onDisk()->getBool("option-smoothLighting"));
  EXPECT_EQ(layerAsked, 1) << "the lighting is applied to the page's own layer";
  EXPECT_FALSE(optionRows.toggleSwitch("musicVolume"));
  EXPECT_FALSE(optionRows.toggleSwitch("noSuchOption"));
}

TEST_F(OptionRowsTest, TheOptionsStandUnderHeadingsThatTheSelectionPassesOver) {
  std::vector<MenuList::Row> rows;
  optionRows.append(rows);
  ASSERT_FALSE(rows.empty());
  EXPECT_TRUE(rows[0].heading) << "the first row names its group";
  std::vector<std::string> headings;
  for (const MenuList::Row& row : rows) {
    if (row.heading) {
      headings.push_back(row.text);
      EXPECT_FALSE(row.action) << row.text << " is chosen like an option";
    }
  }
  EXPECT_GE(headings.size(), 5u);
  EXPECT_NE(std::find(headings.begin(), headings.end(), "Sound"), headings.end());

  MenuList list;
  list.setRows(std::move(rows));
  list.select(0);
  EXPECT_EQ(list.rows()[static_cast<size_t>(list.selected())].text, "Music: On") << "a heading is never selected";
  // Down through every row and round again: the selection never rests on a heading.
  for (size_t i = 0; i < 2 * list.rows().size(); ++i) {
    list.move(1);
    EXPECT_FALSE(list.rows()[static_cast<size_t>(list.selected())].heading) << "after " << i + 1 << " steps";
  }
  list.select(0);
  list.move(-1);
  EXPECT_FALSE(list.rows()[static_cast<size_t>(list.selected())].heading) << "up from the first wraps past a heading";
}

TEST_F(OptionRowsTest, LeftAndRightStepEveryChoiceRowBothWays) {
  std::vector<MenuList::Row> rows;
  optionRows.append(rows);
  for (const MenuList::Row& row : rows) EXPECT_TRUE(row.heading || row.step) << row.text << " steps with Left and Right";

  stepRow("Sound volume: 80%", -1);
  EXPECT_FLOAT_EQ(kel::options().soundVolume, 0.7f);
  stepRow("Sound volume: 70%", +1);
  EXPECT_FLOAT_EQ(kel::options().soundVolume, 0.8f);
  EXPECT_FLOAT_EQ(settingstest::onDisk()->getFloat("option-soundVolume"), 0.8f);
  kel::options().musicVolume = 0.0f;
  stepRow("Music volume: 0%", -1);
  EXPECT_TRUE(shows("Music volume: 100%")) << "back from silence wraps to the top";

  stepRow("Interface scale: Automatic", -1);
  EXPECT_TRUE(shows("Interface scale: x4"));
  stepRow("Interface scale: x4", +1);
  EXPECT_TRUE(shows("Interface scale: Automatic"));

  stepRow("World scale: x2", -1);
  EXPECT_EQ(static_cast<int>(kel::options().viewportScale), 2);
  stepRow("World scale: x1", -1);
  EXPECT_EQ(static_cast<int>(kel::options().viewportScale), 4) << "the smallest wraps to the largest";

  stepRow("Smooth lighting: On", -1);
  EXPECT_FALSE(kel::options().smoothLighting);
  stepRow("Smooth lighting: Off", +1);
  EXPECT_TRUE(kel::options().smoothLighting);
  stepRow("Display: Full screen", -1);
  EXPECT_FALSE(kel::options().fullScreen);
}

TEST_F(OptionRowsTest, SwitchesThatChangeNothingAreNotOfferedButStayInTheSettingsFile) {
  const std::vector<std::string> all = texts();
  for (const char* label : {"Skip the splash screen", "Place the top block by default", "Throw bullets at full strength",
                            "Extended tooltips", "Tooltips always on", "Counters in the book", "Markers on the map"}) {
    for (const std::string& text : all) EXPECT_NE(text.rfind(label, 0), 0u) << text << " is offered";
  }
  EXPECT_TRUE(shows("Keep the last slot empty: Off")) << "a switch the game reads is still offered";
  kel::saveSettings();
  EXPECT_TRUE(settingstest::onDisk()->getBool("option-extendedTooltip")) << "the file keeps its value";
  EXPECT_FALSE(settingstest::onDisk()->getBool("option-skipSplashScreen"));
}

}  // namespace
