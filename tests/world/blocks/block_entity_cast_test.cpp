#include <gtest/gtest.h>

#include "world/blocks/alchemy_lab.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/sign.h"
#include "world/cells/map_block.h"

namespace {

// A forge made as another machine's copy, as the client's forges are.
class ForgeCopy final : public Forge {
 public:
  explicit ForgeCopy(MapBlock& cell) : Forge(cell, Copy{}) {}
  static bool holdsKind(BlockEntityKind kind) { return kind == BlockEntityKind::ForgeCopy; }
};

TEST(BlockEntityCast, GivesTheEntityAsTheClassItWasMadeAsAndNullForAnyOther) {
  MapBlock cell;
  Chest chest(cell, Chest::SlotCount{3});
  AlchemyLab lab(cell);
  Sign sign(cell);
  LogicBlock* open = &chest;
  EXPECT_EQ(block_entity_cast<Chest>(open), &chest);
  EXPECT_EQ(block_entity_cast<LogicItemBlock>(open), &chest);
  EXPECT_EQ(block_entity_cast<AlchemyLab>(open), nullptr);
  open = &lab;
  EXPECT_EQ(block_entity_cast<AlchemyLab>(open), &lab);
  EXPECT_EQ(block_entity_cast<Chest>(open), nullptr);
  open = &sign;
  EXPECT_EQ(block_entity_cast<Sign>(open), &sign);
  EXPECT_EQ(block_entity_cast<LogicItemBlock>(open), nullptr) << "a sign holds no items";
  EXPECT_EQ(block_entity_cast<Chest>(static_cast<LogicBlock*>(nullptr)), nullptr);
}

TEST(BlockEntityCast, TellsACopyOfAForgeFromAForgeThatSmelts) {
  MapBlock cell;
  Forge forge(cell);
  ForgeCopy copy(cell);
  const LogicBlock* open = &copy;
  EXPECT_EQ(block_entity_cast<Forge>(open), &copy);
  EXPECT_EQ(block_entity_cast<ForgeCopy>(open), &copy);
  open = &forge;
  EXPECT_EQ(block_entity_cast<Forge>(open), &forge);
  EXPECT_EQ(block_entity_cast<ForgeCopy>(open), nullptr);
}

}  // namespace
