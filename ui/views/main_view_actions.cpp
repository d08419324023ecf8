// What the main view's buttons do to the pointed cell: mining over time, placing, using, asking
// to trade, throwing and shooting the held item, each through the game the view plays.
#include "ui/views/main_view.h"

#include <algorithm>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/fishing/fishing_catch.h"
#include "game/inventory/inventory.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_desktop.h"
#include "game/rules/block_use.h"
#include "game/rules/collar_capture.h"
#include "game/rules/held_item_placement.h"
#include "game/rules/item_placement_rules.h"
#include "game/rules/item_use_rules.h"
#include "game/rules/projectile_choice.h"
#include "platform/settings/settings.h"
#include "ui/hud/mining_bar.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/game_views.h"
#include "ui/views/placement_refusal.h"
#include "ui/views/throw_stack.h"
#include "view/main_layer.h"
#include "world/cells/block_flags.h"
#include "world/cells/map_block.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

// A shot leaves the hand at this speed times the ranged record's speed factor (1 for most): the
// factor is a factor, and taken as the speed itself a cast fell at the caster's feet.
constexpr float kShotSpeed = 8.0f;
constexpr uint8_t kEffectBlockHit = 10;  // chips, the block's hit sound and the tile's shake
constexpr uint8_t kEffectRefused = 13;   // the refusal mark over the cell
constexpr uint8_t kActionSwingFacing = 0;  // a swing, the body turned to the side the arg names
constexpr uint8_t kMessageWarning = 3;
constexpr const char* kOutOfReach = "That is out of reach.";
constexpr const char* kRodWantsBobber = "A fishing rod needs a bobber or a lure in the ammunition slot, under the craft grid.";
constexpr const char* kWantsAmmunition = "It needs its ammunition in the ammunition slot, under the craft grid.";

int64_t cellKey(const MapBlock& cell) { return (static_cast<int64_t>(cell.x) << 32) | static_cast<uint32_t>(cell.y); }

// The copy of a world point, across the world's seam, that lies nearest to `from`.
engine::Vec2 nearestCopyOf(engine::Vec2 point, const engine::Vec2& from, int32_t widthCells) {
  const float span = static_cast<float>(widthCells) * MainView::kCellPixels;
  if (span <= 0) return point;
  while (point.x - from.x > span / 2) point.x -= span;
  while (from.x - point.x > span / 2) point.x += span;
  return point;
}

}  // namespace

bool MainView::mine(MapBlock& cell) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || !p->canReach(cell, p->heldItem())) return false;
  const uint8_t layer = cell.frontId() != 0 ? MapBlock::kFront : MapBlock::kBack;
  if (block_word::id(cell.layerWord(layer)) == 0 || !session().cellRules().canBreakBlock(p, nullptr, cell)) return false;
  BlockEdit edit;
  edit.x = static_cast<uint16_t>(cell.x);
  edit.y = static_cast<uint16_t>(cell.y);
  edit.layer = layer;
  edit.kind = edit_kind::kBreakEffects;
  session().game().editBlock(edit);
  edit.kind = edit_kind::kRemoveLayer;
  edit.extra = 1;
  return session().game().editBlock(edit);
}

bool MainView::place(MapBlock& cell) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->world == nullptr || !inReach(cell)) return false;
  const Item* held = p->heldItem();
  if (held == nullptr || held->isNone()) return false;
  BlockEdit edit = placeHeldItemRule(*p->world, *p, cell, *held, true);
  if (edit.kind == placement_rule::kNoEdit) return false;
  edit.takeHeld = 1;
  return session().game().editBlock(edit);
}

bool MainView::use(MapBlock& cell) {
  if (!inReach(cell)) return false;
  return session().game().useBlock(cell, clickedLayer(cell));
}

// The shelf's place the pointer points at in the cell: 0 upper left, 1 upper right, 2 lower left,
// 3 lower right (a two-place shelf takes the side, a four-place one the quarter).
uint8_t MainView::shelfPlaceAt(const MapBlock& cell) const {
  const PlayerDesktopLocal* p = player();
  const engine::Vec2 centre(static_cast<float>(cell.x) * kCellPixels, static_cast<float>(cell.y) * kCellPixels);
  const int32_t width = p != nullptr && p->world != nullptr ? p->world->map().width() : 0;
  const engine::Vec2 at = nearestCopyOf(worldPointAt(pointer_), centre, width);
  const uint8_t right = at.x >= centre.x ? 1 : 0;
  const uint8_t lower = at.y < centre.y ? 2 : 0;  // rows grow upwards
  return static_cast<uint8_t>(right + lower);
}

