#pragma once
// What the generator reads of the fixed planet tables. The links between planets (which link block
// an adventure world holds for each planet reachable from it, and which block frames an arrival)
// and the companion decorations are the content's (`rowsForKind`, `itemValueFromTable` in
// content/items/block_rules.h); this adds selecting planets by their id bits.

#include <cstdint>
#include <vector>

class PlanetDef;
// `planetDefsMatching`: the planets whose id bit is in the mask, in list order.
std::vector<const PlanetDef*> planetDefsMatching(uint16_t mask);
