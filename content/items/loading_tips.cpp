#include "content/items/loading_tips.h"

#include "engine/base/random.h"
#include "platform/achievements_bridge.h"
#include "platform/platform.h"

namespace {

constexpr const char* TIPS[LOADING_TIP_COUNT] = {
    "Bridges can overlap with\nalmost all non solid objects.",
    "The game is automatically saved when\nyou use the home button.",
    "Items on the ground will disappear\nbetween gaming sessions.",
    "Whenever you die, you will drop\nyour items on the ground.",
    "Items on ground will decay in some time.",
    "Your character inventory is\ncarried around the worlds.",
    "Cloth blocks inhibit falling damage.",
    "You can craft multiple items\nby holding the craft button.",
    "To hit a mob, you must be able\nto reach it through empty blocks.",
    "You can replant trees by using saplings.",
    "You can skip night by clicking on\non your current bed.",
    "Better bottles make\npotions last longer.",
    "The third ingredient of a potion\ndecides how strong it is.",
    "Some sprouts require tilled\nsoil to be planted.",
    "You can drop items by dragging\nthem outside the inventory.",
    "Some sprouts require special\nsupports to be planted.",
    "A stable can hold up to 3 animals.",
    "You have to stand near crafting\n addons when a craft requires them.",
    "You can disable hostile mobs\nby enabling peaceful option.",
    "Using bone dust on saplings\nhas a chance to fertilize it.",
    "Some chests have locks which\nmust be removed with keys.",
    "'Easily reproduce'",
    "'It's 1000 times better!'",
    "'Dig deeper!'",
    "'Every block counts'",
    "'Make it 3D'",
    "'1986 Graphics!'",
    "You can throw items by dragging\nthem out of the inventory.",
    "Different weapons deal\ndifferent damage types.",
    "There are many game options,\ncheck them out!",
    "You need a pencil to write on signs.",
    "Different creatures have\ndifferent resistances to damage.",
    "Lava burns any treasure that touches it.",
    "You need 3 portal pieces\nto activate a portal.",
    "You need to unlock new planets to\nunlock their items in creative mode.",
    "Many equipments have\nvarious, even hidden, benefits.",
    "You can select multiple items\nto be trashed at once.",
    "Some crafts can be done\nwith different materials.",
    "Portal chests can be found\nonly in adventure mode!",
    "To create different planets you\nneed to first reach them in adventure mode.",
    "Difficulty doesn't affect\njoined multiplayer games!",
    "Toys can be thrown only\nwith no item in hand.",
    "You can set the difficulty\nin Options->Gameplay",
    "To safely trade with\npeople you need a Scale",
    "You can lock block placement to a layer\nby holding the shift button",
    "Clicking on your character in the\ninventory will show his stats.",
    "You can close the inventory or craftbook\nby pressing ESC",
    "You can press F1 to see\nthe command quick help reference",
};

// The global statistics that can stand in for a tip, by statistic index.
constexpr const char* STATISTIC_TEXTS[] = {"fish caught so far", "items crafted so far"};
constexpr int STATISTIC_TIP_COUNT = 2;
constexpr int TIP_DRAW_RANGE = LOADING_TIP_COUNT + STATISTIC_TIP_COUNT;

kel::AchievementsBridge* globalStatistics() {
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr) return nullptr;
  kel::AchievementsBridge* bridge = platform->achievements();
  return bridge != nullptr && bridge->globalStatsReady() ? bridge : nullptr;
}

}  // namespace

const char* loadingTip(int index) {
  return index >= 0 && index < LOADING_TIP_COUNT ? TIPS[index] : "";
}

std::string randomLoadingTip() {
  if (kel::AchievementsBridge* bridge = globalStatistics()) {
    const int pick = engine::randomNext() % TIP_DRAW_RANGE;
    if (pick < STATISTIC_TIP_COUNT) {
      return std::to_string(bridge->globalStat(static_cast<uint32_t>(pick))) + " " +
             STATISTIC_TEXTS[pick] + ".";
    }
    return TIPS[pick - STATISTIC_TIP_COUNT];
  }
  return TIPS[engine::randomNext() % LOADING_TIP_COUNT];
}
