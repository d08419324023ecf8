#pragma once
// The genes of the genetic flower. A 15-bit gene word picks the flower's stem (bits 0-4), its
// flower decoration (bits 5-9) and its colour decoration (bits 10-13); bit 14 stays 0. In a seed
// item the word is the low 16 bits of the item word, with bit 15 set once the seed came from a
// plant. Each field maps to a block and a name through its table, searched from the first row.
// Two seeds cross into a child word that takes each differing bit with three fair chances and
// then mutates.

#include <array>
#include <cstdint>
#include <string>

#include "content/items/item_ptr.h"

class BlockPropsTable;
class MapBlock;

struct GeneRow {
  uint8_t value = 0;
  uint16_t block = 0;
  uint16_t extra = 0;  // stems: the planted block; colours: the item dropped with the seeds
  const char* name = "";
};

constexpr uint16_t kSeedItem = 41;
constexpr uint16_t kSeedFromPlantMark = 0x8000;

// The row of a field value, or null.
const GeneRow* stemGene(uint16_t gene);
const GeneRow* flowerGene(uint16_t gene);
const GeneRow* colourGene(uint16_t gene);
// The stem row whose block is the id (a grown flower's front block), or null.
const GeneRow* stemGeneOfBlock(uint16_t blockId);

// `mixPlantGenes`: the child of two gene words.
uint16_t mixPlantGenes(uint16_t a, uint16_t b);
// `plantGenesOfCell`: the gene word of a grown flower read back from the cell, starting from
// `word`: each field found in the cell (stem as front block, flower decoration on either side,
// colour decoration on the front side) replaces its bits and clears bits 14-15.
uint16_t plantGenesOfCell(uint16_t word, const MapBlock& cell);
// `plantBlocksOfGenes`: the planted block, the stem block, the flower block, the colour block.
std::array<uint16_t, 4> plantBlocksOfGenes(uint16_t gene);
// `seedDisplayName`: "<colour> <stem> <flower> Seed".
std::string seedDisplayName(uint16_t gene);
// `makeSeedItem`: a pooled stack of seed items carrying the word; durability 0xFFFF takes the
// item's default; a random variant when the item has two or more.
ItemPtr makeSeedItem(uint16_t count, uint16_t durability, uint16_t gene);
