#pragma once
// The colours of the firework sparks among a world's particles, told by the place each colour's
// spark takes in the particle atlas.

#include <cstdint>
#include <set>

#include "content/art/debris_rect_lists.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_list.h"

namespace testsupport {

inline void collectSparkColours(const DebrisList& particles, std::set<uint8_t>& colours) {
  for (size_t i = 0; i < particles.size(); ++i) {
    const DebrisRect& rect = particles.at(i).look.rect;
    for (uint8_t colour = 1; colour <= 15; ++colour) {
      for (bool small : {false, true}) {
        const DebrisRect spark = fireworkSparkRect(colour, small);
        if (rect.x == spark.x && rect.y == spark.y && rect.width == spark.width) colours.insert(colour);
      }
    }
  }
}

}  // namespace testsupport
