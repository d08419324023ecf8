// The host's changes to the world, its effects, fishing and circuit settings, applied on a client
// without rules.
#include "content/items/block_edit.h"
#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "game/rules/player_rules.h"
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
  // The clock mode [4][74] has no local effect.
  static constexpr HandlerTable<Handler> kHandlers{
      {wire::WorldChangeMsg::BlockEdit, &NetClient::inWorld<&NetClient::blockEdit>},
      // The lists that complete a downloaded world: the receiver checks they come after its cells.
      {wire::WorldChangeMsg::LiquidCells, &NetClient::inWorld<&NetClient::runningState>},
      {wire::WorldChangeMsg::TimedCells, &NetClient::inWorld<&NetClient::runningState>},
      {wire::WorldChangeMsg::CircuitState, &NetClient::inWorld<&NetClient::runningState>},
      {wire::WorldChangeMsg::TimedCellAdded, &NetClient::inWorld<&NetClient::timedCellAdded>},
      {wire::WorldChangeMsg::TimedCellRemoved, &NetClient::inWorld<&NetClient::timedCellRemoved>},
      {wire::WorldChangeMsg::CircuitSetting, &NetClient::inWorld<&NetClient::circuitSetting>},
      {wire::WorldChangeMsg::Weather, &NetClient::inWorld<&NetClient::weather>},
  };
  dispatch(kHandlers, in);
}

// ---- A cell the host names is one of the shown world's (cellOf), else the change does nothing. ----

void NetClient::blockEdit(wire::WireIn& in, World& shown) {
  in.u8();
  const BlockEdit edit = in.blockEdit();
  shown.applyCellChange(edit, nullptr);
  if (MapBlock* cell = shown.cellAt(edit.x, edit.y)) shown.refresh().refreshCell(*cell);
}

void NetClient::runningState(wire::WireIn& in, World&) { worldReceiver_.handleRunningState(in); }

void NetClient::timedCellAdded(wire::WireIn& in, World& shown) {
  if (MapBlock* cell = cellOf(in.cell())) shown.markedCells().insert(shown.map().indexOf(*cell));
}

void NetClient::timedCellRemoved(wire::WireIn& in, World& shown) {
  if (MapBlock* cell = cellOf(in.cell())) shown.markedCells().erase(shown.map().indexOf(*cell));
}

void NetClient::circuitSetting(wire::WireIn& in, World& shown) {
  MapBlock* cell = cellOf(in.cell());
  const uint8_t signal = in.u8();
  if (cell != nullptr) shown.circuits().setCellConfig(*cell, signal);
}

void NetClient::weather(wire::WireIn& in, World&) {
  if (localPlayer_ != nullptr) localPlayer_->setWeather(in.u8(), false);
}

void NetClient::handleEffects(wire::WireIn& in, uint8_t) {
  static constexpr HandlerTable<Handler> kHandlers{
      {wire::EffectMsg::PlayerAction, &NetClient::playerAction},
      {wire::EffectMsg::CellEffect, &NetClient::toLocalPlayer<&NetClient::cellEffect>},
      {wire::EffectMsg::EntityEffect, &NetClient::toLocalPlayer<&NetClient::entityEffect>},
      {wire::EffectMsg::CellSound, &NetClient::cellSound},
  };
  dispatch(kHandlers, in);
}

// ---- A player, cell or entity the host names is one the client has, else the effect is not shown. ----

// A copy the host shows coming back to life is alive again: it was marked dead by the death
// message ([2][41]) and would stay so, out of reach of a right-click to trade, for the session.
// The local player comes back through its own message ([2][15]).
void NetClient::playerAction(wire::WireIn& in) {
  PlayerBase* player = playerOf(in.peer());
  const uint8_t action = in.u8();
  const uint8_t argument = in.u8();
  if (player == nullptr) return;
  if (action == rule_action::kRevived && player != localPlayer_ && player->dead != 0) player->revive();
  player->playAction(action, argument);
}

void NetClient::cellEffect(wire::WireIn& in, PlayerDesktopLocal& local) {
  MapBlock* cell = cellOf(in.cell());
  const uint8_t kind = in.u8();
  if (cell != nullptr) local.events().tileEffect(local, *cell, kind);
}

void NetClient::entityEffect(wire::WireIn& in, PlayerDesktopLocal& local) {
  Entity* entity = entityById(in.u32());
  const uint8_t kind = in.u8();
  const uint8_t value = in.u8();
  if (entity != nullptr) local.events().entityEffect(local, entity, kind, value);
}

void NetClient::cellSound(wire::WireIn& in) {
  MapBlock* cell = cellOf(in.cell());
  const uint16_t sound = in.u16();
  const uint16_t value = in.u16();
  if (cell != nullptr) world()->sounds().playAt(*cell, sound, value);
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
