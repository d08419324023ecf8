#include "tools/world_tool/tool_character.h"

#include <memory>
#include <optional>

#include "engine/base/path_utils.h"
#include "platform/file_system_bridge.h"
#include "saves/launch/local_saves.h"
#include "saves/store/character_store.h"
#include "saves/store/player_entry.h"
#include "saves/store/save_id.h"
#include "saves/store/world_store.h"

namespace world_tool {

std::string characterName(const std::string& characterPath, const std::string& fallback) {
  if (characterPath.empty()) return fallback;
  const size_t slash = engine::findLastSlash(characterPath);
  return engine::stripExtension(slash == std::string::npos ? characterPath : characterPath.substr(slash + 1));
}

bool makeCharacterCurrent(LocalSaves& saves, kel::FileSystemBridge& files, const std::string& characterPath,
                          const std::string& name, std::FILE* err) {
  CharacterStore& characters = saves.characters();
  files.createFolder(characters.folder(), true);
  files.createFolder(saves.worlds().folder(), true);
  const std::string fileName = name + ".dat";
  if (!characterPath.empty()) {
    if (!files.copyPath(characterPath, characters.pathOf(fileName))) {
      std::fprintf(err, "world_tool: cannot read %s\n", characterPath.c_str());
      return false;
    }
  }
  characters.scan(name);
  const auto current = [&] {
    for (const auto& entry : characters.entries()) {
      if (entry->fileName == fileName) return entry.get();
    }
    return static_cast<PlayerEntry*>(nullptr);
  };
  if (current() == nullptr && characterPath.empty()) {
    auto entry = std::make_unique<PlayerEntry>(fileName, name, 1);
    entry->saveId = makeRandomSaveId();
    if (!characters.create(std::move(entry), std::nullopt)) {
      std::fprintf(err, "world_tool: cannot make a character in %s\n", characters.folder().c_str());
      return false;
    }
    characters.scan(name);
  }
  characters.setCurrent(current());
  if (characters.current() == nullptr) {
    std::fprintf(err, "world_tool: %s is not a readable character file\n",
                 characterPath.empty() ? characters.pathOf(fileName).c_str() : characterPath.c_str());
    return false;
  }
  return true;
}

}  // namespace world_tool
