#pragma once
// The circuit configurator: a device's cell and its setting, which the player raises or lowers
// and applies as a circuit setting edit of the cell.

#include <cstdint>

#include "ui/views/list_view.h"
#include "world/circuits/circuit_system.h"

struct BlockEdit;

// The edit that gives the cell's device the record.
BlockEdit circuitSettingEdit(int32_t x, int32_t y, const CircuitRecord& record);

class CircuitView final : public ListView {
 public:
  CircuitView() : ListView(ViewId::Circuit) {}

  // The cell and the device's setting it opens on.
  void setup(int32_t x, int32_t y, const CircuitRecord& record);
  int32_t cellX() const { return x_; }
  int32_t cellY() const { return y_; }
  const CircuitRecord& record() const { return record_; }
  // Sends the setting through the game and closes.
  void apply();

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  int32_t x_ = -1;
  int32_t y_ = -1;
  CircuitRecord record_;
};
