#include "world/plants/plant_genes.h"

#include <iterator>

#include "content/items/item.h"
#include "engine/base/random.h"
#include "world/plants/plant_chance.h"
#include "world/cells/map_block.h"

namespace {

constexpr uint16_t kPlantedFlower = 2208;

constexpr GeneRow kStems[] = {
    {25, 2272, kPlantedFlower, "Fresh"},     {27, 2273, kPlantedFlower, "Blooming"},
    {30, 2274, kPlantedFlower, "Crooked"},   {26, 2275, kPlantedFlower, "Slender"},
    {23, 2276, kPlantedFlower, "Podgy"},     {19, 2277, kPlantedFlower, "Vivid"},
    {0, 2278, kPlantedFlower, "Hairy"},      {14, 2279, kPlantedFlower, "Weeping"},
    {11, 2280, kPlantedFlower, "Sharp"},     {15, 2281, kPlantedFlower, "Gaunt"},
    {3, 2282, kPlantedFlower, "Prismatic"},  {2, 2283, kPlantedFlower, "Plump"},
    {10, 2284, kPlantedFlower, "Faceted"},   {7, 2285, kPlantedFlower, "Bowed"},
    {13, 2286, kPlantedFlower, "Barbed"},    {1, 2287, kPlantedFlower, "Coiled"},
    {6, 2288, kPlantedFlower, "Wild"},       {20, 2289, kPlantedFlower, "Thin"},
    {4, 2290, kPlantedFlower, "Dense"},      {31, 2291, kPlantedFlower, "Sliced"},
    {22, 2292, kPlantedFlower, "Avian"},     {29, 2293, kPlantedFlower, "Soft"},
    {5, 2294, kPlantedFlower, "Tough"},      {17, 2295, kPlantedFlower, "Curly"},
    {12, 2296, kPlantedFlower, "Piercing"},  {9, 2297, kPlantedFlower, "Thick"},
    {16, 2298, kPlantedFlower, "Spiked"},    {21, 2299, kPlantedFlower, "Crinkly"},
    {28, 2300, kPlantedFlower, "Wavy"},      {24, 2301, kPlantedFlower, "Bumpy"},
    {8, 2302, kPlantedFlower, "Spikey"},     {18, 2303, kPlantedFlower, "Crystallized"},
};

constexpr GeneRow kFlowers[] = {
    {0, 2240, 0, "Hyacinth"},  {27, 2241, 0, "Tulip"},    {22, 2242, 0, "Rose"},     {15, 2243, 0, "Dandelion"},
    {11, 2244, 0, "Peony"},    {3, 2245, 0, "Ortensia"},  {19, 2246, 0, "Poppy"},    {24, 2247, 0, "Sun"},
    {28, 2248, 0, "Daisy"},    {14, 2249, 0, "Orchid"},   {1, 2250, 0, "Magnolia"},  {26, 2251, 0, "Lotus"},
    {13, 2252, 0, "Corn"},     {31, 2253, 0, "Cyclamen"}, {30, 2254, 0, "Thistle"},  {23, 2255, 0, "Azalea"},
    {9, 2256, 0, "Anemone"},   {21, 2257, 0, "Zinnia"},   {7, 2258, 0, "Violet"},    {6, 2259, 0, "Narcissus"},
    {16, 2260, 0, "Calla"},    {5, 2261, 0, "Pansy"},     {25, 2262, 0, "Geranium"}, {2, 2263, 0, "Aster"},
    {20, 2264, 0, "Vibe"},     {12, 2265, 0, "Diveria"},  {17, 2266, 0, "Shy"},      {29, 2267, 0, "Iris"},
    {18, 2268, 0, "Wild"},     {8, 2269, 0, "Curly"},     {10, 2270, 0, "Pods"},     {4, 2271, 0, "Tears"},
};

constexpr GeneRow kColours[] = {
    {0, 4024, 3654, "Black"},     {1, 4055, 3717, "Blue"},        {2, 4059, 3782, "Green"},
    {3, 4057, 3909, "Cyan"},      {4, 4027, 3781, "Red"},         {5, 4054, 3205, "Purple"},
    {6, 4060, 3141, "Yellow"},    {7, 4023, 169, "Grey"},         {8, 4023, 169, "Grey"},
    {9, 4056, 233, "Light Blue"}, {10, 4058, 297, "Lime Green"},  {11, 4025, 361, "Brown"},
    {12, 4028, 425, "Rose"},      {13, 4029, 3077, "Magenta"},    {14, 4026, 3397, "Orange"},
    {15, 4022, 489, "White"},
};

static_assert(std::size(kStems) == 32 && std::size(kFlowers) == 32 && std::size(kColours) == 16);

template <size_t N>
const GeneRow* byValue(const GeneRow (&rows)[N], uint16_t value) {
  for (const GeneRow& row : rows) {
    if (row.value == value) return &row;
  }
  return nullptr;
}

template <size_t N>
const GeneRow* byBlock(const GeneRow (&rows)[N], uint16_t block) {
  for (const GeneRow& row : rows) {
    if (row.block == block) return &row;
  }
  return nullptr;
}

// The first row (in table order) whose block sits among the decorations the test accepts.
template <size_t N, typename Accept>
const GeneRow* amongDecos(const GeneRow (&rows)[N], const MapBlock& cell, Accept accept) {
  for (const GeneRow& row : rows) {
    for (MapDeco deco : cell.decos) {
      if (!map_deco::empty(deco) && map_deco::id(deco) == row.block && accept(deco)) return &row;
    }
  }
  return nullptr;
}

uint16_t withField(uint16_t word, uint16_t value, int shift, uint16_t mask) {
  word = static_cast<uint16_t>((word & ~(mask << shift)) | ((value & mask) << shift));
  return static_cast<uint16_t>(word & 0x3FFF);  // a read field clears bits 14-15
}

}  // namespace

