#include "tools/content_checks/content_set.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/content_compiler/planet_sources.h"
#include "tools/content_compiler/table_sources.h"

namespace content_checks {

namespace cc = content_compiler;

namespace {

using Reader = void (*)(const rapidjson::Value&, ContentSources&);

struct SourceFile {
  const char* name;
  Reader read;
};

// The compiler's order: loot before the tables that name it, mobs before their groups.
const SourceFile kSources[] = {
    {cc::source_files::kTreasures, cc::readTreasures},   {cc::source_files::kLootGroups, cc::readLootGroups},
    {cc::source_files::kLootTables, cc::readLootTables}, {cc::source_files::kBlocks, cc::readBlocks},
    {cc::source_files::kMobs, cc::readMobs},             {cc::source_files::kMobGroups, cc::readMobGroups},
    {cc::source_files::kCrafts, cc::readCrafts},         {cc::source_files::kBullets, cc::readBullets},
    {cc::source_files::kBuffs, cc::readBuffs},           {cc::source_files::kTools, cc::readTools},
    {cc::source_files::kRangeds, cc::readRangeds},       {cc::source_files::kSwingSpecs, cc::readSwingSpecs},
    {cc::source_files::kPlanets, cc::readPlanets},
};

void readSource(const std::filesystem::path& folder, const SourceFile& source, ContentSources& out) {
  std::ifstream file(folder / source.name, std::ios::binary);
  rapidjson::Document document;
  if (!file) {
    // A table the set leaves out is read as empty, so fixed tables keep their full row count.
    document.SetArray();
  } else {
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    document.Parse(text.c_str(), text.size());
    if (document.HasParseError()) {
      cc::refuse(SourcePlace{source.name}, std::string("not valid JSON at byte ") +
                                               std::to_string(document.GetErrorOffset()) + ": " +
                                               rapidjson::GetParseError_En(document.GetParseError()));
    }
  }
  source.read(document, out);
}

template <typename Detail>
void indexDetails(const std::vector<Detail>& details, std::map<uint16_t, const Detail*>& out) {
  for (const auto& d : details) out.emplace(d.item, &d);
}

}  // namespace

ContentSources readContentSources(const std::string& folder) {
  ContentSources sources;
  for (const SourceFile& source : kSources) readSource(folder, source, sources);
  return sources;
}

ContentIndex::ContentIndex(const ContentSources& sources) : sources_(sources) {
  for (const auto& t : sources.treasures) items_.emplace(t.id, &t);
  for (const auto& b : sources.blocks) blocks_.emplace(b.id, &b);
  indexDetails(sources.tools, tools_);
  indexDetails(sources.buffs, buffs_);
  indexDetails(sources.rangeds, rangeds_);
  indexDetails(sources.swingSpecs, swings_);
  // An empty row as the compiler writes it, for telling filled projectile rows apart.
  ContentSources empty;
  rapidjson::Document none;
  none.SetArray();
  cc::readBullets(none, empty);
  emptyBullet_ = empty.bullets.front();
}

const content_compiler::MobSource* ContentIndex::mob(uint16_t row) const {
  if (row >= sources_.mobs.size()) return nullptr;
  const auto& m = sources_.mobs[row];
  return m.record.f32(content::mob_record::maxHealth) > 0 ? &m : nullptr;
}

bool ContentIndex::bulletFilled(uint16_t row) const {
  if (row >= sources_.bullets.size()) return false;
  const auto& bytes = sources_.bullets[row].bytes;
  // Byte 0-3 hold the row itself, which every row has.
  return !std::equal(bytes.begin() + 4, bytes.end(), emptyBullet_.bytes.begin() + 4);
}

uint64_t blockFlags(const BlockSource& block) { return block.record.flags(); }
uint8_t blockVariants(const BlockSource& block) { return block.record.variantCount(); }
uint8_t itemKind(const TreasureSource& item) { return item.record.kind(); }
uint16_t itemPlacesBlock(const TreasureSource& item) {
  return item.record.u16(content::item_record::placesBlock);
}
int16_t rangedBulletRow(const RangedSpec& ranged) { return ranged.bulletRow(); }
bool bulletIsBobber(const BulletDef& bullet) { return bullet.bobber() != 0; }
bool bulletSticks(const BulletDef& bullet) { return bullet.stick() != 0; }

}  // namespace content_checks
