// Materials, treasures and containers: gems and ores, metal, keys and relics, coins, sacks,
// dust, paint, cloth, vessels and scrolls.

#include "tools/art_maker/item_shape_groups.h"
#include <cmath>
#include <utility>

namespace artmaker {
namespace {

void gem(RegionGrid& g) {
  g.polygon({3.5f, 6.5f, 6, 3, 10, 3, 12.5f, 6.5f, 8, 13.5f}, 'M');
  g.line(3.8f, 6.5f, 12.2f, 6.5f, 0.6f, 'D');
  g.dot(6.5f, 4.2f, 'G');
}
void ore(RegionGrid& g) {
  g.polygon({2.5f, 11, 3.5f, 5, 8, 2.5f, 12.5f, 4, 14, 9, 11.5f, 13.5f, 5, 13.5f}, 'R');
  for (auto [x, y] : {std::pair{5.5f, 6.0f}, {9.5f, 5.0f}, {8.0f, 9.0f}, {11.0f, 10.0f}, {5.0f, 11.0f}}) {
    g.rect(x, y, 2, 1.5f, 'M');
    g.dot(x, y, 'G');
  }
}
void lump(RegionGrid& g) {
  g.polygon({2.5f, 11, 4, 5.5f, 8, 3, 12.5f, 4.5f, 14, 9.5f, 11, 13.5f, 5, 13.5f}, 'M');
  g.dot(6, 6, 'G');
}
void ingot(RegionGrid& g) {
  g.polygon({2, 12, 5, 7, 14, 7, 11, 12}, 'M');
  g.polygon({2, 12, 11, 12, 11, 14, 2, 14}, 'D');
}
void key(RegionGrid& g) {
  g.disc(5, 5, 3.2f, 'M');
  g.disc(5, 5, 1.3f, ' ');
  g.line(7, 7, 13, 13, 1.5f, 'M');
  g.line(11, 11, 9.5f, 12.5f, 1.2f, 'M');
  g.line(13, 13, 11.5f, 14.5f, 1.2f, 'M');
}
void relic(RegionGrid& g) {
  g.disc(8, 8, 6.2f, 'M');
  g.disc(8, 8, 4, 'A');
  g.polygon({8, 5, 10, 8, 8, 11, 6, 8}, 'L');
  g.dot(5, 4.5f, 'G');
}
// A small stamped coin: thick rim, a mark struck in the middle.
void coin(RegionGrid& g) {
  g.ellipse(8, 9, 5, 4.6f, 'D');
  g.ellipse(8, 8.2f, 5, 4.6f, 'M');
  g.ellipse(8, 8.2f, 3.2f, 2.8f, 'A');
  g.rect(7.3f, 6.4f, 1.4f, 3.6f, 'M');
  g.dot(5.5f, 5.5f, 'G');
}
// A squat figure on a plinth: head, arms held to the body, a gem for a heart.
void idol(RegionGrid& g) {
  g.rect(3.5f, 12.5f, 9, 2.5f, 'A');
  g.polygon({5, 12.5f, 11, 12.5f, 10.5f, 6.5f, 5.5f, 6.5f}, 'M');
  g.disc(8, 4.5f, 2.8f, 'M');
  g.dot(7, 4.2f, 'E');
  g.dot(9, 4.2f, 'E');
  g.line(4.5f, 7.5f, 4, 11, 1.2f, 'M');
  g.line(11.5f, 7.5f, 12, 11, 1.2f, 'M');
  g.dot(8, 9, 'L');
}
// A cup with two handles on a stem and a stepped foot.
void trophy(RegionGrid& g) {
  g.polygon({3.5f, 2, 12.5f, 2, 11.5f, 6.5f, 8.8f, 8.5f, 7.2f, 8.5f, 4.5f, 6.5f}, 'M');
  g.curve(3.8f, 3, 0.8f, 3.5f, 4.6f, 6.5f, 1, 'M');
  g.curve(12.2f, 3, 15.2f, 3.5f, 11.4f, 6.5f, 1, 'M');
  g.rect(7.2f, 8.5f, 1.6f, 3, 'M');
  g.rect(5, 11.5f, 6, 1.5f, 'A');
  g.rect(4, 13, 8, 2, 'D');
  g.dot(5.5f, 3.5f, 'G');
}
// A toothed wheel with an axle hole.
void gear(RegionGrid& g) {
  for (int tooth = 0; tooth < 8; ++tooth) {
    const float a = float(tooth) * 0.785398f;
    g.line(8 + 4.5f * std::cos(a), 8 + 4.5f * std::sin(a), 8 + 7 * std::cos(a), 8 + 7 * std::sin(a), 2.2f, 'M');
  }
  g.disc(8, 8, 5, 'M');
  g.disc(8, 8, 2.4f, 'A');
  g.disc(8, 8, 1.2f, ' ');
}
void sack(RegionGrid& g) {
  g.ellipse(8, 10, 5.5f, 4.5f, 'M');
  g.polygon({5.5f, 6, 10.5f, 6, 11.5f, 3, 4.5f, 3}, 'M');
  g.line(5, 6, 11, 6, 1, 'A');
  g.dot(7.5f, 10, 'L');
}
void cache(RegionGrid& g) {
  g.rect(2.5f, 5, 11, 9, 'M');
  g.rect(2.5f, 5, 11, 2.5f, 'D');
  g.rect(7, 7, 2, 2.5f, 'A');
}
void dust(RegionGrid& g) {
  g.ellipse(8, 12, 6, 3, 'M');
  g.ellipse(8, 10, 3.5f, 2.5f, 'M');
  g.dot(5, 6, 'G');
  g.dot(11, 7.5f, 'G');
}
void paint(RegionGrid& g) {
  g.rect(4, 5, 8, 9.5f, 'M');
  g.rect(4, 8, 8, 3.5f, 'L');
  g.ellipse(8, 5, 4, 1.3f, 'L');
  g.curve(4, 5, 8, 0, 12, 5, 0.6f, 'A');
}
void cloth(RegionGrid& g) {
  g.rect(3, 2.5f, 10, 12, 'L');
  for (float x = 5.2f; x < 13; x += 2.5f) g.line(x, 3.5f, x, 14, 0.8f, 'D');
  g.rect(2.5f, 1.5f, 11, 1.3f, 'A');
}
void ring(RegionGrid& g) {
  g.disc(8, 9, 5, 'M');
  g.disc(8, 9, 3, ' ');
  g.disc(8, 3.5f, 2, 'L');
}
void potion(RegionGrid& g) {
  g.disc(8, 10, 4.6f, 'S');
  g.rect(6.5f, 3, 3, 4, 'S');
  g.ellipse(8, 11.2f, 4.1f, 3.2f, 'L');
  g.rect(6.3f, 1.5f, 3.4f, 2, 'A');
  g.dot(5.5f, 8, 'G');
}
void jar(RegionGrid& g) {
  g.rect(4, 4.5f, 8, 10, 'S');
  g.rect(4.5f, 8, 7, 6, 'L');
  g.rect(3.5f, 2.5f, 9, 2.2f, 'A');
  g.dot(5, 6, 'G');
}
void bucket(RegionGrid& g) {
  g.curve(3.5f, 6, 8, -2, 12.5f, 6, 0.8f, 'M');
  g.polygon({3, 5.5f, 13, 5.5f, 11.8f, 14.5f, 4.2f, 14.5f}, 'M');
  g.ellipse(8, 6, 4.3f, 1.2f, 'L');
  g.rect(3.5f, 9, 9, 1, 'A');
}
void bowl(RegionGrid& g) {
  g.ellipse(8, 8, 6.5f, 5.5f, 'M');
  g.rect(1, 2, 14, 6, ' ');
  g.ellipse(8, 8, 6.3f, 1.6f, 'L');
}
void scroll(RegionGrid& g) {
  g.rect(3, 3, 10, 10, 'W');
  g.rect(2, 2, 12, 2, 'A');
  g.rect(2, 12, 12, 2, 'A');
  for (float y = 5.5f; y < 11; y += 2) g.line(4.5f, y, 11.5f, y, 0.6f, 'D');
}

}  // namespace

void addGoodsShapes(ItemShapeTable& byName) {
  byName.insert({
      {"gem", gem}, {"ore", ore}, {"lump", lump}, {"ingot", ingot}, {"key", key}, {"relic", relic},
      {"coin", coin}, {"idol", idol}, {"trophy", trophy}, {"gear", gear}, {"sack", sack}, {"cache", cache},
      {"dust", dust}, {"paint", paint}, {"cloth", cloth}, {"ring", ring}, {"potion", potion}, {"jar", jar},
      {"bucket", bucket}, {"bowl", bowl}, {"scroll", scroll},
  });
}

}  // namespace artmaker
