// Food and living things: seeds, fruit, fish and sea creatures, meat, eggs, plants, animals and
// what they leave.

#include "tools/art_maker/item_shape_groups.h"
#include <utility>

namespace artmaker {
namespace {

void seed(RegionGrid& g) {
  g.ellipse(5.5f, 10, 1.7f, 2.4f, 'M');
  g.ellipse(10.5f, 10.5f, 1.7f, 2.4f, 'M');
  g.ellipse(8, 5.5f, 1.7f, 2.4f, 'M');
}
void acorn(RegionGrid& g) {
  g.ellipse(8, 9.5f, 4, 4.5f, 'M');
  g.ellipse(8, 6, 4.8f, 2.2f, 'A');
  g.line(8, 4, 9, 1.8f, 1, 'A');
}
void fruit(RegionGrid& g) {
  g.disc(8, 9.5f, 5, 'M');
  g.line(8, 5, 9, 2, 1, 'H');
  g.ellipse(11, 3, 2.2f, 1.1f, 'V');
  g.dot(6, 7, 'G');
}
void berries(RegionGrid& g) {
  for (auto [x, y] : {std::pair{6.0f, 8.0f}, {10.0f, 8.0f}, {8.0f, 11.5f}, {4.5f, 12.0f}, {11.5f, 12.0f}}) {
    g.disc(x, y, 2.3f, 'M');
  }
  g.ellipse(8, 4.5f, 3, 1.3f, 'V');
}
void fish(RegionGrid& g) {
  g.ellipse(7, 8, 5.5f, 3.3f, 'M');
  g.polygon({11, 8, 15, 4, 15, 12}, 'M');
  g.polygon({5, 5, 9, 3.5f, 9, 5.5f}, 'A');
  g.dot(3.5f, 7, 'E');
}
void eel(RegionGrid& g) {
  g.curve(2, 10, 8, 2, 14, 10, 2.4f, 'M');
  g.dot(2.5f, 9, 'E');
}
void shellfish(RegionGrid& g) {
  g.ellipse(8, 9, 5.5f, 4.5f, 'M');
  g.rect(2, 9, 12, 5, ' ');
  g.ellipse(8, 10, 5.5f, 2.5f, 'M');
  for (float x = 5; x <= 11; x += 2) g.line(8, 12, x, 6, 0.5f, 'A');
}
void crab(RegionGrid& g) {
  g.ellipse(8, 10, 5, 3.2f, 'M');
  g.disc(3, 5.5f, 1.8f, 'M');
  g.disc(13, 5.5f, 1.8f, 'M');
  g.line(4, 8, 3, 6, 1, 'M');
  g.line(12, 8, 13, 6, 1, 'M');
  g.dot(6.5f, 8, 'E');
  g.dot(9, 8, 'E');
}
void star(RegionGrid& g) {
  g.polygon({8, 1.5f, 9.8f, 6.3f, 14.8f, 6.5f, 10.8f, 9.6f, 12.3f, 14.5f, 8, 11.6f, 3.7f, 14.5f, 5.2f, 9.6f,
             1.2f, 6.5f, 6.2f, 6.3f},
            'M');
}
void urchin(RegionGrid& g) {
  for (int i = 0; i < 8; ++i) {
    const float dx[] = {1, 0.7f, 0, -0.7f, -1, -0.7f, 0, 0.7f}, dy[] = {0, 0.7f, 1, 0.7f, 0, -0.7f, -1, -0.7f};
    g.line(8, 8.5f, 8 + 6.3f * dx[i], 8.5f + 6.3f * dy[i], 0.8f, 'A');
  }
  g.disc(8, 8.5f, 4, 'M');
}
void tentacles(RegionGrid& g) {
  g.ellipse(8, 6, 5, 4, 'M');
  g.rect(2, 6, 12, 4, ' ');
  g.rect(3, 5.5f, 10, 1.5f, 'M');
  for (float x = 4; x <= 12; x += 2) g.curve(x, 7, x - 1, 10, x, 14, 1, 'M');
  g.dot(6, 4, 'E');
  g.dot(9.5f, 4, 'E');
}
void meat(RegionGrid& g) {
  g.ellipse(8.5f, 8, 6, 4.8f, 'M');
  g.ellipse(8.5f, 8, 3.8f, 2.8f, 'L');
  g.disc(10.5f, 7, 1.2f, 'W');
}
void drumstick(RegionGrid& g) {
  g.line(3, 13, 7, 9, 1.6f, 'W');
  g.disc(2.5f, 12, 1.2f, 'W');
  g.disc(4, 13.8f, 1.2f, 'W');
  g.ellipse(10, 6, 4.6f, 4.2f, 'M');
}
void sausage(RegionGrid& g) {
  g.line(4, 11, 12, 5, 3.5f, 'M');
  g.dot(3, 12.5f, 'A');
  g.dot(12.5f, 3.5f, 'A');
}
void egg(RegionGrid& g) {
  g.ellipse(8, 9, 4.3f, 5.4f, 'M');
  g.dot(6.5f, 6, 'G');
}
void friedEgg(RegionGrid& g) {
  g.ellipse(8, 9, 6.5f, 4.5f, 'W');
  g.disc(8.5f, 8.5f, 2.2f, 'L');
}
void herb(RegionGrid& g) {
  g.line(8, 15, 8, 6, 1, 'H');
  g.polygon({8, 4, 12.5f, 2.5f, 11, 7, 8, 9}, 'M');
  g.polygon({8, 8, 3.5f, 6, 4.5f, 11, 8, 12.5f}, 'M');
}
void flower(RegionGrid& g) {
  g.line(8, 15, 8, 8, 1, 'V');
  g.ellipse(5.5f, 12, 2, 1, 'V');
  for (auto [x, y] : {std::pair{8.0f, 3.0f}, {11.0f, 5.5f}, {8.0f, 8.0f}, {5.0f, 5.5f}}) g.disc(x, y, 2.2f, 'M');
  g.disc(8, 5.5f, 1.4f, 'A');
}
void root(RegionGrid& g) {
  g.ellipse(8, 5, 3.5f, 3, 'M');
  g.curve(8, 7, 6, 11, 8, 15, 1.5f, 'M');
  g.line(7, 9, 4, 11, 0.8f, 'M');
  g.line(9, 10, 12, 12, 0.8f, 'M');
  g.line(7, 2, 6, 0.5f, 1, 'V');
  g.line(9, 2, 10.5f, 0.5f, 1, 'V');
}
void mushroom(RegionGrid& g) {
  g.ellipse(8, 7.5f, 6.3f, 4.8f, 'M');
  g.rect(1, 7.5f, 14, 6, ' ');
  g.rect(6.3f, 7.5f, 3.4f, 6, 'W');
  g.dot(5.5f, 5, 'W');
  g.dot(10, 4, 'W');
}
void creature(RegionGrid& g) {
  g.ellipse(7, 10.5f, 5, 3.6f, 'M');
  g.disc(11, 6.5f, 3, 'M');
  g.polygon({9.5f, 4.5f, 10, 1.5f, 11.5f, 4}, 'M');
  g.line(4, 13.5f, 4, 14.8f, 1, 'D');
  g.line(9.5f, 13.5f, 9.5f, 14.8f, 1, 'D');
  g.dot(12, 6, 'E');
}
void bird(RegionGrid& g) {
  g.ellipse(7.5f, 9, 4.8f, 3.8f, 'M');
  g.disc(11.5f, 5.5f, 2.6f, 'M');
  g.polygon({13.5f, 5, 15.5f, 6, 13.5f, 7}, 'A');
  g.ellipse(6.5f, 9, 3, 2, 'D');
  g.dot(12, 5, 'E');
}
void bat(RegionGrid& g) {
  g.polygon({1, 5, 6, 7, 8, 11, 10, 7, 15, 5, 13, 10, 8, 13, 3, 10}, 'M');
  g.disc(8, 7.5f, 2.3f, 'M');
  g.dot(7, 7, 'L');
  g.dot(9, 7, 'L');
}
void bone(RegionGrid& g) {
  g.line(4, 12, 12, 4, 2, 'W');
  for (auto [x, y] : {std::pair{3.0f, 11.0f}, {5.0f, 13.0f}, {11.0f, 3.0f}, {13.0f, 5.0f}}) g.disc(x, y, 1.6f, 'W');
}
void feather(RegionGrid& g) {
  g.polygon({13, 2, 10, 8, 5, 12, 3, 13, 5, 9, 9, 4}, 'M');
  g.line(3, 14, 12.5f, 2.5f, 0.6f, 'W');
}
void log(RegionGrid& g) {
  g.line(3, 11, 11, 5, 5, 'M');
  g.ellipse(12, 4.5f, 2.6f, 2.6f, 'W');
  g.disc(12, 4.5f, 1, 'M');
  g.line(5, 11.5f, 9, 8.5f, 0.6f, 'D');
}
void grain(RegionGrid& g) {
  g.line(8, 15, 8, 4, 0.8f, 'M');
  for (float y = 3; y <= 9; y += 2) {
    g.ellipse(6.5f, y, 1.2f, 1.8f, 'M');
    g.ellipse(9.5f, y, 1.2f, 1.8f, 'M');
  }
  g.ellipse(8, 1.8f, 1, 1.5f, 'M');
}

}  // namespace

void addLivingShapes(ItemShapeTable& byName) {
  byName.insert({
      {"seed", seed}, {"acorn", acorn}, {"fruit", fruit}, {"berries", berries}, {"fish", fish}, {"eel", eel},
      {"shellfish", shellfish}, {"crab", crab}, {"star", star}, {"urchin", urchin}, {"tentacles", tentacles},
      {"meat", meat}, {"drumstick", drumstick}, {"sausage", sausage}, {"egg", egg}, {"fried_egg", friedEgg},
      {"herb", herb}, {"flower", flower}, {"root", root}, {"mushroom", mushroom}, {"creature", creature},
      {"bird", bird}, {"bat", bat}, {"bone", bone}, {"feather", feather}, {"log", log}, {"grain", grain},
  });
}

}  // namespace artmaker
