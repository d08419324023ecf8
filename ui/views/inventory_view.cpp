#include "ui/views/inventory_view.h"

#include <algorithm>

#include "content/items/item.h"
#include "game/rules/projectile_choice.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/fade_to.h"
#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/move_by.h"
#include "engine/scene/node.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "engine/text/label.h"
#include "game/crafting/grid_crafting.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "platform/controls/abstract_controls.h"
#include "platform/platform.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"
#include "ui/widgets/ui_draw.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/item_tooltip.h"
#include "view/inventory/overlay_art.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/chest.h"
#include "world/blocks/logic_block.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

constexpr uint32_t kInventoryAction = 6;
constexpr uint32_t kPaneAction = 11;
constexpr float kGridMargin = 16.0f;
constexpr float kFloatSeconds = 1.5f;
constexpr float kFloatRise = 30.0f;  // interface points
constexpr engine::Color3B kFloatColour{255, 230, 120};
// The ground a rising text stands on, so it reads whole over the cells it crosses.
constexpr engine::Color4B kFloatGround{24, 20, 32, 240};
constexpr float kFloatPad = 3.0f;  // interface points around the text
constexpr int kFloatsZ = 200;      // over every piece the cells draw in the overlay
constexpr engine::Color4B kDropMarkerColour{255, 255, 255, 90};
constexpr float kGridTop = 194.0f;  // below the title, the help lines, the status and the page's line

bool isBound(uint32_t action, engine::KeyCode key) {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr && platform->keyForAction(action) == static_cast<uint32_t>(key);
}

}  // namespace

InventoryView::InventoryView()
    : ListView(ViewId::Inventory), dropMarker_(engine::InnerNode::create()), floats_(engine::InnerNode::create()) {
  // A light square over the cell, centred on the marker's point; sized when shown.
  addColorLayer(dropMarker_, kDropMarkerColour, engine::Size(1, 1), engine::Vec2(0, 0), 0);
  dropMarker_->setVisible(false);
  root()->addChild(dropMarker_, 3, kDropMarkerTag);
}

void InventoryView::placeFloats() {
  engine::InnerNode* overlay = overlay_art::overlayNode();
  engine::InnerNode* parent = overlay != nullptr ? overlay : root();
  if (floats_->getParent() == parent) return;
  if (engine::Node* old = floats_->getParent()) old->removeChild(floats_);
  parent->addChild(floats_, overlay != nullptr ? kFloatsZ : 5);
}

void InventoryView::dropFloats() {
  floats_->removeAllChildrenWithCleanup();
  if (engine::Node* parent = floats_->getParent()) parent->removeChild(floats_);
}

InventoryView::~InventoryView() = default;

void InventoryView::enter() {
  status_.clear();
  craftRows_.clear();
  if (PlayerDesktopLocal* p = player()) p->keepCraftingStationInReach();
  session().game().pause();
  ListView::enter();
  buildGrid();
  placeFloats();
}

void InventoryView::exit() {
  hideItemTooltip();
  hideDropMarker();
  // Off the screen a text's rise would stop where it is and show again at the next opening.
  dropFloats();
  noteSeenCells();
  clearGrid();
  leaveCraftGrid();
  ListView::exit();
  if (PlayerDesktopLocal* p = player(); p != nullptr && p->openContainer() != nullptr) session().game().closeContainer();
  session().game().unpause();
  page_ = kBackpack;
}

void InventoryView::pause() {
  hideItemTooltip();
  hideDropMarker();
  dropFloats();
  clearGrid();
}

void InventoryView::resume() {
  buildGrid();
  placeFloats();
  refresh();
}

void InventoryView::layOut() {
  const bool cellsShown = !grid_.empty();
  hideItemTooltip();
  // Emptied first: the list's column follows the pitch of the cells, which the new scale sets.
  clearGrid();
  ListView::layOut();
  if (cellsShown) buildGrid();
}

void InventoryView::refresh() {
  hideDropMarker();
  refreshTexts();
}

void InventoryView::clearGrid() {
  hovered_ = nullptr;
  selected_ = nullptr;
  pressed_ = nullptr;
  dragged_ = nullptr;
  dragIcon_.hide();
  grid_.clear();
}

float InventoryView::gridPitch() const {
  return grid_.pitch() > 0 ? grid_.pitch() : InventorySlotGrid::scaledPitch();
}

void InventoryView::buildGrid() {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) return;
  if (seenBy_ != p->playerId()) noteSeenCells();  // a player's first look: what it holds is not news
  const float pitch = InventorySlotGrid::scaledPitch();
  const PageCells page = pageCells(*p);
  grid_.build(root(), p, engine::Vec2(kGridMargin + pitch / 2.0f, gridTop(page, pitch)), page);
}

