// tools.png: the held pictures of the swing items at the rectangles their swing records name
// (32x32 each). Each is the item's icon shape drawn again at 16 px and doubled, so the handle's grip
// sits where the record's anchor (its box over its picture) points and its pixels match the world's.

#include <rapidjson/document.h>

#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/item_looks.h"

namespace artmaker {

inline constexpr int kToolAtlasWidth = 512;
inline constexpr int kToolAtlasHeight = 2048;
// Atlas pixels per art pixel in the world: blocks are drawn at half their cell's size.
inline constexpr int kWorldPixel = 2;

void makeToolsAtlas(const ArtSources& sources, AtlasOutput& out) {
  std::string error;
  const std::optional<ItemLooks> looks = ItemLooks::load(sources, error);
  const rapidjson::Document* specs = sources.content("swing_specs");
  if (!looks || specs == nullptr || !specs->IsArray()) {
    out.fail(looks ? "swing_specs: " + sources.lastError() : error);
    return;
  }
  Canvas atlas(kToolAtlasWidth, kToolAtlasHeight);
  std::vector<Canvas> shown;
  for (const auto& spec : specs->GetArray()) {
    if (!spec.IsObject() || !spec.HasMember("item") || !spec.HasMember("spriteRect") || !spec["spriteRect"].IsArray() ||
        spec["spriteRect"].Size() != 4) {
      out.fail("swing_specs: a row without an item or a picture rectangle");
      continue;
    }
    const int id = spec["item"].GetInt();
    const auto& r = spec["spriteRect"];
    const int x = r[0].GetInt(), y = r[1].GetInt(), w = r[2].GetInt(), h = r[3].GetInt();
    const auto item = looks->items().find(uint16_t(id));
    if (item == looks->items().end() || x < 0 || y < 0 || x + w > kToolAtlasWidth || y + h > kToolAtlasHeight) {
      out.fail("swing item " + std::to_string(id) + " is unknown or its picture leaves the atlas");
      continue;
    }
    // Drawn at half the size and doubled, so a held tool's pixels are as big as a block's.
    Canvas picture = looks->draw(item->second, std::min(w, h) / kWorldPixel).scaled(kWorldPixel);
    atlas.blit(picture, x, y);
    shown.push_back(std::move(picture));
  }
  constexpr int kPitch = 36, kColumns = 26;
  Canvas sheet(kColumns * kPitch, int((shown.size() + kColumns - 1) / kColumns) * kPitch);
  for (size_t i = 0; i < shown.size(); ++i) sheet.blit(shown[i], int(i % kColumns) * kPitch + 2, int(i / kColumns) * kPitch + 2, true);
  out.addSheetSection("Held tools (" + std::to_string(shown.size()) + ")", std::move(sheet));
  out.addPicture("tools.png", std::move(atlas));
}

}  // namespace artmaker
