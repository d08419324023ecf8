#include "view/inventory/inventory_sprite.h"

#include <string>

#include "content/art/interface_layout.h"
#include "content/art/item_atlas_layout.h"
#include "content/art/item_icon_of.h"
#include "content/format/record_layout.h"
#include "content/items/item.h"
#include "content/loader/game_tables_loader.h"
#include "content/potions/potion_table.h"
#include "content/tables/item_def.h"
#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "game/inventory/inventory.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player.h"
#include "platform/settings/settings.h"
#include "view/inventory/inventory_view_hooks.h"
#include "view/inventory/layout_box.h"
#include "view/inventory/overlay_art.h"
#include "view/labels/label_makers.h"

namespace {

using engine::Rect;
using engine::Vec2;

constexpr Rect kHighlightRects[] = {art::kHighlightFrame, art::kHighlightFrameStrong};
constexpr uint16_t kMarkedVariantItems[] = {1870, 1934, 1998, 2062};
constexpr int kIconZ = 60, kCountZ = 60, kMarkZ = 10, kBarZ = 55, kOutlineZ = 100, kHighlightZ = 80;
// A count's digits keep this many frame pixels from the frame's right and lower edges (its border).
constexpr float kCountInset = 2.0f;
// The tiny font's digits stand on its baseline, two of its pixels above the label's foot.
constexpr float kCountFoot = 2.0f;
// A preview is drawn at a little over half strength, so it reads as not yet there.
constexpr uint8_t kPreviewOpacity = 140;
// A slot frame's rim: the selected frame's gold is two pixels wide.
constexpr float kFrameRim = 2.0f;

// Where the marker frame and the durability bar sit, by the quickslotDurabilityAnchor option.
enum AnchorBits : uint32_t { kAnchorUp = 1, kAnchorDown = 2, kAnchorLeft = 4, kAnchorRight = 8 };

uint32_t durabilityAnchor() { return static_cast<uint32_t>(kel::options().quickslotDurabilityAnchor); }

// Kinds whose modifier shows as a mark: tools, weapons and everything worn.
bool showsModifier(uint8_t kind) {
  return kind == item_kind::kTool || kind == item_kind::kWeapon || (kind >= 10 && kind <= 14);
}

// The variant mark of items that carry one, -1 for the others.
int variantMarkOf(const Item& item) {
  for (size_t i = 0; i < std::size(kMarkedVariantItems); ++i) {
    if (item.id == kMarkedVariantItems[i]) return static_cast<int>(i);
  }
  if (isPotionItem(item.id)) return static_cast<int>(item.word & 3);
  return -1;
}

// Takes a piece off the screen and lets go of it.
template <class N>
void dropPiece(engine::RefPtr<N>& piece) {
  if (piece == nullptr) return;
  if (piece->getParent() != nullptr) piece->removeFromParentAndCleanup();
  piece = nullptr;
}

}  // namespace

InventorySprite* InventorySprite::create(Player* player, const Rect& rect, const Vec2& position,
                                         const LayoutBox* layout) {
  // Without the atlas the cell draws nothing but still keeps and edits its slot.
  auto* sprite = new InventorySprite();
  if (!sprite->initWithTexture(overlay_art::interfaceTexture(), rect)) {
    delete sprite;
    return nullptr;
  }
  sprite->autorelease();
  sprite->layout_ = layout;
  sprite->player_ = player;
  sprite->setScale(overlay_art::uiScale());
  sprite->setPosition(layout != nullptr ? layoutPoint(*layout, position) : position);
  return sprite;
}

InventorySprite* InventorySprite::createForSlot(Player* player, SlotRef slot, const Vec2& position,
                                                const LayoutBox* layout) {
  const SlotKindRow* row = slotKindRow(slot.kind);
  if (row == nullptr) return nullptr;
  InventorySprite* sprite = create(player, Rect(), position, layout);
  if (sprite == nullptr) return nullptr;
  sprite->slotKind_ = row;
  sprite->slot_ = slot;
  sprite->state_ = row->normalId;
  sprite->updateState(false);
  if (sprite->slotItem() != nullptr) sprite->refreshCount(true);
  return sprite;
}

InventorySprite::~InventorySprite() { removePieces(); }

void InventorySprite::detach() {
  removePieces();
  if (getParent() != nullptr) removeFromParentAndCleanup();
}

Inventory* InventorySprite::inventory() const {
  return player_ != nullptr ? player_->inventory.get() : nullptr;
}

