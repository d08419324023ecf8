#include "tools/art_maker/item_shapes.h"

#include <cmath>
#include <map>

namespace artmaker {
namespace {

using Shape = void (*)(RegionGrid&);

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
// A barrel on a wheeled carriage, the muzzle to the upper right.
void cannon(RegionGrid& g) {
  g.line(3, 10, 13, 4.5f, 3.6f, 'M');
  g.disc(13.6f, 4.2f, 1.3f, 'E');
  g.rect(2, 11, 9, 2, 'H');
  g.disc(5, 12.5f, 2.4f, 'A');
  g.disc(5, 12.5f, 0.8f, 'H');
  g.curve(2, 9.5f, 0.5f, 11, 1.5f, 12.5f, 0.8f, 'A');
}
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
void bone(RegionGrid& g) {
  g.line(4, 12, 12, 4, 2, 'W');
  for (auto [x, y] : {std::pair{3.0f, 11.0f}, {5.0f, 13.0f}, {11.0f, 3.0f}, {13.0f, 5.0f}}) g.disc(x, y, 1.6f, 'W');
}
void feather(RegionGrid& g) {
  g.polygon({13, 2, 10, 8, 5, 12, 3, 13, 5, 9, 9, 4}, 'M');
  g.line(3, 14, 12.5f, 2.5f, 0.6f, 'W');
}
void scroll(RegionGrid& g) {
  g.rect(3, 3, 10, 10, 'W');
  g.rect(2, 2, 12, 2, 'A');
  g.rect(2, 12, 12, 2, 'A');
  for (float y = 5.5f; y < 11; y += 2) g.line(4.5f, y, 11.5f, y, 0.6f, 'D');
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
void ring(RegionGrid& g) {
  g.disc(8, 9, 5, 'M');
  g.disc(8, 9, 3, ' ');
  g.disc(8, 3.5f, 2, 'L');
}
void anchor(RegionGrid& g) {
  g.line(8, 3, 8, 13, 1.6f, 'M');
  g.disc(8, 2.5f, 1.8f, 'M');
  g.disc(8, 2.5f, 0.8f, ' ');
  g.line(5, 6, 11, 6, 1.3f, 'M');
  g.curve(2.5f, 9, 3.5f, 14.5f, 8, 14, 1.5f, 'M');
  g.curve(13.5f, 9, 12.5f, 14.5f, 8, 14, 1.5f, 'M');
}
void bowl(RegionGrid& g) {
  g.ellipse(8, 8, 6.5f, 5.5f, 'M');
  g.rect(1, 2, 14, 6, ' ');
  g.ellipse(8, 8, 6.3f, 1.6f, 'L');
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

const std::map<std::string, Shape>& shapes() {
  static const std::map<std::string, Shape> byName = {
      {"pickaxe", pickaxe}, {"axe", axe},       {"shovel", shovel},       {"hammer", hammer},
      {"hoe", hoe},         {"sword", sword},   {"spear", spear},         {"mace", mace},
      {"wrench", wrench},   {"net", net},       {"bow", bow},             {"slingshot", slingshot},
      {"rod", rod},         {"bomb", bomb},     {"potion", potion},       {"jar", jar},
      {"bucket", bucket},   {"seed", seed},     {"acorn", acorn},         {"fruit", fruit},
      {"berries", berries}, {"fish", fish},     {"eel", eel},             {"shellfish", shellfish},
      {"crab", crab},       {"star", star},     {"urchin", urchin},       {"tentacles", tentacles},
      {"meat", meat},       {"drumstick", drumstick}, {"sausage", sausage}, {"egg", egg},
      {"fried_egg", friedEgg}, {"gem", gem},    {"ore", ore},             {"lump", lump},
      {"ingot", ingot},     {"key", key},       {"relic", relic},         {"sack", sack},
      {"cache", cache},     {"dust", dust},     {"herb", herb},           {"flower", flower},
      {"root", root},       {"mushroom", mushroom}, {"paint", paint},     {"cloth", cloth},
      {"lure", lure},       {"shot", shot},     {"arrow", arrow},         {"creature", creature},
      {"bird", bird},       {"bat", bat},       {"hat", hat},             {"helmet", helmet},
      {"tunic", tunic},     {"chestplate", chestplate}, {"legs", legs},   {"boots", boots},
      {"chest", chest},     {"torch", torch},   {"lamp", lamp},           {"candle", candle},
      {"door", door},       {"clock", clock},   {"chip", chip},           {"hatch", hatch},
      {"table", table},   {"anvil", anvil},         {"furnace", furnace},
      {"shelf", shelf},     {"bed", bed},       {"balloon", balloon},     {"ball", ball},
      {"spawn_egg", spawnEgg}, {"capsule", capsule}, {"bone", bone},      {"feather", feather},
      {"scroll", scroll},   {"firework", firework}, {"plane", plane},     {"top", top},
      {"blob", blob},       {"orb", orb},       {"block", block},         {"log", log},
      {"grain", grain},     {"ring", ring},     {"anchor", anchor},       {"bowl", bowl},
      {"ladder", ladder},   {"stairs", stairs}, {"window", window},       {"barrel", barrel},
      {"coin", coin},       {"idol", idol},     {"trophy", trophy},       {"gear", gear},
      {"cannon", cannon},   {"loom", loom},     {"workbench", workbench},
  };
  return byName;
}

}  // namespace

bool drawItemShape(const std::string& shape, RegionGrid& grid) {
  const auto found = shapes().find(shape);
  if (found == shapes().end()) return false;
  found->second(grid);
  return true;
}

const std::vector<std::string>& itemShapeNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const auto& [name, shape] : shapes()) all.push_back(name);
    return all;
  }();
  return names;
}

}  // namespace artmaker
