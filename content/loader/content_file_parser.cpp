#include "content/loader/content_file_parser.h"

#include <unordered_map>

#include "content/format/planet_blob.h"

namespace content {

namespace {

std::string at(const char* section, size_t row) {
  return std::string("section \"") + section + "\", row " + std::to_string(row);
}

template <typename Record>
void clearBytes(Record& record, size_t offset, size_t count) {
  for (size_t i = 0; i < count; ++i) record.bytes[offset + i] = 0;
}

}  // namespace

bool isValidSoundIndex(int index) { return index >= -1 && index < kSoundRecordCount; }

ContentFileParser::ContentFileParser(std::span<const uint8_t> plainBytes)
    : reader_(plainBytes), tables_(std::make_unique<ContentTables>()) {}

bool ContentFileParser::fail(const std::string& message) {
  if (error_.empty()) error_ = message;
  reader_.fail();
  return false;
}

template <typename Record>
bool ContentFileParser::readRecord(Record& record) {
  return reader_.bytes(record.bytes.data(), record.bytes.size());
}

bool ContentFileParser::parse() {
  const bool ok = readHeader() && readTreasures() && readLootGroups() && readLootTables() &&
                  readBlocks() && readMobs() && readMobGroups() && readCrafts() && readBullets() &&
                  readBuffs() && readTools() && readRangeds() && readSwingSpecs() && readPlanets();
  if (!ok && error_.empty()) error_ = "the file ends early";
  return ok && reader_.ok();
}

bool ContentFileParser::readHeader() {
  for (auto& count : counts_) count = reader_.u16();
  stored_ = reader_.u32();
  return reader_.ok() || fail("the file is shorter than its header");
}

bool ContentFileParser::readTreasures() {
  for (size_t row = 0; row < counts_[kCountTreasures]; ++row) {
    const uint16_t id = reader_.u16();
    ItemRecord record;
    if (!readRecord(record)) return fail(at("treasures", row) + ": the file ends early");
    if (id >= kItemIdLimit) return fail(at("treasures", row) + ": item id out of range");
    ItemDef& def = tables_->itemDefs[id];
    // The file's variant slot is ignored; the variants live beside the record.
    clearBytes(record, item_record::variantSlot, 8);
    def.record = record;
    def.variants.assign(record.variantCount(), ItemVariant{});
    for (ItemVariant& variant : def.variants) readRecord(variant);
    def.defined = true;
    if (!reader_.ok()) return fail(at("treasures", row) + ": the variants end early");
  }
  return true;
}

bool ContentFileParser::readLootGroups() {
  const size_t count = counts_[kCountLootGroups];
  tables_->lootGroups.reserve(count);
  for (size_t row = 0; row < count; ++row) {
    auto group = std::make_unique<LootGroup>();
    const uint8_t n = reader_.u8();
    for (uint8_t i = 0; i < n; ++i) {
      const uint16_t item = reader_.u16();
      if (reader_.ok() && item >= kItemIdLimit) {
        return fail(at("lootGroups", row) + ": item id out of range");
      }
      group->items.push_back(item);
    }
    if (!reader_.ok()) return fail(at("lootGroups", row) + ": the file ends early");
    tables_->lootGroups.push_back(std::move(group));
  }
  return true;
}

bool ContentFileParser::readLootEntry(LootEntry& entry, size_t table) {
  entry.chance = reader_.f32();
  entry.minCount = reader_.u8();
  entry.maxCount = reader_.u8();
  entry.kind = reader_.u8();
  entry.stack = reader_.u8();
  const uint16_t reference = reader_.u16();
  if (!reader_.ok()) return fail(at("lootTables", table) + ": the file ends early");
  if (entry.minCount > entry.maxCount) {
    return fail(at("lootTables", table) + ": an entry's minimum count exceeds its maximum");
  }
  switch (entry.kind) {
    case kLootItem:
      if (reference >= kItemIdLimit) return fail(at("lootTables", table) + ": item id out of range");
      entry.item = reference;
      break;
    case kLootGroup:
      if (reference >= tables_->lootGroups.size()) {
        return fail(at("lootTables", table) + ": loot group index out of range");
      }
      entry.group = tables_->lootGroups[reference].get();
      break;
    case kLootTable:
      if (reference >= tables_->lootTables.size()) {
        return fail(at("lootTables", table) + ": loot table index out of range");
      }
      entry.table = tables_->lootTables[reference].get();
      break;
    case kLootCategory:
      entry.category = static_cast<uint8_t>(reference);
      break;
    default:
      break;  // other kinds carry no reference
  }
  return true;
}

bool ContentFileParser::readLootTables() {
  const size_t count = counts_[kCountLootTables];
  // All tables exist before the first entry, so an entry may name a later table.
  tables_->lootTables.reserve(count);
  for (size_t i = 0; i < count; ++i) tables_->lootTables.push_back(std::make_unique<LootTable>());
  for (size_t row = 0; row < count; ++row) {
    LootTable& table = *tables_->lootTables[row];
    const uint8_t entries = reader_.u8();
    table.mode = reader_.u8();
    if (!reader_.ok()) return fail(at("lootTables", row) + ": the file ends early");
    table.entries.resize(entries);
    for (LootEntry& entry : table.entries) {
      if (!readLootEntry(entry, row)) return false;
    }
  }
  return !lootTablesReachThemselves();
}

// A table that reaches itself through nested tables would make rolling it endless.
bool ContentFileParser::lootTablesReachThemselves() {
  const auto& tables = tables_->lootTables;
  std::vector<uint8_t> state(tables.size(), 0);  // 0 unseen, 1 on the path, 2 done
  std::vector<std::pair<size_t, size_t>> stack;   // (table, next entry)
  std::unordered_map<const LootTable*, size_t> indexOf;
  for (size_t i = 0; i < tables.size(); ++i) indexOf[tables[i].get()] = i;
  for (size_t start = 0; start < tables.size(); ++start) {
    if (state[start] != 0) continue;
    stack.push_back({start, 0});
    state[start] = 1;
    while (!stack.empty()) {
      auto& [table, next] = stack.back();
      const auto& entries = tables[table]->entries;
      if (next == entries.size()) {
        state[table] = 2;
        stack.pop_back();
        continue;
      }
      const LootEntry& entry = entries[next++];
      if (entry.kind != kLootTable) continue;
      const size_t target = indexOf.at(entry.table);
      if (state[target] == 1) {
        fail(at("lootTables", target) + ": the loot table reaches itself");
        return true;
      }
      if (state[target] == 0) {
        state[target] = 1;
        stack.push_back({target, 0});
      }
    }
  }
  return false;
}

const LootTable* ContentFileParser::lootTableAt(uint16_t index, const char* owner, size_t row,
                                                bool& ok) {
  ok = true;
  if (index == kNoLootTable) return nullptr;
  if (index >= tables_->lootTables.size()) {
    ok = fail(at(owner, row) + ": loot table index out of range");
    return nullptr;
  }
  return tables_->lootTables[index].get();
}

bool ContentFileParser::readBlocks() {
  for (size_t row = 0; row < counts_[kCountBlocks]; ++row) {
    const uint16_t id = reader_.u16();
    BlockRecord record;
    readRecord(record);
    const uint16_t loot = reader_.u16();
    if (!reader_.ok()) return fail(at("blocks", row) + ": the file ends early");
    if (id >= kBlockIdLimit) return fail(at("blocks", row) + ": block id out of range");
    for (int s = 0; s < static_cast<int>(block_record::soundCount); ++s) {
      if (!isValidSoundIndex(record.sound(s))) return fail(at("blocks", row) + ": sound index out of range");
    }
    bool ok = true;
    BlockDef& def = tables_->blockDefs[id];
    def.lootTable = lootTableAt(loot, "blocks", row, ok);
    if (!ok) return false;
    def.record = record;
  }
  return true;
}

bool ContentFileParser::readMobLayout(MobPartLayout& layout) {
  const uint8_t parts = reader_.u8();
  const uint8_t animations = reader_.u8();
  layout.partModes.resize(parts);
  reader_.bytes(layout.partModes.data(), parts);
  layout.animations.resize(animations);
  for (MobAnimation& animation : layout.animations) {
    animation.kind = reader_.u8();
    animation.frames.resize(parts);
    for (MobPartFrame& frame : animation.frames) reader_.bytes(frame.data(), frame.size());
    if (!reader_.ok()) return false;
  }
  return reader_.ok();
}

bool ContentFileParser::readMobs() {
  const size_t count = counts_[kCountMobs];
  if (count > kMobLimit) return fail("section \"mobs\": more rows than the mob table holds");
  for (size_t row = 0; row < count; ++row) {
    MobDef& mob = tables_->mobDefs[row];
    readRecord(mob);
    const uint16_t loot = reader_.u16();
    if (!reader_.ok()) return fail(at("mobs", row) + ": the file ends early");
    // Groups, loot and layouts refer to a mob by this id; it must be its own row.
    if (mob.mobId() != row) return fail(at("mobs", row) + ": the mob id is not its row");
    for (int s = 0; s < static_cast<int>(mob_record::soundCount); ++s) {
      if (!isValidSoundIndex(mob.sound(s))) return fail(at("mobs", row) + ": sound index out of range");
    }
    bool ok = true;
    tables_->mobLootTables[row] = lootTableAt(loot, "mobs", row, ok);
    if (!ok) return false;
    if (!readMobLayout(tables_->mobPartLayouts[row])) {
      return fail(at("mobs", row) + ": the part layout ends early");
    }
  }
  tables_->mobCount = count;
  return true;
}

bool ContentFileParser::readMobGroups() {
  const size_t count = counts_[kCountMobGroups];
  if (count > kMobGroupLimit) return fail("section \"mobGroups\": more rows than the table holds");
  for (size_t row = 0; row < count; ++row) {
    MobGroupDef& group = tables_->mobGroupDefs[row];
    readRecord(group.record);
    const uint8_t n = reader_.u8();
    for (uint8_t i = 0; i < n; ++i) {
      const uint16_t mob = reader_.u16();
      if (!reader_.ok()) break;
      if (mob >= tables_->mobCount) return fail(at("mobGroups", row) + ": names an undefined mob");
      group.members.push_back(&tables_->mobDefs[mob]);
    }
    if (!reader_.ok()) return fail(at("mobGroups", row) + ": the file ends early");
  }
  tables_->mobGroupCount = count;
  return true;
}

bool ContentFileParser::readCrafts() {
  for (CraftDef& craft : tables_->craftDefs) readRecord(craft);
  return reader_.ok() || fail("section \"crafts\": the file ends early");
}

bool ContentFileParser::readBullets() {
  for (size_t row = 0; row < kBulletCount; ++row) {
    BulletDef& bullet = tables_->bulletDefs[row];
    if (!readRecord(bullet)) return fail("section \"bullets\": the file ends early");
    // The first field keys the projectile effects; it must be the row itself.
    if (bullet.u16(bullet_record::row) != row) return fail(at("bullets", row) + ": the first field is not its row");
    for (int s = 0; s < static_cast<int>(bullet_record::soundCount); ++s) {
      if (!isValidSoundIndex(bullet.sound(s))) return fail(at("bullets", row) + ": sound index out of range");
    }
  }
  return true;
}

bool ContentFileParser::readItemIds(size_t count, const char* section, std::vector<uint16_t>& ids) {
  ids.resize(count);
  for (size_t row = 0; row < count; ++row) {
    ids[row] = reader_.u16();
    if (!reader_.ok()) return fail(std::string("section \"") + section + "\": the file ends early");
    if (ids[row] >= kItemIdLimit) return fail(at(section, row) + ": item id out of range");
  }
  return true;
}

bool ContentFileParser::readBuffs() {
  std::vector<uint16_t> ids;
  if (!readItemIds(counts_[kCountBuffs], "buffs", ids)) return false;
  tables_->buffSpecs.resize(ids.size());
  for (size_t row = 0; row < ids.size(); ++row) {
    if (!readRecord(tables_->buffSpecs[row])) return fail("section \"buffs\": the file ends early");
    tables_->itemDefs[ids[row]].buff = &tables_->buffSpecs[row];
  }
  return true;
}

bool ContentFileParser::readTools() {
  std::vector<uint16_t> ids;
  if (!readItemIds(counts_[kCountTools], "tools", ids)) return false;
  tables_->toolSpecs.resize(ids.size());
  for (size_t row = 0; row < ids.size(); ++row) {
    if (!readRecord(tables_->toolSpecs[row])) return fail("section \"tools\": the file ends early");
    ItemDef& def = tables_->itemDefs[ids[row]];
    // One detail record per item: an item cannot be equipment and a tool at once.
    if (def.buff) return fail(at("tools", row) + ": the item also has a buffs record");
    def.tool = &tables_->toolSpecs[row];
  }
  return true;
}

bool ContentFileParser::readRangeds() {
  std::vector<uint16_t> ids;
  if (!readItemIds(counts_[kCountRangeds], "rangeds", ids)) return false;
  tables_->rangedSpecs.resize(ids.size());
  for (size_t row = 0; row < ids.size(); ++row) {
    if (!readRecord(tables_->rangedSpecs[row])) return fail("section \"rangeds\": the file ends early");
    tables_->itemDefs[ids[row]].rangedSpec = &tables_->rangedSpecs[row];
  }
  return true;
}

bool ContentFileParser::readSwingSpecs() {
  std::vector<uint16_t> ids;
  if (!readItemIds(counts_[kCountSwingSpecs], "swingSpecs", ids)) return false;
  tables_->swingSpecs.resize(ids.size());
  for (size_t row = 0; row < ids.size(); ++row) {
    if (!readRecord(tables_->swingSpecs[row])) return fail("section \"swingSpecs\": the file ends early");
    tables_->itemDefs[ids[row]].swingSpec = &tables_->swingSpecs[row];
  }
  return true;
}

bool ContentFileParser::readPlanets() {
  const uint32_t size = reader_.u32();
  if (!reader_.ok()) return fail("section \"planets\": the file ends early");
  if (size > reader_.remaining()) return fail("section \"planets\": the blob is larger than the file");
  auto blob = reader_.take(size);
  if (!readPlanetBlob(blob, counts_[kCountPlanets], planets_)) {
    return fail("section \"planets\": the blob is shorter than its planet records");
  }
  return true;
}

}  // namespace content
