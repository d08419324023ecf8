#pragma once
// Fixed tables of the generator: the links between planets (which link block an adventure world
// holds for each planet reachable from it, and which block frames an arrival), the blocks that
// come with a companion decoration, and selecting planets by their id bits.

#include <cstdint>
#include <span>
#include <vector>

class PlanetDef;

struct PlanetLink {
  uint32_t planet = 0;
  uint32_t target = 0;  // 0: none
  uint16_t linkBlock = 0;
  uint16_t arrivalBlock = 0;
  uint16_t count = 12;
  float lo = 0.0f;
  float hi = 0.6f;
};

// The twenty rows, in table order.
std::span<const PlanetLink> planetLinks();
// `rowsForKind`: the rows of a planet, in table order.
std::vector<const PlanetLink*> rowsForKind(uint32_t planetId);
// The decoration placed with a block by the surface objects and the pick-one patterns; 0 for none.
uint16_t companionDecoration(uint16_t block);
// `planetDefsMatching`: the planets whose id bit is in the mask, in list order.
std::vector<const PlanetDef*> planetDefsMatching(uint16_t mask);
