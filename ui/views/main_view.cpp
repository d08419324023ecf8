#include "ui/views/main_view.h"
#include "ui/views/placement_refusal.h"

#include <algorithm>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/scheduler.h"
#include "game/combat/melee_swing.h"
#include "game/fishing/fishing_catch.h"
#include "game/inventory/inventory.h"
#include "game/inventory/item_kinds.h"
#include "game/rules/collar_capture.h"
#include "game/player/player_body.h"
#include "game/player/player_desktop.h"
#include "game/rules/flower_pot_rule.h"
#include "game/rules/item_placement_rules.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "game/session/running_world.h"
#include "platform/platform.h"
#include "platform/settings/settings.h"
#include "ui/hud/hud.h"
#include "ui/hud/mining_bar.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/cell_highlight.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view_controls.h"
#include "ui/views/throw_stack.h"
#include "ui/widgets/ui_draw.h"
#include "view/console/console_node.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/item_tooltip.h"
#include "view/main_layer.h"
#include "world/cells/map_block.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr float kCellPixels = 30.0f;
constexpr float kDefaultPace = 0.25f;  // seconds between the actions of a held button
constexpr float kShotSpeed = 8.0f;   // for a projectile whose record gives no speed
constexpr uint8_t kEffectBlockHit = 10;  // chips, the block's hit sound and the tile's shake
constexpr uint8_t kEffectRefused = 13;   // the refusal mark over the cell
constexpr uint8_t kActionSwingFacing = 0;  // a swing, the body turned to the side the arg names
constexpr uint8_t kMessageWarning = 3;
constexpr const char* kOutOfReach = "That is out of reach.";
// Blocks of these transparency classes hang on a cell as its decorations.
constexpr uint8_t kFirstDecorationClass = 2;
constexpr uint8_t kLastDecorationClass = 3;

int64_t cellKey(const MapBlock& cell) { return (static_cast<int64_t>(cell.x) << 32) | static_cast<uint32_t>(cell.y); }

// The key binding actions of play.
enum BindingAction : uint32_t {
  kMoveUp = 0, kMoveDown, kMoveLeft, kMoveRight, kJump, kPause, kInventory, kBook, kMap, kChat, kThrow,
};

bool isBound(uint32_t action, engine::KeyCode key) {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr && platform->keyForAction(action) == static_cast<uint32_t>(key);
}

// The pace of a held button with the item: its use interval, within reason.
float paceOf(const Item* item) {
  if (item == nullptr || item->isNone()) return kDefaultPace;
  return std::clamp(item->useInterval(nullptr), 0.1f, 1.0f);
}

SwingTargets* swingTargets() {
  auto* rules = dynamic_cast<LocalLogic*>(&currentLogic());
  return rules != nullptr ? dynamic_cast<SwingTargets*>(&rules->entities()) : nullptr;
}

// The body's place in the world, turned towards the aim.
engine::Mat4 swingTransform(const engine::Vec2& position, float aim) {
  engine::Mat4 m;
  const float angle = std::isnan(aim) ? 0.0f : aim;
  m.m[0] = std::cos(angle);
  m.m[1] = std::sin(angle);
  m.m[4] = -std::sin(angle);
  m.m[5] = std::cos(angle);
  m.m[12] = position.x;
  m.m[13] = position.y;
  return m;
}

// The copy of a world point, across the world's seam, that lies nearest to `from`.
engine::Vec2 nearestCopyOf(engine::Vec2 point, const engine::Vec2& from, int32_t widthCells) {
  const float span = static_cast<float>(widthCells) * kCellPixels;
  if (span <= 0) return point;
  while (point.x - from.x > span / 2) point.x -= span;
  while (from.x - point.x > span / 2) point.x += span;
  return point;
}

// The held item makes a block that hangs on a cell as a decoration.
bool placesDecoration(const World& world, const Item& item) {
  const ItemDef* def = item.definition();
  const uint16_t block = def != nullptr ? def->record.placesBlock() : 0;
  if (block == 0) return false;
  const uint8_t transparency = world.map().props()[block].transparency;
  return transparency >= kFirstDecorationClass && transparency <= kLastDecorationClass;
}

}  // namespace

