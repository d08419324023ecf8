// The world's side of block entities: made when their block is placed, released with their drops
// when it goes, and what else leaves with a block (bonus drops, seeds, portal frames, leaves left
// without a trunk, nest mobs, plants, protected areas).

#include <cassert>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "engine/base/main_thread.h"
#include "engine/base/random.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/nest_table.h"
#include "world/blocks/shelf.h"
#include "world/blocks/sign.h"
#include "world/blocks/stable.h"
#include "world/cells/block_flags.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/placement/block_tables.h"
#include "world/plants/plant_genes.h"
#include "world/plants/plant_system.h"
#include "world/portals/portal_registry.h"
#include "world/protection/protected_areas.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/trees/leaf_decay.h"
#include "world/world.h"

namespace bf = block_flag;

namespace {

constexpr uint8_t kDropKind = 7;
constexpr uint8_t kNestGroup = 3;  // hatched mobs count apart from the spawned ones
constexpr uint16_t kBonusDropItem = 1502;

bool givesBonusDrop(uint16_t id) { return id == 103 || id == 106 || id == 144; }

// 0.5 against a fresh draw, as every chance of the rules.
bool coinFlip() { return 0.5f > static_cast<float>(engine::randomNext()) / 32768.0f; }

int uniformIn(int low, int high) { return high <= low ? low : low + engine::randomNext() % (high - low + 1); }

void dropItem(LogicEntities& rules, const MapBlock& cell, ItemPtr item) {
  if (item != nullptr) rules.spawnItemDrop(std::move(item), cellPixelPosition(cell), kDropKind);
}

void spawnMobs(LogicMobs& rules, const MapBlock& cell, uint16_t mode, uint16_t kind, int count, const NestRow* coin) {
  for (int i = 0; i < count; ++i) {
    const uint16_t mob = coin != nullptr && (engine::randomNext() & 1) != 0 ? coin->mobB : kind;
    rules.spawnMob(mobDefinitionById(mob), cellPixelPosition(cell), {}, static_cast<uint8_t>(mode), nullptr, kNestGroup);
  }
}

void releaseNest(LogicMobs& rules, const MapBlock& cell, uint16_t blockId) {
  const NestRow* row = nestRowFor(blockId);
  if (row == nullptr || row->maxA == 0) return;
  spawnMobs(rules, cell, row->spawnMode, row->mobA, uniformIn(row->minA, row->maxA), row->coinFlag != 0 ? row : nullptr);
  spawnMobs(rules, cell, row->spawnMode, row->mobB, uniformIn(row->minB, row->maxB), nullptr);
}

}  // namespace

void World::createBlockEntityFor(MapBlock& cell, const BlockEdit& edit) {
  assert(engine::isMainThread() && "a played world is edited on the main thread only");
  if (edit.kind == edit_kind::kSetLayerBlock) {
    if (edit.layer == MapBlock::kFront) {
      rules().launchFromCell(cell);
      rules().liftPetsFromCell(cell);
      // A block item set into the front layer (a chest, a sign, a forge...) is placed as much as
      // one placed with its placement rules: without its entity it could never be opened.
      if (blockEntityAt(cell) == nullptr) addFrontEntity(cell, cell.frontId());
    }
    if (const uint8_t size = protectionSizeFor(edit.blockId); size != 0) protectedAreas_->add(cell, size);
    return;
  }
  if (edit.kind != edit_kind::kPlace || blockEntityAt(cell) != nullptr) return;
  const uint16_t id = block_word::id(cell.layerWord(edit.layer));
  if (edit.layer == MapBlock::kFront ? addFrontEntity(cell, id) : addEntity(cell, id)) return;
  if (map_->props()[id].has(bf::kPortalFrame)) {
    portals_->noteFrameAt(cell);
  } else if (edit.layer == MapBlock::kFront) {
    plants_->registerPlant(cell, edit.extra);  // kept only when the block is listed as a plant
  }
}

bool World::addFrontEntity(MapBlock& cell, uint16_t id) {
  if (map_->props()[id].has(bf::kShelf) && shelfRowFor(id) != nullptr) {
    shelves_.add(Shelf::create(*this, cell));
    return true;
  }
  return addEntity(cell, id);
}

