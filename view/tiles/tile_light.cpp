#include "view/tiles/tile_light.h"

#include <algorithm>
#include <cstdlib>

#include "view/tiles/ground_daylight.h"
#include "view/tiles/light_hue.h"
#include "view/tiles/seeping_memo.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace tile_light {

namespace {

constexpr float kCellPixels = 30.0f;


// A cell's light apart: the sky's level and the block light of each channel, levels 0-15; whether
// its face sits a step behind the open air (solid and not a light itself).
struct Lights {
  int sky = 0;
  int backSky = 0;  // the sky on the wall behind: an open cell's own, or the daylight seeping to it
  int darkness = 0;  // the world's, 0-15, already taken from both skies
  std::array<int, 3> block{};
  light_hue::Levels hue{};  // of the block light at its source (light_hue.h)
  bool recessed = false;
};

Lights lightsOf(const BlockPropsTable& props, const MapBlock& cell, uint32_t darkness) {
  Lights l;
  l.darkness = static_cast<int>(std::min<uint32_t>(darkness, 15));
  l.sky = std::max(0, static_cast<int>(cell.skyLevel()) - l.darkness);
  l.backSky = l.sky;
  const uint16_t light = cell.lightColour();
  for (int c = 0; c < 3; ++c) l.block[static_cast<size_t>(c)] = (light >> (4 * c)) & 15;
  l.hue = light_hue::raised(l.block);
  l.recessed = cell.shutsOutLight(props) && !cell.hasFlag(cell_flag::kEmitsLight);
  return l;
}

// As `lightsOf`, with the daylight drawn into solid ground (ground_daylight.h) on a recessed face
// and on the wall behind an open cell. Without a memo, sky levels above `enough` may come out as any
// level from `enough` up: a caller that reads no more than that spares the search. A memo's levels
// are whole, found once a cell for the pass.
Lights lightsIn(const WorldMap& map, const MapBlock& cell, uint32_t darkness, int enough = 15,
                SeepingMemo* memo = nullptr) {
  Lights l = lightsOf(map.props(), cell, darkness);
  if (cell.lightColour() != 0 && (memo == nullptr || !memo->findHue(cell, l.hue))) {
    l.hue = light_hue::sourceHue(map, static_cast<int32_t>(cell.x), static_cast<int32_t>(cell.y));
    if (memo != nullptr) memo->keepHue(cell, l.hue);
  }
  // A solid face shows the daylight seeping into the ground; so does the wall behind a cave or a
  // tunnel in that ground, whose open air the light map leaves dark: it is lit as the rock around
  // it is (at the back's share), not a black hole in lit rock.
  if (l.sky < 15) {
    // At least the cell's own sky, which lets the search stop early.
    int seeping = memo != nullptr ? memo->find(cell) : -1;
    if (seeping < 0) {
      seeping = ground_daylight::seepingSky(map, cell.x, cell.y, darkness, l.sky, memo != nullptr ? 15 : enough);
      if (memo != nullptr) memo->keep(cell, seeping);
    }
    if (l.recessed) l.sky = seeping;
    l.backSky = seeping;
  }
  return l;
}

// The block light a cell gives to what is drawn: a step less on a recessed face.
int blockPart(const Lights& l, size_t channel, bool recessed) {
  return std::max(0, l.block[channel] - (recessed ? kSolidFaceStep : 0));
}

// The drawn shade of each block-light channel: the brightest channel's shade in the hue of the
// light's source (light_hue.h), so a fading light darkens without changing colour. A channel the
// levels still hold but the source's hue lacks (another light's, mixed in) keeps its part.
std::array<int, 3> blockShades(const std::array<int, 3>& block, const light_hue::Levels& hue) {
  const int brightest = std::clamp(std::max({block[0], block[1], block[2]}), 0, 15);
  const light_hue::Levels own = light_hue::raised(block);
  std::array<int, 3> out{};
  for (size_t c = 0; c < 3; ++c) out[c] = shadeOf(brightest) * shadeOf(std::max(hue[c], own[c])) / 255;
  return out;
}

engine::Color3B frontColour(int sky, const std::array<int, 3>& block, const light_hue::Levels& hue) {
  const std::array<int, 3> lit = blockShades(block, hue);
  auto channel = [&](size_t c) { return static_cast<uint8_t>(std::max<int>(shadeOf(sky), lit[c])); };
  return {channel(0), channel(1), channel(2)};
}

// The back takes the whole of the block light, which fills the open cell in front of it, and of the
// sky's light the share `backSkyShade` gives: the sky falls on the faces in front, the wall behind
// stands in their shade. One share wherever the wall is, so the back of a shaft dug into a sunlit
// hill reads as a wall set well back from the ground beside it, and a room dug off the shaft, where
// the light map carries the daylight in, shows its wall in that light rather than as a black hole.
engine::Color3B backColour(int sky, int darkness, const std::array<int, 3>& block, const light_hue::Levels& hue) {
  const int skyPart = backSkyShade(sky, darkness);
  const std::array<int, 3> lit = blockShades(block, hue);
  auto channel = [&](size_t c) { return static_cast<uint8_t>(std::max(skyPart, lit[c])); };
  return {channel(0), channel(1), channel(2)};
}

engine::Color4B opaque(engine::Color3B c) { return {c.r, c.g, c.b, 255}; }

}  // namespace

