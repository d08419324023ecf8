// The projectiles' pictures in the particle atlas: every row of the bullet table is drawn at its
// rectangles, clear of the particles, and a table that puts a row over them is refused.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <filesystem>
#include <string>

#include "content/art/debris_rect_lists.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/art_maker/projectile_pictures.h"

namespace artmaker {
namespace {

namespace fs = std::filesystem;

int numberAt(const rapidjson::Value& row, const char* name, rapidjson::SizeType i) {
  return row.HasMember(name) && row[name].IsArray() && row[name].Size() > i ? row[name][i].GetInt() : -1;
}

// The rectangles a row draws from: its flight picture and, for a row that sticks, its stuck one.
std::vector<PixelRect> rectanglesOf(const rapidjson::Value& row) {
  std::vector<PixelRect> rects;
  if (numberAt(row, "size", 0) <= 0) return rects;
  rects.push_back({numberAt(row, "spritePosition", 0), numberAt(row, "spritePosition", 1), numberAt(row, "size", 0),
                   numberAt(row, "size", 1)});
  if (row.HasMember("stick") && numberAt(row, "stuckRect", 3) > 0) {
    rects.push_back({numberAt(row, "stuckRect", 0), numberAt(row, "stuckRect", 1), numberAt(row, "stuckRect", 2),
                     numberAt(row, "stuckRect", 3)});
  }
  return rects;
}

TEST(ProjectilePictures, EveryBulletRowIsDrawnAtItsRectanglesClearOfTheParticles) {
  const Canvas* debris = arttest::madePicture("debris.png");
  ASSERT_NE(debris, nullptr);
  const rapidjson::Document& table = arttest::contentTable("bullets");
  ASSERT_TRUE(table.IsArray());
  int drawn = 0;
  for (rapidjson::SizeType i = 0; i < table.Size(); ++i) {
    for (const PixelRect& r : rectanglesOf(table[i])) {
      ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.right() <= debris->width() && r.bottom() <= debris->height()) << "row " << i;
      EXPECT_FALSE(r.x < kDebrisParticleAreaWidth && r.y < kDebrisParticleAreaHeight) << "row " << i << " lies over the particles";
      EXPECT_TRUE(debris->anyOpaque(r)) << "row " << i << " shows nothing in flight";
      ++drawn;
    }
  }
  EXPECT_GT(drawn, 60);
}

// The float is red over white, so that it shows on the water.
TEST(ProjectilePictures, TheBobberIsRedOverWhite) {
  const Canvas* debris = arttest::madePicture("debris.png");
  ASSERT_NE(debris, nullptr);
  const rapidjson::Document& table = arttest::contentTable("bullets");
  ASSERT_TRUE(table.IsArray());
  int bobberRows = 0;
  for (rapidjson::SizeType i = 0; i < table.Size(); ++i) {
    if (!table[i].IsObject() || !table[i].HasMember("bobber")) continue;
    ++bobberRows;
    const PixelRect r = rectanglesOf(table[i]).at(0);
    const Colour top = debris->at(r.x + r.w / 2, r.y + r.h / 2 - 1);
    const Colour bottom = debris->at(r.x + r.w / 2, r.y + r.h / 2 + 1);
    EXPECT_GT(red(top), green(top) + 60) << "row " << i;
    EXPECT_GT(std::min({red(bottom), green(bottom), blue(bottom)}), 180) << "row " << i;
  }
  EXPECT_EQ(bobberRows, 1);
}

// A content folder beside the repository's, with its own bullet table.
class OwnBulletTable : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(arttest::repositorySources().content)) {
      if (entry.path().filename() != "bullets.json") fs::copy_file(entry.path(), folder_.path() / entry.path().filename());
    }
  }

  bool draw(const std::string& bullets, std::string& error) {
    folder_.write("bullets.json", bullets);
    const SourceFolders repository = arttest::repositorySources();
    ArtSources sources({folder_.path().string(), repository.art, repository.language});
    Canvas atlas(kDebrisAtlasWidth, kDebrisAtlasHeight), sheet;
    return drawProjectiles(sources, atlas, sheet, error);
  }

  testsupport::TempDir folder_;
};

TEST_F(OwnBulletTable, ARowOverTheParticlesOrOutsideTheAtlasIsRefusedByNumber) {
  std::string error;
  EXPECT_TRUE(draw(R"([{}, {"spritePosition": [0, 200], "size": [8, 8]}])", error)) << error;
  EXPECT_FALSE(draw(R"([{}, {"spritePosition": [32, 0], "size": [8, 8]}])", error));
  EXPECT_NE(error.find("row 1"), std::string::npos) << error;
  EXPECT_FALSE(draw(R"([{}, {}, {"spritePosition": [508, 300], "size": [8, 8]}])", error));
  EXPECT_NE(error.find("row 2"), std::string::npos) << error;
  EXPECT_FALSE(draw(R"([{}, {"spritePosition": [0, 300], "size": [8, 8], "stick": 1, "stuckRect": [0, 10, 8, 8]}])", error));
  EXPECT_FALSE(draw("not json", error));
}

}  // namespace
}  // namespace artmaker
