// No two items and no two mobs look the same or nearly the same: at the game's pixel size a palette
// that differs by a few steps of 255 reads as the same picture, so every pair of pictures must
// differ by a clear distance, not only by a pixel.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "content/art/item_atlas_layout.h"
#include "tests/tools/art_maker/made_art.h"

namespace artmaker {
namespace {

using arttest::contentTable;

// Two pictures are near twins when the mean absolute difference over the four channels (red,
// green, blue, alpha) of the pixels that either picture covers is under 6 steps of 255: a pickaxe
// whose head alone changes colour is judged by its pickaxe, not by the clear frame around it.
// Pictures of different sizes already differ in their outline and are not compared.
constexpr double kNearTwinDistance = 6.0;

struct Picture {
  std::string name;
  int width = 0, height = 0;
  std::vector<std::array<int, 4>> pixels;
  std::array<int, 64> coarse{};  // channel sums over a 4 x 4 grid of the frame, for a quick lower bound
  int covered = 0;               // pixels that are not clear
};

std::array<int, 4> channels(Colour c) { return {red(c), green(c), blue(c), alpha(c)}; }

Picture pictureOf(const std::string& name, const Canvas& canvas) {
  const int frameW = canvas.width(), frameH = canvas.height();
  Picture p{name, frameW, frameH, std::vector<std::array<int, 4>>(size_t(frameW * frameH)), {}};
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const auto c = channels(canvas.at(x, y));
      p.pixels[size_t(y * frameW + x)] = c;
      p.covered += c[3] > 0;
      const int cell = (y * 4 / frameH) * 4 + x * 4 / frameW;
      for (int k = 0; k < 4; ++k) p.coarse[size_t(cell * 4 + k)] += c[size_t(k)];
    }
  }
  return p;
}

double distance(const Picture& a, const Picture& b) {
  long total = 0, covered = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    if (a.pixels[i][3] == 0 && b.pixels[i][3] == 0) continue;
    ++covered;
    for (size_t k = 0; k < 4; ++k) total += std::abs(a.pixels[i][k] - b.pixels[i][k]);
  }
  return covered == 0 ? 0.0 : double(total) / double(covered * 4);
}

// Pictures whose nearest other picture is closer than the threshold, with that picture.
std::vector<std::string> nearTwins(const std::vector<Picture>& pictures) {
  std::vector<std::string> found;
  for (size_t i = 0; i < pictures.size(); ++i) {
    for (size_t j = 0; j < pictures.size(); ++j) {
      const Picture &a = pictures[i], &b = pictures[j];
      if (i == j || a.width != b.width || a.height != b.height) continue;
      // The summed differences of the coarse cells never exceed the sum of the pixels' differences,
      // and no more pixels are covered than the two pictures cover together.
      long coarse = 0;
      for (size_t k = 0; k < a.coarse.size(); ++k) coarse += std::abs(a.coarse[k] - b.coarse[k]);
      if (double(coarse) / double(std::max(1, a.covered + b.covered) * 4) >= kNearTwinDistance) continue;
      const double d = distance(a, b);
      if (d < kNearTwinDistance) {
        found.push_back(a.name + "  ~  " + b.name + "  (" + std::to_string(d) + ")");
        break;
      }
    }
  }
  return found;
}

std::string listOf(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size() && i < 300; ++i) text += "\n  " + lines[i];
  return text;
}

std::map<int, std::string> itemNames() {
  std::map<int, std::string> names;
  static artmaker::ArtSources sources(arttest::repositorySources());
  for (const auto& entry : (*sources.language())["treasures"].GetArray()) {
    if (entry.IsObject() && entry.HasMember("id") && entry.HasMember("name")) {
      names[entry["id"].GetInt()] = entry["name"].GetString();
    }
  }
  return names;
}

TEST(NearTwins, NoTwoItemIconsAreNearTwins) {
  const Canvas* treasures = arttest::madePicture("treasures.png");
  ASSERT_NE(treasures, nullptr);
  std::map<int, std::string> names = itemNames();
  std::vector<Picture> icons;
  for (const auto& row : contentTable("treasures").GetArray()) {
    const int id = row["id"].GetInt();
    const engine::Rect r = art::itemIconRect(uint16_t(id), 0);
    const Canvas icon = treasures->crop({int(r.origin.x), int(r.origin.y), int(r.size.width), int(r.size.height)});
    icons.push_back(pictureOf(std::to_string(id) + " " + names[id], icon));
  }
  ASSERT_GT(icons.size(), 1000u);
  const auto twins = nearTwins(icons);
  EXPECT_TRUE(twins.empty()) << twins.size() << " of " << icons.size() << " items have a near twin:" << listOf(twins);
}

TEST(NearTwins, NoTwoMobsAreNearTwins) {
  const Canvas* mobs = arttest::madePicture("mobs.png");
  ASSERT_NE(mobs, nullptr);
  static artmaker::ArtSources sources(arttest::repositorySources());
  const rapidjson::Value& mobNames = (*sources.language())["mobs"];
  std::vector<Picture> pictures;
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
    const std::string name = size_t(row) < mobNames.Size() && mobNames[row].IsString() ? mobNames[row].GetString() : "";
    pictures.push_back(pictureOf(std::to_string(row) + " " + name, picture));
  }
  ASSERT_GT(pictures.size(), 500u);
  const auto twins = nearTwins(pictures);
  EXPECT_TRUE(twins.empty()) << twins.size() << " of " << pictures.size() << " mobs have a near twin:" << listOf(twins);
}

TEST(NearTwins, TheDistanceSeesAPaletteShiftAndAMovedShape) {
  // The same disc three steps lighter is a twin; a disc of another colour or moved aside is not.
  auto disc = [](int dx, Colour colour) {
    Canvas c(16, 16);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        if ((x - 8 - dx) * (x - 8 - dx) + (y - 8) * (y - 8) < 30) c.set(x, y, colour);
      }
    }
    return pictureOf("disc", c);
  };
  const Picture base = disc(0, rgba(120, 90, 60));
  EXPECT_LT(distance(base, disc(0, rgba(123, 93, 63))), kNearTwinDistance);
  EXPECT_GT(distance(base, disc(0, rgba(60, 120, 160))), kNearTwinDistance);
  EXPECT_GT(distance(base, disc(4, rgba(120, 90, 60))), kNearTwinDistance);
}

}  // namespace
}  // namespace artmaker
