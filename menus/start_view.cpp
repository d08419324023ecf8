#include "menus/start_view.h"

#include <filesystem>
#include <optional>
#include <string>

#include "content/loader/content_database.h"
#include "content/texts/language_texts.h"
#include "engine/app/application.h"
#include "engine/io/damaged_data_files.h"
#include "engine/scene/inner_node.h"
#include "menus/marked_world.h"
#include "menus/menu_saves.h"
#include "saves/launch/local_saves.h"
#include "saves/store/character_store.h"
#include "saves/store/player_entry.h"
#include "platform/audio/music.h"
#include "platform/key_bindings.h"
#include "platform/plain_version.h"
#include "platform/platform.h"
#include "platform/settings/defaults_bridge.h"
#include "platform/settings/settings.h"
#include "ui/widgets/key_names.h"
#include "ui/widgets/ui_draw.h"
#include "world/rules/game.h"

namespace {

// Escape on the main menu and its "Quit" row end the program alike.
void quitProgram() {
  if (engine::Application* application = engine::Application::getInstance()) application->quit();
}

constexpr const char* kGameName = "Rubblemoor";
constexpr const char* kActionNames[kel::KEYBIND_ACTION_COUNT] = {
    "Move up", "Move down", "Move left", "Move right", "Jump", "Pause",
    "Inventory", "Book", "Map", "Chat", "Throw", "Switch pane",
};

constexpr float kEntryWidth = 400.0f;
constexpr float kEntryBottom = 40.0f;

// The name entry's lower left corner: centred under the list.
engine::Vec2 nameEntryCorner() { return engine::Vec2(uiWindowSize().width / 2.0f - kEntryWidth / 2.0f, kEntryBottom); }

std::string actionLabel(uint32_t action) {
  const std::string& text = languageTexts().text(static_cast<int>(kel::defaultKeybinds[action].textId));
  return text.empty() ? kActionNames[action] : text;
}

// Gives the key to the action, swapping with the action that held it, and says what changed.
std::string rebind(kel::KeyBindings& bindings, uint32_t action, uint32_t key) {
  const uint32_t oldKey = bindings.keyOf(action);
  const std::optional<uint32_t> other = bindings.swap(action, key);
  std::string said = actionLabel(action) + " now uses " + keyName(key) + ".";
  if (other) {
    said += " " + keyName(key) + " was the key of " + actionLabel(*other) + ", which takes " + keyName(oldKey) +
            " in exchange.";
  }
  return said;
}

// A file by its name in its folder: a whole path runs past the panel and breaks mid-word.
std::string fileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// The settings file that could not be read, named as the damaged data files are, with where it went
// (beside it, in the same folder).
std::string settingsDamageLine(const kel::DamagedSettingsFile& damaged) {
  if (damaged.keptWhatRead) {
    const std::string line = "Settings file damaged: " + fileNameOf(damaged.path) + "; what could be read is used";
    if (damaged.keptAs.empty()) return line + " and the file is not written over.";
    return line + " and the file as it was is kept beside it as " + fileNameOf(damaged.keptAs) + ".";
  }
  const std::string line = "Settings file damaged: " + fileNameOf(damaged.path) + "; the defaults are used";
  if (damaged.keptAs.empty()) return line + " and it is not written over.";
  return line + " and it is kept beside them as " + fileNameOf(damaged.keptAs) + ".";
}

}  // namespace

StartView::StartView()
    : ListView(ViewId::Start),
      hostPort_(std::to_string(kel::ServerInfo::kDefaultPort)),
      joinPort_(std::to_string(kel::ServerInfo::kDefaultPort)) {
  hostChoice_.port = kel::ServerInfo::kDefaultPort;
}

void StartView::enter() {
  if (!entryBuilt_) {
    entryBuilt_ = true;
    nameEntry_.build(root(), nameEntryCorner(), kEntryWidth);
    root()->addChild(backdrop_.node(), -2);
  }
  showBackdrop(backdrop_.showNext(uiWindowSize()));
  if (page_ != Page::Message && page_ != Page::Damaged) page_ = Page::Main;
  say({});
  if (LocalSaves* saves = menuSaves()) restoreMarkedWorld(saves->worlds());
  checkUiFonts();
  kel::playMenuMusic();
  ListView::enter();
}

void StartView::exit() {
  nameEntry_.stop();
  bindingAction_ = -1;
  // The game's own music takes over once its world shows.
  kel::stopMusic();
  ListView::exit();
}

