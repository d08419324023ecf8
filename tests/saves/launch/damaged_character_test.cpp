// The character list and the player loader judge a damaged character file alike: a file is listed
// exactly when it loads. Each case damages one good file and says whether it is still sound.
#include <array>

#include "saves/store/save_damage.h"
#include "tests/saves/launch/local_player_fixture.h"

namespace saves_test {
namespace {

// The good file's sections in directory order: id, body offset, body size.
struct Section {
  uint16_t id;
  size_t offset;
  size_t size;
};
constexpr std::array<Section, 5> kSections = {{{0x8000, 72, 52},
                                               {0x8001, 124, 924},
                                               {0x8002, 1048, 256},
                                               {0x8003, 1304, 32},
                                               {0x8004, 1336, 20}}};

size_t entryAt(size_t section) { return 12 + 12 * section; }
Bytes missing(const Bytes& good, size_t section) {
  return patched(good, entryAt(section), Le().u16(0x7FFF).bytes);
}
Bytes shortened(const Bytes& good, size_t section) {
  return patched(good, entryAt(section) + 8, Le().u32(static_cast<uint32_t>(kSections[section].size - 1)).bytes);
}
Bytes flippedRun(Bytes good, size_t from, size_t count) {
  for (size_t i = from; i < from + count; ++i) good[i] ^= 0xFF;
  return good;
}

struct DamageCase {
  std::string name;
  Bytes bytes;
  bool sound;
};

std::vector<DamageCase> damageCases(const Bytes& good) {
  std::vector<DamageCase> cases = {
      {"good", good, true},
      {"wrong magic", patched(good, 0, Le().text("RBWM").bytes), false},
      {"wrong version", patched(good, 4, Le().u16(1).bytes), false},
      {"empty", {}, false},
      {"header only", cut(good, 12), false},
      {"knowledge flipped", flippedRun(good, 1048, 256), true},
      {"knowledge bytes flipped", flipped(flipped(good, 1048 + 3, 0x10), 1048 + 200, 0x81), true},
      {"knowledge stored as gzip", patched(good, entryAt(2) + 3, {1}), false},
      {"knowledge short, inventory missing", shortened(missing(good, 1), 2), false},
      {"health short, achievements missing", shortened(missing(good, 3), 4), false},
      {"old achievements short", shortened(patched(good, entryAt(3) + 2, {0}), 3), true},
      {"health without achievements", missing(good, 3), true},
  };
  for (size_t i = 0; i < kSections.size(); ++i) {
    const Section& s = kSections[i];
    const std::string name = "section " + std::to_string(i);
    cases.push_back({name + " cut at its start", cut(good, s.offset), false});
    cases.push_back({name + " cut in its middle", cut(good, s.offset + s.size / 2), false});
    cases.push_back({name + " short", shortened(good, i), false});
    // Only the identity is needed; the others are optional parts.
    cases.push_back({name + " missing", missing(good, i), i != 0});
  }
  return cases;
}

TEST_F(LocalPlayerTest, ListingAndLoadingAgreeOnEveryDamagedFile) {
  CharacterRecord record;
  record.name = "Case";
  record.knowledge[130] = 0x3C;
  record.achievements[1] = 0x02;
  record.health = 2.0f;
  writeRecord("Case.dat", record);
  const Bytes good = fileBytes("Case.dat");
  ASSERT_EQ(good.size(), kCharacterFileSize);

  for (const DamageCase& c : damageCases(good)) {
    SCOPED_TRACE(c.name);
    writeFile("Case.dat", c.bytes);
    saves_.characters().scan("");
    const bool listed = !saves_.characters().entries().empty();
    const bool loaded = loadAs("Case.dat") != nullptr;
    EXPECT_EQ(listed, loaded);
    EXPECT_EQ(loaded, c.sound);
  }
}

TEST_F(LocalPlayerTest, AWholeFileShorterThanAFullOneIsJudgedWholeAsItLoads) {
  CharacterRecord record;
  record.name = "Short";
  writeRecord("Short.dat", record);
  const Bytes full = fileBytes("Short.dat");
  ASSERT_EQ(full.size(), kCharacterFileSize);
  // The directory lists four sections and the file ends with the fourth: no health, an optional part.
  const Bytes shorter = patched(cut(full, kSections[4].offset), 6, Le().u16(4).bytes);
  writeFile("Short.dat", shorter);
  ASSERT_NE(loadAs("Short.dat"), nullptr) << "the shorter file loads";
  EXPECT_EQ(characterFileDamage(playerPath("Short.dat")), "") << "so it is whole, and offered as a backup";
}

}  // namespace
}  // namespace saves_test
