// The slot actions of an inventory sprite: clearing, using up one unit, the modify checks,
// gathering the neighbours' stacks, splitting a stack into a free neighbour and the action on a
// tapped item.

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "content/tables/item_def.h"
#include "content/texts/language_texts.h"
#include "engine/base/format_string.h"
#include "engine/scene/inner_node.h"
#include "game/crafting/craft_book.h"
#include "game/crafting/player_crafting.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/inventory/bag_opening.h"
#include "game/inventory/inventory.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player.h"
#include "platform/audio/sound_effects.h"
#include "platform/settings/settings.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/inventory_view_hooks.h"
#include "view/inventory/overlay_art.h"
#include "world/rules/game.h"

namespace {

constexpr uint16_t kOpenerItem = 1500;    // a box that hands out its content
constexpr uint16_t kKnowledgeItem = 1502;  // a scroll that teaches a recipe
constexpr int16_t kTextNoRoom = 152, kTextMoved = 151, kTextNothingInside = 154, kTextFound = 153;
constexpr int16_t kTextLearned = 115, kTextAlreadyKnown = 116;
constexpr int kBookButtonTag = 49;  // the HUD's craft book button, where a learned entry floats

// Items that can never take a modifier.
constexpr std::array<uint16_t, 27> kUnmodifiable = {
    2078, 2398, 2142, 2206, 2270, 2334, 2718, 2590, 2654, 3230, 3358, 3678, 2143, 2591,
    2014, 2015, 1885, 1949, 1950, 3536, 2925, 410,  474,  538,  1309, 602,  399};

// Items that open a container panel, with the panel's kind.
struct PanelItem {
  uint16_t id;
  uint8_t panel;
};
constexpr std::array<PanelItem, 12> kPanelItems = {{{1543, 3}, {1607, 3}, {1671, 3}, {1672, 3},
                                                    {1735, 3}, {1736, 3}, {1799, 3}, {1800, 3},
                                                    {1863, 3}, {1501, 4}, {1042, 5}, {41, 6}}};

bool splits(SlotKind kind) {
  return kind == SlotKind::Backpack || kind == SlotKind::CraftGrid || kind == SlotKind::Chest;
}

bool encrustable(uint8_t kind) {
  return kind == item_kind::kTool || kind == item_kind::kWeapon || (kind >= 10 && kind <= 14);
}

void floatText(int16_t textId, const engine::Vec2& at, const std::string& argument = {}) {
  const std::string& text = languageTexts().text(textId);
  inventoryViewHooks().showFloatingLabel(argument.empty() ? text : engine::formatString(text, argument), at);
}

// The HUD's craft book button, or the point given when the HUD has none.
engine::Vec2 bookButtonOr(const engine::Vec2& fallback) {
  engine::InnerNode* hud = overlay_art::hudLayer();
  engine::Node* button = hud != nullptr ? hud->getChildByTag(kBookButtonTag) : nullptr;
  return button != nullptr ? button->getPosition() : fallback;
}

// The sprite's slot holds the bag; its find goes where the inventory finds room for it.
class SlotOpener final : public BagOpener {
 public:
  SlotOpener(Inventory& items, std::function<void()> useOne) : items_(items), useOne_(std::move(useOne)) {}
  bool holdsBag(uint16_t) const override { return true; }
  void spendBag(uint16_t) override { useOne_(); }
  bool handOut(const Item& find) override {
    bool newSlot = false;
    where = items_.findSlotFor(&find, newSlot);
    return !where.isNone();
  }

  SlotRef where;

 private:
  Inventory& items_;
  std::function<void()> useOne_;
};

}  // namespace

bool InventorySprite::consumeOne() {
  Item* item = slotItem();
  if (item == nullptr) return false;
  const bool emptied = item->consumeOne();
  if (emptied) inventory()->takeSlot(slot_);  // a slot item implies an inventory
  refreshCount(false);
  if (slot_.kind == SlotKind::AlchemyLab) inventoryViewHooks().refreshOpenWindow();
  if (!emptied && isQuickSlot()) select();
  syncSlot();
  return emptied;
}