void StartView::layOut() {
  ListView::layOut();
  if (entryBuilt_ && !backdrop_.shown().empty()) backdrop_.show(backdrop_.shown(), uiWindowSize());
  if (entryBuilt_) placeNameEntry();
}

void StartView::showBackdrop(bool shown) {
  // Over a planet the shade only dims it, so the framed panel and its texts stand out from it.
  setShade(shown ? engine::Color4B{0, 0, 0, 90} : engine::Color4B{0, 0, 0, 215});
}

void StartView::placeNameEntry() {
  // Over the name row it edits, the caret after the name; below the list when the row is not shown.
  const engine::Rect row = list().rowRect(list().selected());
  if (row.size.width > 0) {
    nameEntry_.place(row.origin, row.size.width, scale());
  } else {
    nameEntry_.place(nameEntryCorner(), kEntryWidth, scale());
  }
}

void StartView::showPage(Page page) {
  // A status already shown belongs to the page it was shown on; one just said is the reason
  // the page now shown opens with.
  if (statusShown_) say({});
  nameEntry_.stop();
  bindingAction_ = -1;
  const Page left = page_;
  page_ = page;
  list().select(0);
  refresh();
  // The rows are the new page's only now: the selection is placed on them, not on the old page's
  // (whose first row may be a heading it passed over).
  list().select(openingRow(page, left));
}

int StartView::openingRow(Page page, Page left) {
  if (page == Page::Characters) {
    // The page lists a row per character first, in the store's order (its fill has listed them).
    LocalSaves* saves = menuSaves();
    if (saves == nullptr) return 0;
    const CharacterStore& characters = saves->characters();
    for (size_t i = 0; i < characters.entries().size(); ++i) {
      if (characters.entries()[i].get() == characters.current()) return static_cast<int>(i);
    }
    return 0;
  }
  if (page != Page::Main) return 0;
  // Back on the main menu the selection rests on the row that led away, so Enter goes there again.
  switch (left) {
    case Page::Options: return kMainOptionsRow;
    case Page::Multiplayer: return kMainMultiplayerRow;
    default: return 0;
  }
}

void StartView::showDialog(int dialog) {
  LocalSaves* saves = menuSaves();
  if (dialog == kUnreadableWorldDialog && saves != nullptr && saves->worlds().current() != nullptr) {
    showDamaged(DamagedSave::Kind::World, saves->worlds().current()->fileName, Page::Worlds);
    return;
  }
  // A network game that ended says why; a reason without a text leaves the message empty.
  if (message_.empty() && dialog != kNetworkGameEndedDialog) {
    message_ = dialog == 19 || dialog == 20 ? "The planet's world file is missing." : "The game could not be started.";
  }
  showPage(Page::Message);
}

void StartView::back() {
  switch (page_) {
    case Page::Main:
      quitProgram();
      return;
    case Page::Characters: showPage(beforeCharacters()); return;
    case Page::NewCharacter:
    case Page::Worlds:
    case Page::Join: showPage(Page::Characters); return;
    case Page::NewWorld: showPage(Page::Worlds); return;
    case Page::Friends: showPage(Page::Join); return;
    case Page::Damaged: showPage(afterDamaged_); return;
    case Page::Confirm: showPage(afterConfirm_); return;
    default: showPage(Page::Main); return;
  }
}

bool StartView::ownKey(engine::KeyCode key, bool released) {
  if (bindingAction_ < 0) return false;
  // The key that comes down next is the action's; Escape leaves it as it was.
  if (released) return true;
  kel::Platform* platform = kel::Platform::instance();
  if (key != engine::KeyCode::ESCAPE && platform != nullptr) {
    say(rebind(platform->keyBindings(), static_cast<uint32_t>(bindingAction_), static_cast<uint32_t>(key)));
    kel::saveSettings();
  }
  bindingAction_ = -1;
  refresh();
  return true;
}

MenuList::Row StartView::cyclingRow(std::string text, std::function<void(int)> step) {
  auto stepAndShow = [this, step = std::move(step)](int steps) {
    step(steps);
    refresh();
  };
  return MenuList::cycling(std::move(text), std::move(stepAndShow));
}

void StartView::typeField(const std::string& text, uint32_t limit, std::function<bool(const std::string&)> accept) {
  const int row = list().selected();
  typeText(text, limit, [this, row, accept = std::move(accept)](const std::string& typed) {
    if (accept(typed) && list().selected() == row) list().select(row + 1);
  });
}

