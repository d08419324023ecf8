#pragma once
// The item slots one player owns: the 6x6 backpack, the quick slots (a second row while the world
// is creative), the 3x3 craft grid, two five-slot equipment sets, the trinket and one loose slot,
// plus views onto slots that belong to something else (the open block entity, a second open
// object, the running trade, the item catalogue). Every slot holds nothing or one stack of the
// item pool. All code that moves items addresses a slot by a `SlotRef` and goes through
// `slotItem`, `setSlot` and `takeSlot`; a reference to an area that is not there reads as empty and is never
// written. The inventory owns its stacks: they return to the pool when it goes.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "content/items/item_ptr.h"
#include "game/inventory/slot_ref.h"

class Item;
class ItemCatalogue;
class BlockPropsTable;
class LogicBlock;
class MapBlock;
class World;
class TradeAbstract;
struct DifficultyRow;

// The cell a crafting station in use stands in.
struct StationPlace {
  uint16_t x = 0;
  uint16_t y = 0;
};

// What the inventory asks of the player who owns it.
class InventoryOwner {
 public:
  virtual LogicBlock* openBlockEntity() const = 0;
  // The nine slots (3 columns) of the second open object; null while none is open.
  virtual ItemPtr* secondObjectItems() const = 0;
  // The player state bit that keeps the craft grid out of searches and death drops.
  virtual bool craftGridBlocked() const = 0;
  virtual void recordStat(uint16_t statId, uint16_t value) = 0;
  // The trinket slot took an item or gave it up (its pet follows what is worn).
  virtual void trinketChanged() = 0;
  // An equipment slot (of the second, look set when `secondSet`) took an item or gave it up.
  virtual void wornChanged(bool secondSet, uint8_t index) = 0;

 protected:
  ~InventoryOwner() = default;
};

class Inventory {
 public:
  static constexpr int kBackpackSide = 6;
  static constexpr int kQuickSlots = 10;
  static constexpr int kGridSide = 3;
  static constexpr int kEquipmentSlots = 5;
  static constexpr int kBackpackSlots = kBackpackSide * kBackpackSide;
  static constexpr int kGridSlots = kGridSide * kGridSide;
  // Every stack a death can drop at once on the hardest difficulty: the backpack, the crafting grid
  // and its result, both worn sets, the trinket and the quick row.
  static constexpr int kStacksDroppedAtMost = kBackpackSlots + kGridSlots + 1 + 2 * kEquipmentSlots + 1 + kQuickSlots;
  static constexpr uint32_t kNoSelection = 0xFFFFFFFF;
  static constexpr uint16_t kStatItemWorn = 7;

  Inventory(InventoryOwner* owner, World* world);
  ~Inventory();
  Inventory(const Inventory&) = delete;
  Inventory& operator=(const Inventory&) = delete;

  void setWorld(World* world) { world_ = world; }
  // Clamped to 1..10 whatever the option file says.
  void setQuickSlotsInUse(uint32_t count);
  uint32_t quickSlotsInUse() const { return quickSlotsInUse_; }
  void setKeepLastSlotEmpty(bool on) { keepLastSlotEmpty_ = on; }
  // The desktop's quick row, alone or joined: every quick slot is shown and bound (keys 1-0), so
  // new stacks may land in any of them, and the last one stays empty when the option says so.
  void useDesktopQuickRow(bool keepLastSlotEmpty);
  bool keepsLastSlotEmpty() const { return keepLastSlotEmpty_; }
  // Where the copies that `findSlotFor` stores come from (the item pool unless replaced); a
  // source that gives null or throws `std::bad_alloc` makes no copy.
  using ItemSource = void* (*)();
  void setItemSource(ItemSource source) { itemSource_ = source; }

  // ---- Slots ----
  // The slot's stack, where it stays (null: empty).
  Item* slotItem(SlotRef slot) const;
  // The stack goes into the slot, and what the slot held goes back to the pool: take it first to
  // keep it. A slot that cannot be written (a catalogue entry, a trade offer, a container slot
  // with no such container open) takes nothing, and the stack goes back to the pool.
  void setSlot(SlotRef slot, ItemPtr item);
  // What the slot held, now the caller's, the slot emptied as `setSlot` empties it; null for an
  // empty slot and for a slot that cannot be written, which keeps its stack.
  ItemPtr takeSlot(SlotRef slot);
  // One unit of the slot's stack used up; the last one empties the slot (its stack back to the pool).
  void useOneOf(SlotRef slot);
  // The two slots trade stacks, each stored as `setSlot` stores it; false, changing nothing, when
  // either cannot be written.
  bool swapSlots(SlotRef a, SlotRef b);
  // The slot's stack stored again as it is, so that whoever watches the slot hears of it.
  void refreshSlot(SlotRef slot) { setSlot(slot, releaseSlot(slot)); }
  bool slotAcceptsItem(SlotRef slot, const Item* item) const;
  Item* selectedItem() const;
  uint32_t selected() const { return selected_; }
  void select(uint32_t index) { selected_ = index < kQuickSlots ? index : kNoSelection; }

