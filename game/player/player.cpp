#include "game/player/player.h"

#include "content/items/block_edit.h"
#include "game/combat/melee_swing.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/player/game_clock.h"
#include "game/player/player_events.h"
#include "game/player/player_options.h"
#include "game/session/travel_target.h"
#include "world/blocks/logic_block.h"
#include "world/cells/map_block.h"
#include "world/rules/console_kind.h"
#include "world/rules/game.h"
#include "world/seams/world_options.h"
#include "world/world.h"

namespace {

constexpr uint8_t kEditBlockState = 9;
constexpr uint16_t kContainerClosedValue = 127;
constexpr uint16_t kChatSound = 61;

// The option is the player's world's: a player in no world hears no chat sound.
void ringChatSound(const Player& player, PlayerEvents& events, uint8_t kind) {
  if (kind == console_kind::kChat && player.world != nullptr && player.world->options().chatSound()) {
    events.interfaceSound(kChatSound);
  }
}

}  // namespace

Player::Player(GameInterface* playerGame, PlayerEvents* events, GameClock* clock)
    : PlayerBase(nullptr, true, events),
      game(playerGame),
      inventory(std::make_unique<Inventory>(this, nullptr)),
      knowledge(std::make_unique<RecipeKnowledge>()),
      meleeSwing(std::make_unique<MeleeSwing>()),
      clock_(clock) {}

Player::~Player() = default;

GameClock& Player::clock() const {
  static NullGameClock none;
  return clock_ != nullptr ? *clock_ : none;
}

void Player::setCharacterFlags(uint32_t flags) {
  characterFlags = flags;
  knowledge->setBookOptions(playerOptionOn(flags, player_option::kFullCraftbook),
                            playerOptionOn(flags, player_option::kChemistryBook));
  knowledge->countKnownRecipes();
}

uint16_t Player::unlockedPlanetMask() const {
  return playerOptionOn(characterFlags, player_option::kInstantPlanets) ? kAllPlanets : unlockedPlanets;
}

Item* Player::getEquipment(bool secondSet, int index) const {
  if (index < 0 || index >= Inventory::kEquipmentSlots) return nullptr;
  return inventory->slotItem({secondSet ? SlotKind::Equipment2 : SlotKind::Equipment,
                              static_cast<uint8_t>(index), 0});
}

void Player::setEquipment(ItemPtr item, bool secondSet, int index) {
  if (index < 0 || index >= Inventory::kEquipmentSlots) return;
  inventory->setSlot({secondSet ? SlotKind::Equipment2 : SlotKind::Equipment, static_cast<uint8_t>(index), 0},
                     std::move(item));
}

Item* Player::heldItem() const { return inventory->selectedItem(); }

const Item* Player::ammunition() const {
  return inventory != nullptr ? inventory->slotItem({SlotKind::Single, 0, 0}) : nullptr;
}

const Item* Player::trinket() const {
  return inventory != nullptr ? inventory->slotItem({SlotKind::Trinket, 0, 0}) : nullptr;
}

void Player::trinketChanged() {
  const Item* wearing = trinket();
  const uint16_t worn = wearing != nullptr && !wearing->isNone() ? wearing->id : 0;
  if (worn == wornTrinket_) return;
  wornTrinket_ = worn;
  // Only in a running world: a loading game summons the pet of what the character wears itself.
  if (game != nullptr && world != nullptr) game->refreshPet();
}

void Player::wornChanged(bool secondSet, uint8_t index) {
  GamePeerReports* reports = game != nullptr && world != nullptr ? game->peerReports() : nullptr;
  if (reports != nullptr) reports->sendWornItem(getEquipment(secondSet, index), index, secondSet);
}

void Player::setWorld(World* newWorld) {
  PlayerBase::setWorld(newWorld);
  inventory->setWorld(newWorld);
  // A station stands in the world it was used in.
  inventory->clearCraftingStation();
}

void Player::heldItemChanged(const Item* item) {
  PlayerBase::heldItemChanged(item);
  GamePeerReports* reports = game != nullptr ? game->peerReports() : nullptr;
  if (reports != nullptr) reports->sendHeldItem();
}

bool Player::pickUpItem(const Item& item) {
  const bool wasEmpty = heldItem() == nullptr;
  bool newSlot = false;
  const SlotRef slot = inventory->findSlotFor(&item, newSlot);
  if (slot.isNone()) return false;
  if (slot.kind == SlotKind::Quick && slot.x == inventory->selected() && wasEmpty) heldItemChanged(heldItem());
  events().itemPickedUp(item.id, item.count);
  return true;
}

bool Player::takeCaught(MobEntity&, const Item& caught) { return pickUpItem(caught); }

void Player::die() {
  PlayerBase::die();
  recordStat(kStatDied, 0);
  events().deathView();
}

void Player::showContainer(LogicBlock& entity) {
  setOpenContainer(&entity);
  events().inventoryView(inventory_page::kContainer);
}

bool Player::leaveContainer(bool quiet) {
  LogicBlock* open = openContainer();
  if (open == nullptr) return false;
  if (!quiet) {
    BlockEdit edit;
    edit.kind = kEditBlockState;
    edit.x = open->cell().x;
    edit.y = open->cell().y;
    edit.blockId = kContainerClosedValue;
    edit.slot = 255;
    if (game != nullptr) game->editBlock(edit);
  }
  PlayerBase::leaveContainer(quiet);
  return quiet;
}

void Player::recordStat(uint16_t statId, uint16_t value) { events().recordStat(statId, value); }

void Player::showMessage(uint8_t kind, const std::string& text) {
  if (kind == console_kind::kRefusal) ++refusalsShown_;
  ringChatSound(*this, events(), kind);
  events().message(kind, text);
}

void Player::showPortalTravelDialog(uint32_t planet) { events().portalTravelDialog(planet); }
void Player::showNotice(const std::string& text) { events().noticeDialog(text); }

void Player::travelThroughPortal() {
  if (game != nullptr) game->travelToWorld(TravelTarget{});
}

void Player::showTextById(uint8_t kind, int16_t textId) {
  if (kind == console_kind::kRefusal) ++refusalsShown_;
  ringChatSound(*this, events(), kind);
  events().textById(kind, textId);
}

void Player::showLocalRefusal(const std::string& text) { showMessage(console_kind::kRefusal, text); }
void Player::showLocalRefusalById(int16_t textId) { showTextById(console_kind::kRefusal, textId); }
