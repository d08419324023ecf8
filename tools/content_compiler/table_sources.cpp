#include "tools/content_compiler/table_sources.h"

#include <cstring>

#include "tools/content_compiler/json_fields.h"

namespace content_compiler {

namespace sf = source_files;
using content::kItemIdLimit;

namespace {

SourcePlace placeOf(const char* file, size_t row) { return SourcePlace{file, static_cast<long>(row)}; }

const rapidjson::Value* member(const rapidjson::Value& object, const char* name) {
  return object.HasMember(name) ? &object[name] : nullptr;
}

uint16_t readItemId(const rapidjson::Value& value, const SourcePlace& place, const char* what) {
  return static_cast<uint16_t>(readInteger(value, 0, kItemIdLimit - 1, place, what));
}

uint16_t readLootIndex(const rapidjson::Value& object, const SourcePlace& place) {
  const auto* v = member(object, "lootTable");
  if (!v || v->IsNull()) return content::kNoLootTable;
  return static_cast<uint16_t>(readInteger(*v, 0, 0xFFFE, place, "\"lootTable\""));
}

template <typename Record>
void readDetails(const rapidjson::Value& rows, const char* file, const content::RecordLayout& layout,
                 std::vector<DetailSource<Record>>& out) {
  requireArray(rows, SourcePlace{file}, "the file");
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(file, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, &layout, {"item"}, place);
    const auto* item = member(object, "item");
    if (!item) refuse(place, "\"item\" is missing");
    DetailSource<Record> detail;
    detail.place = place;
    detail.item = readItemId(*item, place, "\"item\"");
    fillRecord(layout, object, detail.record.bytes, {}, place);
    out.push_back(detail);
  }
}

uint8_t lootKind(const rapidjson::Value& value, const SourcePlace& place) {
  if (value.IsString()) {
    const char* names[] = {"item", "group", "table", "category"};
    for (uint8_t k = 0; k < 4; ++k) {
      if (std::strcmp(value.GetString(), names[k]) == 0) return k;
    }
  }
  return static_cast<uint8_t>(readInteger(value, 0, 255, place, "\"kind\""));
}

LootEntrySource readLootEntry(const rapidjson::Value& object, const SourcePlace& place) {
  checkKeys(object, nullptr,
            {"chance", "weight", "minCount", "maxCount", "kind", "stack", "item", "group", "table",
             "category", "reference"},
            place);
  LootEntrySource e;
  if (const auto* v = member(object, "chance")) e.chance = static_cast<float>(readNumber(*v, place, "\"chance\""));
  if (const auto* v = member(object, "weight")) e.chance = static_cast<float>(readNumber(*v, place, "\"weight\""));
  if (const auto* v = member(object, "minCount")) e.minCount = static_cast<uint8_t>(readInteger(*v, 0, 255, place, "\"minCount\""));
  if (const auto* v = member(object, "maxCount")) e.maxCount = static_cast<uint8_t>(readInteger(*v, 0, 255, place, "\"maxCount\""));
  if (e.minCount > e.maxCount) refuse(place, "an entry's \"minCount\" exceeds its \"maxCount\"");
  if (const auto* v = member(object, "stack")) e.stack = static_cast<uint8_t>(readInteger(*v, 0, 255, place, "\"stack\""));
  const auto* kind = member(object, "kind");
  e.kind = kind ? lootKind(*kind, place) : uint8_t{content::kLootItem};
  const char* referenceName = "reference";
  switch (e.kind) {
    case content::kLootItem: referenceName = "item"; break;
    case content::kLootGroup: referenceName = "group"; break;
    case content::kLootTable: referenceName = "table"; break;
    case content::kLootCategory: referenceName = "category"; break;
    default: break;
  }
  const auto* reference = member(object, referenceName);
  if (!reference && e.kind <= content::kLootCategory) {
    refuse(place, std::string("a loot entry of this kind needs \"") + referenceName + "\"");
  }
  if (reference) {
    int64_t hi = 0xFFFF;
    if (e.kind == content::kLootItem) hi = static_cast<int64_t>(kItemIdLimit) - 1;
    if (e.kind == content::kLootCategory) hi = 255;
    e.reference = static_cast<uint16_t>(readInteger(*reference, 0, hi, place, std::string("\"") + referenceName + "\""));
  }
  return e;
}

// A frame is written named ({"rect", "position", "rotation"}) or as its raw bytes.
void readMobFrame(const rapidjson::Value& frame, MobPartFrame& out, const SourcePlace& place) {
  if (frame.IsObject()) {
    const content::RecordLayout& layout = content::mobPartFrameLayout();
    checkKeys(frame, &layout, {}, place);
    fillRecord(layout, frame, out, {}, place);
    return;
  }
  auto bytes = readBytes(frame, content::kMobPartFrameSize, place, "a frame");
  std::copy(bytes.begin(), bytes.end(), out.begin());
}

}  // namespace