void InventorySprite::useOne() {
  const Item* item = slotItem();
  if (item == nullptr) return;
  const uint16_t id = item->id;
  kel::playItemUseSound(id);
  const bool heldByHand = isQuickSlot() || id == kKnowledgeItem;
  InventoryViewHooks& view = inventoryViewHooks();
  if (!view.inventoryShown() && !heldByHand) return;
  if (consumeOne()) {
    if (heldByHand && player_ != nullptr) player_->heldItemChanged(player_->heldItem());
    if (slotKind_ != nullptr) state_ = slotKind_->normalId;
    updateState(false);
    view.setSelectedSprite(nullptr);
  } else {
    select();
  }
  view.refresh();
}

bool InventorySprite::canEncrust() const {
  const Item* item = slotItem();
  return item != nullptr && item->modifier() == 0 && encrustable(itemKindOf(item));
}

int InventorySprite::modifyCheck() const {
  const Item* item = slotItem();
  if (item == nullptr) return 1;
  if (std::find(kUnmodifiable.begin(), kUnmodifiable.end(), item->id) != kUnmodifiable.end()) return 1;
  const uint16_t maximum = item->maxDurability();
  if (maximum != 0 && maximum != item->durability) return 2;
  return item->modifier() != 0 ? 1 : 0;
}

InventorySprite* InventorySprite::neighbour(int dx, int dy) const {
  return inventoryViewHooks().spriteForSlot(
      {slot_.kind, static_cast<uint8_t>(slot_.x + dx), static_cast<uint8_t>(slot_.y + dy)});
}

bool InventorySprite::gatherStacks() {
  Inventory* items = inventory();
  if (items == nullptr || !splits(slot_.kind) || slotItem() == nullptr) return false;
  const SlotWindowSize window = inventoryViewHooks().windowSize(slot_.kind);
  bool merged = false;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int x = slot_.x + dx;
      const int y = slot_.y + dy;
      if ((dx == 0 && dy == 0) || x < 0 || y < 0 || x >= window.columns || y >= window.rows) continue;
      const SlotRef other{slot_.kind, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
      if (!items->mergeSlots(other, slot_)) continue;
      merged = true;
      if (InventorySprite* sprite = neighbour(dx, dy)) sprite->refresh();
      refresh();
    }
  }
  return merged;
}

// The right, lower or lower-right neighbour when it is free, else the first free cell of the
// window, column by column; the none kind when the window is full.
SlotRef InventorySprite::emptyTargetFor() const {
  const Inventory* items = inventory();
  const SlotWindowSize window = inventoryViewHooks().windowSize(slot_.kind);
  auto freeAt = [&](int x, int y) {
    return x < window.columns && y < window.rows &&
           items->slotItem({slot_.kind, static_cast<uint8_t>(x), static_cast<uint8_t>(y)}) == nullptr;
  };
  for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}}) {
    if (freeAt(slot_.x + dx, slot_.y + dy)) {
      return {slot_.kind, static_cast<uint8_t>(slot_.x + dx), static_cast<uint8_t>(slot_.y + dy)};
    }
  }
  for (int x = 0; x < window.columns; ++x) {
    for (int y = 0; y < window.rows; ++y) {
      if (freeAt(x, y)) return {slot_.kind, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    }
  }
  return {};
}

void InventorySprite::splitStack() {
  Inventory* items = inventory();
  Item* source = slotItem();
  if (items == nullptr || source == nullptr || !splits(slot_.kind) || source->count < 2) return;
  const SlotRef target = emptyTargetFor();
  if (target.isNone()) return;
  const uint16_t half = static_cast<uint16_t>(source->count / 2);
  const ItemDef* def = source->definition();
  const bool randomVariant =
      def != nullptr && def->record.variantCount() >= 2 && def->record.freeStack() != 0;
  const int16_t durability = source->durability != 0 ? static_cast<int16_t>(source->maxDurability()) : 0;
  ItemPtr split = newItem(source->id, randomVariant ? int8_t{-1} : static_cast<int8_t>(source->variant),
                        half, durability, source->word);
  if (split == nullptr) return;
  source->count = static_cast<uint16_t>(source->count - half);
  items->setSlot(target, std::move(split));
  refreshAndRelayout();
  if (InventorySprite* other = inventoryViewHooks().spriteForSlot(target)) other->refreshAndRelayout();
  kel::playSound(kSplitSound, 0);
}

