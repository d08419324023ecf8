#pragma once
// The view the game opens on, in pages: the main menu (play, multiplayer, options, quit), the options (sound,
// display, switches) with the key bindings, the character list (choose, create, rename, delete), the world list (continue,
// create, delete), the pages that create a character or a world, a confirmation, a message and
// the dialog over a damaged world or character file, which offers its backup.
// Multiplayer goes through the same character and world pages: hosting picks a character and a
// world there (with the player limit and the way friends reach the host), joining picks a
// character and then a host by address and port, from the saved server list or among the store
// front's friends.
// Names are typed in a text entry that a name row opens; the other rows cycle their choice.
// Starting a world hands it to the current game, which shows the wait view and then the main
// view. Nothing starts while the content file is damaged.
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "menus/damaged_save.h"
#include "menus/menu_network.h"
#include "menus/planet_backdrop.h"
#include "menus/server_list.h"
#include "ui/views/list_view.h"
#include "ui/views/option_rows.h"
#include "ui/widgets/text_entry.h"

struct PlayerEntry;
struct WorldEntry;

// What the new world page has chosen.
struct NewWorldChoice {
  std::string name;
  size_t planet = 0;  // index into the planet definitions
  uint8_t size = 0;   // world size index, 0 the smallest
  uint8_t mode = 0;   // 0 survival, 1 creative, 2 flat creative, 3 adventure
};

// The world modes a new world can have, by mode byte.
inline constexpr const char* kWorldModeNames[] = {"Survival", "Creative", "Flat creative", "Adventure"};
inline constexpr uint8_t kWorldModeCount = 4;

class StartView final : public ListView {
 public:
  static constexpr ViewId kId = ViewId::Start;
  enum class Page : uint8_t {
    Main, Options, Characters, NewCharacter, Worlds, NewWorld, Confirm, Message, Multiplayer, Join, Friends, Damaged
  };
  // Where the character and world pages lead: a game played alone, a hosted one or a joined one.
  enum class Path : uint8_t { Alone, Host, Join };
  static constexpr uint32_t kNameLimit = 24;
  // The name a new character page offers, whatever was typed there before.
  static constexpr const char* kDefaultCharacterName = "Player";
  // The confirmation page's rows: "Yes", then "No", which is selected when the page opens.
  static constexpr int kConfirmNoRow = 1;
  // The main menu's rows: "Play", "Multiplayer", "Options", "Quit".
  static constexpr int kMainMultiplayerRow = 1, kMainOptionsRow = 2;
  // `StartView::showDialog`'s dialog when a network game ended: its text is the reason alone.
  static constexpr int kNetworkGameEndedDialog = 27;
  // `StartView::showDialog`'s dialog when the chosen world's file could not be read.
  static constexpr int kUnreadableWorldDialog = 21;
  static constexpr const char* kCompromised = "Data files have been compromised. You won't be able to play.";

  StartView();

  // Enters on the main menu unless a message waits.
  void enter() override;
  void exit() override;
  // Escape: one page up; from the main menu the game quits.
  void back() override;
  // The list, its texts and the name entry placed for the new window.
  void layOut() override;

  // `StartView::showMainMenu`.
  void showMainMenu() { showPage(Page::Main); }
  // `StartView::showMultiplayerChooser`: the "Multiplayer" page (host or join).
  void showMultiplayerChooser() { showPage(Page::Multiplayer); }
  // `StartView::showDialog`: the message page with the message text set before, or the dialog's
  // own text when none is.
  void showDialog(int dialog);
  void setMessage(const std::string& text) { message_ = text; }
  void showPage(Page page);
  Page page() const { return page_; }
  // The planet drawn behind the pages (its sky name; empty while none could be drawn).
  const std::string& backdropPlanet() const { return backdrop_.shown(); }
  // What the last choice said ("The name is taken.", ...); shown under the title of the page it
  // was said on, or of the page the choice opened, and gone once the player leaves that page.
  const std::string& status() const { return status_; }
  TextEntry& nameEntry() { return nameEntry_; }

  // ---- The choices, as the rows make them ----
  bool chooseCharacter(PlayerEntry& entry);
  bool createCharacter(const std::string& name, uint32_t difficulty);
  bool fitsCharacterFile(const std::string& name);
  bool renameCharacter(const std::string& name);
  bool deleteCharacter();
  bool createWorld(const NewWorldChoice& choice);
  bool continueWorld(WorldEntry& entry);
  bool deleteWorld(WorldEntry& entry);
  NewWorldChoice& newWorld() { return newWorld_; }
  // The damage dialog over a world or character file that cannot be read; its rows lead back to
  // `back`. What it shows.
  void showDamaged(DamagedSave::Kind kind, const std::string& fileName, Page back);
  const DamagedSave& damaged() const { return damaged_; }
  Path path() const { return path_; }

