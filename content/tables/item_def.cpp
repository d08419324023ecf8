#include "content/tables/item_def.h"

#include <bit>

namespace {

template <typename Record>
void putF32(Record& record, size_t offset, float value) {
  uint32_t bits = std::bit_cast<uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) record.bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

const ToolSpec& defaultTool() {
  static const ToolSpec tool;  // power 0 reads as 1.0; no durability
  return tool;
}

const RangedSpec& defaultRanged() {
  static const RangedSpec ranged = [] {
    RangedSpec r;
    // No sound and no ammunition item: zeros would name sound 0 and item 0.
    for (size_t i = 0; i < 4; ++i) r.bytes[content::ranged_record::sound + i] = 0xFF;
    putF32(r, content::ranged_record::speedFactor, 1.0f);
    r.bytes[content::ranged_record::bulletRow] = 0xFF;  // no projectile row
    r.bytes[content::ranged_record::bulletRow + 1] = 0xFF;
    return r;
  }();
  return ranged;
}

const SwingSpec& defaultSwing() {
  static const SwingSpec swing = [] {
    SwingSpec s;
    putF32(s, content::swing_record::speedFactor, 1.0f);
    return s;
  }();
  return swing;
}

}  // namespace

const ToolSpec& ItemDef::toolOrDefault() const { return tool ? *tool : defaultTool(); }
const RangedSpec& ItemDef::rangedOrDefault() const {
  return rangedSpec ? *rangedSpec : defaultRanged();
}
const SwingSpec& ItemDef::swingOrDefault() const { return swingSpec ? *swingSpec : defaultSwing(); }

float buffStatBase(const BuffSpec& record, int stat, int subIndex) {
  using namespace content::buff_record;
  if (subIndex < 0 || subIndex > 3) return 0.0f;
  const size_t sub = static_cast<size_t>(subIndex);
  switch (stat) {
    case 0: return record.i8(armor + sub) / 100.0f;
    case 1: return record.i8(damageBonus + sub) / 100.0f;
    case 2: return record.i8(movementBonus + sub) / 100.0f;
    case 3: return record.u8(resistance + sub) / 100.0f;
    case 4: return record.u8(stat4) / 100.0f;
    case 5: return record.u8(stat5) / 100.0f;
    case 6: return record.f32(stat6);
    case 7: return record.f32(stat7);
    case 8: return record.f32(stat8);
    case 9: return record.u8(stat9) / 100.0f;
    case 10: return record.u8(stat10) / 100.0f;
    case 11: return record.f32(stat11);
    case 12: return record.u8(stat12) / 100.0f;
    case 13: return record.u8(stat13) / 100.0f;
    default: return 0.0f;
  }
}