Item* InventorySprite::slotItem() const {
  Inventory* items = inventory();
  if (items == nullptr || slot_.isNone()) return nullptr;
  Item* item = items->slotItem(slot_);
  return item != nullptr && !item->isNone() ? item : nullptr;
}

engine::InnerNode* InventorySprite::piecesParent(engine::InnerNode* preferred) const {
  if (preferred != nullptr) return preferred;
  engine::Node* parent = const_cast<InventorySprite*>(this)->getParent();
  return parent != nullptr && parent->isInnerNode() ? static_cast<engine::InnerNode*>(parent) : nullptr;
}

void InventorySprite::removePieces() {
  dropPiece(icon_);
  dropPiece(countLabel_);
  dropPiece(mark_);
  dropPiece(outline_);
  dropPiece(durabilityBar_);
  dropPiece(marker_);
  dropPiece(highlightFrame_);
}

// ---- What it shows ----

void InventorySprite::refreshCount(bool quiet) {
  dropPiece(icon_);
  dropPiece(countLabel_);
  dropPiece(mark_);
  dropPiece(outline_);
  if (isQuickSlot()) {
    dropPiece(durabilityBar_);
    dropPiece(marker_);
  }
  if (slot_.kind == SlotKind::Backpack && kel::options().highlightNewItems &&
      inventoryViewHooks().isNewItemCell(slot_)) {
    addNewItemFrame();
  }
  const Item* item = slotItem();
  if (item == nullptr) {
    if (!isQuickSlot() && isSelected()) deselect();
    addPreview();
  } else if (item->count > 0) {
    addIcon(*item);
    if (item->count > 1) addCount(*item);
    updateDurabilityBar();
    updateOutline();
  }
  updateHighlight();
  if (item != nullptr) addMark(*item);
  // Told last: a follower may draw every cell again, this one among them, and must find its pieces
  // whole rather than half rebuilt (an icon added twice would stay behind).
  if (!quiet) tellFollowers();
}

void InventorySprite::tellFollowers() {
  InventoryViewHooks& view = inventoryViewHooks();
  switch (slot_.kind) {
    case SlotKind::Equipment:
    case SlotKind::Equipment2:
      view.refreshEquipment(slot_.kind == SlotKind::Equipment2, slot_.x);
      break;
    case SlotKind::CraftGrid:
    case SlotKind::Single:
      view.refreshCraftPreview();
      break;
    case SlotKind::EntityItem:
      if (player_ != nullptr && player_->openContainer() != nullptr) view.refreshContainerPanel();
      break;
    default:
      break;
  }
}

void InventorySprite::addNewItemFrame() {
  engine::Texture2D* texture = overlay_art::interfaceTexture();
  if (texture != nullptr) setTextureRect(art::kNewItemFrame);
}

void InventorySprite::addIcon(const Item& item) {
  icon_ =
      engine::Sprite::createWithTextureRect(overlay_art::iconTexture(), art::itemIconRectOf(item));
  if (icon_ == nullptr) return;
  icon_->setPosition(getPosition());
  icon_->setScale(getScale());
  if (engine::InnerNode* parent = piecesParent(overlay_art::iconBatch())) {
    parent->addChild(icon_, kIconZ);
  }
}

void InventorySprite::addPreview() {
  if (preview_.id == 0xFFFF) return;
  const Item shown(preview_.id, preview_.variant, preview_.count, -1, 0);
  addIcon(shown);
  // Faded: it is not in the slot yet.
  if (icon_ != nullptr) icon_->setOpacity(kPreviewOpacity);
  if (shown.count <= 1) return;
  addCount(shown);
  if (countLabel_ != nullptr) countLabel_->setOpacity(kPreviewOpacity);
}

void InventorySprite::addCount(const Item& item) {
  countLabel_ = makeTinyLabel(std::to_string(item.count), getPosition());
  if (countLabel_ == nullptr) return;
  // The digits sit in the frame's lower right corner, inside its border: the tiny label's own
  // corner lies below the frames of most cells and would draw the digits over the frame.
  const engine::Size frame = getTextureRect().size;
  if (frame.width > 0 && frame.height > 0) {
    const float s = getScale();
    countLabel_->setPosition(getPosition() +
                             Vec2((frame.width / 2 - kCountInset) * s, -(frame.height / 2 - kCountInset + kCountFoot) * s));
  }
  if (engine::InnerNode* parent = piecesParent(overlay_art::overlayNode())) {
    parent->addChild(countLabel_, kCountZ, kCountTag);
  }
}

