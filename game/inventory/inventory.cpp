#include "game/inventory/inventory.h"

#include <new>
#include <utility>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/potions/potion_ingredients.h"
#include "content/potions/potion_table.h"
#include "content/tables/item_def.h"
#include "game/catalogue/item_catalogue.h"
#include "game/crafting/item_equivalents.h"
#include "game/inventory/crafting_station.h"
#include "game/inventory/drop_areas.h"
#include "game/inventory/item_kinds.h"
#include "game/inventory/open_block_items.h"
#include "game/trade/trade_abstract.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/block_entity_cast.h"
#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/world.h"

namespace {

constexpr uint16_t kFirstBottle = 1870;

bool isEmpty(const Item* item) { return item == nullptr || item->isNone(); }

bool isWornPlace(SlotRef slot) { return slot.kind == SlotKind::Equipment || slot.kind == SlotKind::Equipment2; }

LogicItemBlock* itemBlock(LogicBlock* entity) { return block_entity_cast<LogicItemBlock>(entity); }

// Row y of the trade slots: x 0 the stack an own offer shows in its inventory slot, any other x
// the window's copy of the other side's offer. Read only; empty without a trade.
Item* tradeSlotItem(const TradeAbstract* trade, SlotRef slot) {
  if (trade == nullptr || slot.y >= trade::kOfferPlaces) return nullptr;
  if (slot.x == 0) return trade->ownOfferedItem(slot.y);
  return const_cast<Item*>(trade->otherOffer(slot.y));
}

}  // namespace

Inventory::Inventory(InventoryOwner* owner, World* world)
    : owner_(owner), world_(world), itemSource_(&allocItem) {}

Inventory::~Inventory() = default;

void Inventory::setTrade(std::unique_ptr<TradeAbstract> trade) { trade_ = std::move(trade); }

void Inventory::setQuickSlotsInUse(uint32_t count) {
  quickSlotsInUse_ = count < 1 ? 1 : (count > kQuickSlots ? kQuickSlots : count);
}

void Inventory::useDesktopQuickRow(bool keepLastSlotEmpty) {
  setQuickSlotsInUse(kQuickSlots);
  setKeepLastSlotEmpty(keepLastSlotEmpty);
}

std::span<ItemPtr> Inventory::area(Area which) {
  switch (which) {
    case Area::Quick: return quick_;
    case Area::CreativeQuick: return creativeQuick_;
    case Area::CraftGrid: return craftGrid_;
    case Area::Backpack: return backpack_;
    case Area::Equipment: return equipment_;
    case Area::Equipment2: return equipment2_;
    case Area::Single: return {&single_, 1};
    case Area::Trinket: return {&trinket_, 1};
  }
  return {};
}

std::span<const ItemPtr> Inventory::area(Area which) const {
  return const_cast<Inventory*>(this)->area(which);
}

bool Inventory::creative() const { return world_ != nullptr && world_->isCreative(); }

ItemPtr* Inventory::ownedSlot(SlotRef slot) {
  const int x = slot.x;
  const int y = slot.y;
  switch (slot.kind) {
    case SlotKind::Backpack:
      return x < kBackpackSide && y < kBackpackSide ? &backpack_[x + kBackpackSide * y] : nullptr;
    case SlotKind::Quick: return x < kQuickSlots ? &quickRow()[x] : nullptr;
    case SlotKind::CraftGrid:
      return x < kGridSide && y < kGridSide ? &craftGrid_[x + kGridSide * y] : nullptr;
    case SlotKind::Single: return &single_;
    case SlotKind::Equipment: return x < kEquipmentSlots ? &equipment_[x] : nullptr;
    case SlotKind::Equipment2: return x < kEquipmentSlots ? &equipment2_[x] : nullptr;
    case SlotKind::Trinket: return &trinket_;
    case SlotKind::SecondObject: {
      ItemPtr* items = owner_ != nullptr ? owner_->secondObjectItems() : nullptr;
      return items != nullptr && x < 3 && y < 3 ? &items[y * 3 + x] : nullptr;
    }
    default: return nullptr;
  }
}

