#include "net/endpoint/host/request_budget.h"

#include <initializer_list>

#include "game/inventory/inventory.h"
#include "net/wire/wire_messages.h"

namespace host {

namespace {

struct Row {
  template <wire::MessageId E>
  constexpr Row(E message, Allowance allowance, Overflow overflow = Overflow::Drop)
      : id(wire::idOf(message)), kind{allowance, overflow, true} {}
  uint8_t id;
  KindAllowance kind;
};

// Once: the join's steps, which come once per session (a few for a slow link's repeats).
constexpr Allowance kOnce{4, 1};
// A click of the player's own: a menu, a dialog's answer, a sign.
constexpr Allowance kClick{20, 10};
// What a held button repeats (at most ten a second) or her game sends a frame at most.
constexpr Allowance kRepeat{30, 15};
constexpr Allowance kEachFrame{120, 60};
// Typed lines.
constexpr Allowance kTyped{10, 2};

class Table {
 public:
  constexpr Table(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
      if (byId_[row.id].known) throw "two rows for one message";  // stops the constant's build
      byId_[row.id] = row.kind;
    }
  }
  constexpr const KindAllowance& find(uint8_t id) const { return byId_[id]; }

 private:
  std::array<KindAllowance, 256> byId_{};
};

constexpr Table kTable{
    // ---- The join (category 0) ----
    {wire::ConnectionMsg::NoCharacter, kOnce},
    {wire::ConnectionMsg::Hello, kOnce},
    {wire::ConnectionMsg::Departure, kOnce},
    {wire::ConnectionMsg::Entered, kOnce},
    {wire::ConnectionMsg::WorldComplete, kOnce},
    {wire::ConnectionMsg::WorldRequest, kOnce},
    // A percentage after each piece or column: a whole world's width at once.
    {wire::ConnectionMsg::WorldProgress, {65536, 16384}},
    // ---- Players (category 2) ----
    {wire::PlayerMsg::FillFirework, kRepeat},
    {wire::PlayerMsg::RespawnRequest, kOnce},
    {wire::PlayerMsg::Inventory, kOnce},
    // Her key presses and releases; the latest record carries her whole place and speed.
    {wire::PlayerMsg::PlayerMotion, {240, 120}, Overflow::KeepLatest},
    {wire::PlayerMsg::HeldItem, kEachFrame},
    // Ten worn places on entering, then a change at a time.
    {wire::PlayerMsg::WornItem, {40, 20}},
    {wire::PlayerMsg::Look, kClick},
    {wire::PlayerMsg::ThrowItem, kRepeat},
    {wire::PlayerMsg::Shoot, kRepeat},
    {wire::PlayerMsg::UseBlock, kRepeat},
    {wire::PlayerMsg::OpenBlockEntity, kRepeat},
    {wire::PlayerMsg::ConsumeItem, kRepeat},
    // One for each active buff on entering (at most one per potion); none is taken after.
    {wire::PlayerMsg::Effect, {130, 30}},
    {wire::PlayerMsg::BuffRequest, {130, 30}},
    {wire::PlayerMsg::CaptureMob, kRepeat},
    // Each mob in her swing's reach, a crowd of them at once.
    {wire::PlayerMsg::HitMob, {240, 120}},
    {wire::PlayerMsg::Damage, kEachFrame},
    // A stack at a time, everything she carries at once when she dies on the hardest difficulty.
    {wire::PlayerMsg::DropItem, {Inventory::kStacksDroppedAtMost + 30, 30}},
    {wire::PlayerMsg::Chat, kTyped},
    {wire::PlayerMsg::Command, kTyped},
    {wire::PlayerMsg::PlayerMode, kClick},
    {wire::PlayerMsg::Craft, kEachFrame},
    {wire::PlayerMsg::OpenBag, kRepeat},
    {wire::PlayerMsg::RestoreRequest, kOnce},
    {wire::PlayerMsg::Portal, kClick},
    {wire::PlayerMsg::SignalEntities, kRepeat},
    // On entering and when her trinket changes.
    {wire::PlayerMsg::RefreshPet, {10, 2}},
    {wire::PlayerMsg::CraftKnowledge, kOnce},
    // Every entry of the catalogue she learns at once (a chest's worth of new finds).
    {wire::PlayerMsg::LearnEntry, {600, 60}},
    // ---- World changes and effects (categories 4 and 6) ----
    {wire::WorldChangeMsg::BlockEdit, {240, 120}},
    {wire::WorldChangeMsg::ClockMode, kClick},
    {wire::EffectMsg::PlayerAction, kEachFrame},
    {wire::EffectMsg::CellEffect, kEachFrame},
    // ---- The items offered her (category 5): a pile lying on the cell she walks over ----
    {wire::EntityMsg::ItemTaken, {600, 240}},
    {wire::EntityMsg::ItemNotTaken, {600, 240}},
    // ---- Block entities (categories 7 to 10, 12 and 15): a slot a click, a whole chest at once ----
    {wire::ChestMsg::ChestSlot, {240, 120}},
    {wire::ChestMsg::ChestPage, kClick},
    {wire::StableMsg::StableFeed, kClick},
    {wire::SignMsg::SignEdit, kClick},
    {wire::SignMsg::PlaceSign, kClick},
    {wire::ForgeMsg::ForgeSlot, {60, 30}},
    {wire::AlchemyLabMsg::AlchemyLabSlot, {60, 30}},
    {wire::AlchemyLabMsg::Brew, kClick},
    {wire::ContainerMsg::CloseContainer, kClick},
    // ---- Trades (category 11): a click on another player, a dialog's answer, a page's stacks ----
    {wire::TradeMsg::TradeRequest, {10, 2}},
    {wire::TradeMsg::TradeAccepted, kClick},
    {wire::TradeMsg::TradeRefused, kClick},
    {wire::TradeMsg::TradeBusy, kClick},
    {wire::TradeMsg::TradeCancel, kClick},
    {wire::TradeMsg::TradeOffer, kEachFrame},
    {wire::TradeMsg::TradeWithdraw, kEachFrame},
    {wire::TradeMsg::TradeReady, kClick},
    {wire::TradeMsg::TradeNotReady, kClick},
    {wire::TradeMsg::TradeBothReady, kClick},
    {wire::TradeMsg::TradeConfirm, kClick},
    {wire::TradeMsg::TradeNoRoom, kClick},
    {wire::TradeMsg::TradeBothConfirmed, kClick},
    // ---- Fishing and circuits (categories 13 and 14) ----
    {wire::FishingMsg::FishCaught, kClick},
    {wire::CircuitMsg::CircuitEdit, kRepeat},
};

// A kind without a row (none, the table's test says) is held to a click's pace.
constexpr KindAllowance kUnlisted{kClick, Overflow::Drop, false};

}  // namespace

const KindAllowance& RequestBudget::of(uint8_t id) {
  const KindAllowance& row = kTable.find(id);
  return row.known ? row : kUnlisted;
}

bool RequestBudget::spend(uint8_t peer, uint8_t id) { return buckets_[{peer, id}].take(of(id).allowance, clock_()); }

void RequestBudget::forget(uint8_t peer) {
  std::erase_if(buckets_, [peer](const auto& entry) { return entry.first.first == peer; });
}

}  // namespace host
