#pragma once
// Character files the scripted games start with: a made character of full health whose slots the
// test furnishes, written as the game writes them.

#include <gtest/gtest.h>

#include <string>

#include "platform/file_handle.h"
#include "saves/character/character_file.h"
#include "saves/character/character_record.h"

namespace world_tool_test {

inline CharacterRecord madeCharacter(const std::string& name) {
  CharacterRecord record;
  record.name = name;
  record.stateFlags = 1;  // made: the game does not offer to create it
  record.health = 5.0f;
  return record;
}

inline void writeCharacter(const std::string& path, const CharacterRecord& record) {
  kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
  ASSERT_TRUE(writeCharacterFile(file, record));
}

}  // namespace world_tool_test
