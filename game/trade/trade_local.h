#pragma once
// The trade window of the player on the host: its actions go straight into the host's session of
// that player (nothing when the player no longer trades).
//
// Main thread only.

#include "game/trade/trade_abstract.h"

class TradeLocal final : public TradeAbstract {
 public:
  using TradeAbstract::TradeAbstract;

  void sendEvent(uint8_t code) override;

 protected:
  void sendOffer(const Item& item) override;
  void sendWithdraw(const Item& item) override;
};
