#pragma once
// A content set as the checks see it: the compiler's tables read from a source folder, with
// look-ups by id that keep the source row of every definition.

#include <cstdint>
#include <map>
#include <string>

#include "tools/content_compiler/content_sources.h"

namespace content_checks {

using content_compiler::BlockSource;
using content_compiler::SourcePlace;
using content_compiler::ContentSources;
using content_compiler::TreasureSource;

// Reads every source file of the folder the way the compiler does; throws
// content_compiler::SourceError (naming file and row) for a source the compiler would refuse.
ContentSources readContentSources(const std::string& folder);

class ContentIndex {
 public:
  explicit ContentIndex(const ContentSources& sources);

  const ContentSources& sources() const { return sources_; }
  const TreasureSource* item(uint16_t id) const { return find(items_, id); }
  const BlockSource* block(uint16_t id) const { return find(blocks_, id); }
  // A mob row that holds a mob (rows left empty have no health and count as missing).
  const content_compiler::MobSource* mob(uint16_t row) const;
  // A projectile row that differs from an empty row somewhere past its own index.
  bool bulletFilled(uint16_t row) const;

  const content_compiler::DetailSource<ToolSpec>* tool(uint16_t item) const { return find(tools_, item); }
  const content_compiler::DetailSource<BuffSpec>* buff(uint16_t item) const { return find(buffs_, item); }
  const content_compiler::DetailSource<RangedSpec>* ranged(uint16_t item) const { return find(rangeds_, item); }
  const content_compiler::DetailSource<SwingSpec>* swing(uint16_t item) const { return find(swings_, item); }

 private:
  template <typename T>
  static const T* find(const std::map<uint16_t, const T*>& table, uint16_t id) {
    auto it = table.find(id);
    return it == table.end() ? nullptr : it->second;
  }

  const ContentSources& sources_;
  std::map<uint16_t, const TreasureSource*> items_;
  std::map<uint16_t, const BlockSource*> blocks_;
  std::map<uint16_t, const content_compiler::DetailSource<ToolSpec>*> tools_;
  std::map<uint16_t, const content_compiler::DetailSource<BuffSpec>*> buffs_;
  std::map<uint16_t, const content_compiler::DetailSource<RangedSpec>*> rangeds_;
  std::map<uint16_t, const content_compiler::DetailSource<SwingSpec>*> swings_;
  BulletDef emptyBullet_;
};

// Record fields the checks read, by the offsets the compiler writes.
uint64_t blockFlags(const BlockSource& block);
uint8_t blockVariants(const BlockSource& block);
uint8_t itemKind(const TreasureSource& item);
uint16_t itemPlacesBlock(const TreasureSource& item);
int16_t rangedBulletRow(const RangedSpec& ranged);
bool bulletIsBobber(const BulletDef& bullet);
bool bulletSticks(const BulletDef& bullet);

constexpr uint64_t flagBit(int bit) { return 1ull << bit; }

}  // namespace content_checks
