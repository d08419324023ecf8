#include "world/generator/planet_links.h"

#include <array>
#include <utility>

#include "content/planets/planet_def.h"

namespace {

constexpr std::array<PlanetLink, 20> kLinks = {{
    {1, 2, 2787, 2755},       {2, 4, 2792, 2760},      {4, 8, 2788, 2756},     {4, 64, 2788, 2756},
    {8, 16, 2789, 2757},      {64, 32, 2791, 2759},    {16, 0, 2790, 2758},    {32, 0, 2794, 2762},
    {8, 128, 2789, 2757},     {128, 0, 2793, 2761},    {256, 8, 2795, 2763},   {2, 256, 2792, 2760},
    {512, 128, 2796, 2764},   {256, 512, 2795, 2763},  {1, 1024, 2787, 2755},  {1024, 256, 2797, 2765},
    {1024, 4, 2797, 2765},    {512, 2048, 2796, 2764}, {2048, 0, 2798, 2766},  {64, 16, 2791, 2759},
}};

constexpr std::array<std::pair<uint16_t, uint16_t>, 37> kCompanions = {{
    {101, 468},  {102, 470},  {1571, 471}, {1572, 469}, {1573, 471}, {1574, 470}, {1576, 470},
    {1577, 471}, {1578, 470}, {1607, 469}, {1608, 469}, {1609, 467}, {1610, 470}, {1539, 470},
    {1540, 471}, {1541, 471}, {1544, 470}, {1543, 470}, {1545, 469}, {1479, 470}, {1513, 470},
    {1480, 470}, {1679, 470}, {1678, 470}, {1677, 469}, {1498, 470}, {1497, 469}, {1496, 468},
    {3534, 467}, {3533, 467}, {3532, 467}, {100, 467},  {3006, 471}, {3004, 471}, {3005, 471},
    {1605, 467}, {1603, 467},
}};

}  // namespace

std::span<const PlanetLink> planetLinks() { return kLinks; }

std::vector<const PlanetLink*> rowsForKind(uint32_t planetId) {
  std::vector<const PlanetLink*> rows;
  for (const PlanetLink& link : kLinks) {
    if (link.planet == planetId) rows.push_back(&link);
  }
  return rows;
}

uint16_t companionDecoration(uint16_t block) {
  for (const auto& [from, deco] : kCompanions) {
    if (from == block) return deco;
  }
  return 0;
}

std::vector<const PlanetDef*> planetDefsMatching(uint16_t mask) {
  std::vector<const PlanetDef*> planets;
  for (const auto& planet : planetDefs()) {
    if ((planet->id & mask) != 0) planets.push_back(planet.get());
  }
  return planets;
}
