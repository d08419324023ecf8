// The start view's character pages: the list, creating, renaming and deleting a character.

#include "content/loader/game_tables_loader.h"
#include "content/tables/difficulty_names.h"
#include "content/tables/game_tables.h"
#include "menus/menu_saves.h"
#include "menus/start_view.h"
#include "platform/settings/settings.h"
#include "saves/launch/local_saves.h"
#include "saves/character/character_record.h"
#include "saves/store/player_entry.h"
#include "saves/store/save_id.h"
#include "saves/store/save_names.h"

namespace {

uint32_t difficultyCount() {
  const size_t rows = gameTables().difficulties.size();
  return rows > 0 ? static_cast<uint32_t>(rows) : 1;
}

}  // namespace

bool StartView::chooseCharacter(PlayerEntry& entry) {
  LocalSaves* saves = menuSaves();
  if (saves == nullptr) return false;
  saves->characters().setCurrent(&entry);
  kel::setLastPlayer(entry.displayName);
  say({});
  showPage(afterCharacter());
  return true;
}

bool StartView::createCharacter(const std::string& name, uint32_t difficulty) {
  LocalSaves* saves = menuSaves();
  if (saves == nullptr) return false;
  say({});
  if (!isSafeSaveName(name)) {
    say("That name cannot be used.");
    return false;
  }
  if (!fitsCharacterFile(name)) return false;
  CharacterStore& characters = saves->characters();
  // The scan makes the players folder the new file goes into.
  if (characters.entries().empty()) characters.scan(kel::getLastPlayer());
  if (!characters.nameIsFree(name)) {
    say("The name " + name + " is taken: choose another.");
    return false;
  }
  auto entry = std::make_unique<PlayerEntry>(name + ".dat", name, 1);
  entry->saveId = makeRandomSaveId();
  entry->difficultyId = difficulty;
  if (!characters.create(std::move(entry), std::nullopt)) {
    say("The character could not be written.");
    return false;
  }
  characters.scan(name);
  for (const auto& made : characters.entries()) {
    if (made->displayName == name) characters.setCurrent(made.get());
  }
  kel::setLastPlayer(name);
  if (status_.empty()) say("Created " + name + ".");
  showPage(Page::Characters);
  return true;
}

bool StartView::fitsCharacterFile(const std::string& name) {
  // The file keeps 16 bytes of the name: a longer one would come back cut short, under another
  // name than its file's.
  if (name.size() <= kCharacterNameBytes) return true;
  say("That name is too long: at most " + std::to_string(kCharacterNameBytes) + " letters.");
  return false;
}

bool StartView::renameCharacter(const std::string& name) {
  LocalSaves* saves = menuSaves();
  PlayerEntry* current = saves != nullptr ? saves->characters().current() : nullptr;
  if (current == nullptr || !fitsCharacterFile(name)) return false;
  if (!saves->characters().rename(*current, name)) {
    say("The character could not be renamed to " + name + ".");
    return false;
  }
  kel::setLastPlayer(name);
  say("Renamed to " + name + ".");
  return true;
}

bool StartView::deleteCharacter() {
  LocalSaves* saves = menuSaves();
  PlayerEntry* current = saves != nullptr ? saves->characters().current() : nullptr;
  if (current == nullptr) return false;
  const std::string name = current->displayName;
  const bool removed = saves->characters().remove(*current);
  say(removed ? "Deleted " + name + "." : name + " could not be deleted.");
  return removed;
}

void StartView::fillCharacters(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  LocalSaves* saves = menuSaves();
  if (saves == nullptr) {
    lines.push_back("No save folder.");
    rows.push_back({"Back", [this] { showPage(Page::Main); }});
    return;
  }
  CharacterStore& characters = saves->characters();
  if (characters.entries().empty()) characters.scan(kel::getLastPlayer());
  const PlayerEntry* current = characters.current();
  lines.push_back(current != nullptr ? "Current: " + current->displayName : "Create a character to play.");
  for (const auto& entry : characters.entries()) {
    PlayerEntry* chosen = entry.get();
    rows.push_back({"Play as " + entry->displayName + " (" + difficultyName(entry->difficultyId) + ")",
                    [this, chosen] { chooseCharacter(*chosen); }});
  }
  appendDamagedRows(DamagedSave::Kind::Character, characters.damaged(), Page::Characters, rows);
  rows.push_back({"New character", [this] {
                    say({});
                    newCharacterName_ = kDefaultCharacterName;
                    showPage(Page::NewCharacter);
                  }});
  if (current != nullptr) {
    const std::string name = current->displayName;
    rows.push_back({"Rename " + name, [this, name] {
                      typeText(name, kCharacterNameBytes, [this](const std::string& typed) { renameCharacter(typed); });
                    }});
    rows.push_back({"Delete " + name, [this, name] {
                      confirm("Delete the character " + name + "?", [this] { deleteCharacter(); }, Page::Characters);
                    }});
  }
  rows.push_back({"Back", [this] { showPage(beforeCharacters()); }});
}

void StartView::fillNewCharacter(std::vector<std::string>&, std::vector<MenuList::Row>& rows) {
  rows.push_back({"Name: " + newCharacterName_, [this] {
                    typeField(newCharacterName_, kCharacterNameBytes, [this](const std::string& typed) {
                      newCharacterName_ = typed;
                      return true;
                    });
                  }});
  rows.push_back(cyclingRow("Difficulty: " + difficultyName(newCharacterDifficulty_), [this](int steps) {
    const size_t stepped = MenuList::stepped(newCharacterDifficulty_, steps, difficultyCount());
    newCharacterDifficulty_ = static_cast<uint32_t>(stepped);
  }));
  // A refused name stays on this page, the reason under the title.
  rows.push_back({"Create", [this] {
                    if (!createCharacter(newCharacterName_, newCharacterDifficulty_)) refresh();
                  }});
  rows.push_back({"Back", [this] { showPage(Page::Characters); }});
}
