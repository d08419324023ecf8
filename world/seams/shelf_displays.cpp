#include "world/seams/shelf_displays.h"

engine::Seam<ShelfDisplays, NullShelfDisplays>& shelfDisplaysSeam() {
  static engine::Seam<ShelfDisplays, NullShelfDisplays> seam;
  return seam;
}

ShelfDisplays& shelfDisplays() { return shelfDisplaysSeam().get(); }

void setShelfDisplays(ShelfDisplays* displays) { shelfDisplaysSeam().set(displays); }
