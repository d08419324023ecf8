#include "world/blocks/stable.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "content/tables/content_tables.h"
#include "engine/base/random.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/placement/block_tables.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/seams/stable_mobs.h"
#include "world/world.h"

namespace {

struct StableRow {
  uint16_t kind;
  uint16_t item;
  uint8_t group;
  uint8_t sex;
  uint16_t young;
  uint16_t block;
};

// The breedable rows, in pairs of the two sexes of one group.
constexpr StableRow kRows[] = {
    {145, 27, 0, 0, 147, 2407},  {146, 91, 0, 1, 147, 2407},  {22, 283, 1, 0, 23, 2410},   {50, 347, 1, 1, 23, 2410},
    {180, 155, 3, 0, 44, 2408},  {107, 219, 3, 1, 44, 2408},  {175, 28, 2, 0, 122, 2409}, {197, 92, 2, 1, 122, 2409},
    {174, 156, 2, 0, 121, 2409}, {196, 220, 2, 1, 121, 2409}, {195, 348, 2, 1, 120, 2409}, {173, 284, 2, 0, 120, 2409},
    {66, 731, 5, 1, 68, 353},    {67, 732, 5, 0, 68, 353},    {69, 923, 5, 1, 71, 353},   {70, 924, 5, 0, 71, 353},
    {78, 859, 5, 1, 80, 353},    {79, 860, 5, 0, 80, 353},    {72, 795, 5, 1, 74, 353},   {73, 796, 5, 0, 74, 353},
    {75, 987, 5, 1, 77, 353},    {76, 988, 5, 0, 77, 353},    {29, 539, 4, 1, 30, 352},   {31, 540, 4, 0, 30, 352},
    {26, 475, 4, 1, 27, 352},    {28, 476, 4, 0, 27, 352},    {38, 411, 4, 1, 39, 352},   {40, 412, 4, 0, 39, 352},
    {32, 603, 4, 1, 33, 352},    {34, 604, 4, 0, 33, 352},    {35, 667, 4, 1, 36, 352},   {37, 668, 4, 0, 36, 352},
    {5, 1116, 6, 1, 85, 354},    {6, 1115, 6, 0, 85, 354},    {11, 1052, 6, 1, 88, 354},  {12, 1051, 6, 0, 88, 354},
    {7, 1244, 6, 1, 86, 354},    {8, 1243, 6, 0, 86, 354},    {9, 1180, 6, 1, 87, 354},   {10, 1179, 6, 0, 87, 354},
    {13, 1308, 6, 1, 89, 354},   {14, 1307, 6, 0, 89, 354},   {169, 26, 7, 0, 119, 355},  {172, 218, 7, 1, 119, 355},
    {168, 154, 7, 0, 118, 355},  {171, 346, 7, 1, 118, 355},  {167, 90, 7, 0, 117, 355},  {170, 282, 7, 1, 117, 355},
};

struct FeedRule {
  std::initializer_list<uint16_t> feeds;
  std::initializer_list<uint16_t> blocks;  // empty: every stable block
};

const FeedRule kFeedRules[] = {
    {{170, 298, 426, 554, 812, 877}, {352, 353}},
    {{237}, {353}},
    {{926}, {}},
    {{1389, 1451, 1515, 1579, 1643, 1707, 1899, 2027, 2117, 3396, 4036}, {355, 2409, 2410}},
    {{2052, 2372, 2500, 2756, 2820, 3012, 3076, 3140, 3460, 3524, 3588, 3908}, {353, 355, 2407}},
    {{2760, 3776, 3840, 3968, 4032, 4037}, {354, 2408}},
};

constexpr uint16_t kReleaseDrop = 862;
constexpr uint8_t kEffectHungry = 29, kEffectBorn = 30, kEffectLetGo = 31;
constexpr uint8_t kSpawnMode = 4;
constexpr uint8_t kStableGroup = 4;  // kept mobs count apart and come back with their stable
constexpr uint8_t kDropKind = 7;
constexpr int32_t kWanderLimit = 10;

bool contains(std::initializer_list<uint16_t> list, uint16_t value) {
  for (uint16_t v : list) {
    if (v == value) return true;
  }
  return false;
}

bool chance(float p) { return p > static_cast<float>(engine::randomNext()) / 32768.0f; }

int32_t productionOf(uint16_t kind) {
  if (kind == 50) return 420;
  if (kind == 107) return 682;
  if (kind == 195 || kind == 196 || kind == 197) return 810;
  return -1;
}

bool isYoungKind(uint16_t kind) {
  for (const StableRow& row : kRows) {
    if (row.young == kind) return true;
  }
  return false;
}

const StableRow* lastRowOf(uint16_t kind) {
  const StableRow* found = nullptr;
  for (const StableRow& row : kRows) {
    if (row.kind == kind) found = &row;
  }
  return found;
}

void dropAt(LogicEntities& rules, uint16_t itemId, engine::Vec2 at) {
  if (ItemPtr item = newItem(itemId, -1, 1, -1, 0)) rules.spawnItemDrop(std::move(item), at, kDropKind);
}

}  // namespace

