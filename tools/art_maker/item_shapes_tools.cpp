// Tools, weapons and what they fire.

#include "tools/art_maker/item_shape_groups.h"

namespace artmaker {
namespace {

// Tools lie on the diagonal: handle from the lower left, working end at the upper right.
void handle(RegionGrid& g, float x1, float y1) { g.line(3, 13, x1, y1, 1.7f, 'H'); }
void pickaxe(RegionGrid& g) {
  handle(g, 10.5f, 5.5f);
  g.curve(3.5f, 4, 12.5f, 2.5f, 12.5f, 12.5f, 2.2f, 'M');
}
void axe(RegionGrid& g) {
  handle(g, 10.5f, 3);
  g.polygon({8, 3, 12.5f, 1.5f, 14.5f, 5, 13, 9, 9, 6.5f}, 'M');
}
void shovel(RegionGrid& g) {
  handle(g, 9, 7);
  g.polygon({8, 7.5f, 8.5f, 4, 11, 1.5f, 14, 2, 14.5f, 5, 12, 7.5f, 8.5f, 8.5f}, 'M');
}
void hammer(RegionGrid& g) {
  handle(g, 9.5f, 6.5f);
  g.polygon({9.1f, 1.3f, 14.7f, 6.9f, 11.9f, 9.7f, 6.3f, 4.1f}, 'M');
}
void hoe(RegionGrid& g) {
  handle(g, 11, 3);
  g.line(10.5f, 2.5f, 14, 6, 2.2f, 'M');
}
void sword(RegionGrid& g) {
  g.line(5.5f, 10.5f, 13, 3, 2.3f, 'M');
  g.polygon({12, 2.2f, 14.5f, 1.5f, 13.8f, 4}, 'M');
  g.line(3.5f, 8.5f, 7.5f, 12.5f, 1.6f, 'A');
  g.line(2.5f, 13.5f, 5, 11, 1.5f, 'H');
  g.disc(2.2f, 13.8f, 1.1f, 'A');
}
void spear(RegionGrid& g) {
  g.line(2, 14, 10.5f, 5.5f, 1.4f, 'H');
  g.polygon({9, 7, 10.5f, 3.5f, 14.5f, 1.5f, 12.5f, 5.5f}, 'M');
  g.line(8.5f, 5.5f, 10.5f, 7.5f, 1.2f, 'A');
}
void mace(RegionGrid& g) {
  handle(g, 9, 7);
  g.disc(10.5f, 5.5f, 3.4f, 'M');
  for (float d : {-1.0f, 1.0f}) {
    g.dot(10.5f + 4 * d, 5.5f, 'M');
    g.dot(10.5f, 5.5f + 4 * d, 'M');
  }
}
void wrench(RegionGrid& g) {
  g.line(3, 13, 10, 6, 2.2f, 'M');
  g.disc(11, 5, 3.2f, 'M');
  g.disc(12.5f, 3.5f, 1.5f, ' ');
}
void net(RegionGrid& g) {
  g.line(2, 14, 7.5f, 8.5f, 1.5f, 'H');
  g.disc(10.5f, 5.5f, 4.5f, 'M');
  g.disc(10.5f, 5.5f, 3.3f, 'W');
  for (float k = 8; k <= 13; k += 2.5f) g.line(k, 2, k, 9, 0.5f, 'M');
}
void bow(RegionGrid& g) {
  g.curve(3, 3.5f, 14, 2, 12.5f, 13, 1.6f, 'H');
  g.line(3, 3.5f, 12.5f, 13, 0.6f, 'W');
  g.dot(9.5f, 4.5f, 'A');
}
void slingshot(RegionGrid& g) {
  g.line(8, 14.5f, 8, 9, 2, 'H');
  g.line(8, 9.5f, 4.5f, 3, 1.8f, 'H');
  g.line(8, 9.5f, 11.5f, 3, 1.8f, 'H');
  g.line(4.5f, 4, 11.5f, 4, 0.8f, 'A');
}
void rod(RegionGrid& g) {
  g.line(2, 14, 13, 2.5f, 1.3f, 'H');
  g.line(13, 2.5f, 13.5f, 10, 0.5f, 'W');
  g.disc(13.5f, 11, 1.2f, 'L');
  g.disc(5, 11, 1.6f, 'M');
}
void bomb(RegionGrid& g) {
  g.disc(7.5f, 9.5f, 5, 'M');
  g.curve(10, 5, 11.5f, 2, 13.5f, 2.5f, 1, 'A');
  g.disc(13.8f, 2.2f, 1.1f, 'L');
  g.dot(5.5f, 7, 'G');
}
void lure(RegionGrid& g) {
  g.ellipse(9, 6, 2.6f, 4, 'L');
  g.curve(9, 10, 9, 14.5f, 5.5f, 13, 0.7f, 'M');
  g.line(9, 2, 9, 0.5f, 0.7f, 'M');
  g.dot(8.5f, 4.5f, 'E');
}
void shot(RegionGrid& g) {
  g.disc(5, 10.5f, 2.6f, 'M');
  g.disc(11, 10.5f, 2.6f, 'M');
  g.disc(8, 5.5f, 2.6f, 'M');
}
void arrow(RegionGrid& g) {
  g.line(2.5f, 13.5f, 12, 4, 0.9f, 'H');
  g.polygon({10.5f, 3.5f, 14.5f, 1.5f, 12.5f, 5.5f}, 'M');
  g.polygon({2, 11.5f, 4, 11.5f, 4.5f, 14, 2, 14}, 'A');
}
// A barrel on a wheeled carriage, the muzzle to the upper right.
void cannon(RegionGrid& g) {
  g.line(3, 10, 13, 4.5f, 3.6f, 'M');
  g.disc(13.6f, 4.2f, 1.3f, 'E');
  g.rect(2, 11, 9, 2, 'H');
  g.disc(5, 12.5f, 2.4f, 'A');
  g.disc(5, 12.5f, 0.8f, 'H');
  g.curve(2, 9.5f, 0.5f, 11, 1.5f, 12.5f, 0.8f, 'A');
}

}  // namespace

void addToolShapes(ItemShapeTable& byName) {
  byName.insert({
      {"pickaxe", pickaxe}, {"axe", axe}, {"shovel", shovel}, {"hammer", hammer}, {"hoe", hoe},
      {"sword", sword}, {"spear", spear}, {"mace", mace}, {"wrench", wrench}, {"net", net}, {"bow", bow},
      {"slingshot", slingshot}, {"rod", rod}, {"bomb", bomb}, {"lure", lure}, {"shot", shot},
      {"arrow", arrow}, {"cannon", cannon},
  });
}

}  // namespace artmaker