  // ---- Moving items ----
  bool mergeSlots(SlotRef source, SlotRef destination);
  // Stores the item (or a pooled copy of it) and says where; the caller keeps the item it passed.
  // kind None when there was no room or the pool could not make the copy.
  SlotRef findSlotFor(const Item* item, bool& newSlot);
  bool hasRoomFor(const Item& item) const;
  uint32_t countFreeSlots() const;
  // What the backpack and the quick row in hand hold of the id (in a creative world the creative
  // row: the other row is hidden there and not the player's to spend), with the worn and loose
  // slots when asked.
  uint32_t countItems(uint16_t id, bool allowEquivalents, bool includeWorn) const;
  // One unit of the first stack matching the id, from the backpack or the quick row in hand;
  // `takenId`, when given, learns the id it had.
  SlotRef takeOne(uint16_t id, bool allowEquivalents, uint16_t* takenId = nullptr);

  // ---- The inventory view's buttons ----
  void stackIntoContainer();
  void takeThreeContainerItems() { takeContainerItems(3); }
  void takeFiveContainerItems() { takeContainerItems(5); }
  void returnCraftGridItems();
  void compactBackpack();

  // Hands each stack of the areas the difficulty drops on death to the visitor; the slots empty.
  using SlotVisitor = std::function<void(ItemPtr)>;
  void forEachDroppedSlot(const DifficultyRow& difficulty, const SlotVisitor& visit);

  // ---- Every owned slot, for the character file ----
  // The areas as the inventory holds them, whatever the world: both quick rows, the grid and the
  // backpack (index x + side * y), both equipment sets, the single slot and the trinket. Writing
  // through them counts nothing as worn.
  enum class Area { Quick, CreativeQuick, CraftGrid, Backpack, Equipment, Equipment2, Single, Trinket };
  std::span<ItemPtr> area(Area which);
  std::span<const ItemPtr> area(Area which) const;

  // The page of the current catalogue list that the catalogue slots (kind 13) read, in a
  // creative world; elsewhere they read empty.
  void setCataloguePage(uint32_t page) { cataloguePage_ = page; }
  uint32_t cataloguePage() const { return cataloguePage_; }
  // The catalogue of the player's game that those slots read (not owned; null: they read empty).
  void setCatalogue(ItemCatalogue* catalogue) { catalogue_ = catalogue; }
  ItemCatalogue* catalogue() const { return catalogue_; }

  uint8_t station() const { return station_; }
  // The station of the item's id, or of the block of the player's drawn cell when no item is
  // given: none unless that block is a crafting station. A station found in a cell keeps the
  // cell's place, so that walking away from it can end crafting there.
  void setCraftingStation(const Item* item, const MapBlock* drawnCell, const BlockPropsTable& props);
  // Crafting by hand again.
  void clearCraftingStation();
  // Where the station in use stands; none by hand and for a station that an item stands for.
  std::optional<StationPlace> stationPlace() const { return stationPlace_; }
  // The running trade's window (null: none). A new one replaces and deletes the old.
  TradeAbstract* trade() const { return trade_.get(); }
  void setTrade(std::unique_ptr<TradeAbstract> trade);
  // Whether the world is creative: its quick row is the creative one and `findSlotFor` stores
  // nothing, so what must not be lost stays where it is.
  bool creative() const;

 private:
  ItemPtr* quickRow() { return creative() ? creativeQuick_.data() : quick_.data(); }
  const ItemPtr* quickRow() const { return creative() ? creativeQuick_.data() : quick_.data(); }
  // The slot's own storage, or null when the reference names no owned slot.
  ItemPtr* ownedSlot(SlotRef slot);
  // Whether `setSlot` stores into the slot (an own slot, or one of the open container's).
  bool writable(SlotRef slot) const;
  // The stack of a writable slot, taken out without telling anyone (null: none or not writable).
  ItemPtr releaseSlot(SlotRef slot);
  bool quickSlotTakes(uint32_t index, const Item& item) const;
  bool mergeInto(Item& target, ItemPtr& source);
  bool putCopy(ItemPtr& slot, const Item* item);
  void takeContainerItems(int count);
  void storeInBackpack(ItemPtr& item);

  InventoryOwner* owner_;
  World* world_;
  std::array<ItemPtr, kBackpackSlots> backpack_{};
  std::array<ItemPtr, kQuickSlots> quick_{};
  std::array<ItemPtr, kQuickSlots> creativeQuick_{};
  std::array<ItemPtr, kGridSlots> craftGrid_{};
  std::array<ItemPtr, kEquipmentSlots> equipment_{};
  std::array<ItemPtr, kEquipmentSlots> equipment2_{};
  ItemPtr single_;
  ItemPtr trinket_;
  uint32_t selected_ = 0;
  uint8_t station_ = 0;
  std::optional<StationPlace> stationPlace_;
  std::unique_ptr<TradeAbstract> trade_;
  uint32_t cataloguePage_ = 0;
  ItemCatalogue* catalogue_ = nullptr;
  uint32_t quickSlotsInUse_ = 6;
  bool keepLastSlotEmpty_ = false;
  ItemSource itemSource_;
};