uint8_t shadeOf(int level) {
  // Near the square root of the light's share, as the eye reads brightness, so each level down is
  // a visible step and ground a few cells from open air in daylight still reads lit; the last three
  // levels fall to black in even steps, so the edge of the dark is a cell or two of dimming ground
  // rather than lit ground ending at black.
  static constexpr std::array<uint8_t, 16> kShades = {0,   38,  76,  110, 132, 147, 161, 174,
                                                      186, 198, 208, 218, 228, 237, 246, 255};
  return kShades[static_cast<size_t>(std::clamp(level, 0, 15))];
}

int backShade(int shade) { return shade * kBackShareTimes20 / 20; }

int backSkyShade(int sky, int darkness) {
  if (sky <= 0) return 0;
  const int level = std::min(sky + std::max(0, darkness), 15);
  return backShade(shadeOf(level)) * std::min(sky, level) / level;
}

namespace {

// A corner's colour: `kCornerShare` of the way from the cell's flat colour to the colour its
// brightest neighbour lends it, so most of a step in light stays at the edge between two cells
// instead of spreading across the darker one, which at the edge of the dark read as a smear.
engine::Color3B towards(engine::Color3B own, engine::Color3B lent) {
  auto channel = [](uint8_t from, uint8_t to) {
    return static_cast<uint8_t>(from + (to - from) * kCornerShareTimes3 / 3);
  };
  return {channel(own.r, lent.r), channel(own.g, lent.g), channel(own.b, lent.b)};
}

LayerColours coloursOf(const Lights& l) {
  std::array<int, 3> block{};
  for (size_t c = 0; c < 3; ++c) block[c] = blockPart(l, c, l.recessed);
  return {frontColour(l.sky, block, l.hue), backColour(l.backSky, l.darkness, block, l.hue)};
}

}  // namespace

LayerColours flatColours(const BlockPropsTable& props, const MapBlock& cell, uint32_t darkness) {
  return coloursOf(lightsOf(props, cell, darkness));
}

LayerColours flatColours(const WorldMap& map, const MapBlock& cell, uint32_t darkness) {
  return coloursOf(lightsIn(map, cell, darkness));
}

engine::Color3B airColour(const WorldMap& map, const MapBlock& cell, uint32_t darkness) {
  Lights l = lightsOf(map.props(), cell, darkness);
  if (cell.lightColour() != 0) l.hue = light_hue::sourceHue(map, static_cast<int32_t>(cell.x), static_cast<int32_t>(cell.y));
  return frontColour(l.sky, l.block, l.hue);
}

