#pragma once
// Whom a placement check tells why it refused: the acting player, through its message operation
// (message kind 3), and who answers whether it may lock a container. The player classes implement
// it; a check without a reporter refuses silently.

#include <string>

class MapBlock;

class PlacementReporter {
 public:
  static constexpr int kRefusalMessage = 3;

  virtual ~PlacementReporter() = default;
  virtual void showMessage(const std::string& text, int kind) = 0;
  // The player's lock test for a chest, forge or alchemy lab at the cell; it tells the player
  // itself why not.
  virtual bool mayLock(const MapBlock& cell) = 0;
};
