// What the local player tells the interface: the death view, the inventory opened on a page over
// the main view, the book with its fields, the circuit configurator on its cell, and the return to
// the main view. (Console lines go to the world view's console: the play-through reads them.)

#include <gtest/gtest.h>

#include "engine/io/file_utils.h"
#include "platform/audio/audio_engine.h"
#include "tests/platform/audio/audio_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/play_fixture.h"
#include "ui/ui_player_events.h"
#include "ui/views/book_view.h"
#include "ui/views/circuit_view.h"
#include "ui/views/inventory_view.h"
#include "ui/views/main_view.h"
#include "tests/support/file_search_paths.h"

namespace {

class PlayerEventsTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    views().switchTo(ViewId::Main);
  }
  UiPlayerEvents interfaceEvents;
};

TEST_F(PlayerEventsTest, TheViewsTheGameOpensComeOverTheMainViewAndGoBack) {
  interfaceEvents.inventoryView(InventoryView::kCrafting);
  EXPECT_EQ(views().currentId(), ViewId::Inventory);
  EXPECT_EQ(views().inventoryView().page(), InventoryView::kCrafting);
  ASSERT_EQ(views().paused().size(), 1u);
  EXPECT_EQ(views().paused()[0]->id(), ViewId::Main);

  interfaceEvents.bookView(BookViewFields{.category = 3});
  EXPECT_EQ(views().currentId(), ViewId::Book);
  EXPECT_EQ(views().bookView().fields().category, 3);
  EXPECT_EQ(views().paused().size(), 1u) << "the inventory closed first";

  // Opened at a station, the book's first choice is the station's crafting page.
  ASSERT_FALSE(views().bookView().list().rows().empty());
  EXPECT_EQ(views().bookView().list().rows()[0].text, BookView::kCraftHere);
  interfaceEvents.bookView(BookViewFields{.category = 3});
  EXPECT_EQ(views().bookView().fields().category, 3) << "a book opened again keeps its new fields";
  EXPECT_TRUE(views().bookView().choose(BookView::kCraftHere));
  EXPECT_EQ(views().currentId(), ViewId::Inventory);
  EXPECT_EQ(views().inventoryView().page(), InventoryView::kCrafting);
  EXPECT_EQ(views().bookView().fields().category, 0) << "forgotten as the book closed";

  interfaceEvents.circuitConfigurator(*local, cell(4, 5), CircuitRecord{.value = 7});
  auto& circuit = dynamic_cast<CircuitView&>(views().view(ViewId::Circuit));
  EXPECT_EQ(views().currentId(), ViewId::Circuit);
  EXPECT_EQ(circuit.cellX(), 4);
  EXPECT_EQ(circuit.cellY(), 5);
  EXPECT_EQ(circuit.record().value, 7);

  interfaceEvents.popToMainView();
  EXPECT_EQ(views().currentId(), ViewId::Main);
  EXPECT_TRUE(views().paused().empty());

  interfaceEvents.deathView();
  EXPECT_EQ(views().currentId(), ViewId::Death);
  EXPECT_TRUE(views().paused().empty()) << "death is not over the world";
}

}  // namespace

namespace {

// The events the interface passes on to the sound, over a silent audio engine with a rain loop.
class PlayerEventsSoundTest : public PlayerEventsTest {
 protected:
  void SetUp() override {
    PlayerEventsTest::SetUp();
    audio = kel::AudioEngine::createInstance(kel::OutputMode::Silent);
    audio->setSoundFolders(sounds.file("sfx"), sounds.file("music"));
    audiotest::writeTone(sounds, "sfx/rain.mp3", 2.0);
    testsupport::setSearchPaths({sounds.file("sfx")});
  }
  void TearDown() override {
    kel::AudioEngine::destroyInstance();
    engine::FileUtils::destroyInstance();
    PlayerEventsTest::TearDown();
  }
  bool raining() { return audio->rainAmbience.channel.isPlaying(); }

  testsupport::TempDir sounds;
  kel::AudioEngine* audio = nullptr;
};

TEST_F(PlayerEventsSoundTest, TheWeatherAndTheRainEventsStartAndStopTheRainLoop) {
  // Without a world view the sky has nothing to show: only the sound follows (the play-through
  // sees the sky and the sign bubble follow).
  interfaceEvents.skyWeather(1);
  EXPECT_TRUE(raining()) << "rain";
  interfaceEvents.skyWeather(2);
  EXPECT_FALSE(raining()) << "snow is quiet";
  interfaceEvents.rainAmbience(true);
  EXPECT_TRUE(raining());
  interfaceEvents.rainAmbience(false);
  EXPECT_FALSE(raining());
}

}  // namespace
