// A damaged world file met at the window, as a player meets it: a world played and saved twice
// (its backup is the first save) has bytes in its middle replaced while the game is closed to it;
// continuing it fails while it loads into a dialog that names the file and what is wrong and
// offers the backup; restoring puts the backup back, keeps the damaged file aside, and the
// restored world loads and is drawn.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <filesystem>
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

}  // namespace
