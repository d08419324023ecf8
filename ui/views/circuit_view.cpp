#include "ui/views/circuit_view.h"

#include "content/items/block_edit.h"
#include "world/edits/edit_kind.h"
#include "world/rules/game.h"
#include "world/world.h"

void CircuitView::setup(int32_t x, int32_t y, const CircuitRecord& record) {
  x_ = x;
  y_ = y;
  record_ = record;
}

BlockEdit circuitSettingEdit(int32_t x, int32_t y, const CircuitRecord& record) {
  BlockEdit edit;
  edit.kind = edit_kind::kCircuitSetting;
  edit.x = static_cast<uint16_t>(x);
  edit.y = static_cast<uint16_t>(y);
  edit.setValueByte(0, record.tag);
  edit.setValueByte(1, record.reserved);
  edit.setValueByte(2, static_cast<uint8_t>(record.value));
  edit.setValueByte(3, static_cast<uint8_t>(record.value >> 8));
  edit.setValueByte(4, static_cast<uint8_t>(record.second));
  edit.setValueByte(5, static_cast<uint8_t>(record.second >> 8));
  return edit;
}

void CircuitView::apply() {
  // The setting goes through the rules like every other change of a cell.
  if (session().world() != nullptr) session().game().editBlock(circuitSettingEdit(x_, y_, record_));
  back();
}

void CircuitView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = "Circuit";
  lines.push_back("Cell " + std::to_string(x_) + ", " + std::to_string(y_) + ": setting " + std::to_string(record_.value));
  rows.push_back({"Raise", [this] {
                    ++record_.value;
                    refresh();
                  }});
  rows.push_back({"Lower", [this] {
                    if (record_.value > 0) --record_.value;
                    refresh();
                  }});
  rows.push_back({"Apply", [this] { apply(); }});
}
