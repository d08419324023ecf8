#include "view/inventory/item_tooltip_text.h"

#include <fmt/printf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "content/potions/potion_table.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "content/texts/language_texts.h"
#include "entities/items/toy_spec.h"
#include "game/combat/mob_hit.h"
#include "world/plants/plant_genes.h"

namespace {

constexpr std::array<std::pair<uint16_t, int>, 23> kItemValues = {{
    {612, 8},    {548, 8},    {740, 8},   {676, 8},    {868, 8},   {932, 8},   {1964, 10},
    {2149, 16},  {2085, 16},  {2277, 16}, {2213, 16},  {2023, 16}, {2024, 16}, {94, 8},
    {64, 30},    {2851, 120}, {164, 300}, {1343, 500}, {1954, 20}, {1124, 10}, {1636, 18},
    {1828, 18},  {1060, 10},
}};

// Tool capability letters in the order they are shown, by capability bit.
constexpr std::array<std::pair<uint16_t, const char*>, 5> kCapabilityIcons = {{
    {2, "\u0401"}, {4, "\u0414"}, {8, "\u0413"}, {1, "\u0415"}, {16, "\u0416"},
}};

// Texts of the potion line by the duration bits and by the strength bits.
constexpr int kDurationTexts[4] = {270, 275, 272, 273};
constexpr int kStrengthTexts[4] = {274, 271, 276, 277};
constexpr uint8_t kKeenModifier = 8;
constexpr uint8_t kSwiftModifier = 5;
constexpr uint8_t kReagentSubKind = 9;

const std::string& text(int id) { return languageTexts().text(id); }

char damageIcon(uint8_t type) { return tooltip_icon::kDamage[type <= 3 ? type : 0]; }

// A tool's or weapon's speed: its record's first value, 1 when unset, faster when swift.
float speedOf(const Item& item, const ToolSpec& tool) {
  const float power = tool.power() != 0 ? tool.power() : 1.0f;
  return item.modifier() == kSwiftModifier ? power * 1.25f : power;
}

// The chance of a critical hit a weapon adds: its item row's value, more when keen.
float weaponDamage(const Item& item, const ItemDef& def) {
  return def.record.critical() / 100.0f + (item.modifier() == kKeenModifier ? 0.1f : 0.0f);
}

// A stat shown as a percentage: x 100 to the nearest whole (stats stored as hundredths, such as
// 0.29, come back as 28.999...), kept to 16 bits.
int percent(float value) { return static_cast<int16_t>(std::lround(value * 100.0f)); }

void toolText(std::string& out, const Item& item, const ItemDef& def, const std::string& name) {
  const ToolSpec& tool = def.toolOrDefault();
  std::string icons;
  for (const auto& [bit, icon] : kCapabilityIcons) {
    if ((tool.capabilities() & bit) != 0) icons += icon;
  }
  out += fmt::sprintf("%s (^b%s^s)\n^0%s^s%1.2f  ^0%c^s%u  ^0%c^s%u", name, text(255), icons,
                      speedOf(item, tool), tooltip_icon::kReach, unsigned{def.record.reach()},
                      tooltip_icon::kDurability, unsigned{item.durability});
}

void weaponText(std::string& out, const Item& item, const ItemDef& def, const std::string& name) {
  const ToolSpec& tool = def.toolOrDefault();
  out += fmt::sprintf("%s (^2%s^s)\n^0%c^s%1.2f  ^0%c^s%u  ^0%c^s%u", name, text(256),
                      damageIcon(tool.damageType()), speedOf(item, tool), tooltip_icon::kReach,
                      unsigned{def.record.reach()}, tooltip_icon::kDurability, unsigned{item.durability});
  const int critical = percent(weaponDamage(item, def));
  if (critical > 0) out += fmt::sprintf("\n^0\u0417^s%2d%%", critical);
  const float bonus = itemWeaponBonus(&item);
  if (bonus > 0) out += fmt::sprintf("%s^s%1.2f^0\u0402", critical > 0 ? "   " : "\n", bonus);
}

void potionText(std::string& out, const Item& item, std::string& name) {
  const uint16_t value = static_cast<uint16_t>(item.word);
  name = potionDisplayName(value);
  out += fmt::sprintf("%s (^3%s^s)", name, text(260));
  const PotionDef* potion = potionDefForValue(value);
  if (potion == nullptr) return;
  const int seconds = potionDuration(value);
  out += fmt::sprintf("\n^0\u0412^s%d:%.02d (%s)  ^0\r^s%d (%s)", seconds / 60, seconds % 60,
                      text(kDurationTexts[value & 3]), (value >> 2) & 15,
                      text(kStrengthTexts[(value >> 4) & 3]));
  if (potion->description != nullptr) out += fmt::sprintf("\n%s", potion->description);
}

void consumableText(std::string& out, const Item& item, const ItemDef& def, std::string& name) {
  if (isPotionItem(item.id)) {
    potionText(out, item, name);
    return;
  }
  out += fmt::sprintf("%s (^3%s^s)", name, text(260));
  if (def.record.value() > 0) out += fmt::sprintf("\n^0%c^s%1.2f", tooltip_icon::kValue, def.record.value());
}

const BulletDef* bulletOf(const ItemDef& def) {
  if (def.rangedSpec == nullptr) return nullptr;
  const int16_t row = def.rangedSpec->bulletRow();
  const auto& bullets = contentTables().bulletDefs;
  return row >= 0 && static_cast<size_t>(row) < bullets.size() ? &bullets[static_cast<size_t>(row)] : nullptr;
}

// A bullet with no thrown item is a real projectile.
bool isProjectile(const BulletDef& bullet) { return static_cast<int16_t>(bullet.thrownItem()) == -1; }

void rangedText(std::string& out, const Item& item, const ItemDef& def, const std::string& name) {
  out += name;
  const RangedSpec& ranged = def.rangedOrDefault();
  if (ranged.needsAmmunition()) {
    out += fmt::sprintf(" (^2%s^s)\n^0%c^s%1.2f", text(256), tooltip_icon::kReach, ranged.speedFactor());
    return;
  }
  const BulletDef* bullet = bulletOf(def);
  if (bullet == nullptr) return;
  if (isProjectile(*bullet) && bullet->mobDamage() > 0) {
    out += fmt::sprintf(" (^2%s^s)\n^0%c^s%1.2f  ^0%c^s%1.2f", text(256), damageIcon(bullet->damageType()),
                        bullet->mobDamage(), tooltip_icon::kReach, ranged.speedFactor());
  } else if (isProjectile(*bullet)) {
    out += fmt::sprintf(" (^2%s^s)\n^0%c^s%1.2f", text(257), tooltip_icon::kReach, ranged.speedFactor());
  } else if (toySpecForItem(item.id) != nullptr) {
    out += fmt::sprintf(" (^b%s^s)", text(262));
  }
}

void otherText(std::string& out, const Item& item, const ItemDef& def, std::string& name);

// A spawn egg is named by the mob it hatches (the low 16 bits of its word), the egg's own name
// below: a throw's reach says nothing of it.
void spawnerText(std::string& out, const Item& item, const std::string& name) {
  const std::string& mob = languageTexts().mobName(static_cast<uint16_t>(item.word));
  if (mob.empty()) {
    out += fmt::sprintf("%s (^bspawn egg^s)", name);
    return;
  }
  out += fmt::sprintf("%s (^bspawn egg^s)\n%s", mob, name);
}

// Ammunition shows its projectile's damage; one that hurts nothing (a bobber, a lure) shows no
// damage line, since "0.00" under its name reads as a number without a meaning. Anything else of
// the kind (a trinket) shows as the other items do rather than as an empty panel.
void ammunitionText(std::string& out, const Item& item, const ItemDef& def, std::string& name) {
  const BulletDef* bullet = def.rangedSpec != nullptr ? bulletOf(def) : nullptr;
  if (bullet == nullptr || !isProjectile(*bullet)) {
    otherText(out, item, def, name);
    return;
  }
  out += fmt::sprintf("%s (^2%s^s)", name, text(263));
  if (bullet->mobDamage() > 0) out += fmt::sprintf("\n^0%c^s%1.2f", damageIcon(bullet->damageType()), bullet->mobDamage());
}

// The stat lines of something worn: each line's separator depends on what the line before showed.
void wearableStats(std::string& out, const Item& item) {
  const float a = item.statValue(6, 0);
  if (a > 0) out += fmt::sprintf("\n^s+%g^0%c", a, tooltip_icon::kValue);
  const float c = item.statValue(8, 0);
  if (c > 0) out += fmt::sprintf("%s^s%g^0\u0418", a > 0 ? "   " : "\n", c);
  const int b = percent(item.statValue(7, 0));
  if (b > 0) out += fmt::sprintf("%s^s+%d%%^0%c", c > 0 ? "   " : "\n", b, tooltip_icon::kStat7);
  const int d = percent(item.statValue(9, 0));
  if (d != 0) out += fmt::sprintf("%s^s%d^0%c", b != 0 ? "   " : "\n", d, tooltip_icon::kStat9);
  const float e = item.statValue(11, 0);
  if (e > 0) out += fmt::sprintf("%s^s%1.2f^0%c", d != 0 ? "   " : "\n", e, tooltip_icon::kStat11);
  for (int group = 0; group < 3; ++group) {
    std::array<int, 4> values{};
    for (int sub = 0; sub < 4; ++sub) values[sub] = percent(item.statValue(group, sub));
    if (std::all_of(values.begin(), values.end(), [](int v) { return v == 0; })) continue;
    out += fmt::sprintf("\n^0%c^s%2d%% %2d%% %2d%% %2d%%", tooltip_icon::kResistance[group], values[0],
                        values[1], values[2], values[3]);
  }
  constexpr std::array<std::pair<int, char>, 5> kGroup3 = {
      {{4, 0x1F}, {3, 0x1C}, {0, 0x19}, {1, 0x1A}, {2, 0x1B}}};
  std::array<int, 5> values{};
  for (size_t i = 0; i < kGroup3.size(); ++i) values[i] = std::min(percent(item.statValue(3, kGroup3[i].first)), 100);
  if (std::all_of(values.begin(), values.end(), [](int v) { return v == 0; })) return;
  out += "\n";
  for (size_t i = 0; i < kGroup3.size(); ++i) {
    if (values[i] > 0) out += fmt::sprintf("^0%c^s%2d%% ", kGroup3[i].second, values[i]);
  }
}

void wearableText(std::string& out, const Item& item, const ItemDef& def, const std::string& name) {
  if (def.buff == nullptr) {
    out += fmt::sprintf("%s (^m%s^s)", name, text(258));
    return;
  }
  out += fmt::sprintf("%s (^m%s^s)", name, text(259));
  wearableStats(out, item);
}

void otherText(std::string& out, const Item& item, const ItemDef& def, std::string& name) {
  if (item.id == kSeedItem) {
    const uint16_t gene = static_cast<uint16_t>(item.word);
    name = (gene & kSeedFromPlantMark) == 0 ? std::string("Mysterious Seed") : seedDisplayName(gene);
    out += name + " (^yseed^s)";
    return;
  }
  out += name;
  const uint8_t kind = def.record.kind();
  if (def.record.subKind() == kReagentSubKind) {
    out += " (^oreagent^s)";
  } else {
    const int category = kind == 4 ? 264 : kind == 3 ? 265 : kind == 8 ? 266 : kind == 16 ? 268 : -1;
    if (category >= 0) out += fmt::sprintf(" (^y%s^s)", text(category));
  }
  if (const std::optional<int> worth = itemTableValue(item.id)) {
    out += fmt::sprintf("\n^0%c^s%d %s", tooltip_icon::kWorth, *worth, text(269));
  }
}

}  // namespace

std::optional<int> itemTableValue(uint16_t itemId) {
  for (const auto& [id, value] : kItemValues) {
    if (id == itemId) return value;
  }
  return std::nullopt;
}

void itemTooltipText(std::string& out, const Item& item, std::string& name) {
  const ItemDef* def = item.definition();
  if (def != nullptr && showsHeldMobName(item.id)) {
    spawnerText(out, item, name);
  } else if (def != nullptr) {
    switch (def->record.kind()) {
      case 1: toolText(out, item, *def, name); break;
      case 2: consumableText(out, item, *def, name); break;
      case 5: weaponText(out, item, *def, name); break;
      case 6: rangedText(out, item, *def, name); break;
      case 7: ammunitionText(out, item, *def, name); break;
      case 10: case 11: case 12: case 13: case 14: wearableText(out, item, *def, name); break;
      default: otherText(out, item, *def, name); break;
    }
  }
  name.clear();
}
