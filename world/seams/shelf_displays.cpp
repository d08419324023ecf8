#include "world/seams/shelf_displays.h"

engine::Seam<ShelfDisplays, NullShelfDisplays>& shelfDisplaysSeam() {
  static engine::Seam<ShelfDisplays, NullShelfDisplays> seam;
  return seam;
}
