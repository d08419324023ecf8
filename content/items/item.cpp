#include "content/items/item.h"

#include <algorithm>
#include <new>

#include "content/format/content_format.h"
#include "content/items/item_pool.h"
#include "content/stats/player_stats_block.h"
#include "content/tables/content_tables.h"
#include "engine/base/random.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"

namespace {

constexpr float BASE_USE_INTERVAL = 0.22f;
constexpr uint16_t NEUTRAL_COLOR = 0x888;

uint8_t randomVariant(const ItemDef* def) {
  const int variants = def ? def->record.variantCount() : 0;
  return variants > 1 ? static_cast<uint8_t>(engine::randomNext() % variants) : 0;
}

bool hasDurabilityKind(const ItemDef* def) {
  if (def == nullptr) return false;
  const uint8_t kind = def->record.kind();
  return kind == content::kItemKindTool || kind == content::kItemKindWeapon;
}

// Tools and weapons read their tool record; an item that lacks one uses the neutral record.
const ToolSpec& toolRecord(const ItemDef* def) {
  static const ToolSpec none;
  return def ? def->toolOrDefault() : none;
}

bool takesBrightTint(uint8_t kind) {
  return kind == 1 || kind == 5 || (kind >= 10 && kind <= 14);
}

}  // namespace

Item::Item(uint16_t itemId, int8_t variantIndex, uint16_t units, int16_t durabilityLeft,
           uint32_t itemWord)
    : word(itemWord), id(itemId), count(units) {
  if (id == ITEM_NONE) return;
  const ItemDef* def = definition();
  if (durabilityLeft == -1) {
    durability = hasDurabilityKind(def) ? toolRecord(def).maxDurability() : 0;
  } else {
    durability = static_cast<uint16_t>(durabilityLeft);
  }
  variant = variantIndex == -1 ? randomVariant(def) : static_cast<uint8_t>(variantIndex);
}

const ItemDef* Item::definition() const {
  return id < content::kItemIdLimit ? itemDefinitionById(id) : nullptr;
}

bool Item::isKind(uint8_t kind) const {
  const ItemDef* def = definition();
  return def != nullptr && def->record.kind() == kind;
}

const SwingSpec* Item::swingSpec() const {
  const ItemDef* def = definition();
  return def ? def->swingSpec : nullptr;
}

bool Item::canStackWith(const Item& other) const {
  if (id != other.id || word != other.word) return false;
  const ItemDef* def = definition();
  if (def == nullptr) return false;  // nothing tells how an unknown item stacks: keep them apart
  const bool freeStack = def->record.freeStack() != 0;
  if (def->record.variantCount() > 1) return freeStack || variant == other.variant;
  return freeStack;
}

bool Item::canMergeWhole(const Item& other) const {
  return canStackWith(other) && count + other.count <= ITEM_STACK_LIMIT;
}

bool mergeItems(Item& target, const Item& other) {
  if (!target.canMergeWhole(other)) return false;
  const int sum = target.count + other.count;
  if (target.durability == 0 && other.durability == 0) {
    target.count = static_cast<uint16_t>(sum);
    return true;
  }
  const int max = other.maxDurability();
  const int joined = target.durability + other.durability;
  if (joined > max) {
    // Two partial top units make one full unit and what is left over. Damaged durabilities
    // above the maximum must not push the top unit past full.
    const int limit = max > 0 ? max : 0xFFFF;
    target.count = static_cast<uint16_t>(sum);
    target.durability = static_cast<uint16_t>(std::min(joined - max, limit));
  } else {
    // The two partial units fit into one; a stack never drops to zero units by merging.
    target.count = static_cast<uint16_t>(std::max(sum - 1, 1));
    target.durability = static_cast<uint16_t>(joined);
  }
  return true;
}

bool Item::consumeOne() {
  const uint16_t max = maxDurability();
  if (max != 0) durability = max;
  if (count > 0) --count;
  return count == 0;
}

uint16_t Item::maxDurability() const {
  const ItemDef* def = definition();
  if (!hasDurabilityKind(def)) return 0;
  const int base = toolRecord(def).maxDurability();
  if (base == 0) return 0;
  switch (modifier()) {
    case 1:
      return static_cast<uint16_t>(std::min(base + base / 4, 0xFFFF));
    case 7:
    case 8:
    case 9:
      return static_cast<uint16_t>(std::max(base * 3 / 4, 1));
    default:
      return static_cast<uint16_t>(base);
  }
}

float Item::miningPower(const PlayerStatsBlock* stats) const {
  float power = toolRecord(definition()).power();
  if (power == 0.0f) power = 1.0f;
  if (modifier() == 5) power *= 1.25f;
  if (stats != nullptr) power *= stats->miningFactor;
  return power;
}

DamageSpec Item::damageSpec(const PlayerStatsBlock* stats) const {
  const ItemDef* def = definition();
  const uint8_t kind = def ? def->record.kind() : 0;
  if (kind == content::kItemKindWeapon) {
    const ToolSpec& tool = toolRecord(def);
    float amount = tool.power();
    if (modifier() == 5) amount *= 1.25f;
    return {tool.damageType(), amount};
  }
  if (kind == content::kItemKindTool) {
    return {toolRecord(def).damageType(), stats ? stats->toolDamage : 0.5f};
  }
  return {1, stats ? stats->bareHandDamage : 0.4f};
}