void StartView::typeText(const std::string& text, uint32_t limit, std::function<void(const std::string&)> store) {
  placeNameEntry();
  // A field entered again holds its last text, selected: typing replaces it rather than adding to it.
  nameEntry_.setSelectsWhole(true);
  nameEntry_.start(text, limit, [this, store](const std::string& typed) {
    nameEntry_.stop();
    store(typed);
    refresh();
  }, [this] {
    nameEntry_.stop();
    refresh();
  });
}

void StartView::say(std::string text) {
  status_ = std::move(text);
  statusShown_ = false;
}

void StartView::confirm(const std::string& question, std::function<void()> yes, Page after) {
  question_ = question;
  onYes_ = std::move(yes);
  afterConfirm_ = after;
  showPage(Page::Confirm);
  // What is asked cannot be undone: a hurried Enter keeps things as they are.
  list().select(kConfirmNoRow);
}

bool StartView::refuseWhenCompromised() {
  if (mayStartGame()) return false;
  say(kCompromised);
  return true;
}

bool StartView::startGame(uint8_t mode) {
  if (refuseWhenCompromised()) return false;
  message_.clear();
  if (path_ == Path::Host) return startHosting(mode);
  currentGame().begin(mode, {});
  return true;
}

void StartView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  switch (page_) {
    case Page::Main: title = kGameName; fillMain(lines, rows); break;
    case Page::Options: title = "Options"; fillOptions(lines, rows); break;
    case Page::Characters: title = "Characters"; fillCharacters(lines, rows); break;
    case Page::NewCharacter: title = "New character"; fillNewCharacter(lines, rows); break;
    case Page::Worlds: title = path_ == Path::Host ? "Host a world" : "Worlds"; fillWorlds(lines, rows); break;
    case Page::NewWorld: title = "New world"; fillNewWorld(lines, rows); break;
    case Page::Multiplayer: title = "Multiplayer"; fillMultiplayer(lines, rows); break;
    case Page::Join: title = "Join a game"; fillJoin(lines, rows); break;
    case Page::Friends: title = "Friends' games"; fillFriends(lines, rows); break;
    case Page::Damaged:
      title = damaged_.kind == DamagedSave::Kind::World ? "Damaged world" : "Damaged character";
      fillDamaged(lines, rows);
      break;
    case Page::Confirm:
      title = "Are you sure?";
      lines.push_back(question_);
      rows.push_back({"Yes", [this] {
                        const auto yes = onYes_;
                        const Page after = afterConfirm_;
                        if (yes) yes();
                        showPage(after);
                      }});
      rows.push_back({"No", [this] { showPage(afterConfirm_); }});
      break;
    case Page::Message:
      title = kGameName;
      lines.push_back(message_);
      rows.push_back({"OK", [this] {
                        message_.clear();
                        showPage(Page::Main);
                      }});
      break;
  }
  if (!status_.empty()) {
    lines.push_back(status_);
    statusShown_ = true;
  }
}

void StartView::fillMain(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  kel::Platform* platform = kel::Platform::instance();
  lines.push_back(platform != nullptr ? kel::plainVersion(platform->versionText()) : std::string());
  // A file that failed to load is named here, so the player knows what to restore.
  for (const std::string& path : engine::DamagedDataFiles::reported()) {
    lines.push_back("Data file damaged or missing: " + path);
  }
  if (kel::DefaultsBridge* settings = platform != nullptr ? platform->defaults() : nullptr) {
    const kel::DamagedSettingsFile damaged = settings->damagedFile();
    if (!damaged.path.empty()) lines.push_back(settingsDamageLine(damaged));
  }
  rows.push_back({"Play", [this] { follow(Path::Alone, Page::Characters); }});
  rows.push_back({"Multiplayer", [this] { showMultiplayerChooser(); }});
  rows.push_back({"Options", [this] { showPage(Page::Options); }});
  rows.push_back({"Quit", [] { quitProgram(); }});
}

void StartView::fillOptions(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  kel::Platform* platform = kel::Platform::instance();
  lines.push_back(bindingAction_ >= 0 ? "Press the new key (Escape keeps the old one)."
                                     : "Choose an action to bind it to another key; a key in use is swapped.");
  optionRows_.append(rows);
  for (uint32_t action = 0; action < kel::KEYBIND_ACTION_COUNT; ++action) {
    const uint32_t key = platform != nullptr ? platform->keyForAction(action) : 0;
    rows.push_back({actionLabel(action) + ": " + keyName(key), [this, action] {
                      bindingAction_ = static_cast<int>(action);
                      say({});
                      refresh();
                    }});
  }
  rows.push_back({"Back", [this] { showPage(Page::Main); }});
}
