#include "content/items/block_filter.h"

#include <array>
#include <vector>

#include "content/format/content_format.h"

namespace {

struct FilterRow {
  uint64_t groups;
  uint64_t categories;
  std::vector<uint16_t> ids;
};

// groups (bits 48 up, shifted down), categories (bits 0-5), the blocks that carry both
const std::vector<FilterRow>& filterRows() {
  static const std::vector<FilterRow> rows = {
    {0, 0x08, {266, 270, 281, 1423, 1440, 1472, 1936, 1968, 2029}},
    {0, 0x14, {3290, 3322, 3354}},
    {0, 0x40, {1088, 1120, 1325, 1415}},
    {0x001, 0x01, {1248, 1280, 1312}},
    {0x001, 0x02, {1568, 1600, 1632}},
    {0x001, 0x04, {263, 283, 1152, 1184, 1216}},
    {0x001, 0x10, {845, 847, 1344, 1376, 1408, 1531, 1563, 1595, 1664}},
    {0x002, 0x01, {1933, 1965, 1997}},
    {0x002, 0x04, {1836, 1868, 1900}},
    {0x002, 0x10, {1808, 2034}},
    {0x002, 0x20, {272}},
    {0x004, 0x01, {480, 512, 544}},
    {0x004, 0x04, {672, 704, 736}},
    {0x008, 0x01, {864, 896, 928}},
    {0x008, 0x10, {992, 1024, 1056}},
    {0x008, 0x20, {960}},
    {0x00A, 0x10, {1888}},
    {0x00C, 0x04, {768, 800, 832}},
    {0x010, 0x01, {1580, 1612, 1644}},
    {0x010, 0x04, {1486, 1518, 1550, 1728}},
    {0x010, 0x10, {1484, 1489, 1516, 1548}},
    {0x010, 0x20, {1647}},
    {0x020, 0x10, {1385}},
    {0x020, 0x14, {1243, 1275, 1307}},
    {0x020, 0x23, {1339, 1371, 1403}},
    {0x040, 0x14, {1083, 1115, 1147, 3258}},
    {0x040, 0x23, {1397, 1429, 1461}},
    {0x044, 0x10, {576, 608, 640}},
    {0x080, 0x02, {1239, 1271, 1367}},
    {0x080, 0x08, {1150, 1181}},
    {0x080, 0x10, {1598}},
    {0x080, 0x20, {1788}},
    {0x080, 0x23, {1852, 1884, 1916}},
    {0x100, 0x10, {2624, 2656, 2688}},
    {0x100, 0x14, {2528, 2560, 2592}},
    {0x100, 0x20, {2720}},
    {0x100, 0x23, {3584, 3616, 3648}},
    {0x200, 0x14, {3133, 3165, 3197, 3936, 3968, 4000}},
    {0x200, 0x23, {3229, 3261, 3293}},
    {0x400, 0x14, {2522, 2525, 2845}},
    {0x400, 0x23, {1356, 1388, 1420, 3161, 3163, 3193, 3195}},
    {0x800, 0x14, {2557, 2589, 2621, 3517, 3549, 3581}},
    {0x800, 0x23, {3613, 3645, 3677}},
  };
  return rows;
}

// The mask of every block id; 0 for blocks in no category.
const std::array<uint64_t, content::kBlockIdLimit>& blockMasks() {
  static const std::array<uint64_t, content::kBlockIdLimit> masks = [] {
    std::array<uint64_t, content::kBlockIdLimit> table{};
    for (const FilterRow& row : filterRows()) {
      for (uint16_t id : row.ids) table[id] = categoryFilter(row.groups, row.categories);
    }
    return table;
  }();
  return masks;
}

constexpr uint64_t ALL_GROUPS = 0xFFFFull << FILTER_GROUP_SHIFT;

}  // namespace

bool itemMatchesFilter(uint16_t id, uint64_t filter) {
  if (filter & FILTER_ANY_BLOCK) return id != 0;
  if (filter & FILTER_ALMOST_ANY) return id != 103 && id != 106 && id != 144;
  if (filter == 0) return false;
  if (filter & FILTER_EXACT) return id != 0 && (filter & ~FILTER_EXACT) == id;
  if (filter & FILTER_SPECIAL) {
    return id == 1504 && (filter & (1ull << 16)) != 0 && (filter & (1ull << 48)) != 0;
  }
  if (id >= content::kBlockIdLimit) return false;
  const uint64_t mask = blockMasks()[id];
  if (mask == 0) return false;
  const uint64_t allowed = (filter & ALL_GROUPS) == 0 ? filter | ALL_GROUPS : filter;
  return (mask & allowed) == mask;
}
