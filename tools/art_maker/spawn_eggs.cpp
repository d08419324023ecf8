#include "tools/art_maker/spawn_eggs.h"

#include <utility>

#include "content/art/item_atlas_layout.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/mob_colours.h"
#include "tools/art_maker/region_grid.h"

namespace artmaker {
namespace {

// The egg of the mob: its spots stand where the mob's row puts them, so kin of one colour still differ.
Canvas eggOf(uint16_t row, const MobColours& colours) {
  RegionGrid g(art::kItemIconSize);
  g.ellipse(8, 9, 4.5f, 5.6f, 'M');
  // A band of the belly's colour round the egg's lower half.
  for (int y = 0; y < art::kItemIconSize; ++y) {
    for (int x = 0; x < art::kItemIconSize; ++x) {
      if (g.at(x, y) == 'M' && y >= 11 && y <= 12) g.set(x, y, 'B');
    }
  }
  const float shift = float(row % 3) - 1.0f;
  g.disc(6 + shift, 6.5f, 1.2f, 'S');
  g.disc(10 - shift, 8.5f, 1.1f, 'S');
  g.disc(7.5f + shift, 13.5f, 0.9f, 'S');
  return renderRegions(g, [&colours](char region) -> const Ramp* {
    switch (region) {
      case 'M': return &colours.body;
      case 'B': return &colours.belly;
      case 'S': return &colours.accent;
      default: return nullptr;
    }
  });
}

}  // namespace

bool drawSpawnEggs(const ArtSources& sources, Canvas& atlas, std::vector<Canvas>& eggs, std::string& error) {
  const rapidjson::Document* rows = sources.content("mobs");
  const rapidjson::Document* recipes = sources.art("mobs");
  const rapidjson::Document* language = sources.language();
  if (rows == nullptr || recipes == nullptr || language == nullptr || !rows->IsArray() || !recipes->IsObject() ||
      !recipes->HasMember("colours") || !recipes->HasMember("marks") || !recipes->HasMember("hueWords") ||
      !language->HasMember("mobs") || !(*language)["mobs"].IsArray()) {
    error = "the mob rows, the mob recipes or the mob names cannot be read for the spawn eggs: " + sources.lastError();
    return false;
  }
  const auto& names = (*language)["mobs"];
  int row = 0;
  for (const auto& mob : rows->GetArray()) {
    const int id = row++;
    if (id >= art::kSpawnEggMobCount) break;
    // The rows the mob atlas draws: an empty row is no mob.
    if (!mob.IsObject() || mob.MemberCount() == 0) continue;
    const std::string name = id < int(names.Size()) && names[id].IsString() ? names[id].GetString() : "";
    Canvas egg = eggOf(uint16_t(id), mobColours(uint16_t(id), name, *recipes, 0));
    const engine::Rect place = art::spawnEggIconRect(uint16_t(id));
    atlas.blit(egg, int(place.origin.x), int(place.origin.y));
    eggs.push_back(std::move(egg));
  }
  return true;
}

}  // namespace artmaker