float InventoryView::gridTop(const PageCells& page, float pitch) const {
  // On a short window the cells rise beside the help lines, which stand right of them, as far as
  // keeps the lowest above the HUD's quick bar.
  const float lowestFits = listBottom() + pitch / 2.0f + lowestPageRow(page) * pitch;
  return std::min(std::max(gridTopUnderTexts(pitch), lowestFits), highestGridTop(pitch));
}

float InventoryView::gridTopUnderTexts(float pitch) const {
  // The texts above stand lower by the banner's room: the grid follows them.
  return uiWindowSize().height - kGridTop - bannerRoom() - pitch / 2.0f;
}

// Never into the title's band.
float InventoryView::highestGridTop(float pitch) const {
  const float underTitle = titleFoot() - kGridMargin / 2.0f - pitch / 2.0f;
  return std::max(gridTopUnderTexts(pitch), underTitle);
}

ContainerArea InventoryView::containerArea(const LogicItemBlock& block) const {
  // The open block entity's own kind of slot: a chest's, a lab's, or any other's.
  ContainerArea area{block.slotCount(), SlotKind::EntityItem};
  if (block_entity_cast<AlchemyLab>(&block) != nullptr) area.kind = SlotKind::AlchemyLab;
  const auto* chest = block_entity_cast<Chest>(&block);
  if (chest == nullptr) return area;
  area.kind = SlotKind::Chest;
  area.first = static_cast<size_t>(std::max(chest->offset(), 0));
  // A chest's rows run down from the grid's highest place to the HUD's quick bar and no further.
  const float pitch = InventorySlotGrid::scaledPitch();
  area.rows = containerRowsDownTo((highestGridTop(pitch) - pitch / 2.0f - listBottom()) / pitch);
  return area;
}

PageCells InventoryView::pageCells(PlayerDesktopLocal& p) const {
  switch (page_) {
    case kEquipment: return inventoryPageCells(PageArea::Worn);
    case kCrafting: {
      // Sent here to lay a bobber or arrows for the held weapon, she finds the cell by that name.
      const Item* held = p.heldItem();
      const bool ammunition = held != nullptr && !held->isNone() && firesFromAmmunitionSlot(*held);
      return inventoryPageCells(ammunition ? PageArea::CraftGridForAmmunition : PageArea::CraftGrid);
    }
    case kCatalogue: return inventoryPageCells(PageArea::Catalogue);
    case kTrade: return inventoryPageCells(PageArea::Trade);
    case kContainer: break;
    default: return {};
  }
  auto* block = block_entity_cast<LogicItemBlock>(p.openContainer());
  return block != nullptr ? inventoryPageCells(PageArea::Container, containerArea(*block)) : PageCells{};
}

void InventoryView::leaveCraftGrid() {
  PlayerDesktopLocal* p = player();
  if (p != nullptr && p->inventory != nullptr) returnCraftArea(*p->inventory);
}

void InventoryView::noteSeenCells() {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) return;
  seenBy_ = p->playerId();
  seen_.assign(Inventory::kBackpackSide * Inventory::kBackpackSide, false);
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      const Item* item = p->inventory->slotItem({SlotKind::Backpack, x, y});
      seen_[static_cast<size_t>(y * Inventory::kBackpackSide + x)] = item != nullptr && !item->isNone();
    }
  }
}

bool InventoryView::mouseButton(const engine::Vec2& point, int button, bool released) {
  if (const int32_t step = grid_.pageStepAt(point)) {
    if (released && button == kel::MOUSE_BUTTON_LEFT) turnChestPage(step);
    return true;
  }
  InventorySprite* sprite = grid_.spriteAt(point);
  if (sprite == nullptr) return ListView::mouseButton(point, button, released);
  if (!released) {
    if (button != kel::MOUSE_BUTTON_LEFT) return true;
    pressed_ = sprite;
    // The result cell makes the grid's recipe as it is taken.
    if (selected_ == nullptr && sprite->slot().kind == SlotKind::Single && page_ == kCrafting && craftFromGrid()) {
      sprite->refreshAndRelayout();
      grid_.refreshAll();
      refreshTexts();
    }
    return true;
  }
  pressed_ = nullptr;
  hideItemTooltip();
  if (button == kel::MOUSE_BUTTON_RIGHT) {
    // A catalogue entry is shown, not owned: nothing of it is used, it is pinned or unpinned.
    if (sprite->slot().kind == SlotKind::Catalogue) {
      togglePinned(*sprite);
    } else {
      sprite->onActivate();
    }
  } else if (button == kel::MOUSE_BUTTON_LEFT) {
    if (selected_ == nullptr || selected_ == sprite) {
      sprite->select();
      PlayerDesktopLocal* p = player();
      if (sprite->isQuickSlot() && p != nullptr && p->inventory->selected() != sprite->slot().x) {
        p->inventory->select(sprite->slot().x);
        p->heldItemChanged(p->heldItem());
      }
    } else {
      InventorySprite* from = selected_;
      from->deselect();
      if (swapSlots(from->slot(), sprite->slot())) afterMove(from->slot(), sprite->slot());
      from->refreshAndRelayout();
      sprite->refreshAndRelayout();
    }
  }
  refreshTexts();
  return true;
}

