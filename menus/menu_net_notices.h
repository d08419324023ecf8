#pragma once
// Where an endpoint's notices reach the person playing: console lines (who joined, who left, the
// chat) in the world view's console, and the reason a joined game ended in the start view's
// message dialog, over the start view that the game's end brought back.
//
// Main thread only.

#include "net/endpoint/net_notices.h"

class MenuNetNotices final : public NetNotices {
 public:
  // The console's kind for what the game itself reports.
  static constexpr uint8_t kSystemLine = 1;

  void consoleLine(const std::string& text) override;
  void connectionLost(uint8_t reason, const std::string& text) override;
};
