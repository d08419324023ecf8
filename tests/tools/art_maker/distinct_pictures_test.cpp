// Every item has an icon of its own and every mob a picture of its own: two things that are not the
// same thing never look the same in the atlases.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <algorithm>
#include <map>
#include <vector>

#include "content/art/item_atlas_layout.h"
#include "content/art/mob_atlas_layout.h"
#include "tests/tools/art_maker/made_art.h"

namespace artmaker {
namespace {

using arttest::contentTable;

PixelRect toPixels(const engine::Rect& r) {
  return {int(r.origin.x), int(r.origin.y), int(r.size.width), int(r.size.height)};
}

// The groups of ids whose pictures are equal, pixel for pixel.
std::vector<std::vector<int>> sameLooking(const std::map<int, Canvas>& pictures) {
  std::map<std::vector<Colour>, std::vector<int>> byPixels;
  for (const auto& [id, picture] : pictures) {
    std::vector<Colour> key = picture.pixels();
    key.push_back(Colour(picture.width()));
    byPixels[key].push_back(id);
  }
  std::vector<std::vector<int>> groups;
  for (const auto& [pixels, ids] : byPixels) {
    if (ids.size() > 1) groups.push_back(ids);
  }
  return groups;
}

std::string describe(const std::vector<std::vector<int>>& groups) {
  std::string text;
  for (size_t g = 0; g < groups.size() && g < 400; ++g) {
    text += "\n ";
    for (int id : groups[g]) text += " " + std::to_string(id);
  }
  return text;
}

TEST(TreasureAtlas, NoTwoItemsShareAnIcon) {
  const Canvas* treasures = arttest::madePicture("treasures.png");
  ASSERT_NE(treasures, nullptr);
  std::map<int, Canvas> icons;
  for (const auto& row : contentTable("treasures").GetArray()) {
    const int id = row["id"].GetInt();
    icons[id] = treasures->crop(toPixels(art::itemIconRect(uint16_t(id), 0)));
  }
  const auto groups = sameLooking(icons);
  size_t sharing = 0;
  for (const auto& g : groups) sharing += g.size();
  EXPECT_TRUE(groups.empty()) << sharing << " of " << icons.size() << " items share an icon in " << groups.size()
                              << " groups:" << describe(groups);
}

TEST(MobAtlas, NoTwoMobsShareAPicture) {
  const Canvas* mobs = arttest::madePicture("mobs.png");
  ASSERT_NE(mobs, nullptr);
  std::map<int, Canvas> pictures;
  int row = -1;
  for (const auto& mob : contentTable("mobs").GetArray()) {
    ++row;
    if (mob.MemberCount() == 0 || mob["animations"].Empty() || mob["animations"][0]["frames"].Empty()) continue;
    // The mob's first picture is all the parts its first animation names, side by side.
    const auto& parts = mob["animations"][0]["frames"];
    int width = 0, height = 0;
    for (const auto& part : parts.GetArray()) width += part["rect"][2].GetInt(), height = std::max(height, part["rect"][3].GetInt());
    Canvas picture(width, height);
    int x = 0;
    for (const auto& part : parts.GetArray()) {
      const auto& r = part["rect"];
      picture.blit(mobs->crop({r[0].GetInt(), r[1].GetInt(), r[2].GetInt(), r[3].GetInt()}), x, 0);
      x += r[2].GetInt();
    }
    pictures[row] = std::move(picture);
  }
  const auto groups = sameLooking(pictures);
  size_t sharing = 0;
  for (const auto& g : groups) sharing += g.size();
  EXPECT_TRUE(groups.empty()) << sharing << " of " << pictures.size() << " mobs share a picture in " << groups.size()
                              << " groups:" << describe(groups);
}

}  // namespace
}  // namespace artmaker
