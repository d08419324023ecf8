// The world file: every plain section byte for byte as laid out by hand, every section read back
// into a fresh world, what the file keeps through the save links, and damaged files.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "content/items/item.h"
#include "saves/world/world_file_format.h"
#include "tests/saves/world/world_file_fixture.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/shelf.h"
#include "world/blocks/sign.h"
#include "world/circuits/circuit_system.h"
#include "world/explosions/explosion_system.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/explored_bitmap.h"
#include "world/protection/protected_areas.h"

namespace saves_test {
namespace {

using namespace world_file;

constexpr uint16_t kChestBlock = 213;  // a chest of 12 slots
constexpr uint16_t kShelfBlock = 212;  // a shelf of four items

class WorldFileFormatTest : public WorldFileTest {
 protected:
  // A world with something in every section.
  void furnish(World& world) {
    WorldMap& map = world.map();
    for (size_t x = 0; x < map.surfaceLines().size(); ++x) {
      map.surfaceLines()[x] = static_cast<uint16_t>(40 + x % 7);
    }
    MapBlock& chestCell = map.cell(5, 60);
    chestCell.front = block_word::compose(chestCell.front, kChestBlock, 0);
    world.chests().add(std::make_unique<Chest>(chestCell, kChestBlock))
        .setItem(3, newItem(40, 0, 1, 7, 0x11));
    world.signs().add(std::make_unique<Sign>(map.cell(6, 61))).setText("Hi");
    world.alchemyLabs().add(std::make_unique<AlchemyLab>(map.cell(7, 62)))
        .setItem(AlchemyLab::kOutputSlot, newItem(41, 0, 1, 0, 0));
    world.protectedAreas().add(map.cell(10, 20), 5);
    world.dayClock().tickCounter = 700;
    world.dayClock().phase = DayPhase::Dusk;
    world.weather().accumulator = 0.5f;
    world.weather().kind = WeatherKind::Rain;
    world.weather().ticksSinceChange = 300;
    map.liquids().restorePending({static_cast<uint32_t>(map.index(3, 4))});
    MapBlock& stableCell = map.cell(8, 63);
    auto stable = std::make_unique<Stable>(stableCell, world);
    stable->setItem(newItem(42, 0, 1, 0, 0));
    world.stables().add(std::move(stable));
    links.animals[&stableCell] = {{{4, 1, 2}, {}, {9, 3, 0}}};
    auto forge = std::make_unique<Forge>(map.cell(9, 64));
    forge->restore({newItem(43, 0, 1, 0, 0), nullptr, nullptr}, 12, 3);
    world.forges().add(std::move(forge));
    MapBlock& shelfCell = map.cell(10, 65);
    shelfCell.front = block_word::compose(shelfCell.front, kShelfBlock, 0);
    std::unique_ptr<Shelf> shelf = Shelf::create(world, shelfCell);
    shelf->setItem(2, newItem(44, 0, 1, 0, 0));
    world.shelves().add(std::move(shelf));
    links.mobs = {{{11, 12}, 0, 3}, {{13, 14}, 1, 4}, {{15, 16}, 3, 5}};
    MapBlock& cell = map.cell(2, 3);
    cell.front = block_word::compose(cell.front, 10, 2);
    cell.back = 0x3014;
    cell.decos = {0x1001, 0x8002, 0, 0x0FFF};
    std::tie(cell.circuitA, cell.circuitB, cell.liquid, cell.flags) = std::tuple(0x55, 0xAA, 0x64, 0x78);
    map.explored()->revealAround(100, 60);
    MapBlock& timed = map.cell(30, 40);
    world.circuits().restore({&timed}, {{circuit_op::kTurn, &timed, 0}}, {{&timed, 5, 9}},
                             {{&timed, CircuitRecord{1, 2, 0x0304, 0x0506}}});
  }
};

// The header, the directory in write order (cells and explored map compressed, the cells at
// revision 1), the info record (the name keeps its first 32 bytes) and every plain section byte
// for byte; then, written again from the world that was read, every section comes out as it went
// in, and what the file hands to the save links arrives there.
TEST_F(WorldFileFormatTest, WholeFileIsByteExactAndEverySectionReadsBack) {
  worldName = std::string(32, 'n') + "cut";
  auto world = makeWorld();
  furnish(*world);
  const PlayerCells player{100, 50, 101, 51};
  const Bytes file = save(*world, player);
  ASSERT_GE(file.size(), 12u + 19 * 12);
  EXPECT_EQ(cut(file, 12), Le().text("RBWM").u16(1).u16(19).u32(0).bytes);
  const uint16_t order[] = {1, 4, 2, 3, 18, 17, 5, 6, 9, 7, 8, 10, 11, 12, 13, 14, 15, 16, 19};
  engine::ByteReader directory(std::span<const uint8_t>(file.data() + 12, 19 * 12));
  size_t expectedOffset = 12 + 19 * 12;
  for (uint16_t id : order) {
    SCOPED_TRACE(id);
    EXPECT_EQ(directory.u16(), id);
    EXPECT_EQ(directory.u8(), id == 2 ? 1 : 0);             // revision
    EXPECT_EQ(directory.u8(), id == 2 || id == 3 ? 1 : 0);  // gzip
    const uint32_t offset = directory.u32();
    EXPECT_EQ(offset, expectedOffset);
    expectedOffset = offset + directory.u32();
  }
  EXPECT_EQ(expectedOffset, file.size());

  Le info;
  for (uint8_t i = 0; i < 16; ++i) info.u8(0xA0 + i);
  info.u32(0x23456789).u32(30000).text(std::string(32, 'n')).text("author").zeros(10);
  info.u16(512).u16(128).u16(100).u16(50).u16(101).u16(51);
  info.u32(kPlanet).u8(0).u8(0).u8(0).u8(1).u32(0).zeros(128);
  Le surface;
  for (uint32_t x = 0; x < 512; ++x) surface.u16(40 + x % 7);
  Le chest = Le().u32(1).u32(5).u32(60).u32(12);
  for (int slot = 0; slot < 12; ++slot) slot == 3 ? chest.item(40, 1, 0x11, 7) : chest.empty();
  Le lab = Le().u32(1).u16(7).u16(62).empty().empty().empty().empty().item(41, 1);
  Le stable = Le().u32(1).u16(8).u16(63).u16(4).u16(1).u16(2).u16(0xFFFF).u16(0).u16(0);
  stable.u16(9).u16(3).u16(0).zeros(2).item(42, 1);
  Le circuits = Le().u32(1).u16(30).u16(40).u32(1).u16(30).u16(40).u8(circuit_op::kTurn);
  circuits.u32(1).u16(30).u16(40).u16(9).u16(5).u32(1).u16(30).u16(40).u32(0x03040201).u16(0x0506);

  const struct {
    uint16_t id;
    Bytes body;
  } cases[] = {
      {kInfo, info.bytes},
      {kSurface, surface.bytes},
      {kClock, Le().u32(700).u8(2).zeros(3).bytes},
      {kWeather, Le().u32(0x3F000000).u8(1).u8(300 & 0xFF).zeros(2).bytes},
      {kChests, chest.bytes},
      {kForges, Le().u32(1).u16(9).u16(64).u32(0).u32(0x40280000).u16(3).zeros(2).item(43, 1).empty().empty().bytes},
      {kSigns, Le().u32(1).u16(6).u16(61).u16(3).text("Hi").u8(0).bytes},
      {kStables, stable.bytes},
      {kLabs, lab.bytes},
      {kShelves, Le().u32(1).u16(10).u16(65).empty().empty().item(44, 1).empty().bytes},
      {kPlants, Le().u32(0).bytes},
      {kPlantCells, Le().u32(0).bytes},
      {kSecondPlantCells, Le().u32(0).bytes},
      {kAreas, Le().u32(1).u16(10).u16(20).u8(5).bytes},
      {kLiquids, Le().u32(0).u32(1).u16(3).u16(4).bytes},
      {kCircuits, circuits.bytes},
      {kMobs, Le().u32(2).u16(11).u16(12).u8(0).u16(3).u16(15).u16(16).u8(3).u16(5).bytes},
  };
  for (const auto& c : cases) EXPECT_EQ(sectionBytes(file, c.id), c.body) << "section " << c.id;

  PlayerCells loadedPlayer;
  auto loaded = load(file, 0, &loadedPlayer);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loadedPlayer, player);
  EXPECT_TRUE(loaded->map().explored()->isExplored(100, 60));
  EXPECT_EQ(links.spawned, (std::vector<SavedMob>{links.mobs[0], links.mobs[2]}));
  EXPECT_EQ(links.recounts, 1);
  ASSERT_EQ(links.restoredAnimals.size(), 1u);
  EXPECT_EQ(links.restoredAnimals.begin()->first, &loaded->map().cell(8, 63));
  EXPECT_EQ(links.restoredAnimals.begin()->second, links.animals.begin()->second);
  EXPECT_TRUE(static_cast<const Forge&>(**loaded->forges().begin()).burning());

