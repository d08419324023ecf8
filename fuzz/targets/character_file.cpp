// The character file as the character list and the player loader read it: the list shows a file
// exactly when it loads, and whatever reads whole is written again and must read back the same.
#include "fuzz/support/fuzz_one.h"
#include "fuzz/support/temp_input.h"
#include "platform/file_handle.h"
#include "saves/character/character_file.h"
#include "saves/store/player_entry.h"

int fuzzOne(const uint8_t* data, size_t size) {
  fuzzsupport::TempInput input(data, size, ".dat");
  bool listed = false;
  {
    kel::FileHandle file(input.path(), kel::FileHandle::READ);
    listed = readCharacterSummary("fuzz.dat", file) != nullptr;
  }
  CharacterRecord record;
  CharacterParts parts;
  kel::FileHandle file(input.path(), kel::FileHandle::READ);
  const bool loaded = readCharacterFile(file, record, parts);
  fuzzCheck(listed == loaded, "the list shows a character file exactly when it loads");
  if (!loaded || !parts.health) return 0;
  file.close();

  fuzzsupport::TempInput again(nullptr, 0, ".written.dat");
  kel::FileHandle out(again.path(), kel::FileHandle::READ_WRITE_NEW);
  fuzzCheck(writeCharacterFile(out, record), "a read character writes");
  CharacterRecord reread;
  kel::FileHandle in(again.path(), kel::FileHandle::READ);
  fuzzCheck(readCharacterFile(in, reread, parts), "a written character reads");
  // Buff pairs without time are not kept, so compare after the same rule.
  for (BuffPair& buff : record.buffs) {
    if (buff.remaining == 0) buff = {};
  }
  fuzzCheck(reread == record, "a written character reads back unchanged");
  return 0;
}
