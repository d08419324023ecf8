#include "content/potions/potion_table.h"

#include <algorithm>
#include <cctype>

#include "content/potions/potion_effects.h"
#include "content/potions/potion_ingredients.h"
#include "content/stats/potion_effect.h"
#include "engine/base/random.h"

namespace {

struct PotionRow {
  const char* name;
  const char* description;
  uint8_t nameStyle;
  PotionCategory category;
  uint8_t durationClass;
  uint16_t itemId;
};

// name, description, name style, category, duration class, potion item
constexpr PotionRow POTION_ROWS[POTION_COUNT] = {
    {"Giants", "Makes you giant", 0, POTION_SPECIAL, 1, 2382},                                 // 0
    {"Dwarves", "Makes you tiny", 0, POTION_SPECIAL, 1, 2702},                                 // 1
    {"Male Gender", "Makes you a male", 0, POTION_SPECIAL, 1, 2766},                           // 2
    {"Female Gender", "Makes you a female", 0, POTION_SPECIAL, 1, 2510},                       // 3
    {"Invisibility", "Makes you invisible", 0, POTION_UTILITY, 1, 2190},                       // 4
    {"Black Color", "Makes you black", 1, POTION_SPECIAL, 2, 2254},                            // 5
    {"Brown Color", "Makes you brown", 1, POTION_SPECIAL, 2, 2318},                            // 6
    {"Orange Color", "Makes you orange", 1, POTION_SPECIAL, 2, 2382},                          // 7
    {"Red Color", "Makes you red", 1, POTION_SPECIAL, 2, 2446},                                // 8
    {"Rose Color", "Makes you rose", 1, POTION_SPECIAL, 2, 2510},                              // 9
    {"Magenta Color", "Makes you magenta", 1, POTION_SPECIAL, 2, 2574},                        // 10
    {"Purple Color", "Makes you purple", 1, POTION_SPECIAL, 2, 2638},                          // 11
    {"Blue Color", "Makes you blue", 1, POTION_SPECIAL, 2, 2702},                              // 12
    {"Light Blue Color", "Makes you light blue", 1, POTION_SPECIAL, 2, 2766},                  // 13
    {"Cyan Color", "Makes you cyan", 1, POTION_SPECIAL, 2, 2830},                              // 14
    {"Lime Green Color", "Makes you lime green", 1, POTION_SPECIAL, 2, 2894},                  // 15
    {"Green Color", "Makes you green", 1, POTION_SPECIAL, 2, 2958},                            // 16
    {"Yellow Color", "Makes you yellow", 1, POTION_SPECIAL, 2, 3022},                          // 17
    {"Explosion Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2382},                           // 18
    {"Lava Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2446},                                // 19
    {"Acid Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2958},                                // 20
    {"Drowning Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2766},                            // 21
    {"Lava/Acid Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2894},                           // 22
    {"Acid/Drowning Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2958},                       // 23
    {"Lava/Drowning Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2382},                       // 24
    {"Featherlight", "Enhances your fall resistance", 1, POTION_DEFENSIVE, 3, 2318},           // 25
    {"Explosion Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2382},                           // 26
    {"Falling/Explosion Resistance", nullptr, 0, POTION_DEFENSIVE, 3, 2638},                   // 27
    {"Resistance To All", nullptr, 0, POTION_DEFENSIVE, 3, 2126},                              // 28
    {"Firm Feet", "Enhances your grip on slippery surfaces", 1, POTION_DEFENSIVE, 2, 2766},    // 29
    {"Metal Feet", "Makes you immune to spikes", 1, POTION_DEFENSIVE, 2, 2254},                // 30
    {"Slash Damage", nullptr, 0, POTION_OFFENSIVE, 2, 3022},                                   // 31
    {"Pierce Damage", nullptr, 0, POTION_OFFENSIVE, 2, 2830},                                  // 32
    {"Blunt Damage", nullptr, 0, POTION_OFFENSIVE, 2, 2318},                                   // 33
    {"Magician", "Enhances magical damage", 1, POTION_OFFENSIVE, 2, 2638},                     // 34
    {"Slash/Pierce Damage", nullptr, 0, POTION_OFFENSIVE, 2, 2446},                            // 35
    {"Slash/Blunt Damage", nullptr, 0, POTION_OFFENSIVE, 2, 2126},                             // 36
    {"Blunt/Pierce Damage", nullptr, 0, POTION_OFFENSIVE, 2, 2382},                            // 37
    {"Physical Damage", nullptr, 0, POTION_OFFENSIVE, 2, 2190},                                // 38
    {"All Damage", nullptr, 0, POTION_OFFENSIVE, 2, 2254},                                     // 39
    {"Slash Skill", nullptr, 0, POTION_OFFENSIVE, 2, 3022},                                    // 40
    {"Pierce Skill", nullptr, 0, POTION_OFFENSIVE, 2, 2830},                                   // 41
    {"Blunt Skill", nullptr, 0, POTION_OFFENSIVE, 2, 2318},                                    // 42
    {"Wizardry", "Enhances magical damage and critical", 1, POTION_OFFENSIVE, 2, 2638},        // 43
    {"Melee Skill", nullptr, 0, POTION_OFFENSIVE, 2, 2510},                                    // 44
    {"Melee Precision", "Enhances your melee critical chance", 0, POTION_OFFENSIVE, 2, 2510},  // 45
    {"Precision", "Enhances your critical chance", 0, POTION_OFFENSIVE, 2, 2446},              // 46
    {"Ranged Precision", "Enhances your ranged critical chance", 0, POTION_OFFENSIVE, 2,
     2382},                                                     // 47
    {"Slash Defense", nullptr, 0, POTION_DEFENSIVE, 3, 2382},   // 48
    {"Pierce Defense", nullptr, 0, POTION_DEFENSIVE, 3, 2702},  // 49
    {"Blunt Defense", nullptr, 0, POTION_DEFENSIVE, 3, 2254},   // 50
    {"Magic Defense", nullptr, 0, POTION_DEFENSIVE, 3, 2574},   // 51
    {"Golem Defense", "Enhances your slash and pierce defense.", 0, POTION_DEFENSIVE, 3,
     2446},                                                                            // 52
    {"Slash/Blunt Defense", nullptr, 0, POTION_DEFENSIVE, 3, 2766},                    // 53
    {"Blunt/Pierce Defense", nullptr, 0, POTION_DEFENSIVE, 3, 2190},                   // 54
    {"Physical Defense", nullptr, 0, POTION_DEFENSIVE, 3, 2510},                       // 55
    {"All Defense", nullptr, 0, POTION_DEFENSIVE, 3, 2894},                            // 56
    {"Runner", "Enhances your walk speed", 1, POTION_UTILITY, 1, 3022},                // 57
    {"Hopper", "Enhances your jump power", 1, POTION_UTILITY, 1, 2830},                // 58
    {"Cliffhanger", "Enhances your climb speed", 1, POTION_UTILITY, 1, 2958},          // 59
    {"Aquatic", "Enhances your swim speed", 1, POTION_UTILITY, 1, 2766},               // 60
    {"Walk/Jump Movement", nullptr, 0, POTION_UTILITY, 1, 2382},                       // 61
    {"Walk/Climb Movement", nullptr, 0, POTION_UTILITY, 1, 2766},                      // 62
    {"Climb/Jump Movement", nullptr, 0, POTION_UTILITY, 1, 2894},                      // 63
    {"Walk/Swim Movement", nullptr, 0, POTION_UTILITY, 1, 2702},                       // 64
    {"Speed", "Enhances your overall speed", 1, POTION_UTILITY, 1, 3022},              // 65
    {"Thorns", nullptr, 0, POTION_DEFENSIVE, 2, 2958},                                 // 66
    {"Reactive Armor", nullptr, 0, POTION_DEFENSIVE, 2, 2446},                         // 67
    {"Vampirism", "Makes you leech life from enemies", 0, POTION_OFFENSIVE, 2, 2446},  // 68
    {"Living Armor", nullptr, 0, POTION_DEFENSIVE, 2, 2638},                           // 69
    {"Throw Power", nullptr, 0, POTION_OFFENSIVE, 1, 2382},                            // 70
    {"Save Ammo", nullptr, 0, POTION_UTILITY, 1, 2318},                                // 71
    {"Bullet Skill", nullptr, 0, POTION_OFFENSIVE, 1, 2190},                           // 72
    {"Archery", nullptr, 0, POTION_OFFENSIVE, 2, 2702},                                // 73
    {"Hunting", nullptr, 0, POTION_OFFENSIVE, 2, 2958},                                // 74
    {"Health Regen", nullptr, 0, POTION_UTILITY, 2, 2382},                             // 75
    {"Health", nullptr, 0, POTION_UTILITY, 2, 2446},                                   // 76
    {"Health Boost", nullptr, 0, POTION_UTILITY, 1, 2446},                             // 77
    {"Healing Bonus", nullptr, 0, POTION_UTILITY, 1, 2382},                            // 78
    {"Prayer", nullptr, 0, POTION_UTILITY, 2, 2126},                                   // 79
    {"Cleric", nullptr, 0, POTION_UTILITY, 2, 2190},                                   // 80
    {"Cure", nullptr, 0, POTION_UTILITY, 2, 2894},                                     // 81
    {"Invulnerability", nullptr, 0, POTION_UTILITY, 1, 2638},                          // 82
    {"Luck", "Enhances chance of rare drops", 1, POTION_UTILITY, 2, 2958},             // 83
    {"Prosperity", "Enhances chance of multiple drops", 1, POTION_UTILITY, 2, 2702},   // 84
    {"Charm", "Enhances your overall luck with drops", 1, POTION_UTILITY, 2, 3022},    // 85
    {"Dig Expertise", nullptr, 0, POTION_UTILITY, 2, 2318},                            // 86
    {"Pick Expertise", nullptr, 0, POTION_UTILITY, 2, 2190},                           // 87
    {"Pound Expertise", nullptr, 0, POTION_UTILITY, 2, 2318},                          // 88
    {"Chop Expertise", nullptr, 0, POTION_UTILITY, 2, 2318},                           // 89
    {"Dig Mastering", nullptr, 0, POTION_UTILITY, 1, 2254},                            // 90
    {"Pick Mastering", nullptr, 0, POTION_UTILITY, 1, 2190},                           // 91
    {"Pound Mastering", nullptr, 0, POTION_UTILITY, 1, 2254},                          // 92
    {"Chop Mastering", nullptr, 0, POTION_UTILITY, 1, 2958},                           // 93
    {"Tools Expertise", nullptr, 0, POTION_UTILITY, 1, 2382},                          // 94
    {"Tools Power", nullptr, 0, POTION_UTILITY, 2, 2766},                              // 95
    {"Tools Equivalence", nullptr, 0, POTION_UTILITY, 2, 2382},                        // 96
    {"Breaking", nullptr, 0, POTION_UTILITY, 2, 2126},                                 // 97
    {"Hands Power", nullptr, 0, POTION_UTILITY, 1, 2638},                              // 98
    {"Hands Skill", nullptr, 0, POTION_UTILITY, 1, 2510},                              // 99
    {"Puncher", "Enhances your melee knockback", 1, POTION_OFFENSIVE, 2, 3022},        // 100
    {"Batter", "Enhances your melee knockback", 1, POTION_OFFENSIVE, 2, 2766},         // 101
    {"Hurricane", "Enhances your overall knockback", 1, POTION_OFFENSIVE, 2, 2894},    // 102
    {"Swiftness", "Enhances your attack speed", 1, POTION_OFFENSIVE, 1, 2446},         // 103
    {"Grinder", "Enhances your mining speed", 1, POTION_UTILITY, 1, 2638},             // 104
    {"Moonlight", "Reduces your gravity", 1, POTION_UTILITY, 0, 2702},                 // 105
    {"Blackhole", "Increases your gravity", 1, POTION_UTILITY, 0, 2254},               // 106
    {"Quills", "Reduces your falling speed", 1, POTION_UTILITY, 1, 2766},              // 107
    {"Ninja", "Enhances your throw speed and power", 1, POTION_UTILITY, 1, 2638},      // 108
    {"Wrestler", "Enhances your damage but slows your attack", 1, POTION_OFFENSIVE, 1,
     2318},  // 109
};

constexpr uint16_t DURATIONS[4][4] = {
    {5, 10, 15, 20},
    {30, 60, 120, 180},
    {240, 360, 480, 600},
    {600, 720, 840, 960},
};

constexpr uint16_t BOTTLE_ITEMS[4] = {1870, 1934, 1998, 2062};

uint16_t codeOfRow(size_t row) { return static_cast<uint16_t>((row * 33) & 1023); }

std::string lowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

int categoryNamed(std::string_view filter) {
  if (filter == "offensive") return POTION_OFFENSIVE;
  if (filter == "defensive") return POTION_DEFENSIVE;
  if (filter == "utility") return POTION_UTILITY;
  if (filter == "special") return POTION_SPECIAL;
  return -1;
}

const PotionResult NO_ITEMS{nullptr, ITEM_NONE, 0};
const PotionResult FAILED_BREW{nullptr, FAILED_BREW_ITEM, 0};

}  // namespace

const std::array<PotionDef, POTION_COUNT>& potionDefs() {
  static const std::array<PotionDef, POTION_COUNT> defs = [] {
    std::array<PotionDef, POTION_COUNT> rows;
    for (size_t i = 0; i < POTION_COUNT; ++i) {
      const PotionRow& row = POTION_ROWS[i];
      rows[i] = PotionDef{codeOfRow(i),    row.name,
                          row.description, row.nameStyle,
                          row.category,    row.durationClass,
                          row.itemId,      potionEffectForRow(static_cast<int>(i))};
    }
    return rows;
  }();
  return defs;
}

PotionTable::PotionTable() {
  size_t slot = 0;
  for (const PotionDef& def : potionDefs()) {
    index_[slot] = &def;
    categories_[def.category].push_back(&def);
    slot = (slot + 33) & 1023;
  }
}

const PotionDef* PotionTable::atCode(int code) const {
  if (code < 0 || code >= static_cast<int>(POTION_INDEX_SIZE)) return nullptr;
  return index_[static_cast<size_t>(code)];
}

const std::vector<const PotionDef*>& PotionTable::category(int which) const {
  static const std::vector<const PotionDef*> none;
  if (which < 0 || which >= POTION_CATEGORY_COUNT) return none;
  return categories_[static_cast<size_t>(which)];
}

const PotionTable& potionTable() {
  static const PotionTable table;
  return table;
}

void indexPotionTable() { (void)potionTable(); }

const PotionDef* potionDefForValue(uint16_t value) { return potionTable().atCode(value >> 6); }

int bottleKind(int itemId) {
  for (int kind = 0; kind < 4; ++kind) {
    if (BOTTLE_ITEMS[kind] == itemId) return kind;
  }
  return 0;
}

bool isPotionItem(int itemId) {
  const int offset = itemId - FIRST_POTION_ITEM;
  return offset >= 0 && offset % 64 == 0 && offset / 64 < POTION_ITEM_COUNT;
}

PotionResult brewPotion(const Item* first, const Item* second, const Item* third,
                        const Item* bottle) {
  if (!first || !second || !third || !bottle) return NO_ITEMS;
  const int a = potionIngredientValue(first->id);
  const int b = potionIngredientValue(second->id);
  const int c = potionIngredientValue(third->id);
  // An item without an alchemy value would otherwise read as value 31 and brew a potion that
  // its ingredients never made.
  if (a == NO_ALCHEMY_VALUE || b == NO_ALCHEMY_VALUE || c == NO_ALCHEMY_VALUE) return FAILED_BREW;
  const int code = (a * 32 + b) & 1023;
  const PotionDef* def = potionTable().atCode(code);
  if (def == nullptr) return FAILED_BREW;
  const int value = (code * 64 + (c & 15) * 4 + bottleKind(bottle->id)) & 0xFFFF;
  return {def, def->itemId, static_cast<uint16_t>(value)};
}

PotionResult randomPotionEffect(uint8_t spec) {
  const int category = std::min(spec & 7, 4);  // 5 to 7 name no category: any potion
  const int r = engine::randomNext();
  const PotionDef* def = nullptr;
  if (category == 4) {
    def = &potionDefs()[static_cast<size_t>(r) % POTION_COUNT];
  } else {
    const auto& rows = potionTable().category(category);
    def = rows[static_cast<size_t>(r) % rows.size()];
  }
  const int r2 = engine::randomNext();
  const int value = def->code * 64 + ((spec >> 5) & 3) * 16 + (r2 & 3) * 4 + ((spec >> 3) & 3);
  return {def, def->itemId, static_cast<uint16_t>(value)};
}

std::string potionDisplayName(uint16_t value) {
  const PotionDef* def = potionDefForValue(value);
  if (def == nullptr) return "Potion";
  if (def->nameStyle == POTION_NAME_SUFFIX) return std::string(def->name) + " Potion";
  return "Potion of " + std::string(def->name);
}

uint16_t potionDuration(uint16_t value) {
  const PotionDef* def = potionDefForValue(value);
  if (def == nullptr) return 0;
  return DURATIONS[def->durationClass & 3][value & 3];
}

void applyPotionEffect(Stats& stats, const PotionEffect& effect) {
  const PotionDef* def = potionDefForValue(effect.value);
  if (def != nullptr && def->effect) def->effect(stats, effect);
}

std::vector<const PotionDef*> potionsOfCategory(std::string_view filter) {
  std::vector<const PotionDef*> rows;
  for (int code = 0; code < static_cast<int>(POTION_INDEX_SIZE); ++code) {
    if (const PotionDef* def = potionTable().atCode(code)) rows.push_back(def);
  }
  // Byte order, and rows of equal name keep their slot order.
  std::stable_sort(rows.begin(), rows.end(), [](const PotionDef* a, const PotionDef* b) {
    return std::string_view(a->name) < std::string_view(b->name);
  });
  if (filter.empty()) return rows;
  const int wanted = categoryNamed(filter);
  std::vector<const PotionDef*> kept;
  if (wanted >= 0) {
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept),
                 [wanted](const PotionDef* def) { return def->category == wanted; });
    return kept;
  }
  const std::string search = lowerAscii(filter);
  std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept), [&search](const PotionDef* def) {
    if (lowerAscii(def->name).find(search) != std::string::npos) return true;
    return def->description != nullptr &&
           lowerAscii(def->description).find(search) != std::string::npos;
  });
  return kept;
}
