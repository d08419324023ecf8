#pragma once
// The saves' side of the launch: the local store of worlds and characters under the platform's
// writable root, and the terminate step's saving. A character is saved from the record that the
// game's character source fills from the local player; until the game registers one there is
// nothing to save. World saving comes with the world file's writer. Game thread only.

#include <functional>

#include "content/launch/save_services.h"
#include "saves/store/character_store.h"
#include "saves/store/world_store.h"

namespace kel {
class FileSystemBridge;
}

class LocalSaves final : public SaveServices {
 public:
  // Fills the record from the local player; false when there is no player to save.
  using CharacterSource = std::function<bool(CharacterRecord&)>;

  explicit LocalSaves(kel::FileSystemBridge& files);

  CharacterStore& characters() { return characters_; }
  WorldStore& worlds() { return worlds_; }
  void setCharacterSource(CharacterSource source) { characterSource_ = std::move(source); }

  void saveWorld() override {}
  void saveCharacter() override;
  // As saveCharacter, with the store's answer: false when there was nothing to save or the
  // write failed.
  bool saveCurrentCharacter();

 private:
  CharacterStore characters_;
  WorldStore worlds_;
  CharacterSource characterSource_;
};
