#pragma once
// The contact sheet: every atlas's sections stacked on a mid-grey background under their titles,
// so a person can see the whole art set at once and spot a block that is too bright or two items
// that look alike.

#include <vector>

#include "tools/art_maker/atlas_registry.h"

namespace artmaker {

inline constexpr Colour kSheetBackground = rgba(0x6E, 0x6E, 0x74);

Canvas composeContactSheet(const std::vector<SheetSection>& sections);

}  // namespace artmaker
