// Damaged world files: cut at every section boundary and inside every section, bytes flipped,
// and a table of values that no good file holds. Each is either refused as a whole or loses only
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
    Bytes out(file.begin(), file.begin() + static_cast<long>(at.offset));
    out.insert(out.end(), body.begin(), body.end());
    out.insert(out.end(), file.begin() + static_cast<long>(at.offset + at.size), file.end());
    const int64_t shift = static_cast<int64_t>(body.size()) - static_cast<int64_t>(at.size);
    for (size_t entry = 12; entry < 12 + 19 * 12; entry += 12) {
      engine::ByteReader read(std::span<const uint8_t>(out.data() + entry, 12));
      const uint16_t entryId = read.u16();
      read.skip(2);
      uint32_t offset = read.u32();
      uint32_t size = read.u32();
      if (entryId == id) size = static_cast<uint32_t>(body.size());
      if (offset > at.offset) offset = static_cast<uint32_t>(offset + shift);
      for (size_t i = 0; i < 4; ++i) {
        out[entry + 4 + i] = static_cast<uint8_t>(offset >> (8 * i));
        out[entry + 8 + i] = static_cast<uint8_t>(size >> (8 * i));
      }
    }
    return out;
  }
};

TEST_F(DamagedWorldFileTest, CutAtEverySectionBoundaryAndInsideEverySection) {
  const Bytes good = goodFile();
  std::vector<size_t> cuts = {0, 6, 12, 12 + 19 * 6};
  for (uint16_t id = 1; id <= 19; ++id) {
    const Located at = locate(good, id);
    cuts.push_back(at.offset);
    if (at.size > 1) cuts.push_back(at.offset + at.size / 2);
  }
  cuts.push_back(good.size() - 1);
  for (size_t cut : cuts) {
    SCOPED_TRACE(cut);
    expectRefusedWithoutLinks(Bytes(good.begin(), good.begin() + static_cast<long>(cut)));
  }
}

TEST_F(DamagedWorldFileTest, FlippedBytesInTheCompressedCellsAreRefused) {
  const Bytes good = goodFile();
  const Located cells = locate(good, kCells);
  for (size_t at = cells.offset; at < cells.offset + cells.size; at += cells.size / 16 + 1) {
    SCOPED_TRACE(at);
    Bytes bad = good;
    bad[at] ^= 0x5A;
    expectRefusedWithoutLinks(bad);
  }
}

TEST_F(DamagedWorldFileTest, FlippedBytesAnywhereNeverReadOutside) {
  const Bytes good = goodFile();
  for (size_t at = 0; at < good.size(); at += good.size() / 97 + 1) {
    SCOPED_TRACE(at);
    Bytes bad = good;
    bad[at] ^= 0xFF;
    // Refused or loaded; the sanitizers check that it stays inside the file. A world that loads
    // is whole: its one chest and sign at most, on its own map.
    auto loaded = load(bad);
    if (at < 6) {
      EXPECT_EQ(loaded, nullptr);
    }
    if (loaded != nullptr) {
      EXPECT_LE(loaded->chests().size() + loaded->signs().size(), 2u);
      EXPECT_LE(links.spawned.size(), 1u);
    }
    links = RecordingLinks();
  }
}