const GeneRow* stemGene(uint16_t gene) { return byValue(kStems, gene & 0x1F); }
const GeneRow* flowerGene(uint16_t gene) { return byValue(kFlowers, (gene >> 5) & 0x1F); }
const GeneRow* colourGene(uint16_t gene) { return byValue(kColours, (gene >> 10) & 0xF); }
const GeneRow* stemGeneOfBlock(uint16_t blockId) { return byBlock(kStems, blockId); }

uint16_t mixPlantGenes(uint16_t a, uint16_t b) {
  uint32_t child = a & b;
  const uint32_t differing = static_cast<uint32_t>(a ^ b) & 0xFFFF;
  for (int bit = 0; bit < 16; ++bit) {
    if ((differing >> bit & 1u) == 0) continue;
    bool set = false;
    for (int draw = 0; draw < 3; ++draw) set = ((engine::randomNext() & 1) == 0) || set;
    if (set) child |= 1u << bit;
  }
  for (int i = 0; i < 80; ++i) {
    if (plantChance(0.0125f)) child ^= 1u << (i % 32);
  }
  return static_cast<uint16_t>(child & 0x7FFF);
}

uint16_t plantGenesOfCell(uint16_t word, const MapBlock& cell) {
  if (const GeneRow* stem = byBlock(kStems, cell.frontId())) word = withField(word, stem->value, 0, 0x1F);
  if (const GeneRow* flower = amongDecos(kFlowers, cell, [](MapDeco) { return true; })) {
    word = withField(word, flower->value, 5, 0x1F);
  }
  const auto frontSide = [](MapDeco deco) { return map_deco::side(deco) == MapBlock::kFront; };
  if (const GeneRow* colour = amongDecos(kColours, cell, frontSide)) word = withField(word, colour->value, 10, 0xF);
  return word;
}

std::array<uint16_t, 4> plantBlocksOfGenes(uint16_t gene) {
  const GeneRow* stem = stemGene(gene);
  const GeneRow* flower = flowerGene(gene);
  const GeneRow* colour = colourGene(gene);
  return {stem->extra, stem->block, flower->block, colour->block};
}

std::string seedDisplayName(uint16_t gene) {
  return std::string(colourGene(gene)->name) + " " + stemGene(gene)->name + " " + flowerGene(gene)->name + " Seed";
}

ItemPtr makeSeedItem(uint16_t count, uint16_t durability, uint16_t gene) {
  const int16_t wear = durability == 0xFFFF ? int16_t{-1} : static_cast<int16_t>(durability);
  return newItem(kSeedItem, -1, count, wear, gene);
}
