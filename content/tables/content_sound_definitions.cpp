#include "content/tables/content_sound_definitions.h"

#include "content/tables/content_tables.h"

int16_t ContentSoundDefinitions::blockSound(uint32_t blockId, int slot) const {
  const auto& blocks = contentTables().blockDefs;
  return blockId < blocks.size() ? blocks[blockId].record.sound(slot) : int16_t{-1};
}

int16_t ContentSoundDefinitions::mobSound(uint32_t mobIndex, int slot) const {
  const auto& mobs = contentTables().mobDefs;
  return mobIndex < mobs.size() ? mobs[mobIndex].sound(slot) : int16_t{-1};
}

int16_t ContentSoundDefinitions::bulletSound(uint32_t bulletIndex, int slot) const {
  const auto& bullets = contentTables().bulletDefs;
  return bulletIndex < bullets.size() ? bullets[bulletIndex].sound(slot) : int16_t{-1};
}

ContentSoundDefinitions& contentSoundDefinitions() {
  static ContentSoundDefinitions definitions;
  return definitions;
}