MainView::MainView() : GameView(ViewId::Main, false) {
  setControls(std::make_unique<MainControlsDesktop>(this));
  hud_ = std::make_unique<Hud>(root());
  miningBar_ = std::make_unique<MiningBar>(root());
}

MainView::~MainView() {
  // At the end of the run the director may be gone before the views.
  if (scheduled_ && engine::Director::hasInstance()) engine::Director::getInstance()->getScheduler()->unscheduleUpdate(this);
}

PlayerDesktopLocal* MainView::player() { return runningWorld().player.get(); }

void MainView::enter() {
  if (!scheduled_) {
    engine::Director::getInstance()->getScheduler()->schedulePerFrame([this](float dt) { frame(dt); }, this, false);
    scheduled_ = true;
  }
  refreshCamera();
  GameView::enter();
}

void MainView::exit() {
  pause();
  // The game may be ending: no sprite outlives the player whose slots it shows.
  hud_->quickSlots().clear();
  if (scheduled_ && engine::Director::hasInstance()) engine::Director::getInstance()->getScheduler()->unscheduleUpdate(this);
  scheduled_ = false;
  GameView::exit();
}

void MainView::pause() {
  showCellHighlight(nullptr, nullptr);
  if (tooltipShown_) hideItemTooltip();
  tooltipShown_ = false;
  pressed_.reset();
  held_[0] = held_[1] = false;
  swingTime_ = -1.0f;
  stopMining();
  if (PlayerDesktopLocal* p = player()) p->releaseAllKeys();
}

void MainView::layOut() {
  if (tooltipShown_) hideItemTooltip();
  tooltipShown_ = false;
  hud_->layOut();
  refreshCamera();
}

void MainView::refreshCamera() {
  if (PlayerDesktopLocal* p = player()) hud_->update(*p);
}

ConsoleNode* MainView::console() {
  MainLayer* layer = MainLayer::current();
  return layer != nullptr ? layer->console() : nullptr;
}

void MainView::addMessage(const std::string& text, uint8_t kind) {
  if (ConsoleNode* lines = console()) lines->addMessage(text, kind);
}

void MainView::frame(float dt) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->world == nullptr) return;
  GameViews* views = gameViews();
  if (views != nullptr && views->current() == this) {
    if (held_[0]) mineStep(dt);
    if (held_[1]) {
      repeat_[1] -= dt;
      if (repeat_[1] <= 0) {
        repeat_[1] = paceOf(p->heldItem());
        secondaryAction();
      }
    }
    swing(*p, dt);
    MapBlock* cell = cellAt(pointer_);
    showPointedCell(*p, cell, cell != nullptr && inReach(*cell));
  }
  hud_->update(*p);
}

void MainView::swing(PlayerDesktopLocal& p, float dt) {
  if (swingTime_ < 0 || p.meleeSwing == nullptr) return;
  SwingTargets* targets = swingTargets();
  swingTime_ += dt;
  SwingPose pose;
  pose.animating = swingTime_ <= swingDuration_;
  pose.elapsed = swingTime_;
  pose.duration = swingDuration_;
  pose.acting = held_[0];
  pose.transform = swingTransform(p.position, aim_);
  if (targets != nullptr) p.meleeSwing->update(p, pose, *targets);
  if (pose.animating) return;
  // A held button swings again.
  swingTime_ = -1.0f;
  if (held_[0] && isSwingingItem(p.heldItem())) startSwing(p);
}

engine::Vec2 MainView::worldPointAt(const engine::Vec2& point) const {
  const PlayerDesktopLocal* p = player();
  const engine::Size window = uiWindowSize();
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const engine::Vec2 centre(window.width / 2.0f, window.height / 2.0f);
  const engine::Vec2 origin = p != nullptr ? p->position : engine::Vec2();
  return origin + (point - centre) * (1.0f / scale);
}

