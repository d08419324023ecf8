#include "game/rules/entity_lists.h"

namespace {
EntityLists*& slot() {
  static EntityLists* lists = nullptr;
  return lists;
}
}  // namespace

EntityLists& entityLists() {
  static EntityLists none;
  EntityLists* lists = slot();
  return lists != nullptr ? *lists : none;
}

void setEntityLists(EntityLists* lists) { slot() = lists; }