// An item held against a shelf goes onto it; a flower pot is placed on it instead. True when the
// click was the shelf's: a refusal of the local game is told, a joined game's host answers itself.
bool MainView::putOnShelf(MapBlock& cell) {
  PlayerDesktopLocal* p = player();
  Item* held = p != nullptr ? p->heldItem() : nullptr;
  if (held == nullptr || held->isNone() || p->world == nullptr || !inReach(cell)) return false;
  if (!p->world->map().props()[cell.frontId()].has(block_flag::kShelf) ||
      placementWayOf(*p->world, *held) == PlacementWay::Decoration) {
    return false;
  }
  // A shelf takes an item from where it gives one back.
  if (!withinUseReach(*p, cell)) {
    refuseOnce(cell, kOutOfReach);
    return true;
  }
  GameInterface& game = session().game();
  if (!game.putItemOnShelf(cell, held, shelfPlaceAt(cell)) && game.hostRequests() == nullptr) {
    refuseOnce(cell, placement_refusal::kShelfHasNoRoom);
  } else {
    p->heldItemChanged(p->heldItem());
  }
  return true;
}

void MainView::selectQuickSlot(int slot) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) return;
  p->inventory->select(static_cast<uint32_t>(std::clamp(slot, 0, QuickSlots::kCount - 1)));
  p->heldItemChanged(p->heldItem());
}

bool MainView::throwHeld() {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr || p->inventory->selected() >= Inventory::kQuickSlots) return false;
  const SlotRef slot{SlotKind::Quick, static_cast<uint8_t>(p->inventory->selected()), 0};
  return throwSlotStack(session().game(), *p, slot, std::isnan(aim_) ? 0.0f : aim_);
}

bool MainView::shootHeld() {
  PlayerDesktopLocal* p = player();
  Item* held = p != nullptr ? p->heldItem() : nullptr;
  if (held == nullptr || held->isNone() || p->world == nullptr) return false;
  const uint8_t mode = p->world->isCreative() ? 1 : 0;
  // What spawns something is the rules' to allow first (an empty firework, the creative world's
  // mob limit): a refusal is told and the click fires nothing. A rod or a bow shoots what lies in
  // the ammunition slot and sets nothing loose itself, so the creative world's short list of
  // spawning items does not silence it.
  if (shotAsksSpawningRules(*held) &&
      !session().entityRules().useSpawningItem(mode, p, held, aim_)) {
    return true;
  }
  const Logic::ProjectileChoice choice = session().entityRules().projectileForItem(mode, p, held);
  if (choice.itemId < 0) {
    // Without what it shoots the click is the weapon's still: it says what is missing and where
    // that goes, rather than mining what the pointer is on.
    if (!firesFromAmmunitionSlot(*held)) return false;
    p->showMessage(kMessageWarning, fishingRodTier(held->id) >= 0 ? kRodWantsBobber : kWantsAmmunition);
    return true;
  }
  const engine::Vec2 towards = worldPointAt(pointer_) - p->position;
  const float length = std::hypot(towards.x, towards.y);
  const float speed = kShotSpeed * (choice.baseSpeed > 0 ? choice.baseSpeed : 1.0f);
  const engine::Vec2 aim = length > 0 ? towards * (speed / length) : engine::Vec2(speed, 0);
  const bool rod = fishingRodTier(held->id) >= 0;
  session().game().shoot(aim.x, aim.y);
  if (GameViews* views = gameViews(); rod && views != nullptr) views->push(ViewId::Fish);
  return true;
}

void MainView::primaryAction() {
  PlayerDesktopLocal* p = player();
  if (p == nullptr) return;
  pressShot_ = shootHeld();
  if (pressShot_) return;
  if (isSwingingItem(p->heldItem()) && swingTime_ < 0) startSwing(*p);
  // Empty hands also call the thrown toys near the pointer.
  const Item* held = p->heldItem();
  if (held == nullptr || held->isNone()) {
    const engine::Vec2 at = worldPointAt(pointer_);
    session().game().signalEntities(at.x, at.y);
  }
  mineStep(0.0f);
}

void MainView::startSwing(PlayerDesktopLocal& p) {
  swingDuration_ = paceOf(p.heldItem());
  swingTime_ = 0.0f;
  playSwingTowardsAim();
}

void MainView::playSwingTowardsAim() {
  const bool left = !std::isnan(aim_) && std::cos(aim_) < 0;
  session().game().playPlayerAction(kActionSwingFacing, left ? 1 : 0);
}