void readTreasures(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kTreasures}, "the file");
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(sf::kTreasures, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, &content::itemRecordLayout(), {"id", "variants"}, place);
    TreasureSource t;
    t.place = place;
    const auto* id = member(object, "id");
    if (!id) refuse(place, "\"id\" is missing");
    t.id = readItemId(*id, place, "\"id\"");
    if (const auto* variants = member(object, "variants")) {
      requireArray(*variants, place, "\"variants\"");
      if (variants->Size() > 255) refuse(place, "more than 255 variants");
      for (const auto& v : variants->GetArray()) {
        ItemVariant variant;
        auto bytes = readBytes(v, content::kItemVariantSize, place, "a variant");
        std::copy(bytes.begin(), bytes.end(), variant.bytes.begin());
        t.variants.push_back(variant);
      }
    }
    fillRecord(content::itemRecordLayout(), object, t.record.bytes,
               {{"variantCount", static_cast<double>(t.variants.size())}}, place);
    out.treasures.push_back(t);
  }
}

void readLootGroups(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kLootGroups}, "the file");
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(sf::kLootGroups, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, nullptr, {"items"}, place);
    LootGroupSource g;
    g.place = place;
    if (const auto* items = member(object, "items")) {
      requireArray(*items, place, "\"items\"");
      if (items->Size() > 255) refuse(place, "a loot group holds at most 255 items");
      for (const auto& item : items->GetArray()) g.items.push_back(readItemId(item, place, "an item"));
    }
    out.lootGroups.push_back(g);
  }
}

void readLootTables(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kLootTables}, "the file");
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(sf::kLootTables, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, nullptr, {"mode", "entries"}, place);
    LootTableSource t;
    t.place = place;
    if (const auto* mode = member(object, "mode")) {
      if (mode->IsString() && std::strcmp(mode->GetString(), "each") == 0) {
        t.mode = 0;
      } else if (mode->IsString() && std::strcmp(mode->GetString(), "pickOne") == 0) {
        t.mode = 1;
      } else {
        t.mode = static_cast<uint8_t>(readInteger(*mode, 0, 255, place, "\"mode\""));
      }
    }
    if (const auto* entries = member(object, "entries")) {
      requireArray(*entries, place, "\"entries\"");
      if (entries->Size() > 255) refuse(place, "a loot table holds at most 255 entries");
      for (const auto& e : entries->GetArray()) t.entries.push_back(readLootEntry(e, place));
    }
    out.lootTables.push_back(t);
  }
}

void readBlocks(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kBlocks}, "the file");
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(sf::kBlocks, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, &content::blockRecordLayout(), {"id", "lootTable"}, place);
    BlockSource b;
    b.place = place;
    const auto* id = member(object, "id");
    if (!id) refuse(place, "\"id\" is missing");
    b.id = static_cast<uint16_t>(readInteger(*id, 0, content::kBlockIdLimit - 1, place, "\"id\""));
    fillRecord(content::blockRecordLayout(), object, b.record.bytes, {}, place);
    b.lootTable = readLootIndex(object, place);
    out.blocks.push_back(b);
  }
}

void readMobs(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kMobs}, "the file");
  if (rows.Size() > content::kMobLimit) {
    refuse(SourcePlace{sf::kMobs}, "more than " + std::to_string(content::kMobLimit) + " mobs");
  }
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(sf::kMobs, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, &content::mobRecordLayout(), {"lootTable", "parts", "animations"}, place);
    MobSource m;
    m.place = place;
    // A mob is referred to by its id, which must be its row.
    fillRecord(content::mobRecordLayout(), object, m.record.bytes, {{"id", static_cast<double>(row)}}, place);
    m.lootTable = readLootIndex(object, place);
    if (const auto* parts = member(object, "parts")) {
      m.layout.partModes = readBytes(*parts, 255, place, "\"parts\"");
    }
    if (const auto* animations = member(object, "animations")) {
      requireArray(*animations, place, "\"animations\"");
      if (animations->Size() > 255) refuse(place, "more than 255 animations");
      for (const auto& a : animations->GetArray()) {
        checkKeys(a, nullptr, {"kind", "frames"}, place);
        MobAnimation animation;
        if (a.HasMember("kind")) animation.kind = static_cast<uint8_t>(readInteger(a["kind"], 0, 255, place, "\"kind\""));
        animation.frames.resize(m.layout.partModes.size());
        if (a.HasMember("frames")) {
          const auto& frames = requireArray(a["frames"], place, "\"frames\"");
          if (frames.Size() != m.layout.partModes.size()) {
            refuse(place, "an animation needs one frame per part");
          }
          for (rapidjson::SizeType f = 0; f < frames.Size(); ++f) {
            readMobFrame(frames[f], animation.frames[f], place);
          }
        }
        m.layout.animations.push_back(animation);
      }
    }
    out.mobs.push_back(m);
  }
}

