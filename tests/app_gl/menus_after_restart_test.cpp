// The start view's menus across a restart of the program, played through the window. Two
// characters are made and the one whose row is not the first is played: the characters page then
// opens on her row, so Enter plays her and not the other. On the join page an address and a port
// are typed. The program quits and starts again: the characters page opens on her row once more,
// and the join page offers the address and port typed before, which the settings file kept.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "content/loader/content_database.h"
#include "menus/menu_saves.h"
#include "menus/start_view.h"
#include "saves/launch/local_saves.h"
#include "saves/store/character_store.h"
#include "saves/store/player_entry.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "tests/support/settings_reset.h"
#include "ui/views/game_views.h"
#include "ui/views/list_view.h"

namespace {

using namespace apptest;
namespace fs = std::filesystem;

constexpr const char* kAddress = "192.168.1.20";
constexpr const char* kPort = "40404";

// The text of the list's selected row; empty without one.
std::string selectedRow() {
  ListView* view = currentList();
  if (view == nullptr || view->list().selected() < 0) return {};
  return view->list().rows()[static_cast<size_t>(view->list().selected())].text;
}

std::string currentCharacter() {
  LocalSaves* saves = menuSaves();
  const PlayerEntry* current = saves != nullptr ? saves->characters().current() : nullptr;
  return current != nullptr ? current->displayName : std::string();
}

// The settings file the run wrote, as text; empty when none is found under the data folder.
std::string settingsFileText(const fs::path& home) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(home, error)) {
    if (entry.path().filename() != "settings.json") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  return {};
}

// The steps that make a character of the name on the characters page.
std::vector<Step> characterMade(const std::string& name) {
  return {
      {"a new character", [] { return chooseRow("New character") && startView().page() == StartView::Page::NewCharacter; }},
      {"named " + name, [name] {
         if (!chooseRow("Name: ")) return false;
         type(name);
         tap(GLFW_KEY_ENTER);
         return hasRow("Name: " + name);
       }, 10},
      {"create " + name, [name] { return chooseRow("Create") && startView().status() == "Created " + name + "."; }, 10},
  };
}

// From the main menu to the characters page of the path ("Play", or joining through "Multiplayer").
std::vector<Step> toTheCharacters(bool joining) {
  if (!joining) return {{"play", [] { return chooseRow("Play") && startView().page() == StartView::Page::Characters; }, 10}};
  return {
      {"multiplayer", [] { return chooseRow("Multiplayer") && startView().page() == StartView::Page::Multiplayer; }, 10},
      {"join a game", [] { return chooseRow("Join a game") && startView().page() == StartView::Page::Characters; }, 10},
  };
}

Step backToTheMainMenu() {
  return {"back to the main menu", [] {
            if (startView().page() != StartView::Page::Main) tap(GLFW_KEY_ESCAPE);
            return startView().page() == StartView::Page::Main;
          }, 20};
}

// From the main menu to her join page: the characters page of the joining path, and Enter on the
// row it opens on.
std::vector<Step> toHerJoinPage(const std::string& name) {
  return joined(toTheCharacters(true), {{name, [] {
                                            tap(GLFW_KEY_ENTER);
                                            return startView().page() == StartView::Page::Join;
                                          }, 10}});
}

class MenusAfterRestartTest : public AppRunTest {};

TEST_F(MenusAfterRestartTest, TheCharactersPageOpensOnTheCurrentCharacterAndTheJoinPageKeepsItsAddress) {
  std::string chosen, openedOn, openedOnAfterRestart, playedAfterRestart, settingsText;
  std::vector<Step> first = {{"the start view", [] { return current() == ViewId::Start; }, 30}};
  first = joined(first, toTheCharacters(false));
  first = joined(first, characterMade("Ann"));
  first = joined(first, characterMade("Pam"));
  first = joined(first, {
      {"play the one whose row is not the first", [&] {
         ListView* view = currentList();
         if (view == nullptr || view->list().rows().size() < 2) return false;
         const std::string second = view->list().rows()[1].text;
         if (second.rfind("Play as ", 0) != 0) return false;
         chosen = second.substr(8, second.find(" (") - 8);
         return chooseRow("Play as " + chosen) && startView().page() == StartView::Page::Worlds;
       }, 10},
      backToTheMainMenu(),
  });
  first = joined(first, toTheCharacters(false));
  first = joined(first, {
      {"the characters page opens on her row", [&] {
         openedOn = selectedRow();
         return true;
       }, 1},
      {"Enter plays her", [&] {
         tap(GLFW_KEY_ENTER);
         return startView().page() == StartView::Page::Worlds;
       }, 10},
      {"she is the one played", [&] {
         EXPECT_EQ(currentCharacter(), chosen) << "Enter played the other character";
         return true;
       }, 1},
      backToTheMainMenu(),
  });
  first = joined(first, toHerJoinPage("her join page"));
  first = joined(first, {
      {"type the address", [] { return typeInRow("Address: ", kAddress, 0); }, 10},
      {"type the port", [] { return typeInRow("Port: ", kPort, 0); }, 10},
      backToTheMainMenu(),
  });
  Script before(first);
  playScript(before);
  settingsText = settingsFileText(home.path());

  // The program starts again, its options and content read anew.
  testsupport::resetSettings();
  resetContentDatabase();
  std::vector<Step> second = {{"the start view again", [] { return current() == ViewId::Start; }, 30}};
  second = joined(second, toTheCharacters(false));
  second = joined(second, {
      {"the characters page opens on her row again", [&] {
         openedOnAfterRestart = selectedRow();
         tap(GLFW_KEY_ENTER);
         return startView().page() == StartView::Page::Worlds;
       }, 10},
      {"Enter played her", [&] {
         playedAfterRestart = currentCharacter();
         return true;
       }, 1},
      backToTheMainMenu(),
  });
  second = joined(second, toHerJoinPage("her join page again"));
  second = joined(second, {
      {"it offers the address and port typed before", [] {
         EXPECT_TRUE(hasRow(std::string("Address: ") + kAddress)) << "the address was forgotten";
         EXPECT_TRUE(hasRow(std::string("Port: ") + kPort)) << "the port was forgotten";
         return true;
       }, 1},
      backToTheMainMenu(),
  });
  Script after(second);
  playScript(after);

  ASSERT_FALSE(chosen.empty());
  EXPECT_EQ(openedOn.rfind("Play as " + chosen + " (", 0), 0u) << openedOn;
  EXPECT_EQ(openedOnAfterRestart.rfind("Play as " + chosen + " (", 0), 0u) << openedOnAfterRestart;
  EXPECT_EQ(playedAfterRestart, chosen);
  EXPECT_NE(settingsText.find(kAddress), std::string::npos) << "the settings file does not keep the address";
}

}  // namespace
