// tools.png: the held pictures of the swing items at the rectangles their swing records name
// (32x32 each). Each is the item's icon shape drawn again at 16 px and doubled, so the handle's grip
// sits where the record's anchor (its box over its picture) points and its pixels match the world's.
// Beside each lies the same 16-px shape turned an eighth of a turn about the grip and doubled
// (content/art/tool_atlas_layout.h).

#include <rapidjson/document.h>

#include "content/art/tool_atlas_layout.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/item_looks.h"
#include "tools/art_maker/turned_picture.h"

namespace artmaker {

// Atlas pixels per art pixel in the world: blocks are drawn at half their cell's size.
inline constexpr int kWorldPixel = 2;

namespace {

// The grip in the art's pixels from the top-left corner of a picture drawn at `size`: the record's
// anchor, its hold box over its picture, measured from the bottom-left.
void gripOf(const rapidjson::Value& spec, int size, float& x, float& y) {
  const auto& r = spec["spriteRect"];
  x = 0.5f * static_cast<float>(size);
  y = x;
  if (!spec.HasMember("box") || !spec["box"].IsArray() || spec["box"].Size() != 4) return;
  const auto& box = spec["box"];
  x = box[2].GetFloat() / r[2].GetFloat() * static_cast<float>(size);
  y = static_cast<float>(size) * (1.0f - box[3].GetFloat() / r[3].GetFloat());
}

}  // namespace

void makeToolsAtlas(const ArtSources& sources, AtlasOutput& out) {
  std::string error;
  const std::optional<ItemLooks> looks = ItemLooks::load(sources, error);
  const rapidjson::Document* specs = sources.content("swing_specs");
  if (!looks || specs == nullptr || !specs->IsArray()) {
    out.fail(looks ? "swing_specs: " + sources.lastError() : error);
    return;
  }
  Canvas atlas(art::kToolAtlasWidth, art::kToolAtlasHeight);
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
    const engine::Rect rect{float(x), float(y), float(w), float(h)};
    if (item == looks->items().end() || !art::hasTurnedTool(rect)) {
      out.fail("swing item " + std::to_string(id) + " is unknown or its picture leaves the upright pictures");
      continue;
    }
    // Drawn at half the size and doubled, so a held tool's pixels are as big as a block's.
    const int size = std::min(w, h) / kWorldPixel;
    const Canvas art = looks->draw(item->second, size);
    Canvas picture = art.scaled(kWorldPixel);
    atlas.blit(picture, x, y);
    float gripX = 0, gripY = 0;
    gripOf(spec, size, gripX, gripY);
    const engine::Rect turned = art::turnedToolRect(rect);
    atlas.blit(turnedEighth(art, gripX, gripY).scaled(kWorldPixel), int(turned.origin.x), int(turned.origin.y));
    shown.push_back(std::move(picture));
  }
  constexpr int kPitch = 36, kColumns = 26;
  Canvas sheet(kColumns * kPitch, int((shown.size() + kColumns - 1) / kColumns) * kPitch);
  for (size_t i = 0; i < shown.size(); ++i) sheet.blit(shown[i], int(i % kColumns) * kPitch + 2, int(i / kColumns) * kPitch + 2, true);
  out.addSheetSection("Held tools (" + std::to_string(shown.size()) + ")", std::move(sheet));
  out.addPicture("tools.png", std::move(atlas));
}

}  // namespace artmaker
