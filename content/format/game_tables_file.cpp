#include "content/format/game_tables_file.h"

#include <algorithm>

#include "content/format/content_format.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"

namespace content {

namespace {

constexpr uint8_t kMagic[4] = {'R', 'B', 'G', 'T'};

void writeText(engine::ByteWriter& out, const std::string& text) {
  const size_t length = std::min<size_t>(text.size(), 255);
  out.u8(static_cast<uint8_t>(length));
  out.bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), length));
}

std::string readText(engine::ByteReader& in) {
  const uint8_t length = in.u8();
  const std::span<const uint8_t> bytes = in.take(length);
  return std::string(bytes.begin(), bytes.end());
}

void writeMobItem(engine::ByteWriter& out, const MobItemRow& row) {
  out.u16(row.mob);
  out.u16(row.stableIndex);
  out.u16(row.item);
  out.u8(row.group);
  out.u8(row.sex);
  out.u16(row.young);
  out.u16(row.youngIndex);
  out.u16(row.stableBlock);
}

MobItemRow readMobItem(engine::ByteReader& in) {
  MobItemRow row;
  row.mob = in.u16();
  row.stableIndex = in.u16();
  row.item = in.u16();
  row.group = in.u8();
  row.sex = in.u8();
  row.young = in.u16();
  row.youngIndex = in.u16();
  row.stableBlock = in.u16();
  return row;
}

bool fail(std::string& error, const std::string& why) {
  error = why;
  return false;
}

}  // namespace

std::vector<uint8_t> writeGameTables(const GameTables& tables) {
  engine::ByteWriter out;
  out.bytes(kMagic);
  out.u16(kGameTablesVersion);
  out.u8(static_cast<uint8_t>(tables.difficulties.size()));
  for (const DifficultyRow& row : tables.difficulties) out.bytes(row.bytes);
  out.u16(static_cast<uint16_t>(tables.book.size()));
  for (const CraftBookRow& entry : tables.book) {
    out.u8(entry.listKind);
    writeText(out, entry.name);
    writeText(out, entry.detail);
  }
  for (const auto& category : tables.catalogue) {
    out.u16(static_cast<uint16_t>(category.size()));
    for (const CatalogueRow& row : category) {
      out.u16(row.id);
      out.u16(row.mask);
    }
  }
  out.u16(static_cast<uint16_t>(tables.mobItems.rows().size()));
  for (const MobItemRow& row : tables.mobItems.rows()) writeMobItem(out, row);
  return out.release();
}

bool readGameTables(std::span<const uint8_t> bytes, GameTables& out, std::string& error) {
  engine::ByteReader in(bytes);
  uint8_t magic[4] = {};
  in.bytes(magic, sizeof magic);
  if (!in.ok() || !std::equal(magic, magic + 4, kMagic)) return fail(error, "not a game tables file");
  if (in.u16() != kGameTablesVersion) return fail(error, "unknown version");

  GameTables tables;
  tables.difficulties.resize(in.u8());
  for (DifficultyRow& row : tables.difficulties) in.bytes(row.bytes.data(), row.bytes.size());
  const uint16_t entries = in.u16();
  // A count beyond the book's size is refused before anything is made for it.
  if (entries > game_tables::kBookEntryCount) return fail(error, "too many craft book entries");
  tables.book.resize(entries);
  for (CraftBookRow& entry : tables.book) {
    entry.listKind = in.u8();
    entry.name = readText(in);
    entry.detail = readText(in);
  }
  for (auto& category : tables.catalogue) {
    const uint16_t count = in.u16();
    if (count > kCatalogueCategoryLimit) return fail(error, "a catalogue category is too long");
    category.resize(count);
    for (CatalogueRow& row : category) {
      row.id = in.u16();
      row.mask = in.u16();
    }
  }
  const uint16_t mobItems = in.u16();
  if (mobItems > mob_items::kRowCount) return fail(error, "too many mob item rows");
  std::vector<MobItemRow> rows(mobItems);
  for (MobItemRow& row : rows) row = readMobItem(in);
  tables.mobItems = MobItemTable(std::move(rows));
  if (!in.ok()) return fail(error, "the file ends early");
  if (in.remaining() != 0) return fail(error, "the file goes on past its tables");
  const std::string problem = gameTablesProblem(tables, kItemIdLimit, kMobLimit);
  if (!problem.empty()) return fail(error, problem);
  out = std::move(tables);
  return true;
}

}  // namespace content