void InventorySprite::addMark(const Item& item) {
  const float s = getScale();
  const ItemDef* def = item.definition();
  const uint8_t kind = def != nullptr ? def->record.kind() : item_kind::kUnknown;
  Rect rect;
  Vec2 offset(-6 * s, 6 * s);
  const int variantMark = variantMarkOf(item);
  if (item.modifier() != 0 && showsModifier(kind)) {
    rect = art::uiSpriteRect(art::kModifierMarkSprite, item.modifier());
  } else if (variantMark >= 0) {
    rect = art::uiSpriteRect(art::kVariantMarkSprite, static_cast<uint32_t>(variantMark));
  } else if (slot_.kind == SlotKind::Catalogue && inventoryViewHooks().craftBookPageHolds(item.id)) {
    rect = art::kBookPageMark;
  } else if (const MobItemRow* mob = gameTables().mobItems.forItem(item.id);
             mob != nullptr && mob->sex < art::kMobItemMarks.size()) {
    // A carried animal shows its sex (or that it has none) in the cell's lower right.
    rect = art::kMobItemMarks[mob->sex];
    offset = Vec2(5 * s, -6 * s);
  } else {
    return;
  }
  mark_ = overlay_art::interfaceSprite(rect, getPosition() + offset);
  if (mark_ == nullptr) return;
  mark_->setScale(s);
  if (engine::InnerNode* parent = piecesParent(overlay_art::overlayNode())) {
    parent->addChild(mark_, kMarkZ, isQuickSlot() ? kQuickMarkTag : kMarkTag);
  }
}

Vec2 InventorySprite::markerCorner() const {
  // Half the slot's frame less its rim and half the marker's width: the marker and its bar lie
  // inside the frame's rim along that side (a selected slot's gold shows all round), never over
  // the gap between two slots.
  const float reach = (10 - kFrameRim - art::kQuickSlotMarkerSelected.size.width / 2) * getScale();
  Vec2 corner = getPosition();
  switch (durabilityAnchor()) {
    case kAnchorLeft: corner.x -= reach; break;
    case kAnchorRight: corner.x += reach; break;
    case kAnchorDown: corner.y -= reach; break;
    case kAnchorUp: corner.y += reach; break;
    default: break;
  }
  return corner;
}

void InventorySprite::showMarkerFrame() {
  const Rect& rect = state_ == slotKind_->normalId ? art::kQuickSlotMarkerSelected : art::kQuickSlotMarkerOther;
  if (marker_ == nullptr) {
    marker_ = overlay_art::interfaceSprite(rect, markerCorner());
    if (marker_ == nullptr) return;
    // As long as the inside of the rim, where the bar lies.
    marker_->setScaleY(marker_->getScaleY() * (rect.size.height - 2 * kFrameRim) / rect.size.height);
    const uint32_t anchor = durabilityAnchor();
    if (anchor == kAnchorRight) marker_->setScaleX(-marker_->getScaleX());
    if (anchor == kAnchorDown) marker_->setRotation(-90);
    if (anchor == kAnchorUp) marker_->setRotation(90);
    if (engine::InnerNode* parent = piecesParent(overlay_art::overlayNode())) {
      parent->addChild(marker_, kBarZ - 1);
    }
  } else {
    marker_->setTextureRect(rect);
  }
}

void InventorySprite::updateState(bool noBar) {
  if (slotKind_ == nullptr) return;
  setTextureRect(art::slotFrameRect(static_cast<uint8_t>(slot_.kind), state_ == slotKind_->normalId));
  if (!isQuickSlot()) return;
  const Item* item = slotItem();
  const bool barShown = durabilityBar_ == nullptr || durabilityBar_->isVisible();
  if (item != nullptr && item->durability != 0 && !noBar && !inventoryViewHooks().durabilityHidden() &&
      barShown) {
    showMarkerFrame();
  } else {
    dropPiece(marker_);
  }
}