  // ---- Multiplayer, as the rows make it ----
  HostChoice& hostChoice() { return hostChoice_; }
  // The typed address and port of the join page.
  std::string& joinAddress() { return joinAddress_; }
  std::string& joinPort() { return joinPort_; }
  // Joins the typed address and port; false, with the reason in the status, when either is not
  // valid or the connection cannot start.
  bool joinTyped();
  // Joins a saved server or a friend's game.
  bool joinServer(size_t index);
  bool joinFriend(const FriendGame& game);
  // Joins the store-front host the game was started for, named as the friends list names it.
  bool joinStoreFrontHost(uint64_t hostId);
  // Saves the typed address and port in the server list; removes an entry.
  bool saveTypedServer();
  bool removeServer(size_t index);
  // The friends' games last listed.
  const std::vector<FriendGame>& friends() const { return friends_; }

  // The key binding action waiting for its key; -1 for none.
  int bindingAction() const { return bindingAction_; }

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;
  bool ownKey(engine::KeyCode key, bool released) override;

 private:
  // The row a page opens on: on the main menu the row that opened the page left (or the path
  // through it), on the characters page the current character's, so that Enter plays the one it
  // names; else the first.
  int openingRow(Page page, Page left);
  void fillMain(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillOptions(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillCharacters(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillNewCharacter(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillWorlds(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillNewWorld(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillMultiplayer(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillHostSettings(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillJoin(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillFriends(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillDamaged(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  // A row for each file of the kind that the last listing could not read, opening its dialog.
  void appendDamagedRows(DamagedSave::Kind kind, const std::vector<std::string>& fileNames, Page back,
                         std::vector<MenuList::Row>& rows);
  // The character and world pages lead along the path from now on.
  void follow(Path path, Page first);
  // The page a chosen character leads to, and the page Escape goes back to from the characters.
  Page afterCharacter() const { return path_ == Path::Join ? Page::Join : Page::Worlds; }
  Page beforeCharacters() const { return path_ == Path::Alone ? Page::Main : Page::Multiplayer; }
  // The current character's name; empty, with the status said, when none is chosen.
  std::string chosenCharacter();
  bool startHosting(uint8_t mode);
  // Shows the wait view while the connection starts; back on the join page with the reason when
  // it cannot.
  bool joinAt(const kel::base::DesktopConnectionInfo& at, const std::string& shown);
  // Keeps the typed address and port in the settings for the next launch, once both are good.
  void keepJoinTarget();
  ServerList servers();
  // A row that steps a choice both ways (Left and Right) and forwards on Enter, the page shown again
  // after each step.
  MenuList::Row cyclingRow(std::string text, std::function<void(int)> step);
  // Opens the text entry on the text, over the selected row; Enter stores it through `store`.
  void typeText(const std::string& text, uint32_t limit, std::function<void(const std::string&)> store);
  // A field of a form: Enter stores the text through `accept` and, when it takes it, selects the
  // form's next row, where a player filling the form goes next.
  void typeField(const std::string& text, uint32_t limit, std::function<bool(const std::string&)> accept);
  void placeNameEntry();
  // The shade over the backdrop: light over a planet, deep over black.
  void showBackdrop(bool shown);
  // The confirmation page: `yes` runs on Yes, then the page goes back to `after`.
  void confirm(const std::string& question, std::function<void()> yes, Page after);
  // The content is compromised or its checksum does not match: no game starts.
  bool refuseWhenCompromised();
  // Sets the status line; the next page filled shows it.
  void say(std::string text);
  bool startGame(uint8_t mode);

  Page page_ = Page::Main;
  std::string status_;
  bool statusShown_ = false;  // the status was drawn on a page: leaving that page drops it
  std::string message_;
  std::string question_;
  std::function<void()> onYes_;
  Page afterConfirm_ = Page::Main;
  std::string newCharacterName_ = kDefaultCharacterName;
  uint32_t newCharacterDifficulty_ = 2;
  NewWorldChoice newWorld_;
  int bindingAction_ = -1;
  Path path_ = Path::Alone;
  HostChoice hostChoice_;
  std::string hostPort_;
  std::string joinAddress_;
  std::string joinPort_;
  std::vector<FriendGame> friends_;
  DamagedSave damaged_;
  Page afterDamaged_ = Page::Main;
  TextEntry nameEntry_;
  bool entryBuilt_ = false;
  PlanetBackdrop backdrop_;  // under the page, a planet under its sky
  OptionRows optionRows_{[this] { refresh(); }, true, [this] { return layer(); }};
};
