// Damaged world files: a damaged container, and a table of values that no good file holds. Each is either refused as a whole or loses only
// the records that cannot be trusted; nothing is read outside the file (the sanitizers watch), and
// nothing reaches the save links from a file that was refused.
#include <gtest/gtest.h>

#include <functional>

#include "content/items/item.h"
#include "saves/world/world_file_format.h"
#include "tests/saves/world/world_file_fixture.h"
#include "world/blocks/chest.h"
#include "world/blocks/sign.h"

namespace saves_test {
namespace {

using namespace world_file;

constexpr uint16_t kChestBlock = 213;  // 12 slots

class DamagedWorldFileTest : public WorldFileTest {
 protected:
  // A world with a chest, a sign, a stable and a mob, saved.
  Bytes goodFile() {
    auto world = makeWorld();
    MapBlock& cell = world->map().cell(5, 60);
    cell.front = block_word::compose(cell.front, kChestBlock, 0);
    world->chests().add(std::make_unique<Chest>(cell, kChestBlock)).setItem(0, newItem(40, 0, 1, 0, 0));
    world->signs().add(std::make_unique<Sign>(world->map().cell(6, 60))).setText("sign");
    MapBlock& stable = world->map().cell(7, 60);
    world->stables().add(std::make_unique<Stable>(stable, world->map()));
    links.animals[&stable] = {{{4, 1, 2}, {}, {}}};
    links.mobs = {{{11, 12}, 0, 3}};
    Bytes file = save(*world);
    links.mobs.clear();
    links.animals.clear();
    return file;
  }

  void expectRefusedWithoutLinks(const Bytes& file) {
    EXPECT_EQ(load(file), nullptr);
    EXPECT_TRUE(links.spawned.empty());
    EXPECT_TRUE(links.restoredAnimals.empty());
    EXPECT_EQ(links.recounts, 0);
  }

  // Replaces a plain section's body (the directory's sizes and offsets follow).
  static Bytes withSection(const Bytes& file, uint16_t id, const Bytes& body) {
    const Located at = locate(file, id);
    Bytes out = cut(file, at.offset);
    out.insert(out.end(), body.begin(), body.end());
    out.insert(out.end(), file.begin() + static_cast<long>(at.offset + at.size), file.end());
    for (size_t entry = 12; entry < 12 + 19 * 12; entry += 12) {
      engine::ByteReader read(std::span<const uint8_t>(out.data() + entry, 12));
      const uint16_t entryId = read.u16();
      read.skip(2);
      const uint32_t offset = read.u32(), size = read.u32();
      const uint32_t moved = static_cast<uint32_t>(offset + body.size() - at.size);
      out = patched(out, entry + 4,
                    Le().u32(offset > at.offset ? moved : offset)
                        .u32(entryId == id ? static_cast<uint32_t>(body.size()) : size).bytes);
    }
    return out;
  }
};

// One truncation, a damaged compressed body, the magic and the version; the fuzzer covers the
// long tail.
TEST_F(DamagedWorldFileTest, DamagedContainersAreRefused) {
  const Bytes good = goodFile();
  const Located cells = locate(good, kCells);
  const size_t middle = cells.offset + cells.size / 2;
  for (const Bytes& bad : {cut(good, good.size() - 1), flipped(good, middle, 0x5A),
                           patched(good, 3, {'C'}), patched(good, 4, {2})}) {
    expectRefusedWithoutLinks(bad);
  }
}

// A case without a check must be refused as a whole; one with a check loads and keeps only what
// can be trusted.
TEST_F(DamagedWorldFileTest, UntrustedValues) {
  const struct {
    const char* what;
    uint16_t section;
    Bytes body;
    std::function<void(World&)> check = nullptr;
  } cases[] = {
      {"chest count past the section", kChests, Le().u32(1000).bytes},
      {"chest slots beyond the chest's are dropped", kChests,
       Le().u32(1).u32(5).u32(60).u32(13).item(40, 1).zeros(11 * 12).item(41, 1).bytes,
       [](World& w) {
         EXPECT_EQ((*w.chests().begin())->slotCount(), 12u);
         EXPECT_EQ((*w.chests().begin())->itemAt(0)->id, 40);
       }},
      {"a chest record of a cell without a chest block", kChests,
       Le().u32(1).u32(9).u32(9).u32(1).item(40, 1).bytes,
       [](World& w) { EXPECT_EQ(w.chests().size(), 0u); }},
      {"a row below the map", kSigns, Le().u32(1).u16(6).u16(500).u16(2).text("x").u8(0).bytes,
       [](World& w) { EXPECT_EQ(w.signs().size(), 0u); }},
      {"sign text past the section", kSigns, Le().u32(1).u16(6).u16(60).u16(400).text(std::string(10, 'a')).bytes},
      {"sign text over 128 bytes keeps 128", kSigns,
       Le().u32(1).u16(6).u16(60).u16(201).text(std::string(200, 'a')).u8(0).bytes,
       [](World& w) { EXPECT_EQ((*w.signs().begin())->text(), std::string(128, 'a')); }},
      {"two entities on one cell keep the first", kSigns,
       Le().u32(2).u16(6).u16(60).u16(2).text("x").u8(0).u16(6).u16(60).u16(2).text("y").u8(0).bytes,
       [](World& w) {
         ASSERT_EQ(w.signs().size(), 1u);
         EXPECT_EQ((*w.signs().begin())->text(), "x");
       }},
      {"mob count past the section", kMobs, Le().u32(2).u16(1).u16(1).u8(0).u16(3).bytes},
      {"mob ids outside the table and unsaved groups are dropped", kMobs,
       Le().u32(3).u16(1).u16(1).u8(0).u16(4000).u16(1).u16(1).u8(1).u16(3).u16(1).u16(1).u8(2).u16(3).bytes,
       [this](World&) {
         ASSERT_EQ(links.spawned.size(), 1u);
         EXPECT_EQ(links.spawned[0].group, 2);
       }},
      {"process steps past the section", kPlants,
       Le().u32(1).u32(0).u16(1).u16(1).u32(1).u32(0).u8(1).u8(0).u8(200).zeros(3).u32(0).bytes},
      {"circuit timers past the section", kCircuits, Le().u32(0).u32(0).u32(5).bytes},
      {"stable count past the section", kStables, Le().u32(3).bytes},
      {"an area count past the section", kAreas, Le().u32(2).u16(1).u16(1).u8(5).bytes},
      {"a short clock is refused", kClock, Le().u16(1).bytes},
      {"a weather kind out of range is clear", kWeather, Le().u32(0).u8(9).zeros(3).bytes,
       [](World& w) { EXPECT_EQ(w.weather().kind, WeatherKind::None); }},
  };
  const Bytes good = goodFile();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    links = RecordingLinks();
    const Bytes bad = withSection(good, c.section, c.body);
    if (!c.check) {
      expectRefusedWithoutLinks(bad);
      continue;
    }
    auto loaded = load(bad);
    ASSERT_NE(loaded, nullptr);
    c.check(*loaded);
  }
}

TEST_F(DamagedWorldFileTest, InfoRecordMustNameTheWorldsLegalSize) {
  const Bytes good = goodFile();
  const size_t widthAt = locate(good, kInfo).offset + 72;
  const std::pair<uint16_t, uint16_t> sizes[] = {{500, 128}, {1024, 256}};
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(width);
    expectRefusedWithoutLinks(patched(good, widthAt, Le().u16(width).u16(height).bytes));
  }
}

}  // namespace
}  // namespace saves_test
