#include "menus/menu_saves.h"

namespace {
LocalSaves*& slot() {
  static LocalSaves* saves = nullptr;
  return saves;
}
}  // namespace

LocalSaves* menuSaves() { return slot(); }

void setMenuSaves(LocalSaves* saves) { slot() = saves; }