Item* Inventory::slotItem(SlotRef slot) const {
  LogicBlock* entity = owner_ != nullptr ? owner_->openBlockEntity() : nullptr;
  switch (slot.kind) {
    case SlotKind::Chest:
    case SlotKind::EntityItem:
    case SlotKind::AlchemyLab: {
      LogicItemBlock* block = itemBlock(entity);
      return block != nullptr ? block->itemAt(slot.x) : nullptr;
    }
    case SlotKind::EntityFirst: {
      LogicItemBlock* block = itemBlock(entity);
      return block != nullptr ? block->itemAt(0) : nullptr;
    }
    // Entries of the catalogue are its own: shown and copied, never written through the slot.
    case SlotKind::Catalogue:
      if (!creative() || catalogue_ == nullptr) return nullptr;
      return const_cast<Item*>(catalogue_->catalogueEntry(cataloguePage_, slot.x, slot.y));
    case SlotKind::TradeOffer: return tradeSlotItem(trade_.get(), slot);
    case SlotKind::None: return nullptr;
    default: {
      const ItemPtr* owned = const_cast<Inventory*>(this)->ownedSlot(slot);
      return owned != nullptr ? owned->get() : nullptr;
    }
  }
}

void Inventory::setSlot(SlotRef slot, ItemPtr item) {
  if (static_cast<uint32_t>(slot.kind) >= static_cast<uint32_t>(SlotKind::TradeOffer) &&
      slot.kind != SlotKind::AlchemyLab) {
    return;
  }
  LogicBlock* entity = owner_ != nullptr ? owner_->openBlockEntity() : nullptr;
  switch (slot.kind) {
    case SlotKind::Chest:
    case SlotKind::EntityFirst:
    case SlotKind::EntityItem:
      setOpenBlockItem(entity, slot.kind == SlotKind::EntityFirst ? 0 : slot.x, std::move(item));
      return;
    case SlotKind::AlchemyLab:
      if (auto* lab = block_entity_cast<AlchemyLab>(entity)) lab->setItem(slot.x, std::move(item));
      return;
    default: break;
  }
  ItemPtr* owned = ownedSlot(slot);
  if (owned == nullptr) return;
  const bool worn = isWornPlace(slot);
  if (worn && item != nullptr && owner_ != nullptr) owner_->recordStat(kStatItemWorn, item->id);
  *owned = std::move(item);
  if (slot.kind == SlotKind::Trinket && owner_ != nullptr) owner_->trinketChanged();
  if (worn && owner_ != nullptr) owner_->wornChanged(slot.kind == SlotKind::Equipment2, slot.x);
}

ItemPtr Inventory::releaseSlot(SlotRef slot) {
  LogicBlock* entity = owner_ != nullptr ? owner_->openBlockEntity() : nullptr;
  switch (slot.kind) {
    case SlotKind::Chest:
    case SlotKind::EntityFirst:
    case SlotKind::EntityItem: {
      LogicItemBlock* block = writableItemBlock(entity);
      return block != nullptr ? block->takeItem(slot.kind == SlotKind::EntityFirst ? 0 : slot.x) : nullptr;
    }
    case SlotKind::AlchemyLab: {
      auto* lab = block_entity_cast<AlchemyLab>(entity);
      return lab != nullptr ? lab->takeItem(slot.x) : nullptr;
    }
    default: break;
  }
  if (static_cast<uint32_t>(slot.kind) >= static_cast<uint32_t>(SlotKind::TradeOffer)) return nullptr;
  ItemPtr* owned = ownedSlot(slot);
  return owned != nullptr ? std::move(*owned) : nullptr;
}