LayerCorners cornerColours(const WorldMap& map, const MapBlock& cell, uint32_t darkness, engine::Color3B& cellColour,
                           SeepingMemo* memo) {
  // near[dy + 1][dx + 1], y growing upward; missing cells stay dark.
  // A neighbour's sky counts up to `kCornerReach` levels above the cell's own: its search for
  // seeping daylight stops there.
  std::array<std::array<Lights, 3>, 3> near{};
  near[1][1] = lightsIn(map, cell, darkness, 15, memo);
  const Lights& own = near[1][1];
  const int enough = std::max(own.sky, own.backSky) + kCornerReach;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const MapBlock* c = map.cellAt(static_cast<int32_t>(cell.x) + dx, static_cast<int32_t>(cell.y) + dy);
      if (c != nullptr && (dx != 0 || dy != 0)) near[dy + 1][dx + 1] = lightsIn(map, *c, darkness, enough, memo);
    }
  }
  const LayerColours flat = coloursOf(own);
  cellColour = flat.front;
  LayerCorners out;
  // Each corner: the brightest of the cell and the three neighbours that share it, but never more
  // than one level above the cell's own, and drawn only `kCornerShare` of the way from the cell's
  // own colour to that: each cell keeps its own step of light, the step falls on the cells' edge,
  // and only the cell's side towards the light softens (`towards`). A recessed face takes all of them a step down; an open cell takes only its
  // recessed neighbours a step down. A cell without block light of its own shows a neighbour's in
  // the hue of that neighbour's source.
  auto corner = [&](int sx, int sy, Corner k) {
    const Lights* sharing[4] = {&own, &near[1][1 + sx], &near[1 + sy][1], &near[1 + sy][1 + sx]};
    int sky = 0, backSky = 0;
    std::array<int, 3> block{};
    light_hue::Levels hue = own.hue;
    for (const Lights* l : sharing) {
      sky = std::max(sky, l->sky);
      backSky = std::max(backSky, l->backSky);
      if (hue == light_hue::Levels{}) hue = l->hue;
      for (size_t c = 0; c < 3; ++c) block[c] = std::max(block[c], blockPart(*l, c, own.recessed || l->recessed));
    }
    sky = std::min(sky, own.sky + kCornerReach);
    backSky = std::min(backSky, own.backSky + kCornerReach);
    for (size_t c = 0; c < 3; ++c) block[c] = std::min(block[c], blockPart(own, c, own.recessed) + kCornerReach);
    out.front[k] = opaque(towards(flat.front, frontColour(sky, block, hue)));
    out.back[k] = opaque(towards(flat.back, backColour(backSky, own.darkness, block, hue)));
  };
  corner(-1, 1, kTopLeft);
  corner(1, 1, kTopRight);
  corner(-1, -1, kBottomLeft);
  corner(1, -1, kBottomRight);
  return out;
}

const std::array<uint8_t, 4>& cornerForVertex(uint8_t orientation) {
  static constexpr std::array<std::array<uint8_t, 4>, 8> kTable{{
      {0, 1, 2, 3}, {1, 3, 0, 2}, {2, 3, 0, 1}, {0, 2, 1, 3}, {1, 0, 3, 2}, {3, 1, 2, 0}, {3, 2, 1, 0}, {2, 0, 3, 1}}};
  return kTable[orientation & 7];
}

bool splitsAlongFallingDiagonal(engine::Color4B topLeft, engine::Color4B topRight, engine::Color4B bottomLeft,
                                engine::Color4B bottomRight) {
  auto apart = [](engine::Color4B a, engine::Color4B b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
  };
  return apart(topLeft, bottomRight) < apart(topRight, bottomLeft);
}

engine::Color3B paintTimesLight(engine::Color3B light, engine::Color3B paint) {
  auto channel = [](uint8_t l, uint8_t p) {
    return static_cast<uint8_t>(static_cast<float>(l) / 255.0f * static_cast<float>(p));
  };
  return {channel(light.r, paint.r), channel(light.g, paint.g), channel(light.b, paint.b)};
}

float seamPlacedX(float x, int visibleColumns, int worldWidth, int playerColumn) {
  const float width = static_cast<float>(worldWidth) * kCellPixels;
  if (playerColumn < visibleColumns && x >= static_cast<float>(worldWidth - visibleColumns) * kCellPixels) {
    return x - width;
  }
  if (playerColumn > worldWidth - visibleColumns && x <= static_cast<float>(visibleColumns) * kCellPixels) {
    return x + width;
  }
  return x;
}

}  // namespace tile_light
