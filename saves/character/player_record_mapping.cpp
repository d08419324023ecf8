#include "saves/character/player_record_mapping.h"

#include <algorithm>
#include <span>

#include "content/items/item.h"
#include "content/potions/potion_table.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/player/player.h"
#include "game/stats/stats_store.h"
#include "saves/character/character_record.h"
#include "saves/character/item_converter.h"

namespace {

using Area = Inventory::Area;

// Visits each record part with the inventory area it belongs to. The record and the inventory
// number the grid and the backpack alike (x + side * y); only the file stores them transposed.
template <typename Record, typename Visit>
void forEachPart(Record& r, Visit visit) {
  visit(std::span(r.firstRow), Area::Quick);
  visit(std::span(r.secondRow), Area::CreativeQuick);
  visit(std::span(r.craftGrid), Area::CraftGrid);
  visit(std::span(r.backpack), Area::Backpack);
  visit(std::span(r.equipment), Area::Equipment);
  visit(std::span(r.looks), Area::Equipment2);
  visit(std::span(&r.firstSingle, 1), Area::Single);
  visit(std::span(&r.secondSingle, 1), Area::Trinket);
}

void applyInventory(const CharacterRecord& record, Inventory& inventory) {
  const ItemConverter convert = itemConverterForBuild(record.build);
  forEachPart(record, [&](std::span<const DiskItem> part, Area area) {
    std::span<ItemPtr> slots = inventory.area(area);
    for (size_t i = 0; i < part.size() && i < slots.size(); ++i) {
      slots[i] = part[i].isEmpty() ? nullptr : convert(part[i]);
    }
  });
}

void fillInventory(const Inventory& inventory, CharacterRecord& record) {
  forEachPart(record, [&](std::span<DiskItem> part, Area area) {
    std::span<const ItemPtr> slots = inventory.area(area);
    for (size_t i = 0; i < part.size() && i < slots.size(); ++i) part[i] = diskItemOf(slots[i].get());
  });
}

void applyKnowledge(const CharacterRecord& record, RecipeKnowledge& knowledge) {
  const auto half = static_cast<std::ptrdiff_t>(RecipeKnowledge::kBitsetBytes);
  std::copy(record.knowledge.begin(), record.knowledge.begin() + half, knowledge.chemistry.begin());
  std::copy(record.knowledge.begin() + half, record.knowledge.end(), knowledge.known.begin());
  knowledge.countKnownRecipes();
}

void fillKnowledge(const RecipeKnowledge& knowledge, CharacterRecord& record) {
  const auto out = std::copy(knowledge.chemistry.begin(), knowledge.chemistry.end(), record.knowledge.begin());
  std::copy(knowledge.known.begin(), knowledge.known.end(), out);
}

bool bitAt(const std::array<uint8_t, 32>& bits, size_t i) { return (bits[i / 8] >> (i % 8) & 1) != 0; }

void applyAchievements(const CharacterRecord& record, StatsStore& stats) {
  stats.clearUnlocked();
  for (size_t id = 0; id < kAchievementCount; ++id) {
    if (bitAt(record.achievements, id)) stats.restoreUnlocked(id);
  }
}

void fillAchievements(const StatsStore& stats, CharacterRecord& record) {
  record.achievements = {};
  for (size_t id = 0; id < kAchievementCount; ++id) {
    if (stats.isUnlocked(id)) record.achievements[id / 8] |= static_cast<uint8_t>(1u << (id % 8));
  }
}

// Pairs without time are unused; a buff no potion stands behind is dropped, as adding it would.
void applyBuffs(const CharacterRecord& record, PlayerStats& stats) {
  for (const BuffPair& buff : record.buffs) {
    if (buff.remaining == 0 || potionDefForValue(buff.id) == nullptr) continue;
    stats.buffs.push_back({buff.id, buff.remaining});
  }
}

void fillBuffs(const PlayerStats& stats, CharacterRecord& record) {
  record.buffs = {};
  const size_t count = std::min(stats.buffs.size(), record.buffs.size());
  for (size_t i = 0; i < count; ++i) record.buffs[i] = {stats.buffs[i].id, stats.buffs[i].remaining};
}

void settleHealth(Player& player) {
  const float maximum = player.stats.maxHealth;
  if (player.health == 0.0f || player.health > maximum) player.health = maximum;
}

}  // namespace

void applyCharacterRecord(const CharacterRecord& record, const CharacterParts& parts,
                          Player& player, StatsStore& stats) {
  if (parts.identity) {
    player.name = record.name.substr(0, kCharacterNameBytes);
    player.stateWord |= record.stateFlags;
    player.lookWord = record.lookWord;
    player.difficultyId = record.difficultyId;
    player.setCharacterFlags(record.characterFlags);
  }
  if (parts.inventory) {
    applyInventory(record, *player.inventory);
    const uint8_t slot = record.selectedQuickSlot;
    player.inventory->select(slot < Inventory::kQuickSlots ? slot : 0);
  }
  if (parts.knowledge) applyKnowledge(record, *player.knowledge);
  if (parts.achievements) applyAchievements(record, stats);
  if (parts.health) {
    player.health = record.health;
    applyBuffs(record, player.stats);
  }
  player.refreshAppearance();
  settleHealth(player);
}

void fillCharacterRecord(const Player& player, const StatsStore& stats, CharacterRecord& record) {
  record.name = player.name.substr(0, kCharacterNameBytes);
  record.stateFlags = player.stateWord;
  record.lookWord = player.lookWord;
  record.characterFlags = player.characterFlags;
  record.difficultyId = player.difficultyId;
  record.build = kCurrentBuild;
  fillInventory(*player.inventory, record);
  const uint32_t selected = player.inventory->selected();
  record.selectedQuickSlot = static_cast<uint8_t>(selected < uint32_t{Inventory::kQuickSlots} ? selected : 0);
  fillKnowledge(*player.knowledge, record);
  fillAchievements(stats, record);
  record.health = player.health;
  fillBuffs(player.stats, record);
}
