#pragma once
// A client's trade window: the player's actions travel to the host as category-11 messages
// (an event [11][code], an offer [11][118] or a withdrawal [11][119] with the stack), through the
// endpoint the window was made with. The host's session answers through the client's handlers.
//
// Main thread only.

#include "game/trade/trade_abstract.h"

class Net;

class TradeRemote final : public TradeAbstract {
 public:
  // `net`: the client's endpoint (not owned; it outlives the game's trades).
  TradeRemote(Player& player, std::string partner, Net& net);

  void sendEvent(uint8_t code) override;

 protected:
  void sendOffer(const Item& item) override;
  void sendWithdraw(const Item& item) override;

 private:
  void sendStack(uint8_t id, const Item& item);

  Net& net_;
};