bool World::addEntity(MapBlock& cell, uint16_t id) {
  if (id == kSignBlock) {
    signs_.add(std::make_unique<Sign>(cell));
  } else if (isChestBlock(id)) {
    chests_.add(std::make_unique<Chest>(cell, id));
  } else if (isStableBlock(id)) {
    stables_.add(std::make_unique<Stable>(cell, *this));
  } else if (id == kForgeBlock) {
    forges_.add(std::make_unique<Forge>(cell));
  } else if (id == kAlchemyLabBlock) {
    alchemyLabs_.add(std::make_unique<AlchemyLab>(cell));
  } else {
    return false;
  }
  return true;
}

void World::removeBlockEntityAt(MapBlock& cell, uint8_t layer, PlayerBase* actor, bool drop) {
  assert(engine::isMainThread() && "a played world is edited on the main thread only");
  LogicEntities& rules = this->rules();
  LogicCells& cells = this->rules();
  LogicPlayers& players = this->rules();
  const uint16_t id = block_word::id(cell.layerWord(layer));
  if (!isBusy() && drop) {
    cells.dropAttachmentLoot(cell, layer, actor);
    if (actor != nullptr && !isCreative() && givesBonusDrop(id) && coinFlip()) {
      const uint16_t value = players.bonusDropValue(*actor);
      if (value != 0xFFFF) dropItem(rules, cell, newItem(kBonusDropItem, -1, 1, -1, value));
    }
  }
  LogicBlock* entity = layer == MapBlock::kFront ? blockEntityAt(cell) : nullptr;
  if (entity != nullptr) {
    releaseFrontEntity(cell, drop);
  } else {
    dropRemovalExtras(cell, id, actor);
  }
  if (layer == MapBlock::kFront) plants_->frontBlockRemoved(rules, cell);
  if (protectionSizeFor(id) != 0) protectedAreas_->removeAt(cell);
}

void World::releaseFrontEntity(MapBlock& cell, bool drop) {
  LogicEntities& rules = this->rules();
  LogicCells& cells = this->rules();
  auto release = [&](auto& list) {
    auto entity = list.takeAt(cell);
    if (entity == nullptr) return false;
    if (drop) entity->dropContents(rules);
    cells.releaseBlockEntity(*entity);
    return true;
  };
  release(chests_) || release(signs_) || release(alchemyLabs_) || release(forges_) || release(stables_) ||
      release(shelves_);
}

void World::dropRemovalExtras(MapBlock& cell, uint16_t blockId, PlayerBase*) {
  const BlockProps& block = map_->props()[blockId];
  if (block.has(bf::kPlantWithSeeds)) {
    if (!isBusy() && !isCreative()) dropSeeds(cell);
  } else if (block.has(bf::kPortalFrame)) {
    portals_->removeFrameAt(cell);
  } else if (block.has(bf::kSupportsLeaves)) {
    leafDecay_->registerAround(cell);
  } else if (!peaceful() && !isBusy()) {
    releaseNest(rules(), cell, blockId);
  }
}

void World::dropSeeds(MapBlock& cell) {
  // A flower still growing keeps its word in the registry; a grown one shows it in its blocks.
  const uint16_t gene = plantGenesOfCell(plants_->geneAt(cell).value_or(0), cell);
  const int count = uniformIn(1, 3);
  for (int i = 0; i < count; ++i) {
    dropItem(rules(), cell, newItem(kSeedItem, 0, 1, -1, static_cast<uint16_t>(gene | kSeedFromPlantMark)));
  }
  // The colour's own item comes only from a grown flower: other plants with seeds carry no colour.
  const GeneRow* colour = colourGene(gene);
  if (stemGeneOfBlock(cell.frontId()) == nullptr || colour == nullptr || colour->extra == 0) return;
  const int extras = uniformIn(1, 3);
  for (int i = 0; i < extras; ++i) dropItem(rules(), cell, newItem(colour->extra, -1, 1, -1, 0));
}
