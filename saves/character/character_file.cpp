#include "saves/character/character_file.h"

#include <cmath>
#include <cstring>

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/container/data_stream_writer.h"
#include "saves/store/player_entry.h"

namespace {

constexpr uint16_t kVersion = 0;

enum CharacterSection : uint16_t {
  kIdentity = 0x8000,
  kInventory = 0x8001,
  kKnowledge = 0x8002,
  kAchievements = 0x8003,
  kHealth = 0x8004,
};
constexpr uint8_t kAchievementsRevision = 1;

constexpr size_t kIdentityBytes = 52;
constexpr uint32_t kSelectedSlotShift = 24;
constexpr uint32_t kSelectedSlotBits = 0xFu << kSelectedSlotShift;
constexpr size_t kInventoryItems = 77;
constexpr size_t kInventoryBytes = kInventoryItems * kDiskItemSize;
constexpr size_t kKnowledgeHalf = 128;
constexpr size_t kHealthBytes = 20;
static_assert(kInventoryBytes == 924);
static_assert(kCharacterFileSize ==
              12 + 5 * 12 + kIdentityBytes + kInventoryBytes + 256 + 32 + kHealthBytes);

// ---- Identity ----

void writeIdentity(engine::ByteWriter& out, const CharacterRecord& r) {
  out.bytes(r.saveId);
  uint8_t name[kCharacterNameBytes] = {};
  std::memcpy(name, r.name.data(), std::min(r.name.size(), sizeof name));
  out.bytes(name);
  out.u32(r.build);
  const uint32_t selected = (uint32_t{r.selectedQuickSlot} << kSelectedSlotShift) & kSelectedSlotBits;
  out.u32((r.stateFlags & ~kSelectedSlotBits) | selected);
  out.u32(r.characterFlags);
  out.u32(r.lookWord);
  out.u32(r.difficultyId);
}

struct Identity {
  SaveId saveId{};
  std::string name;
  uint32_t build = 0, stateFlags = 0, characterFlags = 0, lookWord = 0, difficultyId = 0;
};

Identity readIdentity(engine::ByteReader& in) {
  Identity id;
  in.bytes(id.saveId.data(), id.saveId.size());
  const std::span<const uint8_t> name = in.take(kCharacterNameBytes);
  id.name.assign(name.begin(), name.end());
  id.name.resize(std::strlen(id.name.c_str()));  // up to the first NUL; all 16 bytes without one
  id.build = in.u32();
  id.stateFlags = in.u32();
  id.characterFlags = in.u32();
  id.lookWord = in.u32();
  id.difficultyId = in.u32();
  return id;
}

// ---- Inventory: one walk over the 77 slots serves both directions ----

// Visits every slot in file order: the two rows, the grid and the backpack transposed (file
// position 3a + b holds grid slot a + 3b), equipment, looks, the two single slots.
template <typename Record, typename Visit>
void forEachSlot(Record& r, Visit visit) {
  for (auto& item : r.firstRow) visit(item);
  for (auto& item : r.secondRow) visit(item);
  for (size_t a = 0; a < 3; ++a) {
    for (size_t b = 0; b < 3; ++b) visit(r.craftGrid[a + 3 * b]);
  }
  for (size_t a = 0; a < 6; ++a) {
    for (size_t b = 0; b < 6; ++b) visit(r.backpack[a + 6 * b]);
  }
  for (auto& item : r.equipment) visit(item);
  for (auto& item : r.looks) visit(item);
  visit(r.firstSingle);
  visit(r.secondSingle);
}

// Reads the block into a fresh record, so that a damaged block assigns nothing.
bool readInventory(DataStreamReader& in, CharacterRecord& inventory) {
  uint8_t bytes[kInventoryBytes];
  if (!in.read(bytes)) return false;
  engine::ByteReader items(bytes, sizeof bytes);
  forEachSlot(inventory, [&](DiskItem& item) { item = readDiskItem(items); });
  return items.ok();
}

// ---- Knowledge, achievements, health ----

// The file holds the second half of the knowledge first.
void swapHalves(std::array<uint8_t, 256>& knowledge) {
  std::swap_ranges(knowledge.begin(), knowledge.begin() + kKnowledgeHalf,
                   knowledge.begin() + kKnowledgeHalf);
}

void readHealth(engine::ByteReader& in, CharacterRecord& r) {
  const float health = in.f32();
  r.health = std::isfinite(health) ? health : 0.0f;
  for (BuffPair& buff : r.buffs) {
    buff.id = in.u16();
    buff.remaining = in.u16();
  }
}

template <size_t N>
bool readPlain(DataStreamReader& in, uint8_t (&bytes)[N]) {
  return in.read(bytes);
}

}  // namespace