void InventorySprite::updateDurabilityBar() {
  if (!isQuickSlot()) return;
  dropPiece(durabilityBar_);
  dropPiece(marker_);
  const Item* item = slotItem();
  if (item == nullptr || inventoryViewHooks().durabilityHidden() || !isSwingingItem(item)) return;
  const uint16_t maximum = item->maxDurability();
  if (maximum == 0) return;
  const Rect bar = art::durabilityBarRect(item->durability, maximum);
  durabilityBar_ = overlay_art::interfaceSprite(bar, markerCorner());
  if (durabilityBar_ == nullptr) return;
  // In the middle of the marker's well, which is as long as the bar and a pixel wider each side.
  const uint32_t anchor = durabilityAnchor();
  if (anchor == kAnchorUp || anchor == kAnchorDown) durabilityBar_->setRotation(anchor == kAnchorUp ? 90 : -90);
  if (engine::InnerNode* parent = piecesParent(overlay_art::overlayNode())) {
    parent->addChild(durabilityBar_, kBarZ);
  }
  updateState(false);
}

void InventorySprite::updateOutline() {
  if (!kel::options().showOutlinesInventory) return;
  if (slot_.kind != SlotKind::Backpack && slot_.kind != SlotKind::Chest) return;
  dropPiece(outline_);
  const Item* item = slotItem();
  const ItemDef* def = item != nullptr ? item->definition() : nullptr;
  const uint8_t outline = def != nullptr ? def->record.u8(content::item_record::outlineSprite) : 0;
  if (outline == 0) return;
  const float s = getScale();
  const Rect rect = art::uiSpriteRect(static_cast<uint16_t>(art::kOutlineSpriteBase + outline), 0);
  outline_ = overlay_art::interfaceSprite(rect, getPosition() + Vec2(-7 * s, -7 * s));
  if (outline_ == nullptr) return;
  if (engine::InnerNode* parent = piecesParent(overlay_art::overlayNode())) {
    parent->addChild(outline_, kOutlineZ);
  }
}

void InventorySprite::setHighlighted(bool on) {
  highlighted_ = on;
  highlightKind_ = on ? 1 : 0;
  updateHighlight();
}

void InventorySprite::setHighlightKind(uint32_t kind) {
  highlightKind_ = kind <= 2 ? kind : 0;
  highlighted_ = highlightKind_ != 0;
  dropPiece(highlightFrame_);
  updateHighlight();
}

void InventorySprite::updateHighlight() {
  if (highlightKind_ == 0) {
    dropPiece(highlightFrame_);
    return;
  }
  if (highlightFrame_ != nullptr) return;
  const Vec2 at = icon_ != nullptr ? icon_->getPosition() : getPosition();
  highlightFrame_ = overlay_art::interfaceSprite(kHighlightRects[highlightKind_ - 1], at);
  if (highlightFrame_ == nullptr) return;
  if (engine::InnerNode* parent = piecesParent(overlay_art::overlayNode())) {
    parent->addChild(highlightFrame_, kHighlightZ, kHighlightTag);
  }
}

void InventorySprite::refresh() {
  refreshCount(false);
  if (slot_.kind == SlotKind::AlchemyLab) inventoryViewHooks().refreshOpenWindow();
}

void InventorySprite::refreshAndRelayout() {
  refresh();
  syncSlot();
}

void InventorySprite::syncSlot() {
  const SlotKind kind = slot_.kind;
  if (kind != SlotKind::Chest && kind != SlotKind::EntityFirst && kind != SlotKind::EntityItem &&
      kind != SlotKind::AlchemyLab) {
    return;
  }
  if (Inventory* items = inventory()) items->refreshSlot(slot_);
}

// ---- Selection ----

bool InventorySprite::isSelected() const {
  return slotKind_ != nullptr && state_ == slotKind_->selectedId;
}

void InventorySprite::select() {
  InventoryViewHooks& view = inventoryViewHooks();
  if (engine::InnerNode* hud = overlay_art::hudLayer()) {
    for (engine::Node* child : hud->getChildren()) {
      auto* other = dynamic_cast<InventorySprite*>(child);
      if (other == nullptr || other == this || !other->isSelected()) continue;
      other->state_ = other->slotKind_->normalId;
      other->refreshCount(true);
      other->updateState(false);
    }
  }
  if (slotKind_ == nullptr) return;
  state_ = slotKind_->selectedId;
  updateState(false);
  view.setSelectedSprite(this);
  view.clearNewItemCell(slot_);
}

void InventorySprite::deselect() {
  if (slotKind_ == nullptr) return;
  state_ = slotKind_->normalId;
  updateState(false);
  refresh();
  InventoryViewHooks& view = inventoryViewHooks();
  if (view.selectedSprite() == this) view.setSelectedSprite(nullptr);
}