void InventoryView::hover(const engine::Vec2& point) {
  ListView::hover(point);
  InventorySprite* sprite = grid_.spriteAt(point);
  const Item* item = sprite != nullptr ? sprite->slotItem() : nullptr;
  InventorySprite* lit = item != nullptr ? sprite : nullptr;
  if (lit != hovered_) {
    if (hovered_ != nullptr) hovered_->setHighlighted(false);
    if (lit != nullptr) lit->setHighlighted(true);
    hovered_ = lit;
  }
  if (item == nullptr) {
    hideItemTooltip();
    return;
  }
  showItemTooltip(*item, sprite->getPosition() + engine::Vec2(0, grid_.pitch() / 2.0f));
}

void InventoryView::wheelAt(const engine::Vec2& point, float amount) {
  const InventorySprite* over = grid_.spriteAt(point);
  if ((over == nullptr || over->slot().kind != SlotKind::Chest) && grid_.pageStepAt(point) == 0) {
    ListView::wheelAt(point, amount);
    return;
  }
  // Towards the player, as the list moves down; nothing past either end.
  if (const int32_t step = grid_.pageStep(amount > 0)) turnChestPage(step);
}

void InventoryView::turnChestPage(int32_t step) {
  PlayerDesktopLocal* p = player();
  auto* chest = p != nullptr ? block_entity_cast<Chest>(p->openContainer()) : nullptr;
  if (chest == nullptr) return;
  // Through the chest itself: a joined player's copy sends the step on to the host's chest.
  if (step > 0) {
    chest->nextPage(step);
  } else {
    chest->prevPage(-step);
  }
  // A stack picked before the step stays picked while its cell is shown, to be swapped into the new
  // page's cells.
  const SlotRef picked = selected_ != nullptr ? selected_->slot() : SlotRef{};
  hideItemTooltip();
  clearGrid();
  buildGrid();
  if (InventorySprite* again = picked.isNone() ? nullptr : grid_.spriteFor(picked)) again->select();
  refreshTexts();
}

bool InventoryView::gridKey(engine::KeyCode key) {
  if (selected_ == nullptr || (key != engine::KeyCode::S && key != engine::KeyCode::G)) return false;
  if (selected_->slot().kind == SlotKind::Catalogue) return true;  // its stacks are not the player's
  if (key == engine::KeyCode::S) {
    // The split is done with the cell: left picked, the next click would move it instead of
    // doing what that click does on its own (the result cell's craft).
    InventorySprite* split = selected_;
    split->splitStack();
    split->deselect();
    status_.clear();
  } else if (!selected_->gatherStacks()) {
    status_ = "Nothing to gather.";
  }
  refreshTexts();
  return true;
}

bool InventoryView::swapSlots(SlotRef a, SlotRef b) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr || a == b) return false;
  if (a.kind == SlotKind::Catalogue) return pickFromCatalogue(a, b);
  if (b.kind == SlotKind::Catalogue) return pickFromCatalogue(b, a);
  Inventory& inventory = *p->inventory;
  if (!inventory.slotAcceptsItem(b, inventory.slotItem(a)) || !inventory.slotAcceptsItem(a, inventory.slotItem(b))) {
    status_ = "That cannot go there.";
    return false;
  }
  if (!inventory.swapSlots(a, b)) return false;
  p->heldItemChanged(p->heldItem());
  return true;
}

// ---- What the slot sprites ask of the view ----

// The view's own cells first; a quick slot the view does not show is the HUD's.
bool InventoryView::inventoryShown() {
  GameViews* views = gameViews();
  return views != nullptr && views->currentId() == ViewId::Inventory;
}

InventorySprite* InventoryView::spriteForSlot(SlotRef slot) {
  if (InventorySprite* shown = grid_.spriteFor(slot)) return shown;
  GameViews* views = gameViews();
  if (slot.kind != SlotKind::Quick || views == nullptr || slot.x >= QuickSlots::kCount) return nullptr;
  return views->mainView().hud().quickSlots().sprite(slot.x);
}

