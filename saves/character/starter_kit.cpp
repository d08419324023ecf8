#include "saves/character/starter_kit.h"

#include "saves/character/character_record.h"

void giveStarterKit(CharacterRecord& record) {
  for (size_t i = 0; i < kStarterKit.size() && i < record.firstRow.size(); ++i) {
    const StarterItem& item = kStarterKit[i];
    record.firstRow[i] = DiskItem{0, item.id, item.count, item.durability, 0};
  }
}