engine::Vec2 MainView::windowPointOf(const engine::Vec2& world) const {
  const PlayerDesktopLocal* p = player();
  const engine::Size window = uiWindowSize();
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const engine::Vec2 origin = p != nullptr ? p->position : engine::Vec2();
  return engine::Vec2(window.width / 2.0f, window.height / 2.0f) + (world - origin) * scale;
}

MapBlock* MainView::cellAt(const engine::Vec2& point) const {
  const PlayerDesktopLocal* p = player();
  if (p == nullptr || p->world == nullptr) return nullptr;
  const engine::Vec2 world = worldPointAt(point);
  WorldMap& map = p->world->map();
  int32_t x = static_cast<int32_t>(std::floor(world.x / kCellPixels + 0.5f));
  const int32_t y = static_cast<int32_t>(std::floor(world.y / kCellPixels + 0.5f));
  if (map.width() > 0) x = ((x % map.width()) + map.width()) % map.width();
  return map.cellAt(x, y);
}

bool MainView::inReach(const MapBlock& cell) const {
  const PlayerDesktopLocal* p = player();
  if (p == nullptr || p->world == nullptr) return false;
  const int32_t width = p->world->map().width();
  int32_t dx = std::abs(static_cast<int32_t>(cell.x) - static_cast<int32_t>(p->cellX));
  if (width > 0) dx = std::min(dx, width - dx);
  const int32_t dy = static_cast<int32_t>(cell.y) - static_cast<int32_t>(p->cellY);
  return static_cast<float>(dx * dx + dy * dy) <= kReachCells * kReachCells;
}

bool MainView::mine(MapBlock& cell) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || !p->canReach(cell, p->heldItem())) return false;
  const uint8_t layer = cell.frontId() != 0 ? MapBlock::kFront : MapBlock::kBack;
  if (block_word::id(cell.layerWord(layer)) == 0 || !currentLogic().canBreakBlock(p, nullptr, cell)) return false;
  BlockEdit edit;
  edit.x = static_cast<uint16_t>(cell.x);
  edit.y = static_cast<uint16_t>(cell.y);
  edit.layer = layer;
  edit.kind = edit_kind::kBreakEffects;
  currentGame().editBlock(edit);
  edit.kind = edit_kind::kRemoveLayer;
  edit.extra = 1;
  return currentGame().editBlock(edit);
}

bool MainView::place(MapBlock& cell) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->world == nullptr || !inReach(cell)) return false;
  const Item* held = p->heldItem();
  if (held == nullptr || held->isNone()) return false;
  BlockEdit edit;
  edit.kind = placement_rule::kNoEdit;
  if (placesDecoration(*p->world, *held)) {
    // A decoration hangs on the cell (a flower pot on an empty shelf); its rule says why it cannot.
    edit = checkFlowerPotPlacement(*p->world, *p, cell, *held);
  } else {
    // The front layer first, as a click aimed at the cell means; the back when the front refuses.
    edit = placeHeldBlockRule(*p->world, *p, cell, *held);
  }
  if (edit.kind == placement_rule::kNoEdit) return false;
  edit.takeHeld = 1;
  return currentGame().editBlock(edit);
}

bool MainView::use(MapBlock& cell) {
  if (!inReach(cell) || block_word::id(cell.front) == 0) return false;
  return currentGame().useBlock(cell.front);
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
  return throwSlotStack(*p, slot, std::isnan(aim_) ? 0.0f : aim_);
}