void readMobGroups(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kMobGroups}, "the file");
  if (rows.Size() > content::kMobGroupLimit) {
    refuse(SourcePlace{sf::kMobGroups}, "more than " + std::to_string(content::kMobGroupLimit) + " mob groups");
  }
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(sf::kMobGroups, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, &content::mobGroupRecordLayout(), {"mobs"}, place);
    MobGroupSource g;
    g.place = place;
    if (const auto* mobs = member(object, "mobs")) {
      requireArray(*mobs, place, "\"mobs\"");
      if (mobs->Size() > 255) refuse(place, "a mob group holds at most 255 mobs");
      for (const auto& mob : mobs->GetArray()) {
        g.mobs.push_back(static_cast<uint16_t>(readInteger(mob, 0, 0xFFFF, place, "a mob id")));
      }
    }
    // The record's member count is the list's length, never a second hand-kept number.
    fillRecord(content::mobGroupRecordLayout(), object, g.record.bytes,
               {{"mobCount", static_cast<double>(g.mobs.size())}}, place);
    out.mobGroups.push_back(g);
  }
}

void readCrafts(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kCrafts}, "the file");
  if (rows.Size() > content::kCraftCount) {
    refuse(SourcePlace{sf::kCrafts}, "more than " + std::to_string(content::kCraftCount) + " recipes");
  }
  const rapidjson::Value empty(rapidjson::kObjectType);
  out.crafts.assign(content::kCraftCount, CraftDef{});
  for (size_t row = 0; row < content::kCraftCount; ++row) {
    const SourcePlace place = placeOf(sf::kCrafts, row);
    const auto& object = row < rows.Size() ? rows[static_cast<rapidjson::SizeType>(row)] : empty;
    checkKeys(object, &content::craftRecordLayout(), {}, place);
    fillRecord(content::craftRecordLayout(), object, out.crafts[row].bytes, {}, place);
    const CraftDef& craft = out.crafts[row];
    if (row < rows.Size() && craft.result() >= kItemIdLimit) refuse(place, "the result item id is out of range");
    if (craft.bookEntry() != content::craft_record::kAlwaysKnown &&
        craft.bookEntry() >= content::craft_record::kCraftBookEntries) {
      refuse(place, "the craft book entry is out of range");
    }
    for (int cell = 0; cell < 9; ++cell) {
      const uint16_t id = craft.ingredient(cell);
      if (id != content::kNoItem && id >= kItemIdLimit) refuse(place, "an ingredient item id is out of range");
    }
  }
}

void readBullets(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kBullets}, "the file");
  if (rows.Size() > content::kBulletCount) {
    refuse(SourcePlace{sf::kBullets}, "more than " + std::to_string(content::kBulletCount) + " projectiles");
  }
  const rapidjson::Value empty(rapidjson::kObjectType);
  out.bullets.assign(content::kBulletCount, BulletDef{});
  for (size_t row = 0; row < content::kBulletCount; ++row) {
    const SourcePlace place = placeOf(sf::kBullets, row);
    const auto& object = row < rows.Size() ? rows[static_cast<rapidjson::SizeType>(row)] : empty;
    checkKeys(object, &content::bulletRecordLayout(), {}, place);
    // The first field keys the projectile effects: it is the row itself.
    fillRecord(content::bulletRecordLayout(), object, out.bullets[row].bytes,
               {{"row", static_cast<double>(row)}}, place);
    const uint16_t thrown = out.bullets[row].thrownItem();
    if (thrown != content::kNoItem && thrown >= kItemIdLimit) refuse(place, "\"thrownItem\" is out of range");
  }
}

void readBuffs(const rapidjson::Value& rows, ContentSources& out) {
  readDetails(rows, sf::kBuffs, content::buffRecordLayout(), out.buffs);
}
void readTools(const rapidjson::Value& rows, ContentSources& out) {
  readDetails(rows, sf::kTools, content::toolRecordLayout(), out.tools);
}
void readRangeds(const rapidjson::Value& rows, ContentSources& out) {
  readDetails(rows, sf::kRangeds, content::rangedRecordLayout(), out.rangeds);
  for (const auto& ranged : out.rangeds) {
    const uint16_t ammunition = ranged.record.ammunition();
    if (ammunition != content::kNoItem && ammunition >= kItemIdLimit) {
      refuse(ranged.place, "\"ammunition\" is out of range");
    }
  }
}
void readSwingSpecs(const rapidjson::Value& rows, ContentSources& out) {
  readDetails(rows, sf::kSwingSpecs, content::swingRecordLayout(), out.swingSpecs);
}

}  // namespace content_compiler
