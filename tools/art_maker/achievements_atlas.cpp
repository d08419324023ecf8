// The achievement icons: one 32x32 medal per achievement (bronze, silver or gold, with a ribbon
// notch and a rim lit from the top left) carrying an emblem drawn with the item shapes in the
// achievement's colour, written to the achievements folder as "<row>.png".

#include <rapidjson/document.h>

#include <cstdlib>

#include "content/art/achievement_icons.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/item_shapes.h"
#include "tools/art_maker/palette.h"
#include "tools/art_maker/region_grid.h"

namespace artmaker {
namespace {

constexpr int kAchievementRows = 109;
constexpr uint32_t kMedals[3] = {0xC07A44, 0xC8CCD8, 0xE8C048};

Canvas medal(const std::string& shape, Colour colour, int tier) {
  constexpr int kSize = art::kAchievementIconSize;
  RegionGrid plate(kSize);
  plate.polygon({9, 0.5f, 7, 0.5f, 5.5f, 5, 8, 4, 10.5f, 5}, 'R');  // the ribbon behind the medal
  plate.disc(8, 8.8f, 6.8f, 'P');
  plate.disc(8, 8.8f, 5.6f, 'I');
  const Ramp medalRamp = makeRamp(opaque(kMedals[tier]), 1.0f);
  const Ramp inner = makeRamp(shade(opaque(kMedals[tier]), -1.6f), 0.7f);
  const Ramp ribbon = makeRamp(opaque(tier == 2 ? 0x3050C8 : tier == 1 ? 0x40A050 : 0xC04040), 0.8f);
  Canvas icon = renderRegions(plate, [&](char r) -> const Ramp* {
    return r == 'P' ? &medalRamp : r == 'I' ? &inner : r == 'R' ? &ribbon : nullptr;
  });
  RegionGrid emblem(18);
  if (!drawItemShape(shape, emblem)) return {};
  const Ramp main = makeRamp(colour, 0.9f), wood = familyRamp(Family::Wood), light = makeRamp(rgba(250, 246, 236), 0.3f);
  const Ramp tint = makeRamp(shade(colour, 0.8f), 0.8f), glass = makeRamp(rgba(200, 232, 244, 220), 0.5f);
  const Ramp dark = makeRamp(rgba(26, 22, 30), 0.3f), leaf = familyRamp(Family::Leaves), rock = familyRamp(Family::Stone);
  const Canvas picture = renderRegions(emblem, [&](char r) -> const Ramp* {
    switch (r) {
      case 'H': return &wood;
      case 'L': case 'D': return &tint;
      case 'S': return &glass;
      case 'G': case 'W': return &light;
      case 'E': return &dark;
      case 'V': return &leaf;
      case 'R': return &rock;
      case 'A': return &inner;
      default: return &main;
    }
  });
  icon.blit(picture, 7, 9, true);
  return icon;
}

}  // namespace

void makeAchievementIcons(const ArtSources& sources, AtlasOutput& out) {
  const rapidjson::Document* recipes = sources.art("achievements");
  if (recipes == nullptr || !recipes->IsObject() || !recipes->HasMember("icons") || !(*recipes)["icons"].IsArray() ||
      (*recipes)["icons"].Size() != kAchievementRows) {
    out.fail("achievements: " + (recipes == nullptr ? sources.lastError() : "there must be 109 icons"));
    return;
  }
  constexpr int kColumns = 28, kPitch = art::kAchievementIconSize + 4;
  Canvas sheet(kColumns * kPitch, (kAchievementRows + kColumns - 1) / kColumns * kPitch);
  int row = 0;
  for (const auto& entry : (*recipes)["icons"].GetArray()) {
    const int number = row++;
    if (!entry.IsArray() || entry.Size() != 3 || !entry[0].IsString() || !entry[1].IsString() || !entry[2].IsInt() ||
        entry[2].GetInt() < 0 || entry[2].GetInt() > 2) {
      out.fail("achievement " + std::to_string(number) + ": not [shape, colour, medal]");
      continue;
    }
    const Colour colour = opaque(uint32_t(std::strtoul(entry[1].GetString(), nullptr, 16)));
    Canvas icon = medal(entry[0].GetString(), colour, entry[2].GetInt());
    if (icon.width() == 0) {
      out.fail("achievement " + std::to_string(number) + ": unknown shape \"" + entry[0].GetString() + "\"");
      continue;
    }
    sheet.blit(icon, number % kColumns * kPitch + 2, number / kColumns * kPitch + 2, true);
    out.addPicture("achievements/" + art::achievementIconFileName(uint16_t(number)), std::move(icon));
  }
  out.addSheetSection("Achievements (109)", sheet.scaled(2));
}

}  // namespace artmaker
