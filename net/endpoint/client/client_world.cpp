// The host's changes to the world, its effects, fishing and circuit settings, applied on a client
// without rules.
#include "content/items/block_edit.h"
#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "net/endpoint/net_client.h"
#include "net/players/player_messages.h"
#include "net/players/player_records.h"
#include "net/transfer/transfer_ids.h"
#include "world/cells/cell_refresh.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_system.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/seams/cell_sounds.h"
#include "world/world.h"

namespace {

namespace msg {
constexpr uint8_t kBlockEdit = 60;
constexpr uint8_t kTimedCellAdded = 62;
constexpr uint8_t kTimedCellRemoved = 63;
constexpr uint8_t kCircuitSetting = 65;
}  // namespace msg

}  // namespace

MapBlock* NetClient::cellOf(const wire::Cell& cell) const {
  World* shown = world();
  return shown != nullptr ? shown->cellAt(cell.column, cell.row) : nullptr;
}

void NetClient::handleWorldChanges(wire::WireIn& in, uint8_t) {
  World* shown = world();
  if (shown == nullptr) return;
  const uint8_t id = in.spec().id;
  if (id == msg::kBlockEdit) {
    in.u8();
    const BlockEdit edit = in.blockEdit();
    shown->applyCellChange(edit, nullptr);
    if (MapBlock* cell = shown->cellAt(edit.x, edit.y)) shown->refresh().refreshCell(*cell);
  } else if (id == transfer_id::kLiquidCells || id == transfer_id::kTimedCells ||
             id == transfer_id::kCircuitState) {
    // The lists that complete a downloaded world: the receiver checks they come after its cells.
    worldReceiver_.handleRunningState(in);
  } else if (id == msg::kTimedCellAdded || id == msg::kTimedCellRemoved) {
    MapBlock* cell = cellOf(in.cell());
    if (cell == nullptr) return;
    const size_t index = shown->map().indexOf(*cell);
    if (id == msg::kTimedCellAdded) shown->markedCells().insert(index);
    else shown->markedCells().erase(index);
  } else if (id == msg::kCircuitSetting) {
    MapBlock* cell = cellOf(in.cell());
    const uint8_t signal = in.u8();
    if (cell != nullptr) shown->circuits().setCellConfig(*cell, signal);
  } else if (id == player_msg::kWeather && localPlayer_ != nullptr) {
    localPlayer_->setWeather(in.u8(), false);
  }
  // The clock mode [4][74] has no local effect.
}

void NetClient::handleEffects(wire::WireIn& in, uint8_t) {
  const uint8_t id = in.spec().id;
  if (id == player_msg::kAction) {
    PlayerBase* player = playerOf(in.peer());
    const uint8_t action = in.u8();
    const uint8_t argument = in.u8();
    if (player != nullptr) player->playAction(action, argument);
  } else if (id == player_msg::kCellEffect) {
    MapBlock* cell = cellOf(in.cell());
    const uint8_t kind = in.u8();
    if (cell != nullptr && localPlayer_ != nullptr) localPlayer_->events().tileEffect(*localPlayer_, *cell, kind);
  } else if (id == player_msg::kEntityEffect) {
    Entity* entity = entityById(in.u32());
    const uint8_t kind = in.u8();
    const uint8_t value = in.u8();
    if (entity != nullptr && localPlayer_ != nullptr) {
      localPlayer_->events().entityEffect(*localPlayer_, entity, kind, value);
    }
  } else if (id == player_msg::kCellSound) {
    MapBlock* cell = cellOf(in.cell());
    const uint16_t sound = in.u16();
    const uint16_t value = in.u16();
    if (cell != nullptr) world()->sounds().playAt(*cell, sound, value);
  }
}

void NetClient::handleFishing(wire::WireIn& in, uint8_t) {
  if (localPlayer_ == nullptr) return;
  switch (in.spec().id) {
    case player_msg::kForgetBobber: localPlayer_->forgetBobber(); break;
    case player_msg::kBiteTime: localPlayer_->stampBiteTime(); break;
    default: break;  // the bobber the player remembers is the host's to keep
  }
}

void NetClient::handleCircuits(wire::WireIn& in, uint8_t) {
  MapBlock* cell = cellOf(in.cell());
  const std::span<const uint8_t> bytes = in.raw(6);
  if (cell == nullptr || localPlayer_ == nullptr) return;
  localPlayer_->events().circuitConfigurator(*localPlayer_, *cell, player_record::circuitFromBytes(bytes.data()));
}
