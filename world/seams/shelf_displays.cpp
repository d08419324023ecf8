#include "world/seams/shelf_displays.h"

namespace {
ShelfDisplays*& slot() {
  static ShelfDisplays* displays = nullptr;
  return displays;
}
}  // namespace

ShelfDisplays& shelfDisplays() {
  static NullShelfDisplays none;
  ShelfDisplays* displays = slot();
  return displays != nullptr ? *displays : none;
}

void setShelfDisplays(ShelfDisplays* displays) { slot() = displays; }