SlotWindowSize InventoryView::windowSize(SlotKind kind) {
  if (kind == SlotKind::Backpack) return {Inventory::kBackpackSide, Inventory::kBackpackSide};
  if (kind == SlotKind::Quick) return {Inventory::kQuickSlots, 1};
  return NullInventoryViewHooks().windowSize(kind);
}

bool InventoryView::isNewItemCell(SlotRef slot) {
  const size_t index = static_cast<size_t>(slot.y * Inventory::kBackpackSide + slot.x);
  if (slot.kind != SlotKind::Backpack || index >= seen_.size() || seen_[index]) return false;
  const PlayerDesktopLocal* p = player();
  const Item* item = p != nullptr && p->inventory != nullptr ? p->inventory->slotItem(slot) : nullptr;
  return item != nullptr && !item->isNone();
}

void InventoryView::clearNewItemCell(SlotRef slot) {
  const size_t index = static_cast<size_t>(slot.y * Inventory::kBackpackSide + slot.x);
  if (slot.kind == SlotKind::Backpack && index < seen_.size()) seen_[index] = true;
}

// The list shows the equipment, the recipes and the container as text: each follows a slot's
// change by being written again.
void InventoryView::refreshEquipment(bool, uint8_t) {
  if (PlayerDesktopLocal* p = player()) p->refreshAppearance();
  refreshTexts();
}

void InventoryView::refreshCraftPreview() { refreshTexts(); }
void InventoryView::refreshContainerPanel() { refreshTexts(); }
// What the open container holds changed on its own (a forge's step, a lab's brew): its cells show
// the stacks anew, not only the list.
void InventoryView::refreshOpenWindow() {
  grid_.refreshAll();
  refreshTexts();
}

void InventoryView::openContainerPanel(uint8_t kind, InventorySprite&) {
  // Settings, seeds and paints work by dragging onto the item they change; the treasure map has
  // no panel of its own yet.
  switch (kind) {
    case kSettingPanel: status_ = "Drag the setting onto a tool, a weapon or a worn item to encrust it."; break;
    case kSeedPanel: status_ = "Drag the seed onto another seed to cross them."; break;
    case kFireworkPanel: status_ = "Drag a paint onto the firework to fill it with its colour."; break;
    default: status_ = "This container cannot be opened here yet."; break;
  }
  refreshTexts();
}

void InventoryView::showFloatingLabel(const std::string& text, const engine::Vec2& point) {
  status_ = text;
  refreshTexts();
  // A view that is not on the screen has nothing to rise over: its status tells it.
  if (!inventoryShown()) return;
  engine::InnerNode* holder = engine::InnerNode::create();
  holder->setCascadeOpacityEnabled(true);
  engine::Label* label = addTextLabel(holder, text, engine::Vec2(), kFontSmall, kFloatColour, engine::Vec2(0.5f, 0.5f), 1);
  if (label == nullptr || holder->getActionManager() == nullptr) return;
  floats_->addChild(holder);
  // On its own dark ground, whole over the cells it crosses.
  const float pad = kFloatPad * overlay_art::uiScale();
  const engine::Rect textBox = label->getBoundingBox();
  const engine::Size ground(textBox.size.width + 2 * pad, textBox.size.height + 2 * pad);
  addColorLayer(holder, kFloatGround, ground, engine::Vec2(-ground.width / 2.0f, -ground.height / 2.0f), 0);
  // Whole inside the window from where it starts to where it has risen, however near an edge the
  // point it tells of lies.
  const float rise = kFloatRise * overlay_art::uiScale();
  const engine::Size window = uiWindowSize();
  const engine::Vec2 low = point - engine::Vec2(ground.width / 2.0f, ground.height / 2.0f);
  const float dx = std::clamp(low.x, 0.0f, std::max(0.0f, window.width - ground.width)) - low.x;
  const float dy = std::clamp(low.y, 0.0f, std::max(0.0f, window.height - rise - ground.height)) - low.y;
  holder->setPosition(point + engine::Vec2(dx, dy));
  // It rises and fades, then goes.
  engine::FiniteTimeAction* rising = engine::Spawn::createWithTwoActions(
      engine::MoveBy::create(kFloatSeconds, engine::Vec2(0, rise)), engine::FadeOut::create(kFloatSeconds));
  engine::FiniteTimeAction* gone = engine::CallFunc::create([holder] {
    if (holder->getParent() != nullptr) holder->getParent()->removeChild(holder);
  });
  holder->getActionManager()->addAction(engine::Sequence::createWithTwoActions(rising, gone), holder);
}

