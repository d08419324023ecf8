#pragma once
// Which items stand in for an ingredient: any of a few families (planks, dyes, sand ...) serves
// where a recipe that allows equivalents asks for the family's first member. The content checks
// read the same table to tell whether a recipe's inputs can be had. Pure; any thread.

#include <cstdint>
#include <vector>

struct ItemEquivalence {
  uint16_t wanted;
  std::vector<uint16_t> accepted;
};

const std::vector<ItemEquivalence>& itemEquivalences();

// Equal ids always match; with equivalents allowed a wanted id also takes its family.
bool itemMatches(uint16_t have, uint16_t wanted, bool allowEquivalents);
