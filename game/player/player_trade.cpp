// The trade operations of the players: the local player's trade window, and every player leaving
// its trade when it goes.
#include <string>

#include "game/player/player.h"
#include "game/player/player_events.h"
#include "game/trade/trade_abstract.h"
#include "game/trade/trade_codes.h"
#include "game/trade/trade_requests.h"
#include "game/trade/trade_session.h"
#include "game/trade/trade_text.h"
#include "world/rules/game.h"

// A game played alone has no other player to trade with: no trade window, nobody to answer.
GameTradeWindows* Player::tradeWindows() const { return game != nullptr ? game->tradeWindows() : nullptr; }

PlayerBase::~PlayerBase() {
  forgetTradeRequestsOf(*this);
  cancelTradeOf(*this);
}

void Player::tradeMessage(uint8_t askingPeer, uint8_t askedPeer, std::string_view askingName) {
  if (events().tradeRequest(askingPeer, askedPeer, std::string(askingName))) return;
  if (GameTradeWindows* windows = tradeWindows()) windows->answerTrade(trade::kBusy, askedPeer, askingPeer);
}

void Player::tradeStarted(std::string_view partnerName) {
  const std::string partner(partnerName);
  GameTradeWindows* windows = tradeWindows();
  TradeAbstract* window = windows != nullptr ? windows->createTrade(partner) : nullptr;
  inventory->setTrade(std::unique_ptr<TradeAbstract>(window));
  if (window != nullptr) events().tradeWindowOpened(partner);
}

void Player::tradeEnded() {
  if (inventory->trade() == nullptr) return;
  inventory->setTrade(nullptr);
  events().tradeWindowClosed();
}

void Player::tradeEvent(uint8_t code) {
  TradeAbstract* window = inventory->trade();
  if (window == nullptr) return;
  if (window->onTradeEvent(code)) {
    tradeEnded();
  } else {
    tradeWindowChanged();
  }
}

void Player::tradeOfferChanged(bool offered, const Item* item) {
  TradeAbstract* window = inventory->trade();
  if (window == nullptr || item == nullptr) return;
  if (offered) {
    window->otherOffered(*item);
  } else {
    window->otherWithdrew(*item);
  }
}

void Player::tradeNotice(uint8_t kind, int16_t textId, std::string_view otherName) {
  showMessage(kind, tradeText(textId, otherName));
}

void Player::tradeWindowChanged() { events().tradeWindowChanged(); }
