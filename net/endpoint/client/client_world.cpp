// The host's changes to the world, its effects, fishing and circuit settings, applied on a client
// without rules.
#include "content/items/block_edit.h"
#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "net/endpoint/net_client.h"
#include "net/players/player_records.h"
#include "net/wire/wire_messages.h"
#include "world/cells/cell_refresh.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_system.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/seams/cell_sounds.h"
#include "world/world.h"

MapBlock* NetClient::cellOf(const wire::Cell& cell) const {
  World* shown = world();
  return shown != nullptr ? shown->cellAt(cell.column, cell.row) : nullptr;
}

void NetClient::handleWorldChanges(wire::WireIn& in, uint8_t) {
  World* shown = world();
  if (shown == nullptr) return;
  const auto id = in.spec().as<wire::WorldChangeMsg>();
  using Msg = wire::WorldChangeMsg;
  if (id == Msg::BlockEdit) {
    in.u8();
    const BlockEdit edit = in.blockEdit();
    shown->applyCellChange(edit, nullptr);
    if (MapBlock* cell = shown->cellAt(edit.x, edit.y)) shown->refresh().refreshCell(*cell);
  } else if (id == Msg::LiquidCells || id == Msg::TimedCells || id == Msg::CircuitState) {
    // The lists that complete a downloaded world: the receiver checks they come after its cells.
    worldReceiver_.handleRunningState(in);
  } else if (id == Msg::TimedCellAdded || id == Msg::TimedCellRemoved) {
    MapBlock* cell = cellOf(in.cell());
    if (cell == nullptr) return;
    const size_t index = shown->map().indexOf(*cell);
    if (id == Msg::TimedCellAdded) shown->markedCells().insert(index);
    else shown->markedCells().erase(index);
  } else if (id == Msg::CircuitSetting) {
    MapBlock* cell = cellOf(in.cell());
    const uint8_t signal = in.u8();
    if (cell != nullptr) shown->circuits().setCellConfig(*cell, signal);
  } else if (id == Msg::Weather && localPlayer_ != nullptr) {
    localPlayer_->setWeather(in.u8(), false);
  }
  // The clock mode [4][74] has no local effect.
}

void NetClient::handleEffects(wire::WireIn& in, uint8_t) {
  const auto id = in.spec().as<wire::EffectMsg>();
  if (id == wire::EffectMsg::PlayerAction) {
    PlayerBase* player = playerOf(in.peer());
    const uint8_t action = in.u8();
    const uint8_t argument = in.u8();
    if (player != nullptr) player->playAction(action, argument);
  } else if (id == wire::EffectMsg::CellEffect) {
    MapBlock* cell = cellOf(in.cell());
    const uint8_t kind = in.u8();
    if (cell != nullptr && localPlayer_ != nullptr) localPlayer_->events().tileEffect(*localPlayer_, *cell, kind);
  } else if (id == wire::EffectMsg::EntityEffect) {
    Entity* entity = entityById(in.u32());
    const uint8_t kind = in.u8();
    const uint8_t value = in.u8();
    if (entity != nullptr && localPlayer_ != nullptr) {
      localPlayer_->events().entityEffect(*localPlayer_, entity, kind, value);
    }
  } else if (id == wire::EffectMsg::CellSound) {
    MapBlock* cell = cellOf(in.cell());
    const uint16_t sound = in.u16();
    const uint16_t value = in.u16();
    if (cell != nullptr) world()->sounds().playAt(*cell, sound, value);
  }
}

void NetClient::handleFishing(wire::WireIn& in, uint8_t) {
  if (localPlayer_ == nullptr) return;
  switch (in.spec().as<wire::FishingMsg>()) {
    case wire::FishingMsg::BobberForgotten: localPlayer_->forgetBobber(); break;
    case wire::FishingMsg::BiteTime: localPlayer_->stampBiteTime(); break;
    default: break;  // the bobber the player remembers is the host's to keep
  }
}

void NetClient::handleCircuits(wire::WireIn& in, uint8_t) {
  MapBlock* cell = cellOf(in.cell());
  const std::span<const uint8_t> bytes = in.raw(6);
  if (cell == nullptr || localPlayer_ == nullptr) return;
  localPlayer_->events().circuitConfigurator(*localPlayer_, *cell, player_record::circuitFromBytes(bytes.data()));
}