bool Inventory::writable(SlotRef slot) const {
  LogicBlock* entity = owner_ != nullptr ? owner_->openBlockEntity() : nullptr;
  switch (slot.kind) {
    case SlotKind::Chest:
    case SlotKind::EntityFirst:
    case SlotKind::EntityItem: return writableItemBlock(entity) != nullptr;
    case SlotKind::AlchemyLab: return block_entity_cast<AlchemyLab>(entity) != nullptr;
    default: break;
  }
  if (static_cast<uint32_t>(slot.kind) >= static_cast<uint32_t>(SlotKind::TradeOffer)) return false;
  return const_cast<Inventory*>(this)->ownedSlot(slot) != nullptr;
}

bool Inventory::swapSlots(SlotRef a, SlotRef b) {
  if (!writable(a) || !writable(b)) return false;
  ItemPtr first = releaseSlot(a);
  ItemPtr second = releaseSlot(b);
  // A piece moving between worn places leaves its old place first: whoever follows the worn
  // places one by one (a host's copy of a joined player) never sees it worn twice.
  for (SlotRef worn : {a, b}) {
    if (isWornPlace(worn)) setSlot(worn, nullptr);
  }
  setSlot(b, std::move(first));
  setSlot(a, std::move(second));
  return true;
}

ItemPtr Inventory::takeSlot(SlotRef slot) {
  ItemPtr taken = releaseSlot(slot);
  if (taken != nullptr) setSlot(slot, nullptr);  // tells whoever watches the slot that it emptied
  return taken;
}

bool Inventory::slotAcceptsItem(SlotRef slot, const Item* item) const {
  switch (slot.kind) {
    case SlotKind::Equipment:
    case SlotKind::Equipment2:
      if (isEmpty(item)) return true;
      return slot.x < kEquipmentSlots && itemKindOf(item) == item_kind::kFirstWorn + slot.x;
    // Nothing may take a trinket's place: the trinket is taken off.
    case SlotKind::Trinket: return isEmpty(item) || itemKindOf(item) == item_kind::kTrinket;
    case SlotKind::AlchemyLab: {
      auto* lab = block_entity_cast<AlchemyLab>(owner_ != nullptr ? owner_->openBlockEntity() : nullptr);
      if (lab == nullptr || lab->brewing()) return false;
      if (isEmpty(item)) return true;
      if (slot.x <= 2) return potionIngredientValue(item->id) != 0xFFFF;
      if (slot.x == 3) {
        return item->id == kFirstBottle || item->id == kFirstBottle + 64 ||
               item->id == kFirstBottle + 128 || item->id == kFirstBottle + 192;
      }
      if (slot.x == 4) return isPotionItem(item->id);
      return true;
    }
    default: return true;
  }
}

Item* Inventory::selectedItem() const {
  return selected_ < kQuickSlots ? quickRow()[selected_].get() : nullptr;
}

bool Inventory::mergeInto(Item& target, ItemPtr& source) {
  if (!mergeItems(target, *source)) return false;
  source.reset();
  return true;
}

bool Inventory::mergeSlots(SlotRef source, SlotRef destination) {
  Item* from = slotItem(source);
  Item* to = slotItem(destination);
  if (isEmpty(from) || isEmpty(to)) return false;
  if (mergeItems(*to, *from)) {
    takeSlot(source);  // all of it went into the destination
    return true;
  }
  if (!to->canStackWith(*from)) return false;
  const int moved = ITEM_STACK_LIMIT - to->count;
  to->count = ITEM_STACK_LIMIT;
  from->count = static_cast<uint16_t>(from->count - moved);
  return true;
}

// A fresh pooled copy of the item in an empty slot; false (slot left empty) when the pool has no
// room, so a caller never hears "stored" for an item that went nowhere.
bool Inventory::putCopy(ItemPtr& slot, const Item* item) {
  void* memory = nullptr;
  try {
    memory = itemSource_();
  } catch (const std::bad_alloc&) {
    memory = nullptr;
  }
  if (memory == nullptr) return false;
  ItemPtr copy(new (memory) Item());
  if (item != nullptr) {
    copy->word = item->word;
    copy->id = item->id;
    copy->count = item->count;
    copy->durability = item->durability;
    copy->variant = item->variant;
  }
  slot = std::move(copy);
  return true;
}