void InventoryView::tellOfSlot(const std::string& text, SlotRef slot) {
  PlayerDesktopLocal* p = player();
  const Item* item = p != nullptr && p->inventory != nullptr ? p->inventory->slotItem(slot) : nullptr;
  statusSubject_ = {text, slot, item != nullptr ? item->id : ITEM_NONE};
  const InventorySprite* at = grid_.spriteFor(slot);
  showFloatingLabel(text, at != nullptr ? at->getPosition() : engine::Vec2());
}

void InventoryView::dropStaleStatus() {
  if (statusSubject_.text.empty()) return;
  if (status_ == statusSubject_.text) {
    PlayerDesktopLocal* p = player();
    const Item* item = p != nullptr && p->inventory != nullptr ? p->inventory->slotItem(statusSubject_.slot) : nullptr;
    if (item != nullptr && !item->isNone() && item->id == statusSubject_.item) return;
    status_.clear();
  }
  statusSubject_ = {};
}

void InventoryView::showRecipeFor(uint16_t entry) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  const BookViewFields fields = views->bookView().fieldsForCraftEntry(entry);
  views->popToMainView();
  views->bookView().setFields(fields);
  views->push(ViewId::Book);
}

// The book lists no pages of its own: it always shows its default list.
bool InventoryView::craftBookPageHolds(uint16_t) { return false; }

// No rule of the game hides durability.
bool InventoryView::durabilityHidden() { return false; }

void InventoryView::showDropMarker(const engine::Vec2& position) {
  const float pitch = gridPitch();
  for (engine::Node* square : dropMarker_->getChildren()) {
    square->setContentSize(engine::Size(pitch, pitch));
    square->setPosition(engine::Vec2(-pitch / 2.0f, -pitch / 2.0f));
  }
  dropMarker_->setPosition(position);
  dropMarker_->setVisible(true);
}

void InventoryView::hideDropMarker() { dropMarker_->setVisible(false); }


void InventoryView::setPage(uint8_t page) {
  const uint8_t leaving = page_;
  // What the last choice did was said on the page left.
  status_.clear();
  statusSubject_ = {};
  page_ = page < kPageCount ? page : static_cast<uint8_t>(kBackpack);
  PlayerDesktopLocal* p = player();
  // The catalogue is the creative worlds' only.
  const bool creative = p != nullptr && p->world != nullptr && p->world->isCreative();
  if (page_ == kCatalogue && !creative) page_ = kBackpack;
  craftRows_.clear();
  list().select(0);
  hideItemTooltip();
  if (selected_ != nullptr) selected_->deselect();
  // A covered view builds its cells again when it is uncovered.
  const bool shown = !grid_.empty() || (root()->getParent() != nullptr && root()->isVisible());
  clearGrid();
  if (leaving == kCrafting && page_ != kCrafting) leaveCraftGrid();
  if (shown) buildGrid();
  refresh();
}

void InventoryView::listColumn(float& left, float& width) const {
  ListView::listColumn(left, width);
  const engine::Size window = uiWindowSize();
  const float cellsRight = kGridMargin + Inventory::kQuickSlots * gridPitch();
  left = std::max(left, cellsRight + kGridMargin);
  width = std::min(width, window.width - kGridMargin - left);
}

// The lines stand over the list, beside the cells: centred across the window, lines wrapped to the
// list's narrow column would run down over the quick row.
float InventoryView::linesCentre() const {
  float left = 0, width = 0;
  listColumn(left, width);
  return left + width / 2.0f;
}

bool InventoryView::ownKey(engine::KeyCode key, bool released) {
  if (!released && gridKey(key)) return true;
  if (isBound(kPaneAction, key)) {
    if (!released) setPage(page_ + 1 < kTabPages ? static_cast<uint8_t>(page_ + 1) : static_cast<uint8_t>(kBackpack));
    return true;
  }
  if (isBound(kInventoryAction, key)) {
    if (released) back();
    return true;
  }
  return false;
}

bool InventoryView::swapWithHeld(SlotRef slot) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) return false;
  Inventory& inventory = *p->inventory;
  if (inventory.selected() >= static_cast<uint32_t>(Inventory::kQuickSlots)) inventory.select(0);
  const SlotRef held{SlotKind::Quick, static_cast<uint8_t>(inventory.selected()), 0};
  if (!swapSlots(slot, held)) return false;
  status_ = "Holding " + itemLabel(inventory.slotItem(held)) + ".";
  return true;
}
