#include "tools/art_maker/rule_placed_blocks.h"

#include <array>
#include <vector>

#include "content/tables/plant_table.h"
#include "world/placement/block_tables.h"
#include "world/plants/plant_genes.h"

namespace artmaker {

namespace {

constexpr int kBlockIds = 4096;
constexpr uint16_t kGeneValues = 32;

struct PlacedName {
  int block;
  int owner;           // the block whose name the piece takes; -1 when `word` is the whole stem of the name
  std::string suffix;  // added after the owner's name (or after `word`)
  std::string word;
};

// Each rule-placed block with what it is named after, owners first so a chain of owners resolves.
std::vector<PlacedName> placedNames() {
  std::vector<PlacedName> out;
  for (uint16_t value = 0; value < kGeneValues; ++value) {
    if (const GeneRow* stem = stemGene(value)) out.push_back({stem->block, -1, " Flower Stem", stem->name});
    if (const GeneRow* flower = flowerGene(uint16_t(value << 5))) out.push_back({flower->block, -1, " Bloom", flower->name});
    if (const GeneRow* colour = colourGene(uint16_t(value << 10))) out.push_back({colour->block, -1, " Petals", colour->name});
  }
  for (int id = 0; id < kBlockIds; ++id) {
    uint8_t index = 0;
    if (const MultiPartRow* row = multiPartByPiece(uint16_t(id), index)) {
      static const std::array<const char*, 6> kPieces = {" Head", " Pillow", " Blanket", " Foot", " Side", " Rail"};
      out.push_back({id, row->base, kPieces[index], ""});
    }
    const uint16_t substitute = linkedDecoSubstitute(uint16_t(id));
    if (substitute != 0) out.push_back({substitute, id, " Drawn", ""});
    uint8_t position = 0;
    if (const StackingRow* row = stackingRowOf(uint16_t(id), position); row != nullptr && position != 0) {
      out.push_back({id, row->ids[0], position == 1 ? " Middle" : " Top", ""});
    }
  }
  // A linked decoration's further state (a curtain tied back) is neither attached nor a
  // substitute; the further states come in the attached blocks' order.
  std::vector<int> attached, further;
  std::set<int> substitutes;
  for (int id = 0; id < kBlockIds; ++id) {
    if (linkedDecoSubstitute(uint16_t(id)) != 0) attached.push_back(id), substitutes.insert(linkedDecoSubstitute(uint16_t(id)));
  }
  for (int id = 0; id < kBlockIds; ++id) {
    if (isLinkedDecoBlock(uint16_t(id)) && linkedDecoSubstitute(uint16_t(id)) == 0 && !substitutes.count(id)) further.push_back(id);
  }
  for (size_t i = 0; i < further.size() && i < attached.size(); ++i) out.push_back({further[i], attached[i], " Tied", ""});
  for (const PlantRow& row : plantTable()) {
    if (row.block0 == 0) continue;
    // A plant no item names is named by how it grows: a climber is a vine (a cave vine when it
    // grows in the dark), one that needs a block to stand in is a potted plant.
    const bool climbing = row.growth == plant_growth::kClimbing;
    const std::string kind = row.needsBlock != 0 ? "Potted Plant" : row.light != 0 ? "Cave Vine" : climbing ? "Climbing Vine" : "Wild Plant";
    out.push_back({row.block0, -1, "", kind});
    const std::array<std::pair<uint16_t, const char*>, 3> grown = {
        {{row.block1, " Sprout"}, {row.block2, " Grown"}, {row.block3, " Tip"}}};
    for (const auto& [block, suffix] : grown) {
      if (block != 0 && block != row.block0) out.push_back({block, row.block0, suffix, ""});
    }
  }
  return out;
}

}  // namespace

void nameRulePlacedBlocks(std::map<int, std::string>& names) {
  const std::vector<PlacedName> placed = placedNames();
  // Owners may themselves be rule-placed: a few passes settle every chain.
  for (int pass = 0; pass < 3; ++pass) {
    for (const PlacedName& p : placed) {
      if (names.count(p.block)) continue;
      if (p.owner < 0) {
        names[p.block] = p.word + p.suffix;
      } else if (const auto owner = names.find(p.owner); owner != names.end()) {
        names[p.block] = owner->second + p.suffix;
      }
    }
  }
}

std::set<int> rulePlacedBlocks() {
  std::set<int> blocks;
  for (const PlacedName& p : placedNames()) blocks.insert(p.block);
  for (int id = 0; id < kBlockIds; ++id) {
    if (isLinkedDecoBlock(uint16_t(id))) blocks.insert(id);
  }
  return blocks;
}

}  // namespace artmaker
