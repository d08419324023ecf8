// treasures.png: the icon of every item of the content set, drawn by its kind and name (tools by
// material, potions by their liquid's colour, food, gems, ores, seeds, creatures, clothes, and block
// items as small tiles of their material), at every place item_atlas_layout.h gives it.

#include <algorithm>
#include <vector>

#include "content/art/item_atlas_layout.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/item_looks.h"

namespace artmaker {
namespace {

void placeIcon(Canvas& atlas, const Canvas& icon, const engine::Rect& r) {
  atlas.blit(icon, int(r.origin.x), int(r.origin.y));
}

// The sheet shows every icon at twice its size, grouped by kind.
Canvas iconSheet(const std::vector<std::pair<const ItemEntry*, Canvas>>& icons) {
  constexpr int kColumns = 56, kPitch = 2 * art::kItemIconSize + 4;
  const int rows = int(icons.size() + kColumns - 1) / kColumns;
  Canvas sheet(kColumns * kPitch, std::max(rows, 1) * kPitch);
  for (size_t i = 0; i < icons.size(); ++i) {
    sheet.blit(icons[i].second.scaled(2), int(i % kColumns) * kPitch + 2, int(i / kColumns) * kPitch + 2, true);
  }
  return sheet;
}

}  // namespace

void makeTreasuresAtlas(const ArtSources& sources, AtlasOutput& out) {
  std::string error;
  const std::optional<ItemLooks> looks = ItemLooks::load(sources, error);
  if (!looks) {
    out.fail(error);
    return;
  }
  Canvas atlas(art::kItemAtlasSize, art::kItemAtlasSize);
  std::vector<std::pair<const ItemEntry*, Canvas>> icons;
  for (const auto& [id, item] : looks->items()) {
    Canvas icon = looks->draw(item, art::kItemIconSize);
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
  out.addPicture("treasures.png", std::move(atlas));
}

}  // namespace artmaker
