// The block entities the host opens for the local player: a copy of each is made from the
// host's contents, takes the place of the client's own entity on that cell (the world keeps it
// from then on) and opens for the player. While the inventory view is current nothing opens and
// the host is asked to close it again.
#include <array>
#include <memory>

#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "game/rules/block_use_support.h"
#include "net/endpoint/net_client.h"
#include "net/players/player_messages.h"
#include "net/players/player_records.h"
#include "net/remote/remote_alchemy_lab.h"
#include "net/remote/remote_chest.h"
#include "net/remote/remote_forge.h"
#include "net/remote/remote_sign.h"
#include "net/remote/remote_stable.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/logic_blocks.h"
#include "world/world.h"

namespace {

// What the forge window redraws: the counters, or the counters and the stacks.
constexpr int kForgeCountersChanged = 1;
constexpr int kForgeStacksChanged = 3;

// The copy replaces whatever entity the cell had in the list.
template <class T, class Copy>
Copy& install(LogicBlocks<T>& list, std::unique_ptr<Copy> copy) {
  list.takeAt(copy->cell());
  return static_cast<Copy&>(list.add(std::move(copy)));
}

void openFor(PlayerDesktopLocal& player, LogicBlock& entity) {
  player.PlayerBase::leaveContainer(true);
  player.setOpenContainer(&entity);
  entity.open();
  player.events().inventoryView(block_use_support::kContainerPage);
}

std::array<wire::PooledItem, 3> forgeItems(wire::WireIn& in) {
  std::array<wire::PooledItem, 3> items;
  for (auto& item : items) item = wire::itemFromWire(in);
  return items;
}

}  // namespace

bool NetClient::mayOpenContainer() {
  if (!view_->inventoryViewIsCurrent()) return true;
  sendMessage(message(wire::ContainerMsg::CloseContainer));
  return false;
}

void NetClient::handleBlockEntities(wire::WireIn& in, uint8_t) {
  static constexpr HandlerTable<Handler> kHandlers{
      {wire::ChestMsg::ChestContents, &NetClient::openChest},
      {wire::StableMsg::StableContents, &NetClient::openStable},
      {wire::SignMsg::SignText, &NetClient::showSign},
      {wire::ForgeMsg::ForgeContents, &NetClient::openForge},
      {wire::ForgeMsg::ForgeCounters, &NetClient::refreshForge},
      {wire::ForgeMsg::ForgeRefresh, &NetClient::refreshForge},
      {wire::AlchemyLabMsg::AlchemyLabContents, &NetClient::openAlchemyLab},
      {wire::AlchemyLabMsg::AlchemyLabMessage, &NetClient::labBrewed},
      {wire::ContainerMsg::CloseContainer, &NetClient::containerClosed},
  };
  if (localPlayer_ == nullptr || world() == nullptr) return;
  dispatch(kHandlers, in);
}

// The host brewed in its lab: the copy this client shows brews the same, once.
void NetClient::labBrewed(wire::WireIn& in) {
  localPlayer_->potionBrewed(player_record::brewFromBytes(in.raw(player_msg::kAlchemyRecordSize)));
}

void NetClient::containerClosed(wire::WireIn&) {
  if (localPlayer_->openContainer() != nullptr) localPlayer_->events().popToMainView();
}

void NetClient::openChest(wire::WireIn& in) {
  const uint32_t slots = in.count();
  const uint8_t page = in.u8();
  MapBlock* cell = cellOf(in.cell());
  if (cell == nullptr || !mayOpenContainer()) return;
  auto chest = std::make_unique<RemoteChest>(*cell, slots, page, *this);
  for (uint32_t slot = 0; slot < slots; ++slot) chest->fill(slot, wire::itemFromWire(in));
  openFor(*localPlayer_, install(world()->chests(), std::move(chest)));
}

void NetClient::openStable(wire::WireIn& in) {
  MapBlock* cell = cellOf(in.cell());
  std::array<RemoteStable::Place, Stable::kSlots> places;
  for (auto& place : places) place.kind = in.u16();
  for (auto& place : places) place.fed = in.u8();
  wire::PooledItem feed = wire::itemFromWire(in);
  if (cell == nullptr || !mayOpenContainer()) return;
  auto stable = std::make_unique<RemoteStable>(*cell, *world(), *this, places, std::move(feed));
  openFor(*localPlayer_, install(world()->stables(), std::move(stable)));
}

void NetClient::showSign(wire::WireIn& in) {
  MapBlock* cell = cellOf(in.cell());
  const std::string text = in.signText();
  const bool edit = in.u8() != 0;
  if (cell == nullptr) return;
  auto sign = std::make_unique<RemoteSign>(*cell, *this, text);
  if (!edit) {
    localPlayer_->readSign(*sign, false);  // shown once; the copy goes at once
    return;
  }
  localPlayer_->PlayerBase::leaveContainer(true);
  localPlayer_->readSign(install(world()->signs(), std::move(sign)), true);
}

void NetClient::openForge(wire::WireIn& in) {
  MapBlock* cell = cellOf(in.cell());
  const uint64_t packed = in.u64();
  const uint16_t burning = in.u16();
  std::array<wire::PooledItem, 3> items = forgeItems(in);
  if (cell == nullptr || !mayOpenContainer()) return;
  auto forge = std::make_unique<RemoteForge>(*cell, *this);
  forge->showCounters(player_record::ForgeCounters::unpack(packed, burning));
  forge->replaceItems(std::move(items));
  openFor(*localPlayer_, install(world()->forges(), std::move(forge)));
}

// [10][108] the open forge's counters, [10][109] its counters and stacks.
void NetClient::refreshForge(wire::WireIn& in) {
  const bool whole = in.spec().is(wire::ForgeMsg::ForgeRefresh);
  if (whole) in.cell();
  const uint64_t packed = in.u64();
  const uint16_t burning = in.u16();
  auto* forge = block_entity_cast<RemoteForge>(localPlayer_->openContainer());
  if (forge == nullptr) return;
  forge->showCounters(player_record::ForgeCounters::unpack(packed, burning));
  if (whole) forge->replaceItems(forgeItems(in));
  localPlayer_->events().forgeRefreshed(*localPlayer_, whole ? kForgeStacksChanged : kForgeCountersChanged);
}

void NetClient::openAlchemyLab(wire::WireIn& in) {
  MapBlock* cell = cellOf(in.cell());
  std::array<wire::PooledItem, 5> items;
  for (auto& item : items) item = wire::itemFromWire(in);
  if (cell == nullptr || !mayOpenContainer()) return;
  auto lab = std::make_unique<RemoteAlchemyLab>(*cell, *this);
  for (uint8_t slot = 0; slot < items.size(); ++slot) lab->fill(slot, std::move(items[slot]));
  openFor(*localPlayer_, install(world()->alchemyLabs(), std::move(lab)));
}