bool Inventory::quickSlotTakes(uint32_t index, const Item& item) const {
  if (index >= quickSlotsInUse_) return false;
  if (keepLastSlotEmpty_ && index == quickSlotsInUse_ - 1) return false;
  if (index == 0) return isSwingingItem(&item);
  return true;
}

SlotRef Inventory::findSlotFor(const Item* item, bool& newSlot) {
  newSlot = false;
  if (creative()) return {SlotKind::Quick, 0, 0};
  if (item != nullptr) {
    const Item& source = *item;
    for (uint8_t i = 0; i < kQuickSlots; ++i) {
      const ItemPtr& slot = quick_[i];
      if (!isEmpty(slot.get()) && mergeItems(*slot, source)) return {SlotKind::Quick, i, 0};
    }
    for (uint8_t x = 0; x < kBackpackSide; ++x) {
      for (uint8_t y = 0; y < kBackpackSide; ++y) {
        const ItemPtr& slot = backpack_[x + kBackpackSide * y];
        if (!isEmpty(slot.get()) && mergeItems(*slot, source)) return {SlotKind::Backpack, x, y};
      }
    }
    for (uint8_t x = 0; x < kGridSide; ++x) {
      for (uint8_t y = 0; y < kGridSide; ++y) {
        const ItemPtr& slot = craftGrid_[x + kGridSide * y];
        if (!isEmpty(slot.get()) && mergeItems(*slot, source)) return {SlotKind::CraftGrid, x, y};
      }
    }
  }
  const Item none;
  const Item& shape = item != nullptr ? *item : none;
  for (uint8_t i = 0; i < kQuickSlots; ++i) {
    if (quick_[i] != nullptr || !quickSlotTakes(i, shape)) continue;
    if (!putCopy(quick_[i], item)) return {};
    newSlot = true;
    return {SlotKind::Quick, i, 0};
  }
  for (uint8_t x = 0; x < kBackpackSide; ++x) {
    for (uint8_t y = 0; y < kBackpackSide; ++y) {
      ItemPtr& slot = backpack_[x + kBackpackSide * y];
      if (slot != nullptr) continue;
      if (!putCopy(slot, item)) return {};
      newSlot = true;
      return {SlotKind::Backpack, x, y};
    }
  }
  if (owner_ != nullptr && owner_->craftGridBlocked()) return {};
  for (uint8_t x = 0; x < kGridSide; ++x) {
    for (uint8_t y = 0; y < kGridSide; ++y) {
      ItemPtr& slot = craftGrid_[x + kGridSide * y];
      if (slot != nullptr) continue;
      if (!putCopy(slot, item)) return {};
      newSlot = true;
      return {SlotKind::CraftGrid, x, y};
    }
  }
  return {};
}

bool Inventory::hasRoomFor(const Item& item) const {
  auto fits = [&item](const ItemPtr& slot) {
    return isEmpty(slot.get()) || (slot->canStackWith(item) && slot->count + item.count <= ITEM_STACK_LIMIT);
  };
  for (const ItemPtr& slot : backpack_) if (fits(slot)) return true;
  if (owner_ == nullptr || !owner_->craftGridBlocked()) {
    for (const ItemPtr& slot : craftGrid_) if (fits(slot)) return true;
  }
  for (uint32_t i = 0; i < kQuickSlots; ++i) {
    if (quickSlotTakes(i, item) && fits(quick_[i])) return true;
  }
  return false;
}

uint32_t Inventory::countFreeSlots() const {
  uint32_t free = 0;
  for (const ItemPtr& slot : backpack_) free += isEmpty(slot.get()) ? 1 : 0;
  if (owner_ == nullptr || !owner_->craftGridBlocked()) {
    for (const ItemPtr& slot : craftGrid_) free += isEmpty(slot.get()) ? 1 : 0;
  }
  for (uint32_t i = 0; i < quickSlotsInUse_; ++i) {
    if (keepLastSlotEmpty_ && i == quickSlotsInUse_ - 1) continue;
    free += isEmpty(quick_[i].get()) ? 1 : 0;
  }
  return free;
}