void MainView::mineStep(float dt) {
  PlayerDesktopLocal* p = player();
  MapBlock* cell = cellAt(pointer_);
  // Water, lava and acid are never mined, nor the wall behind them; a weapon swung where no front
  // block stands cuts the air, not the wall behind it.
  const bool openFront = cell != nullptr && cell->frontId() == 0;
  if (p == nullptr || cell == nullptr ||
      (openFront && (cell->backId() == 0 || cell->liquidKindBits() != 0 || itemKindOf(p->heldItem()) == item_kind::kWeapon))) {
    stopMining();
    return;
  }
  if (!p->canReach(*cell, p->heldItem())) {
    stopMining();
    refuseOnce(*cell, kOutOfReach);
    return;
  }
  if (!mining_.targets(cell->x, cell->y)) {
    // The rules say why a block cannot be broken (the tool it needs), once for this cell.
    const bool breakable = session().cellRules().canBreakBlock(p, nullptr, *cell);
    const float seconds = breakable ? BlockMining::secondsFor(p->breakTimeFor(*cell)) : -1.0f;
    mining_.start(cell->x, cell->y, seconds, paceOf(p->heldItem()));
    if (!breakable) session().game().playCellEffect(kEffectRefused, *cell);
  }
  const BlockMining::Step step = mining_.advance(dt);
  if (step.strike) {
    session().game().playCellEffect(kEffectBlockHit, *cell);
    // A weapon's own swing already moves the arm; anything else swings with each strike.
    if (!isSwingingItem(p->heldItem()) || swingTime_ < 0) playSwingTowardsAim();
    if (!step.broken && mining_.breakable()) runStrikeEffect(*cell, *p);
  }
  if (step.broken) {
    miningBar_->hide();
    mine(*cell);
    return;
  }
  if (!mining_.breakable()) {
    miningBar_->hide();
    return;
  }
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const engine::Vec2 centre(static_cast<float>(cell->x) * kCellPixels, static_cast<float>(cell->y) * kCellPixels);
  miningBar_->show(windowPointOf(nearestCopyOf(centre, p->position, p->world->map().width())), kCellPixels * scale,
                   mining_.progress());
}

// A block that gives way under a blow without breaking may answer it (a mob nest shakes the
// screen); the blow lands on the front block, or the back one where there is none.
void MainView::runStrikeEffect(MapBlock& cell, PlayerDesktopLocal& p) {
  const uint16_t id = cell.frontId() != 0 ? cell.frontId() : cell.backId();
  const auto& strike = contentTables().blockDefs[id].strikeEffect;
  if (strike && p.world != nullptr) strike(&cell, &p, *p.world);
}

void MainView::stopMining() {
  mining_.cancel();
  if (miningBar_ != nullptr) miningBar_->hide();
}

void MainView::refuseOnce(const MapBlock& cell, const char* text) {
  const int64_t key = cellKey(cell);
  if (refusedCell_ == key) return;
  refusedCell_ = key;
  if (PlayerDesktopLocal* p = player()) p->showMessage(kMessageWarning, text);
}

// Right-clicking another player of a networked game asks that player to trade.
bool MainView::askToTrade(const MapBlock& cell) {
  const MainLayer* drawnOn = layer();
  PlayerBase* other = drawnOn != nullptr ? drawnOn->remotePlayerOn(cell) : nullptr;
  if (other == nullptr) return false;
  session().game().requestTrade(other);
  return true;
}

void MainView::secondaryAction() {
  MapBlock* cell = cellAt(pointer_);
  PlayerDesktopLocal* p = player();
  if (p != nullptr && captureWithCollar(*p, session().game(), worldPointAt(pointer_))) return;
  if (cell == nullptr || p == nullptr || askToTrade(*cell)) return;
  // One click, one reason: what the rules said of it is the reason, and the view adds none.
  const uint32_t told = p->refusalsShown();
  if (use(*cell) || putOnShelf(*cell)) return;
  if (p->world != nullptr && inReach(*cell) && useWaitsForNearness(*p->world, *cell, clickedLayer(*cell), *p)) {
    // The click is the block's (a door, a lever two cells away): nothing is placed in its stead.
    if (p->refusalsShown() == told) refuseOnce(*cell, placement_refusal::kStandNextToIt);
    return;
  }
  if (place(*cell)) {
    // The held button goes on placing at its pace: the cell it has just filled is no refusal.
    refusedCell_ = cellKey(*cell);
    return;
  }
  const Item* held = p->heldItem();
  if (held == nullptr || held->isNone() || p->refusalsShown() != told) return;
  if (!inReach(*cell)) {
    refuseOnce(*cell, kOutOfReach);
  } else {
    refuseOnce(*cell, placementRefusal(*p->world, *cell, *held, p->occupiesCell(*cell)));
  }
}