int32_t stableBlockForItem(uint16_t itemId) {
  for (const StableRow& row : kRows) {
    if (row.item == itemId) return row.block;
  }
  return -1;
}

int32_t stableItemForMob(uint16_t mobKind) {
  for (const StableRow& row : kRows) {
    if (row.kind == mobKind) return row.item;
  }
  return -1;
}

int32_t youngKindForPair(uint16_t kindA, uint16_t kindB) {
  const StableRow* a = lastRowOf(kindA);
  const StableRow* b = lastRowOf(kindB);
  if (a == nullptr || b == nullptr || a->group != b->group || a->sex == b->sex) return -1;
  return chance(0.5f) ? a->young : b->young;
}

Stable::Stable(MapBlock& cell, World& world) : LogicBlock(cell, BlockEntityKind::Stable), world_(world) {}

void Stable::setItem(ItemPtr feed) { feed_ = std::move(feed); }

int32_t Stable::mobKindAt(int slot) const {
  if (slot < 0 || slot >= kSlots || slots_[static_cast<size_t>(slot)].mob == kNoEntity) return -1;
  return slots_[static_cast<size_t>(slot)].kind;
}

uint8_t Stable::mobFedLevelAt(int slot) const {
  return slot < 0 || slot >= kSlots ? 0 : slots_[static_cast<size_t>(slot)].fed;
}

bool Stable::spawnInto(int slot, uint16_t kind, engine::Vec2 position, float speed, float angle) {
  StableMobs& mobs = world_.stableMobs();
  const EntityId mob =
      mobs.idOf(world_.rules().spawnMob(mobDefinitionById(kind), position, {speed, angle}, kSpawnMode, nullptr, kStableGroup));
  if (mob == kNoEntity) return false;
  Kept& kept = slots_[static_cast<size_t>(slot)];
  kept = {mob, kind, 0, 0};
  mobs.setStable(mob, handle());
  return true;
}

int Stable::addMob(uint16_t itemId) {
  for (const StableRow& row : kRows) {
    if (row.item != itemId) continue;
    if (row.block != cell().frontId()) return kWrongStable;
    if (count_ >= kSlots) return kNoRoom;
    for (int slot = 0; slot < kSlots; ++slot) {
      if (slots_[static_cast<size_t>(slot)].mob != kNoEntity) continue;
      if (!spawnInto(slot, row.kind, cellPixelPosition(cell()), 0.15f, 1.5707964f)) return kNoRoom;
      slots_[static_cast<size_t>(slot)].fed = kFull;
      ++count_;
      return kPlaced;
    }
    return kNoRoom;
  }
  return kNoMobItem;
}

bool Stable::restoreAnimal(uint16_t kind, uint8_t progress, uint8_t fed) {
  for (Kept& w : waiting_) {
    if (w.kind != 0) continue;
    w = {kNoEntity, kind, progress, std::min(fed, kFull)};
    return true;
  }
  return false;
}

void Stable::spawnRestoredAnimals() {
  // An animal the rules cannot make yet keeps waiting.
  for (Kept& w : waiting_) {
    if (w.kind == 0) continue;
    for (int slot = 0; slot < kSlots; ++slot) {
      if (slots_[static_cast<size_t>(slot)].mob != kNoEntity) continue;
      if (!spawnInto(slot, w.kind, cellPixelPosition(cell()), 0.15f, 1.5707964f)) break;
      Kept& kept = slots_[static_cast<size_t>(slot)];
      kept.progress = w.progress;
      kept.fed = w.fed;
      ++count_;
      w = {};
      break;
    }
  }
}

void Stable::letGo(int slot) {
  Kept& kept = slots_[static_cast<size_t>(slot)];
  world_.stableMobs().broadcastEffect(kept.mob, kEffectLetGo);
  world_.stableMobs().setStable(kept.mob, {});
  kept = {};
  --count_;
}

bool Stable::feedAccepted() const {
  if (feed_ == nullptr || feed_->count == 0) return false;
  for (const FeedRule& rule : kFeedRules) {
    if (!contains(rule.feeds, feed_->id)) continue;
    return rule.blocks.size() == 0 ? isStableBlock(cell().frontId()) : contains(rule.blocks, cell().frontId());
  }
  return false;
}

