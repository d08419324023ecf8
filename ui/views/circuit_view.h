#pragma once
// The circuit configurator: a device's cell and its setting, which the player raises or lowers
// and applies; the rules take the changed cell.

#include <cstdint>

#include "ui/views/list_view.h"
#include "world/circuits/circuit_system.h"

class CircuitView final : public ListView {
 public:
  CircuitView() : ListView(ViewId::Circuit) {}

  // The cell and the device's setting it opens on.
  void setup(int32_t x, int32_t y, const CircuitRecord& record);
  int32_t cellX() const { return x_; }
  int32_t cellY() const { return y_; }
  const CircuitRecord& record() const { return record_; }
  // Hands the cell to the rules and closes.
  void apply();

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  int32_t x_ = -1;
  int32_t y_ = -1;
  CircuitRecord record_;
};
