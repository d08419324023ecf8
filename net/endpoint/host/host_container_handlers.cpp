// The host's handling of the block entities' requests (categories 7 to 10, 12 and 15). A client
// acts only on the container it has open: the message's cell must be that container's cell and
// the container of the message's kind, and a slot byte must be one of its slots; anything else is
// ignored and the item the message carried goes back to the pool.

#include "content/items/item.h"
#include "game/player/player_base.h"
#include "game/rules/local_logic.h"
#include "net/endpoint/handler_table.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_messages.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/sign.h"
#include "world/blocks/stable.h"
#include "world/world.h"

namespace {

// The player's open container when it stands on the cell and is of the kind; null otherwise.
template <class Kind>
Kind* openOnCell(const PlayerBase& player, World* world, wire::Cell cell) {
  auto* open = block_entity_cast<Kind>(player.openContainer());
  if (open == nullptr || world == nullptr) return nullptr;
  const MapBlock* named = world->cellAt(cell.column, cell.row);
  return named == &open->cell() ? open : nullptr;
}

// The slot's stack stays where she names it again or adds to it: a tool she swaps for another of
// its kind but not as worn changes hands whole.
bool keepsStoredStack(const Item& stored, const Item& named) {
  const bool same = stored.id == named.id && stored.word == named.word && stored.durability == named.durability &&
                    stored.variant == named.variant;
  return same || stored.canStackWith(named);
}

}  // namespace

// A slot's new stack comes out of the player's items and its old one goes back into them, as the
// client moved them: only the difference of a stack that stacks with the stored one changes hands.
// What the slot then holds is never the client's bytes: such a stack stays the stored stack (its
// wear, its word) with the new count, and any other stack is the copy's own of the one she named
// (its id and word: another stack of the id stays hers). `put` becomes it.
bool NetServer::moveThroughSlot(PlayerServer& player, const Item* old, wire::PooledItem& put) {
  if (world()->isCreative()) return true;
  const bool sameKind = old != nullptr && put != nullptr && keepsStoredStack(*old, *put);
  const int oldCount = old != nullptr ? old->count : 0;
  const int putCount = put != nullptr ? put->count : 0;
  const int taken = sameKind ? putCount - oldCount : putCount;
  if (taken > 0 && player.items().peekNamed(*put, static_cast<uint16_t>(taken)) == nullptr) {
    player.returnItem(*put, player.notHeldText());
    return false;
  }
  if (sameKind) {
    if (taken > 0) player.items().takeNamed(*put, static_cast<uint16_t>(taken));
    if (taken < 0) {
      Item back = *old;
      back.count = static_cast<uint16_t>(-taken);
      player.items().add(back);
    }
    put = copyLoadedItem(*old);
    if (put != nullptr) put->count = static_cast<uint16_t>(putCount);
    return true;
  }
  if (put != nullptr) put = player.items().takeNamed(*put, static_cast<uint16_t>(putCount));
  if (old != nullptr) player.items().add(*old);
  return true;
}

template <class Kind>
void NetServer::setContainerSlot(wire::WireIn& in, PlayerServerDesktop& player) {
  const wire::Cell cell = in.cell();
  const uint8_t slot = in.u8();
  wire::PooledItem item = wire::itemFromWire(in);
  Kind* container = openOnCell<Kind>(player, world(), cell);
  if (container == nullptr || slot >= container->slotCount()) return;
  if (!moveThroughSlot(player, container->itemAt(slot), item)) return;
  container->takeItem(slot);  // emptied first: a forge starts the new stack as a new input
  container->setItem(slot, std::move(item));
}

void NetServer::handleBlockEntities(wire::WireIn& in, uint8_t peer) {
  static constexpr HandlerTable<PlayerHandler> kHandlers{
      {wire::ChestMsg::ChestSlot, &NetServer::setContainerSlot<Chest>},
      {wire::ChestMsg::ChestPage, &NetServer::chestPage},
      {wire::ForgeMsg::ForgeSlot, &NetServer::forgeSlot},
      {wire::AlchemyLabMsg::AlchemyLabSlot, &NetServer::setContainerSlot<AlchemyLab>},
      {wire::AlchemyLabMsg::Brew, &NetServer::withRules<&NetServer::brew>},
      {wire::StableMsg::StableFeed, &NetServer::stableFeed},
      {wire::SignMsg::SignEdit, &NetServer::signEdit},
      {wire::SignMsg::PlaceSign, &NetServer::placeSign},
      {wire::ContainerMsg::CloseContainer, &NetServer::closeContainer},
  };
  dispatch(kHandlers, in, peer);
}

// The forge may have started: the client's window shows its counters now.
void NetServer::forgeSlot(wire::WireIn& in, PlayerServerDesktop& player) {
  setContainerSlot<Forge>(in, player);
  player.refreshForge(PlayerServer::kForgeCounters);
}

// A step on is taken only while a slot follows it, as the window offers it: no client walks the
// chest's offset past its last page.
void NetServer::chestPage(wire::WireIn& in, PlayerServerDesktop& player) {
  Chest* chest = openOnCell<Chest>(player, world(), in.cell());
  const int8_t step = in.i8();
  if (chest == nullptr) return;
  if (step > 0) {
    if (chest->offset() + step < static_cast<int32_t>(chest->slotCount())) chest->nextPage(step);
  } else {
    chest->prevPage(-int32_t{step});
  }
}

void NetServer::stableFeed(wire::WireIn& in, PlayerServerDesktop& player) {
  Stable* stable = openOnCell<Stable>(player, world(), in.cell());
  wire::PooledItem feed = wire::itemFromWire(in);
  if (stable == nullptr || !moveThroughSlot(player, stable->feed(), feed)) return;
  stable->setItem(std::move(feed));
}

void NetServer::signEdit(wire::WireIn& in, PlayerServerDesktop& player) {
  Sign* sign = openOnCell<Sign>(player, world(), in.cell());
  const std::string text = in.signText();
  if (sign != nullptr) sign->setText(text.c_str());
}

void NetServer::brew(wire::WireIn&, PlayerServerDesktop& player, LocalLogic& rules) {
  if (auto* lab = block_entity_cast<AlchemyLab>(player.openContainer())) rules.brewPotion(*lab, &player);
}

void NetServer::closeContainer(wire::WireIn&, PlayerServerDesktop& player) { player.leaveContainer(false); }