bool MainView::shootHeld() {
  PlayerDesktopLocal* p = player();
  Item* held = p != nullptr ? p->heldItem() : nullptr;
  if (held == nullptr || held->isNone() || p->world == nullptr) return false;
  const Logic::ProjectileChoice choice = currentLogic().projectileForItem(p->world->isCreative() ? 1 : 0, p, held);
  if (choice.itemId < 0) return false;
  const engine::Vec2 towards = worldPointAt(pointer_) - p->position;
  const float length = std::hypot(towards.x, towards.y);
  const float speed = choice.baseSpeed > 0 ? choice.baseSpeed : kShotSpeed;
  const engine::Vec2 aim = length > 0 ? towards * (speed / length) : engine::Vec2(speed, 0);
  const bool rod = fishingRodTier(held->id) >= 0;
  currentGame().shoot(aim.x, aim.y, 0, 0);
  if (GameViews* views = gameViews(); rod && views != nullptr) views->push(ViewId::Fish);
  return true;
}

void MainView::primaryAction() {
  PlayerDesktopLocal* p = player();
  if (p == nullptr) return;
  if (shootHeld()) return;
  if (isSwingingItem(p->heldItem()) && swingTime_ < 0) startSwing(*p);
  // Empty hands also call the thrown toys near the pointer.
  const Item* held = p->heldItem();
  if (held == nullptr || held->isNone()) {
    const engine::Vec2 at = worldPointAt(pointer_);
    currentGame().signalEntities(at.x, at.y);
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
  currentGame().playPlayerAction(kActionSwingFacing, left ? 1 : 0);
}

void MainView::mineStep(float dt) {
  PlayerDesktopLocal* p = player();
  MapBlock* cell = cellAt(pointer_);
  if (p == nullptr || cell == nullptr || (cell->frontId() == 0 && cell->backId() == 0)) {
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
    const bool breakable = currentLogic().canBreakBlock(p, nullptr, *cell);
    const float seconds = breakable ? BlockMining::secondsFor(p->breakTimeFor(*cell)) : -1.0f;
    mining_.start(cell->x, cell->y, seconds, paceOf(p->heldItem()));
    if (!breakable) currentGame().playCellEffect(kEffectRefused, *cell);
  }
  const BlockMining::Step step = mining_.advance(dt);
  if (step.strike) {
    currentGame().playCellEffect(kEffectBlockHit, *cell);
    // A weapon's own swing already moves the arm; anything else swings with each strike.
    if (!isSwingingItem(p->heldItem()) || swingTime_ < 0) playSwingTowardsAim();
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
  const MainLayer* layer = MainLayer::current();
  PlayerBase* other = layer != nullptr ? layer->remotePlayerOn(cell) : nullptr;
  if (other == nullptr) return false;
  currentGame().requestTrade(other);
  return true;
}

void MainView::secondaryAction() {
  MapBlock* cell = cellAt(pointer_);
  PlayerDesktopLocal* p = player();
  if (p != nullptr && captureWithCollar(*p, currentGame(), worldPointAt(pointer_))) return;
  if (cell == nullptr || p == nullptr || askToTrade(*cell) || use(*cell)) return;
  if (place(*cell)) {
    // The held button goes on placing at its pace: the cell it has just filled is no refusal.
    refusedCell_ = cellKey(*cell);
    return;
  }
  const Item* held = p->heldItem();
  if (held == nullptr || held->isNone()) return;
  if (!inReach(*cell)) {
    refuseOnce(*cell, kOutOfReach);
  } else {
    refuseOnce(*cell, placementRefusal(*p->world, *cell, *held, p->occupiesCell(*cell)));
  }
}

void MainView::mouseMoved(const engine::Vec2& point) {
  pointer_ = point;
  showQuickSlotTooltip(point);
  const PlayerDesktopLocal* p = player();
  if (p == nullptr) return;
  const engine::Vec2 towards = worldPointAt(point) - p->position;
  aim_ = std::atan2(towards.y, towards.x);
}

void MainView::showQuickSlotTooltip(const engine::Vec2& point) {
  const int slot = hud_->quickSlots().slotAt(point);
  const InventorySprite* sprite = slot >= 0 ? hud_->quickSlots().sprite(slot) : nullptr;
  const Item* item = sprite != nullptr ? sprite->slotItem() : nullptr;
  if (item != nullptr) {
    showItemTooltip(*item, sprite->getPosition() + engine::Vec2(0, sprite->getBoundingBox().size.height / 2.0f));
    tooltipShown_ = true;
  } else if (tooltipShown_) {
    hideItemTooltip();
    tooltipShown_ = false;
  }
}

void MainView::mouseButton(const engine::Vec2& point, int button, bool released) {
  mouseMoved(point);
  if (!released && button == kel::MOUSE_BUTTON_LEFT) {
    const int slot = hud_->quickSlots().slotAt(point);
    if (slot >= 0) {
      selectQuickSlot(slot);
      return;
    }
  }
  if (button != kel::MOUSE_BUTTON_LEFT && button != kel::MOUSE_BUTTON_RIGHT) return;
  const int index = button == kel::MOUSE_BUTTON_LEFT ? 0 : 1;
  held_[index] = !released;
  repeat_[index] = 0.0f;
  if (released && index == 0) stopMining();
  if (released) return;
  refusedCell_ = -1;
  if (index == 0) primaryAction(); else secondaryAction();
  if (const PlayerDesktopLocal* p = player()) repeat_[index] = paceOf(p->heldItem());
}

void MainView::mouseWheel(float amount) {
  const PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr || amount == 0) return;
  const int selected = static_cast<int>(p->inventory->selected());
  const int from = selected < QuickSlots::kCount ? selected : 0;
  // The wheel turned towards the player (a positive amount) goes to the next slot.
  selectQuickSlot((from + (amount > 0 ? 1 : QuickSlots::kCount - 1)) % QuickSlots::kCount);
}

void MainView::moveKey(engine::KeyCode key, bool released) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr) return;
  uint8_t code = 255;
  if (isBound(kMoveUp, key) || key == engine::KeyCode::UP_ARROW) code = MotionEvent::kUp;
  if (isBound(kMoveDown, key) || key == engine::KeyCode::DOWN_ARROW) code = MotionEvent::kDown;
  if (isBound(kMoveLeft, key) || key == engine::KeyCode::LEFT_ARROW) code = MotionEvent::kLeft;
  if (isBound(kMoveRight, key) || key == engine::KeyCode::RIGHT_ARROW) code = MotionEvent::kRight;
  if (code != 255) {
    if (released) p->handleKeyRelease(code); else p->setMoveKeys(code);
    return;
  }
  if (isBound(kJump, key)) {
    if (released) p->handleKeyRelease(MotionEvent::kHeldJump); else p->jumpOrDrop(0.0f, true);
  }
  if (isBound(kThrow, key) && !released) throwHeld();
}

