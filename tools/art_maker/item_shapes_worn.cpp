// What a player wears: hats, helmets, tunics, chestplates, legs and boots.

#include "tools/art_maker/item_shape_groups.h"

namespace artmaker {
namespace {

void hat(RegionGrid& g) {
  g.ellipse(8, 11.5f, 7, 1.8f, 'M');
  g.rect(4.5f, 4.5f, 7, 7, 'M');
  g.rect(4.5f, 9, 7, 1.5f, 'A');
}
void helmet(RegionGrid& g) {
  g.ellipse(8, 9, 6, 6, 'M');
  g.rect(1, 11, 14, 5, ' ');
  g.rect(2, 10.5f, 12, 1.5f, 'D');
  g.rect(7.3f, 3, 1.4f, 8, 'A');
}
void tunic(RegionGrid& g) {
  g.polygon({5, 2, 11, 2, 15, 5, 13, 8, 11.5f, 7, 11.5f, 14.5f, 4.5f, 14.5f, 4.5f, 7, 3, 8, 1, 5}, 'M');
  g.polygon({6.5f, 2, 9.5f, 2, 8, 4}, ' ');
  g.rect(4.5f, 10, 7, 1.2f, 'A');
}
void chestplate(RegionGrid& g) {
  g.polygon({4, 2, 12, 2, 14, 4.5f, 12.5f, 14, 3.5f, 14, 2, 4.5f}, 'M');
  g.polygon({6.5f, 2, 9.5f, 2, 8, 4.5f}, ' ');
  g.line(8, 5, 8, 13, 0.8f, 'D');
  g.dot(5, 5, 'A');
  g.dot(10.5f, 5, 'A');
}
void legs(RegionGrid& g) {
  g.rect(3.5f, 2, 9, 3, 'M');
  g.polygon({3.5f, 4.5f, 7.5f, 4.5f, 7, 14.5f, 3.5f, 14.5f}, 'M');
  g.polygon({8.5f, 4.5f, 12.5f, 4.5f, 12.5f, 14.5f, 9, 14.5f}, 'M');
  g.rect(3.5f, 2, 9, 1, 'A');
}
void boots(RegionGrid& g) {
  g.polygon({2, 4, 6, 4, 6, 11, 8, 12, 8, 14.5f, 1.5f, 14.5f}, 'M');
  g.polygon({8.5f, 3, 12.5f, 3, 12.5f, 10, 14.5f, 11, 14.5f, 13.5f, 8.5f, 13.5f}, 'M');
  g.rect(1.5f, 13.5f, 6.5f, 1, 'D');
}

}  // namespace

void addWornShapes(ItemShapeTable& byName) {
  byName.insert({
      {"hat", hat}, {"helmet", helmet}, {"tunic", tunic}, {"chestplate", chestplate}, {"legs", legs},
      {"boots", boots},
  });
}

}  // namespace artmaker
