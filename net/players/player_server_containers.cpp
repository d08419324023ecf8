// The block entities a client's player opens on the host: the client is sent the contents to
// show, and what it changes comes back as requests (the host's handlers).
#include <algorithm>

#include "net/endpoint/net_server.h"
#include "net/players/player_records.h"
#include "net/players/player_server.h"
#include "net/wire/wire_out.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/sign.h"
#include "world/blocks/stable.h"
#include "world/cells/map_block.h"

namespace {

// The most slots the chest message's u8 count can carry.
constexpr size_t kMostChestSlots = 255;

}  // namespace

void PlayerServer::openChest(Chest& chest) {
  const size_t slots = std::min(chest.slotCount(), kMostChestSlots);
  wire::WireOut out = wire::hostMessage(wire::ChestMsg::ChestContents);
  out.count(static_cast<uint32_t>(slots))
      .u8(static_cast<uint8_t>(std::clamp(chest.offset(), 0, 255)))
      .cell(chest.cell().x, chest.cell().y);
  for (size_t slot = 0; slot < slots; ++slot) out.item(chest.itemAt(slot));
  setOpenContainer(&chest);
  toClient(out);
}

void PlayerServer::openStable(Stable& stable) {
  wire::WireOut out = wire::hostMessage(wire::StableMsg::StableContents);
  out.cell(stable.cell().x, stable.cell().y);
  for (int slot = 0; slot < Stable::kSlots; ++slot) {
    // An empty place (-1) travels as 0xFFFF.
    out.u16(static_cast<uint16_t>(stable.mobKindAt(slot)));
  }
  for (int slot = 0; slot < Stable::kSlots; ++slot) {
    out.u8(stable.mobKindAt(slot) < 0 ? 0 : stable.mobFedLevelAt(slot));
  }
  out.item(stable.feed());
  setOpenContainer(&stable);
  toClient(out);
}

void PlayerServer::showSign(Sign& sign, bool edit) {
  wire::WireOut out = wire::hostMessage(wire::SignMsg::SignText);
  out.cell(sign.cell().x, sign.cell().y).signText(sign.text()).u8(edit ? 1 : 0);
  if (edit) setOpenContainer(&sign);
  toClient(out);
}

void PlayerServer::writeForge(wire::WireOut& out, const Forge& forge) const {
  const player_record::ForgeCounters counters = player_record::ForgeCounters::of(forge);
  out.cell(forge.cell().x, forge.cell().y).u64(counters.packed()).u16(counters.burning ? 1 : 0);
  for (size_t slot = Forge::kFuel; slot <= Forge::kOutput; ++slot) out.item(forge.itemAt(slot));
}

void PlayerServer::openForge(Forge& forge) {
  wire::WireOut out = wire::hostMessage(wire::ForgeMsg::ForgeContents);
  writeForge(out, forge);
  setOpenContainer(&forge);
  toClient(out);
}

void PlayerServer::openAlchemyLab(AlchemyLab& lab) {
  wire::WireOut out = wire::hostMessage(wire::AlchemyLabMsg::AlchemyLabContents);
  out.cell(lab.cell().x, lab.cell().y);
  for (size_t slot = 0; slot <= AlchemyLab::kOutputSlot; ++slot) out.item(lab.itemAt(slot));
  setOpenContainer(&lab);
  toClient(out);
}

bool PlayerServer::leaveContainer(bool tell) {
  if (!PlayerRemoteBase<PlayerBase>::leaveContainer(tell)) return false;
  if (tell) this->tell(wire::ContainerMsg::CloseContainer);
  return true;
}

void PlayerServer::refreshForge(int kind) {
  const auto* forge = block_entity_cast<Forge>(openContainer());
  if (forge == nullptr) return;
  if (kind == kForgeCounters) {
    const player_record::ForgeCounters counters = player_record::ForgeCounters::of(*forge);
    wire::WireOut out = wire::hostMessage(wire::ForgeMsg::ForgeCounters);
    out.u64(counters.packed()).u16(counters.burning ? 1 : 0);
    toClient(out);
  } else if (kind == kForgeItems || kind == kForgeStep) {
    wire::WireOut out = wire::hostMessage(wire::ForgeMsg::ForgeRefresh);
    writeForge(out, *forge);
    toClient(out);
  }
}

void PlayerServer::alchemyLabOperation(std::span<const uint8_t, 16> record) {
  auto* lab = block_entity_cast<AlchemyLab>(openContainer());
  if (lab == nullptr) return;
  lab->setBrewing(false);
  wire::WireOut out = wire::hostMessage(wire::AlchemyLabMsg::AlchemyLabMessage);
  out.raw(record);
  toClient(out);
}

void PlayerServer::potionBrewed(const PotionResult& result) { alchemyLabOperation(player_record::brewBytes(result)); }

void PlayerServer::editCircuit(const MapBlock& cell, const CircuitRecord& setting) {
  wire::WireOut out = wire::hostMessage(wire::CircuitMsg::CircuitEdit);
  out.cell(cell.x, cell.y).raw(player_record::circuitBytes(setting));
  toClient(out);
}
