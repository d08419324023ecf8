#include "ui/views/help_view.h"

#include "platform/platform.h"
#include "ui/widgets/key_names.h"

namespace {
uint32_t keyOf(uint32_t action) {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->keyForAction(action) : 0;
}
}  // namespace

std::vector<std::string> HelpView::helpLines() {
  return {
      "Walk: " + keyName(keyOf(2)) + " / " + keyName(keyOf(3)) + ", climb " + keyName(keyOf(0)) + ", drop " +
          keyName(keyOf(1)) + ", jump " + keyName(keyOf(4)),
      "Left button: mine the block under the pointer, or swing the held weapon",
      "Right button: use the block under the pointer, or place the held item",
      "1-9, 0 or the wheel: pick a quick slot",
      "Fishing: a bobber or lure in the ammunition slot (under the craft grid), bait in the bag; hold the rod, "
      "left-click the water, reel in when it bites",
      "Inventory " + keyName(keyOf(6)) + ", book " + keyName(keyOf(7)) + ", map " + keyName(keyOf(8)) + ", chat " +
          keyName(keyOf(9)) + ", pause " + keyName(keyOf(5)),
  };
}

void HelpView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = "Help";
  lines = helpLines();
  rows.push_back({"Back", [this] { back(); }});
}