float Item::useInterval(const PlayerStatsBlock* stats) const {
  const ItemDef* def = definition();
  const uint8_t kind = def ? def->record.kind() : 0;
  const SwingSpec* swing = def ? def->swingSpec : nullptr;
  const float swingFactor = swing ? swing->speedFactor() : 1.0f;
  switch (kind) {
    case content::kItemKindTool:
      return BASE_USE_INTERVAL * swingFactor * (1.0f - (stats ? stats->toolSpeedBonus : 0.0f));
    case content::kItemKindWeapon: {
      const float factor = modifier() == 3 ? swingFactor * 0.9f : swingFactor;
      return BASE_USE_INTERVAL * factor * (1.0f - (stats ? stats->weaponSpeedBonus : 0.0f));
    }
    case content::kItemKindRanged: {
      const float factor = swing ? swingFactor : def->rangedOrDefault().speedFactor();
      return BASE_USE_INTERVAL * factor * (1.0f - (stats ? stats->rangedSpeedBonus : 0.0f));
    }
    default:
      return BASE_USE_INTERVAL;
  }
}

uint16_t Item::lightColor() const {
  const ItemDef* def = definition();
  if (def == nullptr || def->buff == nullptr) return 0;
  const uint16_t color = def->buff->lightColor();
  if (modifier() == 2 && strongestChannel(color) <= 8) return NEUTRAL_COLOR;
  return color;
}

uint16_t Item::tintColor() const {
  const ItemDef* def = definition();
  if (def == nullptr) return 0;
  const uint16_t color = def->record.color();
  if (modifier() == 2 && takesBrightTint(def->record.kind()) && strongestChannel(color) < 8) {
    return NEUTRAL_COLOR;
  }
  return color;
}

float Item::statValue(int stat, int subIndex) const {
  const ItemDef* def = definition();
  if (def == nullptr || def->buff == nullptr) return 0.0f;
  float value = buffStatBase(*def->buff, stat, subIndex);
  switch (modifier()) {
    case 1:
      if (stat == 3 && subIndex == 2) value += 0.25f;
      break;
    case 3:
      if (stat == 3 && subIndex == 0) value += 0.25f;
      break;
    case 4:
      if (stat == 3 && subIndex == 1) value += 0.25f;
      break;
    case 5:
      if (stat == 1) value *= 1.25f;
      break;
    case 6:
      if (stat == 0) value *= 1.25f;
      break;
    case 7:
      if (stat == 1) value *= 0.75f;
      if (stat == 6) value += 0.5f;
      if (stat == 8) value += 0.1f;
      break;
    case 8:
      if (stat == 2) value *= 1.2f;
      break;
    case 9:
      if (stat == 0 || stat == 3) value *= 0.6f;
      if (stat == 9) value += 0.1f;
      break;
    default:
      break;
  }
  return value;
}

void Item::write(engine::ByteWriter& out) const {
  out.u32(word);
  out.u16(id);
  out.u16(count);
  out.u16(durability);
  out.u8(variant);
}

Item Item::read(engine::ByteReader& in) {
  Item item;
  const uint32_t itemWord = in.u32();
  const uint16_t itemId = in.u16();
  const uint16_t units = in.u16();
  const uint16_t durabilityLeft = in.u16();
  const uint8_t variantIndex = in.u8();
  if (!in.ok()) return Item();
  item.word = itemWord;
  item.id = itemId;
  item.count = units;
  item.durability = durabilityLeft;
  item.variant = variantIndex;
  return item;
}

ItemPtr newItem(uint16_t id, int8_t variant, uint16_t count, int16_t durability, uint32_t word) {
  return ItemPtr(new (allocItem()) Item(id, variant, count, durability, word));
}

ItemPtr copyItem(const Item& source, bool keepVariant) {
  ItemPtr copy(new (allocItem()) Item(source));
  copy->count = 1;
  const ItemDef* def = source.definition();
  if (def != nullptr && def->record.freeStack() != 0 && !keepVariant) {
    copy->variant = randomVariant(def);
  }
  return copy;
}

ItemPtr copyLoadedItem(const Item& source) {
  if (source.id == 0 || source.id == ITEM_NONE) return nullptr;
  ItemPtr copy(new (allocItem()) Item(source));
  const ItemDef* def = copy->definition();
  if (copy->count == 0) copy->count = 1;
  copy->count = std::min(copy->count, ITEM_STACK_LIMIT);
  const bool freeStack = def != nullptr && def->record.freeStack() != 0;
  const int variants = def ? def->record.variantCount() : 0;
  if (copy->count >= 2 && !freeStack && variants < 2) copy->count = 1;
  if (def != nullptr) {
    // The variant indexes the definition's variant list: a value the definition does not have
    // (a damaged save, a peer's bytes) falls back to the first.
    if (copy->variant >= std::max(variants, 1)) copy->variant = 0;
    const uint16_t max = copy->maxDurability();
    if (max != 0 && copy->durability > max) copy->durability = max;
  }
  return copy;
}

int strongestChannel(uint16_t color) {
  return std::max({color & 0xF, (color >> 4) & 0xF, (color >> 8) & 0xF});
}

bool isBrighterLight(uint16_t a, uint16_t b) { return strongestChannel(a) > strongestChannel(b); }
