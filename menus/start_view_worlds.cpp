// The start view's world pages: the list, continuing, creating and deleting a world.

#include <ctime>

#include "content/planets/planet_def.h"
#include "content/tables/difficulty_names.h"
#include "menus/menu_saves.h"
#include "menus/start_view.h"
#include "saves/launch/local_saves.h"
#include "saves/store/save_names.h"
#include "world/map/world_params.h"

namespace {

constexpr uint8_t kLoadWorld = 1;
constexpr uint8_t kGenerateWorld = 2;

std::string planetName(uint32_t planetId) {
  for (const auto& planet : planetDefs()) {
    if (planet->id == planetId) return planet->name;
  }
  return "unknown planet";
}

std::string sizeName(uint8_t sizeIndex) {
  const WorldSize size = worldSizeFor(sizeIndex);
  return std::to_string(size.width) + " x " + std::to_string(size.height);
}

std::string modeName(uint8_t mode) { return mode < kWorldModeCount ? kWorldModeNames[mode] : "Mode " + std::to_string(mode); }

}  // namespace

bool StartView::continueWorld(WorldEntry& entry) {
  LocalSaves* saves = menuSaves();
  if (saves == nullptr || saves->characters().current() == nullptr) {
    say("Choose a character first.");
    return false;
  }
  saves->worlds().setCurrent(&entry);
  return startGame(kLoadWorld);
}

bool StartView::createWorld(const NewWorldChoice& choice) {
  LocalSaves* saves = menuSaves();
  if (saves == nullptr || saves->characters().current() == nullptr) {
    say("Choose a character first.");
    return false;
  }
  if (refuseWhenCompromised()) return false;
  const PlanetList& planets = planetDefs();
  if (planets.empty()) {
    say("There are no planets to make a world on.");
    return false;
  }
  if (!choice.name.empty() && !isSafeSaveName(choice.name)) {
    say("That name cannot be used.");
    return false;
  }
  WorldStore& worlds = saves->worlds();
  for (const auto& entry : worlds.entries()) {
    if (entry->displayName == choice.name) {
      say("A world named " + choice.name + " exists: choose another name.");
      return false;
    }
  }
  WorldParams params;
  params.planetId = planets[choice.planet < planets.size() ? choice.planet : 0]->id;
  params.mode = choice.mode < kWorldModeCount ? choice.mode : 0;
  params.sizeIndex = choice.size < kWorldSizeCount ? choice.size : 0;
  WorldEntry& entry = worlds.createEntry(params, static_cast<int64_t>(std::time(nullptr)));
  // A typed name names the file too, when no file has it yet.
  if (!choice.name.empty() && !saves->currentWorldFileExists()) {
    const WorldEntry before = entry;
    entry.displayName = choice.name;
    entry.fileName = choice.name + ".dat";
    if (saves->currentWorldFileExists()) {
      entry.displayName = before.displayName;
      entry.fileName = before.fileName;
    }
  }
  return startGame(kGenerateWorld);
}

bool StartView::deleteWorld(WorldEntry& entry) {
  LocalSaves* saves = menuSaves();
  if (saves == nullptr) return false;
  const std::string name = entry.displayName;
  const bool removed = saves->worlds().remove(entry);
  say(removed ? "Deleted " + name + "." : name + " could not be deleted.");
  return removed;
}

void StartView::fillWorlds(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  LocalSaves* saves = menuSaves();
  if (saves == nullptr) {
    rows.push_back({"Back", [this] { showPage(Page::Characters); }});
    return;
  }
  WorldStore& worlds = saves->worlds();
  worlds.list();
  const PlayerEntry* character = saves->characters().current();
  lines.push_back(character != nullptr ? "Playing as " + character->displayName : "No character chosen.");
  const bool hosting = path_ == Path::Host;
  if (hosting) fillHostSettings(lines, rows);
  // A world that failed to load stays listed, as damaged, with the files whose head does not read.
  std::vector<std::string> damaged = worlds.damaged();
  for (const auto& entry : worlds.entries()) {
    WorldEntry* world = entry.get();
    if (worlds.pathOf(entry->fileName) == saves->unreadableFile()) {
      damaged.push_back(entry->fileName);
      continue;
    }
    rows.push_back({std::string(hosting ? "Host " : "Continue ") + entry->displayName + " (" +
                        planetName(entry->params.planetId) + ", " + modeName(entry->params.mode) + ")",
                    [this, world] {
                      if (!continueWorld(*world)) refresh();
                    }});
  }
  appendDamagedRows(DamagedSave::Kind::World, damaged, Page::Worlds, rows);
  rows.push_back({"New world", [this] {
                    say({});
                    newWorld_.name.clear();
                    showPage(Page::NewWorld);
                  }});
  // A hosted world is deleted from the worlds page of a game played alone.
  if (hosting) {
    rows.push_back({"Back", [this] { showPage(Page::Characters); }});
    return;
  }
  for (const auto& entry : worlds.entries()) {
    WorldEntry* world = entry.get();
    const std::string name = entry->displayName;
    rows.push_back({"Delete " + name, [this, world, name] {
                      confirm("Delete the world " + name + "?", [this, world] { deleteWorld(*world); }, Page::Worlds);
                    }});
  }
  rows.push_back({"Back", [this] { showPage(Page::Characters); }});
}

void StartView::fillNewWorld(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  const PlanetList& planets = planetDefs();
  if (planets.empty()) lines.push_back("There are no planets.");
  // A world is made at the difficulty of the character who plays it.
  if (LocalSaves* saves = menuSaves(); saves != nullptr && saves->characters().current() != nullptr) {
    lines.push_back("Difficulty: " + difficultyName(saves->characters().current()->difficultyId) + ", the character's");
  }
  const std::string planet = planets.empty() ? "-" : planets[newWorld_.planet % planets.size()]->name;
  rows.push_back({"Name: " + (newWorld_.name.empty() ? std::string("(next free)") : newWorld_.name), [this] {
                    typeField(newWorld_.name, kNameLimit, [this](const std::string& typed) {
                      newWorld_.name = typed;
                      return true;
                    });
                  }});
  rows.push_back(cyclingRow("Planet: " + planet, [this](int steps) {
    newWorld_.planet = MenuList::stepped(newWorld_.planet, steps, planetDefs().size());
  }));
  rows.push_back(cyclingRow("Size: " + sizeName(newWorld_.size), [this](int steps) {
    newWorld_.size = static_cast<uint8_t>(MenuList::stepped(newWorld_.size, steps, kWorldSizeCount));
  }));
  rows.push_back(cyclingRow("Mode: " + modeName(newWorld_.mode), [this](int steps) {
    newWorld_.mode = static_cast<uint8_t>(MenuList::stepped(newWorld_.mode, steps, kWorldModeCount));
  }));
  // A refusal shows its reason under the title at once.
  rows.push_back({path_ == Path::Host ? "Create and host" : "Create", [this] {
                    if (!createWorld(newWorld_)) refresh();
                  }});
  rows.push_back({"Back", [this] { showPage(Page::Worlds); }});
}