uint32_t Inventory::countItems(uint16_t id, bool allowEquivalents, bool includeWorn) const {
  uint32_t total = 0;
  auto add = [&](const ItemPtr& slot) {
    if (!isEmpty(slot.get()) && itemMatches(slot->id, id, allowEquivalents)) total += slot->count;
  };
  for (const ItemPtr& slot : backpack_) add(slot);
  // The row in hand: a creative world's leaves the other world's row, hidden there, out.
  const ItemPtr* quick = quickRow();
  for (uint8_t i = 0; i < kQuickSlots; ++i) add(quick[i]);
  if (includeWorn) {
    for (const ItemPtr& slot : equipment_) add(slot);
    for (const ItemPtr& slot : equipment2_) add(slot);
    add(trinket_);
    for (const ItemPtr& slot : craftGrid_) add(slot);
    add(single_);
  }
  return total;
}

SlotRef Inventory::takeOne(uint16_t id, bool allowEquivalents, uint16_t* takenId) {
  auto take = [takenId](ItemPtr& slot) {
    if (takenId != nullptr) *takenId = slot->id;
    const uint16_t full = slot->maxDurability();
    if (full != 0) slot->durability = full;
    if (--slot->count == 0) slot.reset();
  };
  for (uint8_t x = 0; x < kBackpackSide; ++x) {
    for (uint8_t y = 0; y < kBackpackSide; ++y) {
      ItemPtr& slot = backpack_[x + kBackpackSide * y];
      if (isEmpty(slot.get()) || !itemMatches(slot->id, id, allowEquivalents)) continue;
      take(slot);
      return {SlotKind::Backpack, x, y};
    }
  }
  ItemPtr* quick = quickRow();  // the row a quick slot reference names
  for (uint8_t i = 0; i < kQuickSlots; ++i) {
    ItemPtr& slot = quick[i];
    if (isEmpty(slot.get()) || !itemMatches(slot->id, id, allowEquivalents)) continue;
    take(slot);
    return {SlotKind::Quick, i, 0};
  }
  return {};
}

void Inventory::setCraftingStation(const Item* item, const MapBlock* drawnCell, const BlockPropsTable& props) {
  uint16_t id = 0;
  if (item != nullptr) {
    id = item->id;
  } else if (drawnCell != nullptr) {
    id = drawnCell->frontId();
  }
  station_ = props[id & 0xFFF].has(block_flag::kCraftingStation) ? stationKindOfBlock(id) : 0;
  stationPlace_.reset();
  if (station_ != 0 && item == nullptr && drawnCell != nullptr) {
    stationPlace_ = StationPlace{drawnCell->x, drawnCell->y};
  }
}

void Inventory::clearCraftingStation() {
  station_ = 0;
  stationPlace_.reset();
}

void Inventory::forEachDroppedSlot(const DifficultyRow& difficulty, const SlotVisitor& visit) {
  const DropAreas areas = dropAreasOf(difficulty);
  auto hand = [&visit](ItemPtr& slot) {
    if (slot != nullptr) visit(std::move(slot));
  };
  if (areas.backpack) {
    for (ItemPtr& slot : backpack_) hand(slot);
    if (owner_ == nullptr || !owner_->craftGridBlocked()) {
      for (ItemPtr& slot : craftGrid_) hand(slot);
      hand(single_);
    }
  }
  if (areas.worn) {
    // Whoever watches what is worn hears of each place that emptied.
    const auto handWorn = [&](std::array<ItemPtr, kEquipmentSlots>& set, bool secondSet) {
      for (uint8_t index = 0; index < kEquipmentSlots; ++index) {
        if (set[index] == nullptr) continue;
        visit(std::move(set[index]));
        if (owner_ != nullptr) owner_->wornChanged(secondSet, index);
      }
    };
    handWorn(equipment_, false);
    handWorn(equipment2_, true);
    hand(trinket_);
  }
  if (areas.quick) {
    for (ItemPtr& slot : quick_) hand(slot);
  }
}
