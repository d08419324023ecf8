#include "saves/character/item_converter.h"

#include <algorithm>
#include <array>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "engine/base/random.h"

namespace {

struct RetiredGroup {
  std::array<uint16_t, 28> retired;
  std::array<uint16_t, 5> replacements;
};

// Searched in this order: an id in several groups takes the first.
constexpr std::array<RetiredGroup, 3> kRetiredGroups = {{
    {{61,   62,   317,  318,  573,  574,  829,  830,  1085, 1086, 1341, 1342, 1597, 1598,
      1853, 1854, 2109, 2110, 2365, 2366, 2621, 2622, 2877, 2878, 3133, 3134, 3389, 3390},
     {1079, 55, 311, 567, 823}},
    {{58,   59,   314,  315,  570,  571,  826,  827,  1082, 1083, 1338, 1339, 1594, 1595,
      1850, 1851, 2106, 2107, 2362, 2363, 2618, 2619, 2874, 2875, 3130, 3131, 3386, 3387},
     {2359, 1335, 1591, 1847, 2103}},
    {{55,   56,   311,  312,  567,  568,  823,  824,  1079, 1080, 1335, 1336, 1591, 1592,
      1847, 1848, 2103, 2104, 2359, 2360, 2615, 2616, 2871, 2872, 3127, 3128, 3383, 3384},
     {56, 2615, 2871, 3127, 3383}},
}};

}  // namespace

ItemPtr copyDiskItem(const DiskItem& stored) {
  const Item item(stored.id, static_cast<int8_t>(stored.variant), stored.count,
                  static_cast<int16_t>(stored.durability), stored.word);
  return copyLoadedItem(item);
}

ItemPtr replaceRetiredItem(const DiskItem& stored) {
  ItemPtr item = copyDiskItem(stored);
  if (item == nullptr) return nullptr;
  for (const RetiredGroup& group : kRetiredGroups) {
    if (std::find(group.retired.begin(), group.retired.end(), item->id) == group.retired.end()) {
      continue;
    }
    item->id = group.replacements[static_cast<size_t>(engine::randomNext()) % 5];
    const ItemDef* def = itemDefinitionById(item->id);
    const int variants = def != nullptr ? def->record.variantCount() : 0;
    item->variant = variants < 2 ? 0 : static_cast<uint8_t>(engine::randomNext() % variants);
    break;
  }
  return item;
}

ItemConverter itemConverterForBuild(uint32_t build) {
  return build == kRetiredItemsBuild ? &replaceRetiredItem : &copyDiskItem;
}
