// Furniture, devices and building parts: chests, lights, doors, clocks, chips, stations, beds,
// ladders, stairs, windows, barrels and plain blocks.

#include "tools/art_maker/item_shape_groups.h"

namespace artmaker {
namespace {

void chest(RegionGrid& g) {
  g.rect(2, 4, 12, 10, 'M');
  g.rect(2, 4, 12, 3, 'D');
  g.rect(2, 7, 12, 0.8f, 'A');
  g.rect(7, 6.5f, 2, 3, 'A');
}
void torch(RegionGrid& g) {
  g.line(8, 15, 8, 7, 1.8f, 'H');
  g.ellipse(8, 4.8f, 2.4f, 3.4f, 'L');
  g.ellipse(8, 5.8f, 1, 1.6f, 'G');
}
void lamp(RegionGrid& g) {
  g.rect(4.5f, 4, 7, 9, 'S');
  g.rect(5.5f, 6, 5, 5.5f, 'L');
  g.rect(4, 3, 8, 1.5f, 'M');
  g.rect(4, 12.5f, 8, 1.8f, 'M');
  g.curve(6, 3, 8, 0, 10, 3, 0.7f, 'M');
}
void candle(RegionGrid& g) {
  g.rect(6, 6.5f, 4, 8, 'W');
  g.ellipse(8, 4, 1.4f, 2.2f, 'L');
  g.ellipse(8, 14.5f, 4.5f, 1.2f, 'M');
}
void door(RegionGrid& g) {
  g.rect(4, 1.5f, 8, 13.5f, 'M');
  g.rect(5.3f, 3, 5.4f, 4.5f, 'D');
  g.rect(5.3f, 9, 5.4f, 4.5f, 'D');
  g.dot(10, 8, 'A');
}
void clock(RegionGrid& g) {
  g.rect(3.5f, 1.5f, 9, 13.5f, 'M');
  g.disc(8, 6, 3.4f, 'S');
  g.line(8, 6, 8, 3.6f, 0.7f, 'E');
  g.line(8, 6, 10, 6, 0.7f, 'E');
  g.line(8, 10, 8, 12.5f, 0.8f, 'A');  // the pendulum
  g.disc(8, 12.8f, 1, 'A');
}
// A logic gate: a chip with its pins and a lit mark of its kind.
void chip(RegionGrid& g) {
  for (float y = 4.5f; y < 13; y += 3) {
    g.line(1, y, 3, y, 0.8f, 'A');
    g.line(13, y, 15, y, 0.8f, 'A');
  }
  g.rect(3, 3, 10, 11, 'M');
  g.rect(5, 6, 6, 5, 'L');
}
void hatch(RegionGrid& g) {
  g.rect(1.5f, 4, 13, 8, 'M');
  for (float x = 4.5f; x < 14; x += 3) g.line(x, 4.5f, x, 11.5f, 0.6f, 'D');
  g.rect(6.5f, 6.5f, 3, 3, 'A');
}
void table(RegionGrid& g) {
  g.rect(1.5f, 5, 13, 3, 'M');
  g.rect(2.5f, 8, 2, 6.5f, 'M');
  g.rect(11.5f, 8, 2, 6.5f, 'M');
  g.rect(4, 3, 3, 2, 'A');
  g.rect(9, 3.5f, 2.5f, 1.5f, 'L');
}
void anvil(RegionGrid& g) {
  g.polygon({1, 4, 12, 4, 14.5f, 5.5f, 12, 7.5f, 9.5f, 8, 10.5f, 12, 5, 12, 6, 8, 3, 6.5f}, 'M');
  g.rect(3.5f, 12, 9, 2.5f, 'M');
}
void furnace(RegionGrid& g) {
  g.rect(2, 2, 12, 12.5f, 'M');
  g.rect(4.5f, 7, 7, 5, 'E');
  g.rect(5.5f, 9, 5, 3, 'L');
  g.rect(2, 2, 12, 1.5f, 'D');
}
void shelf(RegionGrid& g) {
  g.rect(1.5f, 2, 13, 12.5f, 'M');
  g.rect(3, 3.5f, 10, 4, 'E');
  g.rect(3, 9, 10, 4, 'E');
  g.rect(3.5f, 4.5f, 2, 3, 'L');
  g.rect(6.5f, 5, 2, 2.5f, 'A');
  g.rect(9.5f, 10, 3, 3, 'L');
}
void bed(RegionGrid& g) {
  g.rect(1, 8, 14, 4, 'M');
  g.rect(1, 6, 4, 3, 'W');
  g.rect(5, 7, 10, 2.5f, 'L');
  g.rect(1, 12, 1.5f, 2.5f, 'A');
  g.rect(13.5f, 12, 1.5f, 2.5f, 'A');
}
void ladder(RegionGrid& g) {
  g.rect(3, 1, 2, 14, 'M');
  g.rect(11, 1, 2, 14, 'M');
  for (float y = 3; y < 15; y += 3.5f) g.rect(5, y, 6, 1.3f, 'M');
}
void stairs(RegionGrid& g) { g.polygon({1, 15, 1, 11, 5, 11, 5, 7, 9, 7, 9, 3, 15, 3, 15, 15}, 'M'); }
void window(RegionGrid& g) {
  g.rect(2, 2, 12, 12, 'M');
  g.rect(3.5f, 3.5f, 4, 4, 'S');
  g.rect(8.5f, 3.5f, 4, 4, 'S');
  g.rect(3.5f, 8.5f, 4, 4, 'S');
  g.rect(8.5f, 8.5f, 4, 4, 'S');
  g.dot(4, 4, 'G');
}
void barrel(RegionGrid& g) {
  g.ellipse(8, 8.5f, 5.5f, 6.5f, 'M');
  g.rect(1, 1, 14, 2.5f, ' ');
  g.rect(1, 14, 14, 2, ' ');
  g.rect(2.5f, 5, 11, 1, 'A');
  g.rect(2.5f, 11, 11, 1, 'A');
}
void block(RegionGrid& g) { g.rect(1, 1, 14, 14, 'M'); }
// An upright frame with its warp threads and a half-woven cloth.
void loom(RegionGrid& g) {
  g.rect(2, 2, 1.8f, 13, 'M');
  g.rect(12.2f, 2, 1.8f, 13, 'M');
  g.rect(2, 2, 12, 1.6f, 'M');
  g.rect(2, 11, 12, 1.6f, 'M');
  for (float x = 4.6f; x < 12; x += 1.6f) g.line(x, 3.6f, x, 11, 0.5f, 'W');
  g.rect(3.8f, 7.5f, 8.4f, 3.5f, 'L');
  g.line(3.8f, 7, 12.2f, 7, 0.7f, 'A');
}
// A heavy bench with a vice at one end and a saw hung on its front.
void workbench(RegionGrid& g) {
  g.rect(1, 6, 14, 2.6f, 'M');
  g.rect(1.8f, 8.6f, 2.2f, 6, 'M');
  g.rect(12, 8.6f, 2.2f, 6, 'M');
  g.rect(4, 11.5f, 8, 1.2f, 'D');
  g.rect(11, 3, 3.2f, 3, 'A');
  g.line(2.5f, 4.5f, 8, 4.5f, 1.3f, 'A');
  g.rect(2.5f, 3.3f, 1.5f, 2.4f, 'H');
}
void anchor(RegionGrid& g) {
  g.line(8, 3, 8, 13, 1.6f, 'M');
  g.disc(8, 2.5f, 1.8f, 'M');
  g.disc(8, 2.5f, 0.8f, ' ');
  g.line(5, 6, 11, 6, 1.3f, 'M');
  g.curve(2.5f, 9, 3.5f, 14.5f, 8, 14, 1.5f, 'M');
  g.curve(13.5f, 9, 12.5f, 14.5f, 8, 14, 1.5f, 'M');
}

}  // namespace

void addFurnitureShapes(ItemShapeTable& byName) {
  byName.insert({
      {"chest", chest}, {"torch", torch}, {"lamp", lamp}, {"candle", candle}, {"door", door},
      {"clock", clock}, {"chip", chip}, {"hatch", hatch}, {"table", table}, {"anvil", anvil},
      {"furnace", furnace}, {"shelf", shelf}, {"bed", bed}, {"ladder", ladder}, {"stairs", stairs},
      {"window", window}, {"barrel", barrel}, {"block", block}, {"loom", loom}, {"workbench", workbench},
      {"anchor", anchor},
  });
}

}  // namespace artmaker