bool writeCharacterFile(kel::FileHandle& file, const CharacterRecord& record) {
  DataStreamWriter out(file, kCharacterMagic, kVersion, 5);
  out.openSection(kIdentity, 0, SectionStorage::Plain);
  writeIdentity(out.body(), record);
  out.closeSection();

  out.openSection(kInventory, 0, SectionStorage::Plain);
  forEachSlot(record, [&](const DiskItem& item) {
    writeDiskItem(out.body(), item.isEmpty() ? DiskItem{} : item);
  });
  out.closeSection();

  out.openSection(kKnowledge, 0, SectionStorage::Plain);
  std::array<uint8_t, 256> knowledge = record.knowledge;
  swapHalves(knowledge);
  out.body().bytes(knowledge);
  out.closeSection();

  out.openSection(kAchievements, kAchievementsRevision, SectionStorage::Plain);
  out.body().bytes(record.achievements);
  out.closeSection();

  out.openSection(kHealth, 0, SectionStorage::Plain);
  out.body().f32(record.health);
  for (const BuffPair& buff : record.buffs) {
    const bool used = buff.remaining != 0;
    out.body().u16(used ? buff.id : 0);
    out.body().u16(used ? buff.remaining : 0);
  }
  out.closeSection();
  return out.finish();
}

// One judgement serves the player loader and the character list: a file is sound when its
// header is right, its identity is there and every section it has reads whole, including the
// sections the loader then leaves untaken. What is taken follows the format's old rule: without
// an inventory nothing after it is taken, without achievements no health.
bool readCharacterFile(kel::FileHandle& file, CharacterRecord& record, CharacterParts& parts) {
  parts = CharacterParts{};
  DataStreamReader in(file);
  if (!in.is(kCharacterMagic, kVersion) || !in.openSection(kIdentity)) return false;
  uint8_t identity[kIdentityBytes];
  if (!readPlain(in, identity)) return false;
  engine::ByteReader idBytes(identity, sizeof identity);
  const Identity id = readIdentity(idBytes);

  CharacterRecord inventory;
  const bool hasInventory = in.openSection(kInventory) != nullptr;
  const bool inventoryRead = hasInventory && readInventory(in, inventory);

  std::array<uint8_t, 256> knowledge{};
  const bool knowledgeRead = in.openSection(kKnowledge) != nullptr && in.read(knowledge);
  swapHalves(knowledge);

  std::array<uint8_t, 32> achievements{};
  const SectionEntry* achievementsEntry = in.openSection(kAchievements);
  // A set numbered by an older revision is ignored, unread.
  const bool achievementsRead = achievementsEntry != nullptr &&
                                achievementsEntry->revision == kAchievementsRevision &&
                                in.read(achievements);

  uint8_t health[kHealthBytes];
  const bool healthRead = in.openSection(kHealth) != nullptr && readPlain(in, health);
  if (in.failed()) return false;

  parts.identity = true;
  record.lookWord = id.lookWord;
  record.name = id.name;
  record.stateFlags |= id.stateFlags & ~kSelectedSlotBits;
  record.selectedQuickSlot = static_cast<uint8_t>((id.stateFlags & kSelectedSlotBits) >> kSelectedSlotShift);
  record.build = id.build;
  record.saveId = id.saveId;
  record.characterFlags = id.characterFlags;
  record.difficultyId = id.difficultyId;
  if (!hasInventory) return true;

  parts.inventory = inventoryRead;
  record.firstRow = inventory.firstRow;
  record.secondRow = inventory.secondRow;
  record.craftGrid = inventory.craftGrid;
  record.backpack = inventory.backpack;
  record.equipment = inventory.equipment;
  record.looks = inventory.looks;
  record.firstSingle = inventory.firstSingle;
  record.secondSingle = inventory.secondSingle;
  parts.knowledge = knowledgeRead;
  if (knowledgeRead) record.knowledge = knowledge;
  if (achievementsEntry == nullptr) return true;
  parts.achievements = achievementsRead;
  if (achievementsRead) record.achievements = achievements;
  parts.health = healthRead;
  if (healthRead) {
    engine::ByteReader healthBytes(health, sizeof health);
    readHealth(healthBytes, record);
  }
  return true;
}

std::unique_ptr<PlayerEntry> readCharacterSummary(const std::string& fileName,
                                                  kel::FileHandle& file) {
  CharacterRecord record;
  CharacterParts parts;
  if (!readCharacterFile(file, record, parts)) return nullptr;

  auto entry =
      std::make_unique<PlayerEntry>(fileName, record.name, static_cast<uint16_t>(record.stateFlags));
  entry->lookWord = record.lookWord;
  entry->characterFlags = record.characterFlags;
  entry->difficultyId = record.difficultyId;
  entry->saveId = record.saveId;
  if (parts.inventory) {
    bool gridEmpty = record.firstSingle.isEmpty();
    for (const DiskItem& item : record.craftGrid) gridEmpty = gridEmpty && item.isEmpty();
    entry->gridEmpty = gridEmpty ? 1 : 0;
    for (size_t i = 0; i < entry->appearance.size(); ++i) {
      const DiskItem& look = record.looks[i];
      entry->appearance[i] = look.isEmpty() ? record.equipment[i] : look;
    }
    entry->heldItem = record.firstRow[0];
  }
  if (parts.knowledge) entry->knowledge = record.knowledge;
  return entry;
}