TEST_F(DamagedWorldFileTest, UntrustedValues) {
  const struct {
    const char* what;
    uint16_t section;
    Bytes body;
    bool loads = false;
    std::function<void(World&, RecordingLinks&)> check = nullptr;
  } cases[] = {
      {"chest count past the section", kChests, Le().u32(1000).bytes, false},
      {"chest slots past the section", kChests, Le().u32(1).u32(5).u32(60).u32(200).item(40, 1).bytes, false},
      {"chest slots beyond the chest's are dropped", kChests,
       Le().u32(1).u32(5).u32(60).u32(13).item(40, 1).zeros(11 * 12).item(41, 1).bytes, true,
       [](World& w, RecordingLinks&) {
         const Chest& chest = **w.chests().begin();
         EXPECT_EQ(chest.slotCount(), 12u);
         EXPECT_EQ(chest.itemAt(0)->id, 40);
       }},
      {"item ids above 4095 are empty, counts held to 1..999", kChests,
       Le().u32(1).u32(5).u32(60).u32(3).item(5000, 1).item(40, 0).item(41, 60000).bytes, true,
       [](World& w, RecordingLinks&) {
         const Chest& chest = **w.chests().begin();
         EXPECT_EQ(chest.itemAt(0), nullptr);
         EXPECT_EQ(chest.itemAt(1)->count, 1);
         EXPECT_LE(chest.itemAt(2)->count, 999);
       }},
      {"a chest record of a cell without a chest block", kChests,
       Le().u32(1).u32(9).u32(9).u32(1).item(40, 1).bytes, true,
       [](World& w, RecordingLinks&) { EXPECT_EQ(w.chests().size(), 0u); }},
      {"a row below the map", kSigns, Le().u32(1).u16(6).u16(500).u16(2).text("x").u8(0).bytes, true,
       [](World& w, RecordingLinks&) { EXPECT_EQ(w.signs().size(), 0u); }},
      {"a column past the width wraps", kSigns, Le().u32(1).u16(512 + 6).u16(60).u16(2).text("x").u8(0).bytes,
       true, [](World& w, RecordingLinks&) { EXPECT_EQ(&(*w.signs().begin())->cell(), &w.map().cell(6, 60)); }},
      {"sign text past the section", kSigns, Le().u32(1).u16(6).u16(60).u16(400).text(std::string(10, 'a')).bytes},
      {"sign text over 128 bytes keeps 128", kSigns,
       Le().u32(1).u16(6).u16(60).u16(201).text(std::string(200, 'a')).u8(0).bytes, true,
       [](World& w, RecordingLinks&) { EXPECT_EQ((*w.signs().begin())->text(), std::string(128, 'a')); }},
      {"two entities on one cell keep the first", kSigns,
       Le().u32(2).u16(6).u16(60).u16(2).text("x").u8(0).u16(6).u16(60).u16(2).text("y").u8(0).bytes,
       true, [](World& w, RecordingLinks&) {
         ASSERT_EQ(w.signs().size(), 1u);
         EXPECT_EQ((*w.signs().begin())->text(), "x");
       }},
      {"mob count past the section", kMobs, Le().u32(2).u16(1).u16(1).u8(0).u16(3).bytes, false},
      {"mob ids outside the table and unsaved groups are dropped", kMobs,
       Le().u32(3).u16(1).u16(1).u8(0).u16(4000).u16(1).u16(1).u8(1).u16(3).u16(1).u16(1).u8(2).u16(3).bytes,
       true, [](World&, RecordingLinks& l) {
         ASSERT_EQ(l.spawned.size(), 1u);
         EXPECT_EQ(l.spawned[0].group, 2);
       }},
      {"process steps past the section", kPlants,
       Le().u32(1).u32(0).u16(1).u16(1).u32(1).u32(0).u8(1).u8(0).u8(200).zeros(3).u32(0).bytes, false},
      {"circuit timers past the section", kCircuits, Le().u32(0).u32(0).u32(5).bytes, false},
      {"stable count past the section", kStables, Le().u32(3).bytes, false},
      {"an area count past the section", kAreas, Le().u32(2).u16(1).u16(1).u8(5).bytes, false},
      {"a short clock is refused", kClock, Le().u16(1).bytes, false},
      {"a weather kind out of range is clear", kWeather, Le().u32(0).u8(9).zeros(3).bytes, true,
       [](World& w, RecordingLinks&) { EXPECT_EQ(w.weather().kind, WeatherKind::None); }},
  };
  const Bytes good = goodFile();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    links = RecordingLinks();
    auto loaded = load(withSection(good, c.section, c.body));
    if (!c.loads) {
      EXPECT_EQ(loaded, nullptr);
      EXPECT_TRUE(links.spawned.empty());
      continue;
    }
    ASSERT_NE(loaded, nullptr);
    c.check(*loaded, links);
  }
}

TEST_F(DamagedWorldFileTest, InfoRecordMustNameTheWorldsLegalSize) {
  const Bytes good = goodFile();
  const size_t widthAt = locate(good, kInfo).offset + 72;
  const struct {
    uint16_t width, height;
  } cases[] = {{500, 128}, {1024, 256}, {0, 0}, {65535, 65535}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    Bytes bad = good;
    bad[widthAt] = static_cast<uint8_t>(c.width);
    bad[widthAt + 1] = static_cast<uint8_t>(c.width >> 8);
    bad[widthAt + 2] = static_cast<uint8_t>(c.height);
    bad[widthAt + 3] = static_cast<uint8_t>(c.height >> 8);
    expectRefusedWithoutLinks(bad);
  }
}

TEST_F(DamagedWorldFileTest, TheGoodFileLoadsAndOtherFilesAreRefused) {
  ASSERT_NE(load(goodFile()), nullptr);
  EXPECT_EQ(links.spawned.size(), 1u);
  EXPECT_EQ(links.restoredAnimals.size(), 1u);
  links = RecordingLinks();
  Bytes adventure = goodFile();
  adventure[4] = 2;
  Bytes character = goodFile();
  character[3] = 'C';
  for (const Bytes& file : {adventure, character, Bytes()}) expectRefusedWithoutLinks(file);
}

}  // namespace
}  // namespace saves_test
