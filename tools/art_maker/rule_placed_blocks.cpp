#include "tools/art_maker/rule_placed_blocks.h"

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "content/tables/plant_table.h"
#include "world/blocks/fuse_blocks.h"
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

using Names = std::vector<PlacedName>;

// The genetic flower's parts, named by their genes: "Fresh Flower Stem", "Tulip Bloom", "Red Petals".
void addGeneParts(Names& out) {
  for (uint16_t value = 0; value < kGeneValues; ++value) {
    if (const GeneRow* stem = stemGene(value)) out.push_back({stem->block, -1, " Flower Stem", stem->name});
    if (const GeneRow* flower = flowerGene(uint16_t(value << 5))) out.push_back({flower->block, -1, " Bloom", flower->name});
    if (const GeneRow* colour = colourGene(uint16_t(value << 10))) out.push_back({colour->block, -1, " Petals", colour->name});
  }
}

// The pieces of multi-part objects (beds) and the stacked pieces of shelves, after their base.
void addPieces(Names& out) {
  static const std::array<const char*, 6> kPieces = {" Head", " Pillow", " Blanket", " Foot", " Side", " Rail"};
  for (int id = 0; id < kBlockIds; ++id) {
    uint8_t index = 0, position = 0;
    if (const MultiPartRow* row = multiPartByPiece(uint16_t(id), index)) out.push_back({id, row->base, kPieces[index], ""});
    if (const StackingRow* row = stackingRowOf(uint16_t(id), position); row != nullptr && position != 0) {
      out.push_back({id, row->ids[0], position == 1 ? " Middle" : " Top", ""});
    }
  }
}

// A curtain's drawn and tied states. The tied state is neither attached nor a substitute; the
// tied states come in the attached blocks' order.
void addCurtainStates(Names& out) {
  std::vector<int> attached, tied;
  std::set<int> substitutes;
  for (int id = 0; id < kBlockIds; ++id) {
    const uint16_t substitute = linkedDecoSubstitute(uint16_t(id));
    if (substitute == 0) continue;
    attached.push_back(id);
    substitutes.insert(substitute);
    out.push_back({substitute, id, " Drawn", ""});
  }
  for (int id = 0; id < kBlockIds; ++id) {
    if (isLinkedDecoBlock(uint16_t(id)) && linkedDecoSubstitute(uint16_t(id)) == 0 && !substitutes.count(id)) tied.push_back(id);
  }
  for (size_t i = 0; i < tied.size() && i < attached.size(); ++i) out.push_back({tied[i], attached[i], " Tied", ""});
}

// A plant's grown states after its planted block. A planted block no item names is named by how
// it grows: a climber is a vine (a cave vine when it grows in the dark), one that needs a block to
// stand in is a potted plant.
void addPlantStates(Names& out) {
  for (const PlantRow& row : plantTable()) {
    if (row.block0 == 0) continue;
    const bool climbing = row.growth == plant_growth::kClimbing;
    const std::string kind = row.needsBlock != 0 ? "Potted Plant" : row.light != 0 ? "Cave Vine" : climbing ? "Climbing Vine" : "Wild Plant";
    out.push_back({row.block0, -1, "", kind});
    const std::array<std::pair<uint16_t, const char*>, 3> grown = {{{row.block1, " Sprout"}, {row.block2, " Grown"}, {row.block3, " Tip"}}};
    for (const auto& [block, suffix] : grown) {
      if (block != 0 && block != row.block0) out.push_back({block, row.block0, suffix, ""});
    }
  }
}

// The charge once its fuse is lit, after the charge that hangs unlit.
void addLitFuse(Names& out) { out.push_back({fuse_block::kLit, fuse_block::kCharge, " (lit)", ""}); }

}  // namespace

void nameRulePlacedBlocks(std::map<int, std::string>& names) {
  Names placed;
  addGeneParts(placed);
  addPieces(placed);
  addCurtainStates(placed);
  addPlantStates(placed);
  addLitFuse(placed);
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

}  // namespace artmaker
