#include <string>
#include <utility>
#include <vector>

#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"
#include "tests/tools/content_compiler/source_copy_test.h"

namespace {

using NamedFieldsTest = compiler_test::SourceCopyTest;

// The test set's mobs with `frames` as mob 0's only animation (mob 0 has three parts).
std::string mobsWithFrames(const std::string& frames) {
  return R"([{"parts": [1, 2, 2], "lootTable": 1, "animations": [{"kind": 0, "frames": )" + frames +
         R"(}]}, {}, {}])";
}

const MobPartFrame& frameOfMob0(size_t part) {
  return contentTables().mobPartLayouts[0].animations.at(0).frames.at(part);
}

TEST_F(NamedFieldsTest, NamedFramesWriteTheBytesOfTheRawForm) {
  ASSERT_EQ(compileWith("mobs.json", mobsWithFrames(R"([
      {"rect": [128, 0, 28, 24], "position": [-8, 1.7], "rotation": -30}, {"rect": [4, 5]},
      [0, 0, 0, 67, 0, 0, 0, 0, 0, 0, 224, 65, 0, 0, 192, 65, 0, 0, 0, 0, 154, 153, 217, 63]])")),
            "");
  EXPECT_FLOAT_EQ(mobFrameRotation(frameOfMob0(0)), -30.0f);
  EXPECT_FLOAT_EQ(mobFrameRotation(frameOfMob0(1)), 0.0f) << "values left out are zero";

  const MobPartFrame raw = frameOfMob0(2);
  const std::string named = R"([{}, {}, {"rect": [128, 0, 28, 24], "position": [0, 1.7]}])";
  ASSERT_EQ(compileWith("mobs.json", mobsWithFrames(named)), "");
  EXPECT_EQ(frameOfMob0(2), raw);
}

TEST_F(NamedFieldsTest, MalformedFramesAreRefusedNamingTheRow) {
  const std::pair<const char*, const char*> cases[] = {
      {R"([{"rect": [1, 2, 3, 4], "rot": 5}, {}, {}])", "unknown field \"rot\""},
      {R"([[], {}, {}, {}])", "one frame per part"},
      {R"([[0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0], {}, {}])",
       "more than 28 bytes"},
  };
  for (const auto& [frames, why] : cases) {
    const std::string error = compileWith("mobs.json", mobsWithFrames(frames));
    EXPECT_NE(error.find("mobs.json, row 0"), std::string::npos) << frames << " gave: " << error;
    EXPECT_NE(error.find(why), std::string::npos) << frames << " gave: " << error;
  }
}

TEST_F(NamedFieldsTest, SpawnGroupsCountTheirListAndDefaultToAnyLightAndPacksOfOne) {
  ASSERT_EQ(compileWith("mob_groups.json", R"([
      {"standableBlocks": "0x100000000", "depthRange": [0.85, 2], "lightRange": [3, 12], "packSize": [2, 5],
       "dayPhases": 11, "hostile": 1, "spawnGroup": 2, "mobs": [0, 2, 1], "liquid": 1, "extra": {"30": [9]}},
      {"mobs": [1]}])"),
            "");
  const MobGroupRecord& g = contentTables().mobGroupDefs[0].record;
  EXPECT_EQ(g.lightBound(1), 12);
  EXPECT_EQ(g.liquid(), 1);
  EXPECT_EQ(g.u8(30), 9) << "bytes no field names stay free for raw bytes";

  const MobGroupRecord& plain = contentTables().mobGroupDefs[1].record;
  EXPECT_EQ(plain.lightBound(0), content::mob_group_record::kAnyLight);
  EXPECT_EQ(plain.packBound(1), 1);

  EXPECT_TRUE(refused("mob_groups.json", R"([{"mobCount": 4, "mobs": [0, 1]}])",
                      "\"mobCount\" is 4 but must be 2"));
}

TEST_F(NamedFieldsTest, RangedRecordsNameNoSoundAndNoAmmunitionUnlessGiven) {
  ASSERT_EQ(compileWith("rangeds.json", R"([{"item": 12, "sound": 188, "ammunition": 16, "bulletRow": 4,
      "bobber": 1, "needsAmmunition": 1}, {"item": 14, "bulletRow": 2}])"),
            "");
  const RangedSpec& rod = *contentTables().itemDefs[12].rangedSpec;
  EXPECT_EQ(rod.ammunition(), 16);
  // An unnamed ammunition must not read as item 0, with or without a record.
  const auto& items = contentTables().itemDefs;
  for (const RangedSpec* plain : {items[14].rangedSpec, &items[0].rangedOrDefault()}) {
    EXPECT_EQ(plain->sound(), -1);
    EXPECT_EQ(plain->ammunition(), content::kNoItem);
    EXPECT_FALSE(plain->castsBobber());
  }
}

// Every record's fields lie inside the record and no two share a byte, so a name has one place.
TEST(RecordLayouts, FieldsFitTheirRecordAndNeverOverlap) {
  const content::RecordLayout* layouts[] = {
      &content::itemRecordLayout(),  &content::toolRecordLayout(),     &content::buffRecordLayout(),
      &content::rangedRecordLayout(), &content::swingRecordLayout(),   &content::blockRecordLayout(),
      &content::mobRecordLayout(),   &content::mobPartFrameLayout(),   &content::mobGroupRecordLayout(),
      &content::craftRecordLayout(), &content::bulletRecordLayout(),
  };
  for (const content::RecordLayout* layout : layouts) {
    std::vector<const char*> owner(layout->size, nullptr);
    for (const content::RecordField& field : layout->fields) {
      const size_t end = field.offset + content::fieldTypeSize(field.type) * field.count;
      ASSERT_LE(end, layout->size) << layout->name << ": " << field.name << " runs past the record";
      for (size_t at = field.offset; at < end; ++at) {
        EXPECT_EQ(owner[at], nullptr) << layout->name << ": " << field.name << " overlaps " << owner[at];
        owner[at] = field.name;
      }
    }
  }
}

}  // namespace
