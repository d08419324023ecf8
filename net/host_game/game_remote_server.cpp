#include "net/host_game/game_remote_server.h"

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "game/chat/console_commands.h"
#include "game/player/player.h"
#include "game/session/game_screen.h"
#include "game/trade/trade_local.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/net_logic.h"
#include "net/wire/wire_out.h"
#include "world/world.h"

GameRemoteServer::GameRemoteServer(NetLogic& rules, NetServer& server, HostingControl& hosting,
                                   const GameServices& services)
    : GameLocal(&rules, services), netRules_(rules), server_(server), hosting_(hosting) {
  server_.setTrades(trades());
}

void GameRemoteServer::setPlayerMode(uint8_t mode) {
  GameLocal::setPlayerMode(mode);
  const wire::WireOut out = wire::WireOut(wire::outgoing(wire::PlayerMsg::PlayerMode, wire::Side::Host)).peer(kel::NET_HOST_PEER).u8(mode);
  server_.send(out.data(), out.size(), 0);
}

void GameRemoteServer::respawn() {
  if (player_ == nullptr) return;
  screen().enterMainView();
  netRules_.respawnPlayer(player_);
}

void GameRemoteServer::leaveBed() {
  if (player_ != nullptr) netRules_.setPlayerInBed(player_, 0);
}

void GameRemoteServer::submitChatLine(const std::string& text) {
  if (!text.empty() && text.front() == '/') {
    if (player_ == nullptr) return;
    PlayerConsole console(*player_);
    runConsoleCommand(console, text);
  } else if (!text.empty()) {
    server_.sendChat(text);
  }
}

void GameRemoteServer::requestTrade(PlayerBase* other) {
  if (other != nullptr && player_ != nullptr) netRules_.requestTrade(player_, other);
}

TradeAbstract* GameRemoteServer::createTrade(const std::string& partner) {
  return player_ != nullptr ? new TradeLocal(*player_, partner) : nullptr;
}

// The host knows its own player's peer: only the asking one is read.
void GameRemoteServer::answerTrade(uint8_t answer, uint8_t, uint8_t askingPeer) {
  if (player_ != nullptr) server_.answerTradeRequestOf(*player_, answer, askingPeer);
}

void GameRemoteServer::sendHeldItem() {
  if (player_ != nullptr) server_.sendItemUpdate(player_->heldItem(), static_cast<uint8_t>(player_->selectedQuickSlot()));
}

// The host's own player changed what it wears: every guest's copy of it is dressed so.
void GameRemoteServer::sendWornItem(const Item* item, uint8_t index, bool secondSet) {
  server_.sendItemUpdateTo(item, index, secondSet ? 1 : 0);
}

void GameRemoteServer::sendPlayerState(const PlayerStateRecord& record) { server_.sendMotion(record); }

// The host's own player is told of its effects as a guest's copy on the host is: every client's
// copy of it starts and ends the effect with it.
void GameRemoteServer::sendBuff(uint16_t buff, bool gained) { server_.sendBuff(kel::NET_HOST_PEER, buff, gained); }

void GameRemoteServer::quit() {
  // The world goes with the game: nothing may be sent of it or applied to it any more.
  server_.worldSender().setHostedWorld(nullptr);
  server_.setWorld(nullptr);
  GameLocal::quit();
  server_.shutdown();
  hosting_.returnToLocalGame();
}

// The world was saved: the old endpoint ends and a new one hosts the destination. The re-hosting
// runs on the main thread once this call (made by the save's completion) has returned, since it
// replaces this game.
void GameRemoteServer::continueTravel(const TravelTarget& target, uint32_t origin) {
  HostingControl& hosting = hosting_;
  engine::Director::getInstance()->getScheduler()->performFunctionInMainThread(
      [&hosting, target, origin] { hosting.rehost(target, origin); });
}
