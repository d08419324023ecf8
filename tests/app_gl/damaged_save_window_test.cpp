// A damaged world file met at the window, as a player meets it: a world played and saved twice
// (its backup is the first save) has bytes in its middle replaced while the game is closed to it;
// continuing it fails while it loads into a dialog that names the file and what is wrong and
// offers the backup; restoring puts the backup back, keeps the damaged file aside, and the
// restored world loads and is drawn. A backup that an autosave wrote while the player was in the
// air is entered where it holds her: she comes down to the ground there without a fall that hurts.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/player/player_desktop.h"
#include "menus/menu_saves.h"
#include "menus/start_view.h"
#include "saves/launch/local_saves.h"
#include "saves/store/world_store.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "tests/support/damage_cases.h"
#include "world/rules/game.h"

namespace {

using namespace apptest;
namespace fs = std::filesystem;

// The world files (not backups) in the worlds folder.
std::vector<fs::path> worldFiles() {
  std::vector<fs::path> files;
  LocalSaves* saves = menuSaves();
  if (saves == nullptr) return files;
  const fs::path folder = saves->worlds().folder();
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".dat") files.push_back(entry.path());
  }
  return files;
}

bool saysLineContaining(const std::string& text) {
  for (const std::string& line : startView().lines()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

using DamagedSaveWindowTest = AppRunTest;

TEST_F(DamagedSaveWindowTest, ADamagedWorldNamedWhenItFailsToLoadIsRestoredFromItsBackupAndPlayed) {
  fs::path world;
  Script script(joined(intoANewWorld(), {
      {"pause", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }},
      {"save and quit", [&] { return chooseRow("Save and quit"); }},
      workerStep("the start view once the world is written", [&] { return current() == ViewId::Start && player() == nullptr; }),
      {"damage the world's middle", [&] {
         const std::vector<fs::path> files = worldFiles();
         if (files.size() != 1) return false;
         world = files[0];
         fs::path backup = world;
         backup.replace_extension(".bak");
         EXPECT_TRUE(fs::exists(backup)) << "the first save is kept as the backup";
         savetest::damageFile(world, savetest::Damage::Middle);
         return true;
       }},
      {"the worlds page", [&] { return chooseRow("Play") && chooseRow("Play as Player") && startView().page() == StartView::Page::Worlds; }, 20},
      // Its head still reads as a world's: it is listed, and found damaged once it is read whole.
      {"continue it", [&] { return chooseRow("Continue "); }, 10},
      workerStep("the load fails into the damage dialog", [&] {
        return current() == ViewId::Start && startView().page() == StartView::Page::Damaged;
      }),
      {"the dialog names the file and offers the backup", [&] {
         EXPECT_TRUE(saysLineContaining(world.filename().string())) << "the file is named";
         EXPECT_TRUE(saysLineContaining("cannot be read: ")) << "what is wrong is said";
         return hasRow("Restore the backup");
       }, 10},
      {"restore it", [&] { return chooseRow("Restore the backup") && startView().page() == StartView::Page::Worlds; }, 10},
      {"the status names the world, not its folders", [&] {
         const std::string& said = startView().status();
         EXPECT_EQ(said.rfind("Restored " + world.stem().string() + " from its backup", 0), 0u) << said;
         EXPECT_EQ(said.find('/'), std::string::npos) << said;
         return true;
       }},
      {"the damaged file is kept aside", [&] {
         bool keptAside = false;
         std::error_code error;
         for (const fs::directory_entry& entry : fs::directory_iterator(world.parent_path(), error)) {
           keptAside = keptAside || entry.path().extension().string().rfind(".damaged", 0) == 0;
         }
         EXPECT_TRUE(keptAside);
         EXPECT_FALSE(hasRow("Damaged world file: "));
         return true;
       }},
      {"continue the restored world", [&] { return chooseRow("Continue "); }, 10},
      workerStep("the restored world is entered", [&] { return current() == ViewId::Main && player() != nullptr; }),
      {"it is drawn", [&] { return frameShowsSomething(); }, 30},
  }));
  playScript(script);
}

// The steps from a damaged world's listing on the worlds page into the world restored from its
// backup, each through the rows a player picks.
std::vector<Step> restoringTheDamagedWorld() {
  return {
      {"the worlds page", [] { return chooseRow("Play") && chooseRow("Play as Player") && startView().page() == StartView::Page::Worlds; }, 20},
      {"continue it", [] { return chooseRow("Continue "); }, 10},
      workerStep("the load fails into the damage dialog", [] {
        return current() == ViewId::Start && startView().page() == StartView::Page::Damaged;
      }),
      {"restore it", [] { return chooseRow("Restore the backup") && startView().page() == StartView::Page::Worlds; }, 10},
      {"continue the restored world", [] { return chooseRow("Continue "); }, 10},
      workerStep("the restored world is entered", [] { return current() == ViewId::Main && player() != nullptr; }),
  };
}

TEST_F(DamagedSaveWindowTest, ABackupSavedWithThePlayerInTheAirIsEnteredWithoutAFallThatHurts) {
  struct Place {
    uint32_t column = 0, ground = 0, air = 0;
  };
  auto place = std::make_shared<Place>();
  auto written = std::make_shared<bool>(false);
  int calls = 0;
  Script script(joined(joined(intoANewWorld(), {
      // As an autosave catches her twelve rows up, in the middle of a fall; she is back on her
      // ground, unhurt, before the next save.
      {"an autosave while she is in the air", [place, written] {
         PlayerDesktopLocal* p = player();
         if (p == nullptr || !p->isGrounded() || p->health != p->stats.maxHealth) return false;
         *place = {p->cellX, p->cellY, p->cellY + 12};
         p->setCellCoordinates(place->column, place->air);
         currentGame().save([written](bool saved) { *written = saved; });
         p->setCellCoordinates(place->column, place->ground);
         return true;
       }},
      workerStep("the save in the air is written", [written] { return *written; }),
      {"pause", [] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }},
      workerStep("save and quit: the save in the air becomes the backup",
                 [&calls] { return saveAndQuitOnce(calls) && player() == nullptr; }),
      {"damage the world's middle", [] {
         const std::vector<fs::path> files = worldFiles();
         if (files.size() != 1) return false;
         savetest::damageFile(files[0], savetest::Damage::Middle);
         return true;
       }},
  }), joined(restoringTheDamagedWorld(), {
      {"she is where the backup holds her, as healthy as her character was saved", [place] {
         const PlayerDesktopLocal* p = player();
         EXPECT_EQ(p->cellX, place->column);
         EXPECT_EQ(p->cellY, place->air);
         EXPECT_EQ(p->health, p->stats.maxHealth);
         return true;
       }},
      // Twelve rows take less than a second and a half.
      {"she comes down unhurt", [place] {
         const PlayerDesktopLocal* p = player();
         if (!p->isGrounded() || p->cellY != place->ground) return false;
         EXPECT_EQ(p->cellX, place->column);
         EXPECT_EQ(p->health, p->stats.maxHealth) << "entering the restored world was a fall that hurt";
         return true;
       }, 90},
  })));
  playScript(script);
}

}  // namespace
