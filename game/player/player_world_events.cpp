// The local player's side of world events: weather, the day clock, pausing the clock, going to
// bed and a finished brew. What it shows goes out through the player events seam; the game's
// clock task is reached through the game clock seam.

#include "content/potions/potion_table.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/fishing/fishing_catch.h"
#include "game/inventory/inventory.h"
#include "game/player/game_clock.h"
#include "game/player/player.h"
#include "game/player/player_events.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/block_entity_cast.h"
#include "world/rules/console_kind.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

// Item ids past this name nothing the content defines.
constexpr uint16_t kItemIdLimit = 4096;
constexpr uint8_t kLastWeatherKind = 3;
constexpr int16_t kTextSnowStarts = 179;
constexpr int16_t kTextRainStarts = 180;
constexpr int16_t kTextAcidRainStarts = 181;
constexpr int16_t kTextSnowStops = 182;
constexpr int16_t kTextRainStops = 183;
constexpr int16_t kTextClockStopped = 187;
constexpr int16_t kTextClockStarted = 188;
constexpr int16_t kTextGoodNight = 176;
constexpr int16_t kTextPotionDiscovered = 117;
constexpr int kPotionEntryShift = 6;

bool isRainy(WeatherKind kind) { return kind == WeatherKind::Rain || kind == WeatherKind::AcidRain; }

int16_t startText(WeatherKind kind) {
  switch (kind) {
    case WeatherKind::Snow: return kTextSnowStarts;
    case WeatherKind::Rain: return kTextRainStarts;
    case WeatherKind::AcidRain: return kTextAcidRainStarts;
    default: return 0;
  }
}

bool isDayPhase(uint8_t phase) { return phase == 1 || phase == 2 || phase == 4 || phase == 8; }

void markBit(RecipeKnowledge::Bitset& bits, uint16_t entry) {
  if (entry / 8 < bits.size()) bits[entry / 8] = static_cast<uint8_t>(bits[entry / 8] | (1u << (entry % 8)));
}

}  // namespace

void Player::setWeather(uint8_t kind, bool quiet) {
  if (world == nullptr || kind > kLastWeatherKind) return;
  const auto next = static_cast<WeatherKind>(kind);
  const WeatherKind now = world->weather().kind;
  if (now == WeatherKind::None || quiet) {
    if (!quiet && startText(next) != 0) showTextById(console_kind::kInformation, startText(next));
    if (isRainy(next)) events().rainAmbience(true);
  } else if (now == WeatherKind::Snow) {
    showTextById(console_kind::kInformation, kTextSnowStops);
  } else if (isRainy(now)) {
    showTextById(console_kind::kInformation, kTextRainStops);
    events().rainAmbience(false);
  }
  world->weather().kind = next;
  events().skyWeather(kind);
}

void Player::setTickPaused(bool paused) {
  if (world != nullptr) world->dayClock().running = paused ? 0 : 1;
  showTextById(console_kind::kInformation, paused ? kTextClockStopped : kTextClockStarted);
  if (paused) {
    clock().stopClockTask();
  } else {
    clock().scheduleClockTask();
  }
}

void Player::setDayClock(uint8_t phase, uint32_t tick) {
  if (world == nullptr || !isDayPhase(phase)) return;
  DayClock& day = world->dayClock();
  day.phase = static_cast<DayPhase>(phase);
  day.tickCounter = tick;
  day.updateDarkness();
  if (day.running != 0 && !clock().sleeping()) clock().scheduleClockTask();
  events().skyPhase(phase, day.tickInPhase());
  events().rebuildWorldView();
}

void Player::notifyRestored() {
  showTextById(console_kind::kInformation, kTextGoodNight);
  events().popToMainView();
  if (game != nullptr) game->sleep();
}

void Player::stampBiteTime() { events().fishBiting(); }

void Player::forgetBobber() { events().fishingEnded(); }

// The rod in the hand is never the bait, even where a rod would rank as one.
void Player::consumeBait() {
  uint16_t best = ITEM_NONE;
  int bestTier = 0;
  for (uint16_t id = 0; id < kItemIdLimit; ++id) {
    const int tier = baitTier(id);
    if (tier <= bestTier || fishingRodTier(id) >= 0 || inventory->countItems(id, false, false) == 0) continue;
    best = id;
    bestTier = tier;
  }
  if (best == ITEM_NONE) return;
  if (inventory->takeOne(best, false).kind == SlotKind::Quick) heldItemChanged(heldItem());
}

bool Player::hasUnknownEntries() const { return knowledge != nullptr && knowledge->canLearn(); }

uint16_t Player::pickUnknownEntry() const {
  return hasUnknownEntries() ? knowledge->pickRandomUnknownEntry() : kNoUnknownEntry;
}

// A player who turned to another container meanwhile gets nothing brewed there.
bool Player::takeBrew(const AlchemyLab& lab, const PotionResult& result) {
  if (openContainer() == &lab) potionBrewed(result);
  return true;
}

void Player::potionBrewed(const PotionResult& result) {
  auto* lab = block_entity_cast<AlchemyLab>(openContainer());
  if (lab == nullptr) return;
  const bool brewed = lab->brew(result);
  lab->setBrewing(false);
  events().containerRefreshed();
  if (!brewed || result.itemId == FAILED_BREW_ITEM) return;
  const auto entry = static_cast<uint16_t>(result.value >> kPotionEntryShift);
  if (knowledge->isRecipeKnown(entry)) return;
  markBit(knowledge->chemistry, entry);
  events().floatingText(kTextPotionDiscovered, potionDisplayName(result.value));
}
