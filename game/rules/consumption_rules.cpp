#include "game/rules/consumption_rules.h"

#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "content/tables/item_def.h"
#include "content/texts/language_texts.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player.h"
#include "game/rules/player_rules.h"
#include "world/rules/console_kind.h"

namespace {

constexpr uint16_t kFirstPotion = 2126;
constexpr uint16_t kPotionStep = 64;
constexpr uint16_t kPotionCount = 15;
constexpr uint8_t kHarm = 10;
constexpr uint16_t kStatConsumed = 0;

}  // namespace

bool isPotionItem(uint16_t itemId) {
  return itemId >= kFirstPotion && (itemId - kFirstPotion) % kPotionStep == 0 &&
         (itemId - kFirstPotion) / kPotionStep < kPotionCount;
}

bool isConsumable(const Item& item) { return itemKindOf(&item) == item_kind::kConsumable && fixedDropFor(item.id) == nullptr; }

int16_t refusalTextFor(uint8_t refusal) { return refusal <= 3 ? static_cast<int16_t>(190 + refusal) : int16_t{191}; }

std::string refusalMessage(const std::string& format, const std::string& reason) {
  std::string text = format;
  const size_t at = text.find("%s");
  if (at == std::string::npos) return text + reason;
  return text.replace(at, 2, reason);
}

bool canConsume(Player& player, const Item& item) {
  if (!isConsumable(item)) return false;
  if (!isPotionItem(item.id) || player.canAddBuff(static_cast<uint16_t>(item.word))) return true;
  const ItemDef* def = item.definition();
  const uint8_t refusal = def != nullptr ? def->record.refusal() : 1;
  const LanguageTexts& texts = languageTexts();
  player.showMessage(console_kind::kRefusal,
                     refusalMessage(texts.text(kCannotDrinkText), texts.text(refusalTextFor(refusal))));
  return false;
}

bool applyConsumption(PlayerRules& rules, PlayerBase& player, const Item& item) {
  if (!isConsumable(item)) return false;
  if (isPotionItem(item.id)) {
    if (!player.canAddBuff(static_cast<uint16_t>(item.word))) return false;
    player.addBuff(static_cast<uint16_t>(item.word));
  } else if (const ItemDef* def = item.definition()) {
    const float food = def->record.value();
    if (food > 0) {
      player.addHealth(food);
    } else if (food < 0) {
      rules.damagePlayer(player, -food, kHarm);
    }
  }
  return true;
}

bool consumeItem(PlayerRules& rules, Player& player, const Item* item) {
  if (item == nullptr || item->isNone()) return true;
  if (!applyConsumption(rules, player, *item)) return false;
  player.recordStat(kStatConsumed, item->id);
  return true;
}
