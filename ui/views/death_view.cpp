#include "ui/views/death_view.h"

#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "ui/views/leave_game.h"
#include "world/rules/game.h"

namespace {

// Damage kinds past the four weapon kinds that name their own cause.
constexpr uint8_t kHarmKind = 10;
constexpr uint8_t kBlastKind = 20;
constexpr uint8_t kDrowningKind = 21;
constexpr uint8_t kHeatKind = 22;
constexpr uint8_t kAcidKind = 23;
constexpr uint8_t kFallKind = 24;

constexpr Inventory::Area kCarriedAreas[] = {
    Inventory::Area::Quick,     Inventory::Area::CreativeQuick, Inventory::Area::CraftGrid, Inventory::Area::Backpack,
    Inventory::Area::Equipment, Inventory::Area::Equipment2,    Inventory::Area::Single,    Inventory::Area::Trinket,
};

size_t carriedStacks(const Inventory& inventory) {
  size_t stacks = 0;
  for (const Inventory::Area area : kCarriedAreas) {
    for (const ItemPtr& item : inventory.area(area)) stacks += item != nullptr && !item->isNone();
  }
  return stacks;
}

}  // namespace

std::string DeathView::causeLine(uint8_t kind, const std::string& source) {
  if (!source.empty()) return "Killed by " + source + ".";
  switch (kind) {
    case kHarmKind: return "You wasted away.";
    case kBlastKind: return "You were blown up.";
    case kDrowningKind: return "You drowned.";
    case kHeatKind: return "You burned to death.";
    case kAcidKind: return "You dissolved in acid.";
    case kFallKind: return "You fell to your death.";
    default: return "You were slain.";
  }
}

void DeathView::enter() {
  const PlayerDesktopLocal* player = session().player();
  cause_.clear();
  lostSomething_ = false;
  if (player != nullptr) {
    cause_ = causeLine(player->lastHurt().kind, player->lastHurt().source);
    const size_t before = player->inventory != nullptr ? carriedStacks(*player->inventory) : 0;
    session().game().dropInventoryOnDeath();
    lostSomething_ = player->inventory != nullptr && carriedStacks(*player->inventory) < before;
  }
  session().game().pause();
  ListView::enter();
}

void DeathView::exit() {
  ListView::exit();
  session().game().unpause();
}

void DeathView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = "You died";
  if (!cause_.empty()) lines.push_back(cause_);
  lines.push_back(lostSomething_ ? kItemsLeft : kNothingLost);
  rows.push_back({"Respawn", [this] { session().game().respawn(); }});
  rows.push_back({"Save and quit", [this] { saveAndQuitGame(session(), {}); }});
}