  links.animals = links.restoredAnimals;
  const Bytes again = save(*loaded, loadedPlayer);
  for (uint16_t id = 1; id <= 19; ++id) {
    EXPECT_EQ(sectionBytes(again, id), sectionBytes(file, id)) << "section " << id;
  }
}

TEST_F(WorldFileFormatTest, WaitingChargesAreSavedUnlitAndTheWorldKeepsThem) {
  auto world = makeWorld();
  MapBlock& cell = world->map().cell(20, 50);
  cell.decos = {map_deco::make(5, 0, 0), map_deco::make(ExplosionSystem::kLitCharge, 2, 0),
                map_deco::make(ExplosionSystem::kLitCharge, 0, 0), 0};
  ASSERT_TRUE(world->explosions().add(cell, nullptr, kStandardBlast, 60.0f, 1));
  auto loaded = load(save(*world));
  ASSERT_NE(loaded, nullptr);
  const std::array<MapDeco, 4> expected = {map_deco::make(5, 0, 0), map_deco::make(ExplosionSystem::kCharge, 2, 0),
                                           map_deco::make(ExplosionSystem::kLitCharge, 0, 0), 0};
  EXPECT_EQ(loaded->map().cell(20, 50).decos, expected);
  EXPECT_EQ(map_deco::id(cell.decos[1]), ExplosionSystem::kLitCharge);
}

// Damaged files: each is either refused as a whole or loses only the records that cannot be
// trusted; nothing is read outside the file (the sanitizers watch), and nothing reaches the save
// links from a file that was refused.
class DamagedWorldFileTest : public WorldFileFormatTest {
 protected:
  Bytes goodFile() {
    auto world = makeWorld();
    furnish(*world);
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

// A count damaged to one fewer than the records its section holds would load without the last
// record, and the next save would write the world without it: bytes left after the records a count
// names are damage, as a count past the records is. Each section loads with its own count.
TEST_F(DamagedWorldFileTest, ASectionEndsWithTheRecordsItsCountNames) {
  constexpr uint16_t kIronPickaxe = 324, kDirtItem = 263, kLampItem = 1487;
  const auto shelf = [](Le& le, uint16_t x) -> Le& { return le.u16(x).u16(65).item(44, 1).empty().empty().empty(); };
  const auto plant = [](Le& le, uint16_t x) -> Le& { return le.u32(1).u16(x).u16(30).u32(0).u8(2).zeros(3); };
  const auto mob = [](Le& le, uint16_t x) -> Le& { return le.u16(x).u16(30).u8(0).u16(3); };
  Le chests, shelves, plants, mobs;
  const Bytes threeCells = Le().u16(1).u16(2).u16(3).u16(4).u16(5).u16(6).bytes;
  chests.u32(5).u32(60).u32(1).item(40, 1).u32(6).u32(60).u32(1).item(41, 1);
  chests.u32(7).u32(60).u32(3).item(kIronPickaxe, 1).item(kDirtItem, 50).item(kLampItem, 3);
  const struct {
    const char* what;
    uint16_t section;
    uint32_t records;
    Bytes body;
  } cases[] = {
      {"chests", kChests, 3, chests.bytes},
      {"shelves", kShelves, 2, shelf(shelf(shelves, 10), 11).bytes},
      {"plants", kPlants, 2, plant(plant(plants, 40), 41).bytes},
      {"plant cells", kPlantCells, 3, threeCells},
      {"second plant cells", kSecondPlantCells, 3, threeCells},
      {"mobs", kMobs, 2, mob(mob(mobs, 11), 12).bytes},
  };
  const Bytes good = goodFile();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto counted = [&c](uint32_t count) {
      Bytes body = Le().u32(count).bytes;
      body.insert(body.end(), c.body.begin(), c.body.end());
      return body;
    };
    ASSERT_NE(load(withSection(good, c.section, counted(c.records))), nullptr) << "the section with its own count";
    for (const uint32_t wrong : {c.records - 1, c.records + 1}) {
      links = RecordingLinks();
      expectRefusedWithoutLinks(withSection(good, c.section, counted(wrong)));
    }
  }
}

TEST_F(DamagedWorldFileTest, InfoRecordMustNameTheWorldsLegalSize) {
  const Bytes good = goodFile();
  const size_t widthAt = locate(good, kInfo).offset + 72;
  expectRefusedWithoutLinks(patched(good, widthAt, Le().u16(500).u16(128).bytes));
  expectRefusedWithoutLinks(patched(good, widthAt, Le().u16(1024).u16(256).bytes));
}

}  // namespace
}  // namespace saves_test
