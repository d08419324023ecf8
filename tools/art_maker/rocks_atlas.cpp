// rocks.png: every block of the content set at its place by id, with its variants, and the special
// tiles. Each frame's edge pixels are repeated into the cell's 1-px border so filtering never pulls
// in a neighbour.

#include <map>

#include "content/art/block_atlas_layout.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/block_looks.h"
#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/cave_walls.h"
#include "tools/art_maker/special_tiles.h"

namespace artmaker {
namespace {

void extrudeBorder(Canvas& atlas, int x0, int y0) {
  for (int k = -1; k <= kTile; ++k) {
    const int inside = k < 0 ? 0 : k >= kTile ? kTile - 1 : k;
    atlas.set(x0 + k, y0 - 1, atlas.at(x0 + inside, y0));
    atlas.set(x0 + k, y0 + kTile, atlas.at(x0 + inside, y0 + kTile - 1));
    atlas.set(x0 - 1, y0 + k, atlas.at(x0, y0 + inside));
    atlas.set(x0 + kTile, y0 + k, atlas.at(x0 + kTile - 1, y0 + inside));
  }
}

Canvas frameOf(const BlockLook& look, int variant) {
  Canvas frame(kTile, kTile);
  if (isSpecialTile(look.id)) paintSpecialTile(frame, look.id, variant);
  else if (look.id != 0) paintBlock(frame, look, variant);  // block 0 is air
  return frame;
}

// A small made-up landscape from real blocks, to judge how the families sit together: grass and
// soil over rock with ores and moss, a lit cave, a hut of planks with a door and a window.
Canvas sceneSection(const std::vector<BlockLook>& looks, const Canvas& atlas) {
  auto find = [&looks](std::initializer_list<const char*> names, Family family, BlockShape shape) -> const BlockLook* {
    for (const char* name : names) {
      for (const BlockLook& look : looks) {
        if (look.name == name) return &look;
      }
    }
    for (const BlockLook& look : looks) {
      if (look.id != 0 && look.family == family && look.shape == shape && !isSpecialTile(look.id)) return &look;
    }
    return nullptr;
  };
  const BlockLook* soil = find({"Loam", "Dirt"}, Family::Soil, BlockShape::Solid);
  const BlockLook* rock = find({"Stone", "Rough Stone"}, Family::Stone, BlockShape::Solid);
  const BlockLook* ores[] = {find({"Iron Vein Block"}, Family::Ore, BlockShape::Solid),
                             find({"Gold Vein Block"}, Family::Ore, BlockShape::Solid),
                             find({"Sapphire Ore Block"}, Family::Ore, BlockShape::Solid)};
  const BlockLook* planks = find({"Oak Planks", "Pine Planks", "Palm Planks"}, Family::Wood, BlockShape::Solid);
  const BlockLook* door = find({"Wooden Door"}, Family::Wood, BlockShape::Door);
  const BlockLook* window = find({"Wood Window"}, Family::Glass, BlockShape::Window);
  const BlockLook* torch = find({"Torch"}, Family::Wood, BlockShape::Light);
  const BlockLook* flower = find({"Red Flower", "Yellow Flower", "Blue Flower"}, Family::Leaves, BlockShape::Plant);
  const BlockLook* bricks = find({"Bricks", "Red Bricks", "Marble Bricks"}, Family::Brick, BlockShape::Solid);
  const BlockLook* leaves = find({"Oak Leaves", "Leaves"}, Family::Leaves, BlockShape::Solid);
  const BlockLook* shade = find({}, Family::Stone, BlockShape::Solid);
  for (const BlockLook& look : looks) {
    if (look.id == art::kCaveShadeBlock) shade = &look;
  }
  constexpr int kColumns = 24, kRows = 12;
  Canvas scene(kColumns * kTile, kRows * kTile);
  scene.verticalGradient({0, 0, scene.width(), 7 * kTile}, {rgba(70, 130, 210), rgba(170, 215, 240)});
  auto put = [&](const BlockLook* look, int column, int row, int variant = 0) {
    if (!look) return;
    const engine::Rect r = art::blockSpriteRect(look->id, uint8_t(variant % std::max<int>(look->variants, 1)));
    scene.blit(atlas.crop({int(r.origin.x), int(r.origin.y), kTile, kTile}), column * kTile, row * kTile, true);
  };
  for (int column = 0; column < kColumns; ++column) {
    const int surface = 5 + (column / 6) % 2;
    for (int row = surface; row < kRows; ++row) {
      const bool cave = row >= 8 && row <= 10 && column >= 7 && column <= 14;
      if (cave) {
        put(shade, column, row);
        continue;
      }
      const BlockLook* ore = ores[size_t((column * 7 + row * 3) % 3)];
      const bool isOre = row > 7 && (column * 5 + row * 11) % 13 == 0;
      put(row < surface + 2 ? soil : isOre ? ore : rock, column, row, column + row);
    }
    if (column % 5 == 2 && (column < 15 || column > 21)) put(flower, column, surface - 1);
  }
  for (int row = 2; row < 5; ++row) {
    for (int column = 16; column <= 21; ++column) {
      if (row == 2) put(bricks, column, row);
      else if (column == 16 || column == 21) put(planks, column, row);
    }
  }
  put(door, 17, 4);
  put(window, 19, 3);
  put(torch, 20, 4);
  put(torch, 10, 10);
  for (int column = 1; column <= 3; ++column) put(leaves, column, kRows - 1);  // a moss patch at the bottom
  return scene;
}

// One sheet section per family of solid blocks (each shown 2x2 so its tiling shows) and one for
// the objects and the special tiles.
void addSheetSections(const std::vector<BlockLook>& looks, const Canvas& atlas, AtlasOutput& out) {
  constexpr int kPerRow = 16, kCellSize = 2 * kTile + 4;
  out.addSheetSection("a glance at the world", sceneSection(looks, atlas));
  std::map<int, std::vector<const BlockLook*>> byFamily;
  std::vector<const BlockLook*> objects, special;
  for (const BlockLook& look : looks) {
    if (look.id == 0) continue;
    if (isSpecialTile(look.id)) special.push_back(&look);
    else if (look.shape == BlockShape::Solid) byFamily[int(look.family)].push_back(&look);
    else objects.push_back(&look);
  }
  auto crop = [&atlas](const BlockLook& look, int variant) {
    const engine::Rect r = art::blockSpriteRect(look.id, uint8_t(variant));
    return atlas.crop({int(r.origin.x), int(r.origin.y), kTile, kTile});
  };
  for (const auto& [family, members] : byFamily) {
    const int shown = std::min<int>(int(members.size()), kPerRow * 2);
    Canvas section(kPerRow * kCellSize, ((shown + kPerRow - 1) / kPerRow) * kCellSize);
    for (int i = 0; i < shown; ++i) {
      const Canvas frame = crop(*members[size_t(i)], 0);
      for (int t = 0; t < 4; ++t) section.blit(frame, (i % kPerRow) * kCellSize + (t % 2) * kTile, (i / kPerRow) * kCellSize + (t / 2) * kTile);
    }
    out.addSheetSection(std::string(familyName(Family(family))) + " - " + std::to_string(members.size()) + " blocks", section);
  }
  for (const auto& [title, list] : {std::pair{std::string("objects"), &objects}, {std::string("special tiles"), &special}}) {
    std::vector<Canvas> frames;
    for (const BlockLook* look : *list) {
      for (int v = 0; v < look->variants && frames.size() < 96; ++v) frames.push_back(crop(*look, v));
    }
    constexpr int kRow = 32;
    Canvas section(kRow * (kTile + 2) * 2, int((frames.size() + kRow - 1) / kRow) * (kTile + 2) * 2);
    for (size_t i = 0; i < frames.size(); ++i) {
      section.blit(frames[i].scaled(2), int(i % kRow) * (kTile + 2) * 2, int(i / kRow) * (kTile + 2) * 2, true);
    }
    out.addSheetSection(title, section);
  }
}

}  // namespace

void makeRocksAtlas(const ArtSources& sources, AtlasOutput& out) {
  std::vector<BlockLook> looks;
  std::string error;
  if (!readBlockLooks(sources, looks, error)) return out.fail(error);
  Canvas atlas(art::kBlockAtlasSize, art::kBlockAtlasSize);
  for (const BlockLook& look : looks) {
    for (int variant = 0; variant < look.variants; ++variant) {
      const engine::Rect r = art::blockSpriteRect(look.id, uint8_t(variant));
      const int x = int(r.origin.x), y = int(r.origin.y);
      if (x + kTile > art::kBlockAtlasSize || y + kTile > art::kBlockAtlasSize) {
        return out.fail("block " + std::to_string(look.id) + " variant " + std::to_string(variant) + " lies outside the atlas");
      }
      const Canvas frame = frameOf(look, variant);
      if (look.id != 0 && !frame.anyOpaque({0, 0, kTile, kTile})) {
        return out.fail("block " + std::to_string(look.id) + " variant " + std::to_string(variant) + " drew nothing");
      }
      atlas.blit(frame, x, y);
      extrudeBorder(atlas, x, y);
    }
  }
  std::vector<WallFrame> walls;
  if (!drawCaveWalls(sources, looks, walls, error)) return out.fail(error);
  for (const WallFrame& wall : walls) {
    atlas.blit(wall.frame, wall.x, wall.y);
    extrudeBorder(atlas, wall.x, wall.y);
  }
  addSheetSections(looks, atlas, out);
  out.addPicture("rocks.png", std::move(atlas));
}

}  // namespace artmaker
