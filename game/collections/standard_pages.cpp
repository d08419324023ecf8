#include "game/collections/standard_pages.h"

#include <utility>

#include "content/tables/content_tables.h"
#include "game/stats/stats_store.h"

namespace stats {

namespace {

// A treasure's item row: outline sprite 6 and a single variant.
constexpr uint8_t kTreasureOutline = 6;
constexpr uint8_t kCookingPot = 12, kCookingWare = 13;

template <typename Test>
void fillItems(std::vector<uint16_t>& ids, Test test) {
  for (uint16_t id = 0; id < content::kItemIdLimit; ++id) {
    const ItemDef* def = itemDefinitionById(id);
    if (def != nullptr && def->defined && test(*def)) ids.push_back(id);
  }
}

}  // namespace

TreasuresCollection::TreasuresCollection(const StatsStore& store) : StandardCollection(store, "Treasures", 3829) {}

void TreasuresCollection::fill(std::vector<uint16_t>& ids) const {
  fillItems(ids, [](const ItemDef& def) {
    return def.record.u8(content::item_record::outlineSprite) == kTreasureOutline && def.record.variantCount() == 1;
  });
}

std::string TreasuresCollection::tooltip(size_t i) const {
  return countedName(idAt(i), "found", countOf(stat_category::kFound, idAt(i)));
}

bool TreasuresCollection::discovered(size_t i) const { return countOf(stat_category::kFound, idAt(i)) > 0; }

FancyEquipCollection::FancyEquipCollection(const StatsStore& store, std::string title, uint16_t iconItem,
                                           uint8_t itemKind)
    : StandardCollection(store, std::move(title), iconItem), itemKind_(itemKind) {}

void FancyEquipCollection::fill(std::vector<uint16_t>& ids) const {
  fillItems(ids, [this](const ItemDef& def) {
    return def.record.kind() == itemKind_ && def.buff == nullptr && def.tool == nullptr;
  });
}

std::string FancyEquipCollection::tooltip(size_t i) const { return nameOf(idAt(i)); }

bool FancyEquipCollection::discovered(size_t i) const { return countOf(stat_category::kWorn, idAt(i)) > 0; }

FruitCollection::FruitCollection(const StatsStore& store, std::vector<uint16_t> fruitIds)
    : StandardCollection(store, "Fruits", 2052), fruitIds_(std::move(fruitIds)) {}

void FruitCollection::fill(std::vector<uint16_t>& ids) const { ids = fruitIds_; }

std::string FruitCollection::tooltip(size_t i) const {
  const uint16_t id = idAt(i);
  return countedName(id, "gathered", countOf(stat_category::kFound, id)) + "\neaten " +
         std::to_string(countOf(stat_category::kEaten, id)) + " times";
}

bool FruitCollection::discovered(size_t i) const { return countOf(stat_category::kFound, idAt(i)) > 0; }

CookingCollection::CookingCollection(const StatsStore& store) : StandardCollection(store, "Cooking", 2312) {}

void CookingCollection::fill(std::vector<uint16_t>& ids) const {
  for (const CraftDef& recipe : contentTables().craftDefs) {
    if (recipe.cellCount() != 0 && (recipe.station() == kCookingPot || recipe.station() == kCookingWare)) {
      ids.push_back(recipe.result());
    }
  }
}

std::string CookingCollection::tooltip(size_t i) const {
  return countedName(idAt(i), "created", countOf(stat_category::kCrafted, idAt(i)));
}

bool CookingCollection::discovered(size_t i) const { return countOf(stat_category::kCrafted, idAt(i)) > 0; }

PocketPetsCollection::PocketPetsCollection(const StatsStore& store, std::vector<uint16_t> petItems)
    : StandardCollection(store, "Pets", 1373), petItems_(std::move(petItems)) {}

void PocketPetsCollection::fill(std::vector<uint16_t>& ids) const { ids = petItems_; }

bool PocketPetsCollection::discovered(size_t i) const { return countOf(stat_category::kWorn, idAt(i)) > 0; }

}  // namespace stats