void InventorySprite::onActivate() {
  const Item* item = slotItem();
  if (item == nullptr || itemKindOf(item) == 15) return;
  InventoryViewHooks& view = inventoryViewHooks();
  for (const PanelItem& entry : kPanelItems) {
    if (entry.id == item->id) {
      view.openContainerPanel(entry.panel, *this);
      return;
    }
  }
  Inventory* items = inventory();
  if (items == nullptr) return;
  // What a box or a bag hands out goes to a free slot, floating a text there.
  auto handOut = [&](const Item& found, int16_t text) {
    bool newSlot = false;
    const SlotRef where = items->findSlotFor(&found, newSlot);
    if (where.isNone()) {
      floatText(kTextNoRoom, getPosition());
      return;
    }
    InventorySprite* landed = view.spriteForSlot(where);
    useOne();
    if (landed != nullptr) landed->refresh();
    floatText(text, landed != nullptr ? landed->getPosition() : getPosition());
  };
  if (item->id == kKnowledgeItem) {
    learnFromPage(static_cast<uint16_t>(item->word));
  } else if (item->id == kOpenerItem) {
    Item one = *item;
    one.count = 1;
    handOut(one, kTextMoved);
  } else if (itemKindOf(item) == item_kind::kConsumable) {
    if (openedByHost(*item)) return;
    SlotOpener opener(*items, [this] { useOne(); });
    switch (openBag(opener, item->id)) {
      case BagOpening::NotABag:
        if (currentGame().consumeItem(slotItem())) useOne();
        break;
      case BagOpening::Empty: floatText(kTextNothingInside, getPosition()); break;
      case BagOpening::NoRoom: floatText(kTextNoRoom, getPosition()); break;
      case BagOpening::Found: {
        InventorySprite* landed = view.spriteForSlot(opener.where);
        if (landed != nullptr) landed->refresh();
        floatText(kTextFound, landed != nullptr ? landed->getPosition() : getPosition());
        break;
      }
      case BagOpening::NotHeld: break;
    }
  }
}

// A joined player's bag is rolled by her host, so that the host's own count of her items holds
// what she finds: the bag is spent here, and the find arrives with the host's answer.
bool InventorySprite::openedByHost(const Item& bag) {
  GameHostRequests* host = player_ != nullptr && player_->game != nullptr ? player_->game->hostRequests() : nullptr;
  if (fixedDropFor(bag.id) == nullptr || host == nullptr) return false;
  switch (host->openBag(bag)) {
    case GameHostRequests::BagRequest::RolledHere: return false;
    case GameHostRequests::BagRequest::Sent: useOne(); return true;
    case GameHostRequests::BagRequest::NoRoom: floatText(kTextNoRoom, getPosition()); return true;
  }
  return false;
}

// A found page teaches the craft book entry its word names, once. A word naming no entry (from a
// damaged save or a peer) teaches nothing.
void InventorySprite::learnFromPage(uint16_t entry) {
  const CraftBookEntry* row = entry < kCraftBookEntryCount ? craftBookEntry(entry) : nullptr;
  if (row == nullptr || player_ == nullptr) return;
  if (player_->knowledge->isEntryKnown(entry)) {
    floatText(kTextAlreadyKnown, getPosition(), row->name);
    return;
  }
  PlayerCrafting(*player_).learnEntry(entry);
  // A joined player's host keeps her knowledge too: it learns the entry from her report.
  if (GameHostRequests* host = player_->game != nullptr ? player_->game->hostRequests() : nullptr) {
    host->reportItemLearned(entry);
  }
  const std::string name = row->name;
  useOne();
  floatText(kTextLearned, bookButtonOr(getPosition()), name);
  if (kel::options().openCraftbookRecipe) inventoryViewHooks().showRecipeFor(entry);
}
