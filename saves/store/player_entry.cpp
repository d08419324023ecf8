#include "saves/store/player_entry.h"

#include <utility>

#include "engine/base/path_utils.h"

PlayerEntry::PlayerEntry(std::string file, std::string display, uint16_t id)
    : fileName(std::move(file)), displayName(std::move(display)), entryId(id) {
  syncNameWithFile();
}

void PlayerEntry::syncNameWithFile() {
  if (fileName != engine::withExtension(displayName, "dat")) {
    displayName = fileName.substr(0, fileName.find('.'));
  }
}
