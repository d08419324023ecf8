#include "tools/art_maker/cave_walls.h"

#include <map>

#include "content/art/block_atlas_layout.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/generated_blocks.h"

namespace artmaker {
namespace {

constexpr int kWallCells = art::kCaveWallPlanets * art::kCaveWallBands;

bool fallsOnWalls(const BlockLook& look) {
  const bool rightHalf = look.id >= 2048, wallsRight = art::kCaveWallFirstCell >= 2048;
  if (rightHalf != wallsRight) return false;
  const int first = look.id, last = look.id + std::max<int>(look.variants, 1) - 1;
  return last >= art::kCaveWallFirstCell && first < art::kCaveWallFirstCell + kWallCells;
}

// The planet's ground at a band: its terrain blocks (air left out) in order, a third each.
const BlockLook* groundAt(const PlanetDef& planet, int band, const std::map<uint16_t, const BlockLook*>& byId) {
  std::vector<const BlockLook*> ground;
  for (const TerrainBlock& t : planet.terrainBlocks) {
    auto found = byId.find(t.block);
    if (t.block != 0 && found != byId.end()) ground.push_back(found->second);
  }
  if (ground.empty()) return nullptr;
  const size_t at = std::min(ground.size() - 1, ground.size() * size_t(band + 1) / art::kCaveWallBands - (band + 1 < art::kCaveWallBands ? 1 : 0));
  return ground[at];
}

// The wall is the ground behind, a little cooler and darker than the ground in front so the two do
// not merge; the view lights it as the back layer (a third of the sky, all of a torch), so it needs
// no darkness of its own to read as behind by day, and a torch shows it as lit as the rock.
void paintWall(Canvas& frame, const BlockLook* ground, uint32_t seed) {
  const Colour shadow = rgba(46, 42, 56);
  const Family family = ground ? ground->family : Family::Stone;
  const Colour base = ground ? mix(shade(ground->base, -0.6f), shadow, 0.1f) : shadow;
  const Ramp ramp = makeRamp(base, 0.45f);
  paintMaterial(frame, family == Family::Ore ? Family::Stone : family, ramp, ramp[3], seed);
}

}  // namespace

bool drawCaveWalls(const ArtSources& sources, const std::vector<BlockLook>& looks, std::vector<WallFrame>& out,
                   std::string& error) {
  std::map<uint16_t, const BlockLook*> byId;
  for (const BlockLook& look : looks) {
    if (fallsOnWalls(look)) return error = "block " + std::to_string(look.id) + " falls on the cave walls' cells", false;
    byId[look.id] = &look;
  }
  PlanetList planets;
  if (!readPlanetList(sources, planets, error)) return false;
  for (const auto& planet : planets) {
    for (int band = 0; band < art::kCaveWallBands; ++band) {
      Canvas frame(kTile, kTile);
      paintWall(frame, groundAt(*planet, band, byId), artSeed("cave-wall", planet->id, uint32_t(band)));
      const engine::Rect r = art::caveWallSpriteRect(planet->id, band);
      out.push_back({int(r.origin.x), int(r.origin.y), std::move(frame)});
    }
  }
  return true;
}

}  // namespace artmaker
