// Toys and oddments: balloons, balls, spawn eggs, capsules, fireworks, planes, tops, blobs and
// orbs.

#include "tools/art_maker/item_shape_groups.h"
#include <utility>

namespace artmaker {
namespace {

void balloon(RegionGrid& g) {
  g.ellipse(8, 6, 4.5f, 5, 'L');
  g.curve(8, 11, 6, 13, 8.5f, 15, 0.6f, 'W');
  g.dot(6, 3.5f, 'G');
}
void ball(RegionGrid& g) {
  g.disc(8, 8.5f, 5.5f, 'L');
  g.line(3, 8.5f, 13, 8.5f, 1.2f, 'W');
  g.dot(5.5f, 5.5f, 'G');
}
void spawnEgg(RegionGrid& g) {
  g.ellipse(8, 9, 4.5f, 5.6f, 'M');
  for (auto [x, y] : {std::pair{6.0f, 7.0f}, {10.0f, 9.0f}, {7.0f, 12.0f}}) g.disc(x, y, 1.2f, 'L');
}
void capsule(RegionGrid& g) {
  g.line(4.5f, 11.5f, 11.5f, 4.5f, 5, 'M');
  g.line(8, 8, 11.5f, 4.5f, 5, 'L');
  g.dot(9.5f, 4.5f, 'G');
}
void firework(RegionGrid& g) {
  g.line(4, 12, 10, 6, 3, 'L');
  g.polygon({9, 3.5f, 13.5f, 2.5f, 12.5f, 7}, 'M');
  g.line(3, 13, 1.5f, 14.5f, 0.7f, 'H');
}
void plane(RegionGrid& g) { g.polygon({1.5f, 9, 14.5f, 3, 9, 13, 7.5f, 9.5f}, 'W'); }
void top(RegionGrid& g) {
  g.polygon({2.5f, 7, 13.5f, 7, 8, 14.5f}, 'L');
  g.ellipse(8, 7, 5.5f, 1.8f, 'M');
  g.rect(7.3f, 2, 1.4f, 4.5f, 'H');
}
void blob(RegionGrid& g) {
  g.ellipse(8, 10, 6, 4.5f, 'M');
  g.ellipse(8, 7.5f, 4, 3.5f, 'M');
  g.dot(6, 8, 'E');
  g.dot(10, 8, 'E');
  g.dot(5.5f, 6, 'G');
}
void orb(RegionGrid& g) {
  g.disc(8, 8.5f, 5.3f, 'M');
  g.disc(8, 8.5f, 2.6f, 'L');
  g.dot(5.5f, 5.5f, 'G');
}

}  // namespace

void addToyShapes(ItemShapeTable& byName) {
  byName.insert({
      {"balloon", balloon}, {"ball", ball}, {"spawn_egg", spawnEgg}, {"capsule", capsule},
      {"firework", firework}, {"plane", plane}, {"top", top}, {"blob", blob}, {"orb", orb},
  });
}

}  // namespace artmaker