void Stable::useFeed() {
  if (--feed_->count == 0) feed_.reset();
}

void Stable::updateMobs() {
  LogicEntities& rules = world_.rules();
  for (int slot = 0; slot < kSlots; ++slot) {
    Kept& kept = slots_[static_cast<size_t>(slot)];
    if (kept.mob == kNoEntity) continue;
    int32_t x = 0, y = 0;
    if (world_.stableMobs().cellOf(kept.mob, x, y)) {
      // Across the wrap: a mob just over the world's seam from its stable is near it.
      const int32_t width = world_.map().width();
      int32_t dx = std::abs(x - cell().x) % width;
      dx = std::min(dx, width - dx);
      if (dx + std::abs(y - cell().y) >= kWanderLimit) {
        letGo(slot);
        continue;
      }
    }
    if (kept.fed != 0 && chance(0.03f) && productionOf(kept.kind) >= 0) {
      dropAt(rules, static_cast<uint16_t>(productionOf(kept.kind)), world_.stableMobs().positionOf(kept.mob));
    }
    if (chance(0.025f)) {
      if (feedAccepted()) {
        useFeed();
      } else if (kept.fed > 0) {
        --kept.fed;
      }
    }
    if (kept.fed < kFull && feedAccepted()) {
      useFeed();
      ++kept.fed;
    }
    if (kept.fed == 0 && chance(0.25f)) world_.stableMobs().broadcastEffect(kept.mob, kEffectHungry);
    if (isYoungKind(kept.kind)) {
      const int grown = kept.progress + kept.fed;
      if (grown < kGrown) {
        kept.progress = static_cast<uint8_t>(grown);
      } else {
        growUp(slot);
      }
    }
  }
}

void Stable::growUp(int slot) {
  Kept& kept = slots_[static_cast<size_t>(slot)];
  uint16_t adults[2] = {0, 0};
  int found = 0;
  for (const StableRow& row : kRows) {
    if (row.young == kept.kind && found < 2) adults[found++] = row.kind;
  }
  if (found == 0) return;
  const uint16_t adult = adults[found == 2 ? engine::randomNext() % 2 : 0];
  const engine::Vec2 at = world_.stableMobs().positionOf(kept.mob);
  const uint8_t fed = kept.fed;
  world_.stableMobs().markRemoved(kept.mob);
  world_.stableMobs().setStable(kept.mob, {});
  kept = {};
  if (spawnInto(slot, adult, at, 0.15f, 1.5707964f)) {
    slots_[static_cast<size_t>(slot)].fed = fed;
  } else {
    --count_;
  }
}

void Stable::breed() {
  if (count_ != 2) return;
  int parents[2] = {-1, -1};
  int n = 0;
  for (int slot = 0; slot < kSlots && n < 2; ++slot) {
    if (slots_[static_cast<size_t>(slot)].mob != kNoEntity) parents[n++] = slot;
  }
  if (n != 2) return;
  Kept& a = slots_[static_cast<size_t>(parents[0])];
  Kept& b = slots_[static_cast<size_t>(parents[1])];
  const int32_t young = youngKindForPair(a.kind, b.kind);
  if (young < 0) return;
  const int pa = a.progress + a.fed, pb = b.progress + b.fed;
  if (pa < kGrown || pb < kGrown) {
    a.progress = static_cast<uint8_t>(std::min(pa, int{kGrown}));
    b.progress = static_cast<uint8_t>(std::min(pb, int{kGrown}));
    return;
  }
  for (int slot = 0; slot < kSlots; ++slot) {
    if (slots_[static_cast<size_t>(slot)].mob != kNoEntity) continue;
    if (!spawnInto(slot, static_cast<uint16_t>(young), cellPixelPosition(cell()), 0, 0)) return;
    ++count_;
    a.progress = 0;
    b.progress = 0;
    world_.stableMobs().broadcastEffect(slots_[static_cast<size_t>(slot)].mob, kEffectBorn);
    return;
  }
}

void Stable::releaseMobs() {
  LogicEntities& rules = world_.rules();
  for (int slot = 0; slot < kSlots; ++slot) {
    Kept& kept = slots_[static_cast<size_t>(slot)];
    if (kept.mob == kNoEntity) continue;
    if (!isYoungKind(kept.kind)) dropAt(rules, kReleaseDrop, world_.stableMobs().positionOf(kept.mob));
    letGo(slot);
  }
}

void Stable::dropContents(LogicEntities& rules) {
  releaseMobs();
  if (feed_ != nullptr) rules.spawnItemDrop(std::move(feed_), cellPixelPosition(cell()), kDropKind);
}
