#include "content/art/debris_rect_lists.h"

namespace {

constexpr DebrisRectList two(DebrisRect a, DebrisRect b) { return {2, {a, b, DebrisRect{}}}; }
constexpr DebrisRectList three(DebrisRect a, DebrisRect b, DebrisRect c) { return {3, {a, b, c}}; }

constexpr std::array<DebrisRectList, kDebrisRectListCount> kLists = {
    two({54, 124, 4, 4}, {59, 124, 3, 3}),
    two({0, 124, 4, 4}, {5, 124, 3, 3}),
    two({45, 124, 4, 4}, {50, 124, 3, 3}),
    two({93, 9, 3, 3}, {94, 10, 2, 2}),
    two({126, 108, 1, 16}, {122, 125, 5, 2}),
    two({124, 108, 1, 16}, {116, 125, 5, 2}),
    three({110, 120, 2, 2}, {110, 123, 2, 2}, {110, 126, 1, 1}),
    two({81, 113, 4, 4}, {82, 122, 3, 3}),
    two({86, 121, 6, 6}, {93, 122, 5, 5}),
    two({9, 124, 4, 4}, {14, 124, 3, 3}),
    two({99, 121, 6, 6}, {106, 124, 3, 3}),
    two({45, 119, 4, 4}, {50, 119, 3, 3}),
    two({27, 124, 4, 4}, {32, 124, 3, 3}),
    two({98, 8, 7, 7}, {106, 8, 5, 5}),
    three({86, 10, 3, 3}, {93, 9, 3, 3}, {93, 9, 3, 3}),
    two({112, 8, 7, 7}, {120, 8, 5, 5}),
    two({106, 114, 5, 5}, {112, 114, 3, 3}),
    two({0, 16, 7, 7}, {8, 16, 5, 5}),
    two({14, 16, 7, 7}, {22, 16, 5, 5}),
    two({28, 16, 7, 7}, {36, 16, 5, 5}),
    two({42, 16, 7, 7}, {50, 16, 5, 5}),
    two({56, 16, 7, 7}, {64, 16, 5, 5}),
    two({86, 111, 9, 9}, {96, 115, 5, 5}),
    two({0, 0, 7, 7}, {8, 0, 5, 5}),
    three({99, 25, 6, 8}, {106, 25, 6, 8}, {113, 25, 6, 8}),
    two({0, 119, 4, 4}, {5, 119, 3, 3}),
    two({9, 119, 4, 4}, {14, 119, 3, 3}),
    two({18, 119, 4, 4}, {23, 119, 3, 3}),
    two({27, 119, 4, 4}, {32, 119, 3, 3}),
    two({36, 119, 4, 4}, {41, 119, 3, 3}),
    two({54, 119, 4, 4}, {59, 119, 3, 3}),
    two({63, 119, 4, 4}, {68, 119, 3, 3}),
    two({18, 124, 4, 4}, {23, 124, 3, 3}),
    two({36, 124, 4, 4}, {41, 124, 3, 3}),
    two({253, 1, 2, 2}, {253, 4, 2, 2}),
    three({134, 47, 4, 9}, {139, 47, 9, 6}, {149, 47, 5, 3}),
    three({246, 99, 9, 9}, {247, 109, 7, 7}, {249, 117, 3, 3}),
};

}  // namespace

const DebrisRectList& debrisRectList(uint16_t index) { return kLists[index < kLists.size() ? index : 0]; }

DebrisRect fireworkSparkRect(uint8_t colour, bool small) {
  const DebrisRect origin = debrisRectList(kFireworkSparkList).rects[0];
  const int i = colour > 0 ? colour - 1 : 0;
  DebrisRect rect;
  rect.x = static_cast<uint16_t>(origin.x + (i % 9) * 14 + (small ? 8 : 0));
  rect.y = static_cast<uint16_t>(origin.y + (i / 9) * 8);
  rect.width = rect.height = small ? 5 : 7;
  return rect;
}