bool MainView::openViewFor(engine::KeyCode key) {
  GameViews* views = gameViews();
  if (views == nullptr) return false;
  if (isBound(kPause, key)) {
    showPauseView();
    return true;
  }
  ViewId target = ViewId::None;
  if (isBound(kInventory, key)) target = ViewId::Inventory;
  if (isBound(kBook, key)) target = ViewId::Book;
  if (isBound(kMap, key)) target = ViewId::Map;
  if (isBound(kChat, key) || key == engine::KeyCode::SLASH) target = ViewId::Chat;
  if (key == engine::KeyCode::F1) target = ViewId::Help;
  if (target == ViewId::None) return false;
  views->push(target);
  return true;
}

void MainView::keyEvent(engine::KeyCode key, bool released) {
  if (player() == nullptr) return;
  const int code = static_cast<int>(key);
  const int first = static_cast<int>(engine::KeyCode::DIGIT_0);
  if (code >= first && code <= first + 9) {
    // 1 to 9 pick the first nine slots, 0 the tenth.
    if (!released) selectQuickSlot(code == first ? 9 : code - first - 1);
    return;
  }
  // Views open on the release of a key pressed here, so the press cannot reach the view that
  // opens, and a release left over from a closing view opens nothing.
  const size_t bit = static_cast<size_t>(code) % pressed_.size();
  const bool pressedHere = pressed_[bit];
  pressed_[bit] = !released;
  if (released && pressedHere && openViewFor(key)) return;
  moveKey(key, released);
}
