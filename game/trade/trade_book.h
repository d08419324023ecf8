#pragma once
// One game's running trades and the trade requests its host sent and waits to hear answered. A
// game holds its own (`GameLocal::trades`) and hands it to each player that plays in it, so the
// trade operations find it through the players they are given; two games in one process keep
// theirs apart, and one ending clears only its own.
//
// Main thread only.

#include <memory>
#include <utility>
#include <vector>

class PlayerBase;
class TradeSession;

class TradeBook {
 public:
  using Request = std::pair<const PlayerBase*, const PlayerBase*>;  // asking, asked

  TradeBook();
  ~TradeBook();
  TradeBook(const TradeBook&) = delete;
  TradeBook& operator=(const TradeBook&) = delete;

  // Every running trade, in the order they started.
  std::vector<std::unique_ptr<TradeSession>>& sessions() { return sessions_; }
  std::vector<Request>& requests() { return requests_; }
  // Every session ends without telling anyone (the game ended); every copy goes back.
  void clear();

 private:
  std::vector<std::unique_ptr<TradeSession>> sessions_;
  std::vector<Request> requests_;
};
