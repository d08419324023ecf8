#pragma once

#include <bit>
#include <cstdint>
#include <deque>

#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"

namespace itemtest {

template <typename Record>
void putU16(Record& record, size_t offset, uint16_t value) {
  record.bytes[offset] = static_cast<uint8_t>(value);
  record.bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

template <typename Record>
void putF32(Record& record, size_t offset, float value) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) record.bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

class Defs {
 public:
  Defs() { resetContentTables(); }
  ~Defs() { resetContentTables(); }

  ItemDef& item(uint16_t id, uint8_t kind, uint8_t variants = 1, bool freeStack = false) {
    ItemDef& def = contentTables().itemDefs[id];
    def.record.bytes[content::item_record::kind] = kind;
    def.record.bytes[content::item_record::variantCount] = variants;
    def.record.bytes[content::item_record::freeStack] = freeStack ? 1 : 0;
    def.defined = true;
    return def;
  }

  ItemDef& tool(uint16_t id, uint8_t kind, uint16_t durability, float power = 0,
                uint8_t damageType = 0) {
    ItemDef& def = item(id, kind);
    ToolSpec& spec = tools_.emplace_back();
    putU16(spec, content::tool_record::maxDurability, durability);
    putF32(spec, content::tool_record::power, power);
    spec.bytes[content::tool_record::damageType] = damageType;
    def.tool = &spec;
    return def;
  }

  void swing(ItemDef& def, float speed) {
    SwingSpec& spec = swings_.emplace_back();
    putF32(spec, content::swing_record::speedFactor, speed);
    def.swingSpec = &spec;
  }

  void ranged(ItemDef& def, float speed) {
    RangedSpec& spec = rangeds_.emplace_back();
    putF32(spec, content::ranged_record::speedFactor, speed);
    def.rangedSpec = &spec;
  }

  BuffSpec& buff(ItemDef& def) {
    BuffSpec& spec = buffs_.emplace_back();
    def.buff = &spec;
    return spec;
  }

 private:
  std::deque<ToolSpec> tools_;
  std::deque<SwingSpec> swings_;
  std::deque<RangedSpec> rangeds_;
  std::deque<BuffSpec> buffs_;
};

}  // namespace itemtest
