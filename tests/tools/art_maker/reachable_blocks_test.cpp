// Every block a player can meet in a world is drawn as what it is: the blocks items place, the
// blocks the generators place and the blocks the rules place (the genetic flower's stems, blooms
// and petal colours, bed pieces, curtain states, shelf stacks, grown plants) never take the
// generic look the art maker gives a block nothing names.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/tables/plant_table.h"
#include "game/inventory/item_kinds.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/art_maker/block_looks.h"
#include "tools/art_maker/generated_blocks.h"
#include "world/placement/block_tables.h"
#include "world/plants/plant_genes.h"

namespace artmaker {
namespace {

// The blocks the rules place, read from the rules' own tables.
std::set<int> ruleBlocks() {
  std::set<int> blocks;
  for (uint16_t value = 0; value < 32; ++value) {
    for (const GeneRow* row : {stemGene(value), flowerGene(uint16_t(value << 5)), colourGene(uint16_t(value << 10))}) {
      if (row != nullptr) blocks.insert(row->block);
    }
  }
  for (int id = 1; id < 4096; ++id) {
    uint8_t index = 0;
    if (multiPartByPiece(uint16_t(id), index) || multiPartByBase(uint16_t(id)) || isLinkedDecoBlock(uint16_t(id)) ||
        stackingRowOf(uint16_t(id), index)) {
      blocks.insert(id);
    }
  }
  for (const PlantRow& row : plantTable()) {
    for (uint16_t block : {row.block0, row.block1, row.block2, row.block3}) {
      if (block != 0) blocks.insert(block);
    }
  }
  return blocks;
}

std::set<int> reachableBlocks(const ArtSources& sources) {
  std::set<int> blocks = ruleBlocks();
  for (const auto& row : arttest::contentTable("treasures").GetArray()) {
    // Only items of the kinds that place blocks put their block in a world (a pocket animal does not).
    const auto kind = uint8_t(row.HasMember("kind") && row["kind"].IsInt() ? row["kind"].GetInt() : 0);
    if (isPlacingKind(kind) && row.HasMember("placesBlock") && row["placesBlock"].IsInt() && row["placesBlock"].GetInt() != 0) {
      blocks.insert(row["placesBlock"].GetInt());
    }
  }
  GeneratedBlocks generated;
  std::string error;
  EXPECT_TRUE(readGeneratedBlocks(sources, generated, error)) << error;
  for (const auto& [id, block] : generated) blocks.insert(id);
  return blocks;
}

TEST(ReachableBlocks, NoBlockAPlayerCanMeetTakesTheGenericLook) {
  ArtSources sources(arttest::repositorySources());
  std::vector<BlockLook> looks;
  std::string error;
  ASSERT_TRUE(readBlockLooks(sources, looks, error)) << error;
  const std::set<int> reachable = reachableBlocks(sources);
  const std::set<int> rules = ruleBlocks();
  // The rules' tables hold the 64 stems and blooms of the genetic flower among the rest.
  EXPECT_GE(rules.size(), 64u + 48u);
  int generic = 0;
  std::string reachedGeneric;
  for (const BlockLook& look : looks) {
    if (!look.generic) continue;
    ++generic;
    if (reachable.count(look.id)) reachedGeneric += " " + std::to_string(look.id);
  }
  EXPECT_TRUE(reachedGeneric.empty()) << "reachable blocks with the generic look:" << reachedGeneric;
  std::printf("%d of %zu blocks take the generic look; %zu blocks are reachable\n", generic, looks.size(), reachable.size());
}

TEST(ReachableBlocks, TheGeneticFlowersPartsAreNamedByTheirGenes) {
  ArtSources sources(arttest::repositorySources());
  std::vector<BlockLook> looks;
  std::string error;
  ASSERT_TRUE(readBlockLooks(sources, looks, error)) << error;
  std::map<int, const BlockLook*> byId;
  for (const BlockLook& look : looks) byId[look.id] = &look;
  const GeneRow* stem = stemGene(25);
  const GeneRow* flower = flowerGene(uint16_t(22 << 5));
  ASSERT_TRUE(stem && flower && byId.count(stem->block) && byId.count(flower->block));
  EXPECT_EQ(byId[stem->block]->name, std::string(stem->name) + " Flower Stem");
  EXPECT_EQ(byId[stem->block]->shape, BlockShape::Plant);
  EXPECT_EQ(byId[flower->block]->name, std::string(flower->name) + " Bloom");
  EXPECT_EQ(byId[flower->block]->family, Family::Leaves);
  uint8_t index = 0;
  const MultiPartRow* bed = multiPartByBase(598);
  ASSERT_NE(bed, nullptr);
  EXPECT_TRUE(multiPartByPiece(bed->parts[0], index));
  EXPECT_NE(byId[bed->parts[0]]->name.find(byId[598]->name), std::string::npos);
  EXPECT_EQ(byId[bed->parts[0]]->family, byId[598]->family);
}

}  // namespace
}  // namespace artmaker
