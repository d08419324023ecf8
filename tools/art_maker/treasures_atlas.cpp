// treasures.png: the icon of every item of the content set, drawn by its kind and name (tools by
// material, potions by their liquid's colour, food, gems, ores, seeds, creatures, clothes, and block
// items as small tiles of their material), at every place item_atlas_layout.h gives it; then the
// spawn egg of every mob in the mob's colours.

#include <algorithm>
#include <map>
#include <vector>

#include "content/art/item_atlas_layout.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/block_looks.h"
#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/item_looks.h"
#include "tools/art_maker/spawn_eggs.h"

namespace artmaker {
namespace {

void placeIcon(Canvas& atlas, const Canvas& icon, const engine::Rect& r) {
  atlas.blit(icon, int(r.origin.x), int(r.origin.y));
}

// A block item shows a window into the block it places: the middle of its world frame, so the
// icon and the block share their material exactly, inside a dark rim.
Canvas blockItemIcon(const BlockLook& block) {
  Canvas frame(kTile, kTile);
  paintBlock(frame, block, 0);
  const int inner = art::kItemIconSize - 2;
  Canvas icon(art::kItemIconSize, art::kItemIconSize);
  icon.blit(frame.crop({(kTile - inner) / 2, (kTile - inner) / 2, inner, inner}), 1, 1);
  const Ramp ramp = familyRamp(block.family, block.base);
  icon.strokeRect({0, 0, art::kItemIconSize, art::kItemIconSize}, mix(ramp[0], rgba(10, 8, 20), 0.3f));
  return icon;
}

// The sheet shows every icon at twice its size, in the order given.
Canvas doubledSheet(const std::vector<const Canvas*>& icons) {
  constexpr int kColumns = 56, kPitch = 2 * art::kItemIconSize + 4;
  const int rows = int(icons.size() + kColumns - 1) / kColumns;
  Canvas sheet(kColumns * kPitch, std::max(rows, 1) * kPitch);
  for (size_t i = 0; i < icons.size(); ++i) {
    sheet.blit(icons[i]->scaled(2), int(i % kColumns) * kPitch + 2, int(i / kColumns) * kPitch + 2, true);
  }
  return sheet;
}

std::vector<const Canvas*> eggPictures(const std::vector<Canvas>& eggs) {
  std::vector<const Canvas*> shown;
  for (const Canvas& egg : eggs) shown.push_back(&egg);
  return shown;
}

// The items' icons, grouped by kind.
Canvas iconSheet(const std::vector<std::pair<const ItemEntry*, Canvas>>& icons) {
  std::vector<const Canvas*> shown;
  for (const auto& icon : icons) shown.push_back(&icon.second);
  return doubledSheet(shown);
}

}  // namespace

void makeTreasuresAtlas(const ArtSources& sources, AtlasOutput& out) {
  std::string error;
  const std::optional<ItemLooks> looks = ItemLooks::load(sources, error);
  if (!looks) {
    out.fail(error);
    return;
  }
  std::vector<BlockLook> blocks;
  if (!readBlockLooks(sources, blocks, error)) {
    out.fail(error);
    return;
  }
  std::map<uint16_t, const BlockLook*> blockById;
  for (const BlockLook& block : blocks) blockById[block.id] = &block;
  Canvas atlas(art::kItemAtlasSize, art::kItemAtlasHeight);
  std::vector<std::pair<const ItemEntry*, Canvas>> icons;
  for (const auto& [id, item] : looks->items()) {
    const auto placed = blockById.find(item.placesBlock);
    const bool tile = placed != blockById.end() && placed->second->shape == BlockShape::Solid &&
                      looks->lookOf(item).shape == "block";
    Canvas icon = tile ? blockItemIcon(*placed->second) : looks->draw(item, art::kItemIconSize);
    if (!icon.anyOpaque({0, 0, icon.width(), icon.height()})) {
      out.fail("item " + std::to_string(id) + " (" + item.name + ") draws nothing");
      continue;
    }
    for (int variant = 0; variant < art::kItemIconVariants; ++variant) {
      placeIcon(atlas, icon, art::itemIconRect(id, uint8_t(variant)));
    }
    icons.emplace_back(&item, std::move(icon));
  }
  std::stable_sort(icons.begin(), icons.end(), [](const auto& a, const auto& b) { return a.first->kind < b.first->kind; });
  out.addSheetSection("Items (" + std::to_string(icons.size()) + ", by kind)", iconSheet(icons));
  std::vector<Canvas> eggs;
  if (!drawSpawnEggs(sources, atlas, eggs, error)) {
    out.fail(error);
    return;
  }
  out.addSheetSection("Spawn eggs (" + std::to_string(eggs.size()) + ", by mob)", doubledSheet(eggPictures(eggs)));
  out.addPicture("treasures.png", std::move(atlas));
}

}  // namespace artmaker
